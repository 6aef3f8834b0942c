#include "placement/courtform.h"

#include "placement/cardtargets.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>

namespace vellora {

namespace {

QString titleOf(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Boer:
        return QCoreApplication::translate("Placement", "Boeren plaatsen");
    case KaartSoort::Vrouw:
        return QCoreApplication::translate("Placement", "Vrouwen plaatsen");
    default:
        return QCoreApplication::translate("Placement", "Koningen plaatsen");
    }
}

} // namespace

CourtForm::CourtForm(KaartSoort soort, Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_browser(folder, soort)
{
    setObjectName(QStringLiteral("CourtForm"));
    // The figure is smaller than a joker and stands in the middle of the grey box.
    m_frame = ClipartFrame::build(this, pacer, folder, titleOf(soort),
                                  titleOf(soort) + QCoreApplication::translate("Placement", " op..."),
                                  QRect(QPoint(840, 675), targets::kPictureArea), 0, courts::kSuits - 1);
    m_frame.picture->setPicture(m_browser.preview().image());
    m_frame.showCounter(m_browser.counter());
    connect(m_frame.scroll, &QScrollBar::valueChanged, this, &CourtForm::showFigure);
    connect(m_frame.ok, &ImageButton::clicked, this, &CourtForm::placeOnCards);
}

void CourtForm::showFigure(int suit)
{
    if (m_browser.show(suit))
        m_frame.picture->setPicture(m_browser.preview().image());
    m_frame.showCounter(m_browser.counter());
}

void CourtForm::placeOnCards()
{
    const int option = m_frame.chosenTarget(
        m_prompter,
        QCoreApplication::translate("Placement", "Selecteer op welke kaart(en) u de figuur wilt plaatsen!"));
    if (option < 0)
        return;
    m_chosen = m_browser.chosen(option);
    accept();
}

} // namespace vellora
