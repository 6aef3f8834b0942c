#include "placement/jokerform.h"

#include "placement/cardtargets.h"
#include "placement/targetoptions.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>

namespace vellora {

JokerForm::JokerForm(Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_prompter(prompter),
      m_browser(folder, QApplication::palette().color(QPalette::Base))
{
    setObjectName(QStringLiteral("JokerForm"));
    setWindowTitle(QStringLiteral("Jokers plaatsen"));
    setFixedSize(px(QSize(6510, 5940)));
    setPanelColour(this);
    // The texts are laid out for a small sans serif of 8.25 points; the desktop's larger default would not
    // fit the fixed label boxes.
    setFont(arialFont(8.25));

    const QColor grey(128, 128, 128);
    panelLabel(this, QStringLiteral("Label1"), QRect(210, 240, 3735, 5085), grey);
    m_jokerPicture = new PictureBox(this);
    m_jokerPicture->setObjectName(QStringLiteral("KaartPic"));
    m_jokerPicture->setGeometry(twipRect(270, 300, targets::kJokerArea.width(), targets::kJokerArea.height()));
    m_jokerPicture->surface().backColor = m_browser.preview().backColor;
    m_jokerPicture->setPicture(m_browser.preview().image());

    panelLabel(this, QStringLiteral("Label2"), QRect(4050, 240, 360, 5085), grey);
    m_jokerScroll = new QScrollBar(Qt::Vertical, this);
    m_jokerScroll->setObjectName(QStringLiteral("VScroll1"));
    m_jokerScroll->setGeometry(twipRect(4080, 270, 300, 5025));
    // With no joker files the bar keeps its one position: Qt raises the maximum to the minimum.
    m_jokerScroll->setRange(1, m_browser.count());
    m_jokerScroll->setSingleStep(1);
    m_jokerScroll->setPageStep(1);
    m_jokerScroll->setValue(1);
    m_jokerScroll->setTracking(false);
    connect(m_jokerScroll, &QScrollBar::valueChanged, this, &JokerForm::showJoker);

    auto *placeOnCaption = new QLabel(QStringLiteral("Jokers plaatsen op..."), this);
    placeOnCaption->setObjectName(QStringLiteral("Label4"));
    placeOnCaption->move(px(QPoint(4590, 300)));
    placeOnCaption->adjustSize();

    m_targets = new TargetOptions(this, folder, 4590, 660);

    auto *chooseHint = new QLabel(QStringLiteral("Klik \u00e9\u00e9n van de vijf keuze mogelijkheden hierboven "
                                                 "aan, klik dan op de 'Ok' knop."),
                                  this);
    chooseHint->setObjectName(QStringLiteral("Label5"));
    chooseHint->setGeometry(twipRect(4590, 2850, 1500, 990));
    chooseHint->setWordWrap(true);
    chooseHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A font a little wider than the one the box was measured for would cut off the last line.
    chooseHint->resize(chooseHint->width(),
                       qMax(chooseHint->height(), chooseHint->heightForWidth(chooseHint->width())));

    m_counter = new QLabel(m_browser.counter(), this);
    m_counter->setObjectName(QStringLiteral("Label3"));
    m_counter->move(px(QPoint(4620, 4200)));
    m_counter->adjustSize();

    cancelButton(this, pacer, folder, QRect(4620, 4860, 765, 435));
    ImageButton *okKnop = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"),
                                        QStringLiteral("ok.png"), QRect(5460, 4860, 765, 435));
    connect(okKnop, &ImageButton::clicked, this, &JokerForm::placeOnCards);
}

void JokerForm::showJoker(int value)
{
    if (m_browser.show(value))
        m_jokerPicture->setPicture(m_browser.preview().image());
    m_counter->setText(m_browser.counter());
    m_counter->adjustSize();
}

void JokerForm::placeOnCards()
{
    const int option = m_targets->chosen();
    if (option < 0) {
        m_prompter.message(QStringLiteral("Selecteer op welke kaart(en) u de joker wilt plaatsen!"),
                           QGuiApplication::applicationDisplayName(), Prompter::Icon::None);
        return;
    }
    m_chosen = m_browser.chosen(option);
    accept();
}

} // namespace vellora
