#include "placement/jokerform.h"

#include "placement/cardtargets.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>

namespace vellora {

JokerForm::JokerForm(Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_prompter(prompter),
      m_browser(folder, QApplication::palette().color(QPalette::Base))
{
    setObjectName(QStringLiteral("JokerForm"));
    m_frame =
        ClipartFrame::build(this, pacer, folder, QCoreApplication::translate("Placement", "Jokers plaatsen"),
                            QCoreApplication::translate("Placement", "Jokers plaatsen op..."),
                            QRect(QPoint(270, 300), targets::kJokerArea), 1, m_browser.count());
    m_frame.picture->surface().backColor = m_browser.preview().backColor;
    m_frame.picture->setPicture(m_browser.preview().image());
    m_frame.showCounter(m_browser.counter());
    connect(m_frame.scroll, &QScrollBar::valueChanged, this, &JokerForm::showJoker);
    connect(m_frame.ok, &ImageButton::clicked, this, &JokerForm::placeOnCards);
}

void JokerForm::showJoker(int value)
{
    if (m_browser.show(value))
        m_frame.picture->setPicture(m_browser.preview().image());
    m_frame.showCounter(m_browser.counter());
}

void JokerForm::placeOnCards()
{
    const int option = m_frame.chosenTarget(
        m_prompter,
        QCoreApplication::translate("Placement", "Selecteer op welke kaart(en) u de joker wilt plaatsen!"));
    if (option < 0)
        return;
    m_chosen = m_browser.chosen(option);
    accept();
}

} // namespace vellora
