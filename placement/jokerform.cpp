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
    m_kaartPic = new PictureBox(this);
    m_kaartPic->setObjectName(QStringLiteral("KaartPic"));
    m_kaartPic->setGeometry(twipRect(270, 300, targets::kJokerArea.width(), targets::kJokerArea.height()));
    m_kaartPic->surface().backColor = m_browser.preview().backColor;
    m_kaartPic->setPicture(m_browser.preview().image());

    panelLabel(this, QStringLiteral("Label2"), QRect(4050, 240, 360, 5085), grey);
    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll1->setGeometry(twipRect(4080, 270, 300, 5025));
    // With no joker files the bar keeps its one position: Qt raises the maximum to the minimum.
    m_vScroll1->setRange(1, m_browser.count());
    m_vScroll1->setSingleStep(1);
    m_vScroll1->setPageStep(1);
    m_vScroll1->setValue(1);
    m_vScroll1->setTracking(false);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &JokerForm::showJoker);

    auto *label4 = new QLabel(QStringLiteral("Jokers plaatsen op..."), this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->move(px(QPoint(4590, 300)));
    label4->adjustSize();

    m_targets = new TargetOptions(this, folder, 4590, 660);

    auto *label5 = new QLabel(QStringLiteral("Klik \u00e9\u00e9n van de vijf keuze mogelijkheden hierboven aan, "
                                             "klik dan op de 'Ok' knop."),
                              this);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(twipRect(4590, 2850, 1500, 990));
    label5->setWordWrap(true);
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A font a little wider than the one the box was measured for would cut off the last line.
    label5->resize(label5->width(), qMax(label5->height(), label5->heightForWidth(label5->width())));

    m_label3 = new QLabel(m_browser.counter(), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->move(px(QPoint(4620, 4200)));
    m_label3->adjustSize();

    cancelButton(this, pacer, folder, QRect(4620, 4860, 765, 435));
    ImageButton *okKnop = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"),
                                        QStringLiteral("ok.png"), QRect(5460, 4860, 765, 435));
    connect(okKnop, &ImageButton::clicked, this, &JokerForm::placeOnCards);
}

void JokerForm::showJoker(int value)
{
    if (m_browser.show(value))
        m_kaartPic->setPicture(m_browser.preview().image());
    m_label3->setText(m_browser.counter());
    m_label3->adjustSize();
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
