// The main window's commands that put pictures on the cards: the picture buttons, their menu of clip art
// or an own photo, and the court figures all at once.

#include "placement/courtfigures.h"
#include "placement/courtform.h"
#include "placement/dialogform.h"
#include "placement/jokerform.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace vellora {

namespace {
QString photoStep()
{
    return QCoreApplication::translate("Main", "Foto plaatsen");
}
QString jokerStep()
{
    return QCoreApplication::translate("Main", "Joker plaatsen");
}
QString allCourtsStep()
{
    return QCoreApplication::translate("Main", "Hofkaarten plaatsen");
}

QString courtStep(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Boer:
        return QCoreApplication::translate("Main", "Boer plaatsen");
    case KaartSoort::Vrouw:
        return QCoreApplication::translate("Main", "Vrouw plaatsen");
    default:
        return QCoreApplication::translate("Main", "Koning plaatsen");
    }
}
} // namespace

void Main::wirePictures()
{
    connect(m_menus.jokerArt, &QAction::triggered, this, &Main::useClipart);
    connect(m_menus.jokerPhoto, &QAction::triggered, this, &Main::dialogformRequested);
    connect(m_menus.placeCourts, &QAction::triggered, this, &Main::placeAllCourts);
    connect(this, &Main::dialogformRequested, this, &Main::showPhotoDialog);
    connect(this, &Main::jokerFormRequested, this, &Main::showJokerDialog);
    connect(this, &Main::courtFormRequested, this, &Main::showCourtDialog);
}

void Main::placePictures(int kind)
{
    if (isBusy() || kind < 0 || kind > 4)
        return;
    m_kaartSoort = static_cast<KaartSoort>(kind);
    // The aces have no clip art of their own; jokers and court cards may take either.
    if (m_kaartSoort == KaartSoort::Aas)
        Q_EMIT dialogformRequested();
    else
        m_menus.jokerOrPhoto->popup(QCursor::pos());
}

void Main::useClipart()
{
    if (courts::isCourt(m_kaartSoort))
        Q_EMIT courtFormRequested();
    else
        Q_EMIT jokerFormRequested();
}

void Main::placeAllCourts()
{
    if (!isBusy())
        m_deck.pasteOnCards(allCourtsStep(), courts::everyCourtCard(m_appFolder));
}

void Main::showPhotoDialog()
{
    Dialogform form(m_kaartSoort, m_photoPlace, m_pacer, m_prompter, m_appFolder, this);
    form.exec();
    if (form.chosen())
        m_deck.pasteOnCards(photoStep(), *form.chosen());
}

void Main::showJokerDialog()
{
    JokerForm form(m_pacer, m_prompter, m_appFolder, this);
    form.exec();
    if (form.chosen())
        m_deck.pasteOnCards(jokerStep(), *form.chosen());
}

void Main::showCourtDialog()
{
    CourtForm form(m_kaartSoort, m_pacer, m_prompter, m_appFolder, this);
    form.exec();
    if (form.chosen())
        m_deck.pasteOnCards(courtStep(m_kaartSoort), *form.chosen());
}

} // namespace vellora
