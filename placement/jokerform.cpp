#include "placement/jokerform.h"

#include "surface/appfolder.h"
#include "surface/widgets/artwork.h"
#include "placement/cardtargets.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"
#include "surface/platform.h"
#include "placement/targetoptions.h"
#include "surface/twips.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>

namespace vellora {

namespace {

const QColor kPanel(220, 220, 190);

QLabel *panel(QWidget *parent, const char *name, QRect geometry, QColor colour)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

ImageButton *pictureButton(QWidget *parent, const AppFolder &folder, const char *name, const char *art,
                           QRect geometry)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setPixmap(artworkPixmap(folder, QLatin1String(art), parent));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

JokerForm::JokerForm(Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_pacer(pacer), m_prompter(prompter),
      m_browser(folder, QApplication::palette().color(QPalette::Base))
{
    setObjectName(QStringLiteral("JokerForm"));
    setWindowTitle(QStringLiteral("Jokers plaatsen"));
    setFixedSize(px(QSize(6510, 5940)));
    QPalette background = palette();
    background.setColor(QPalette::Window, kPanel);
    setPalette(background);
    setAutoFillBackground(true);
    // The texts are laid out for a small sans serif of 8.25 points; the desktop's larger default would not
    // fit the fixed label boxes.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(fontPixels(8.25));
    setFont(small);

    const QColor grey(128, 128, 128);
    panel(this, "Label1", twipRect(210, 240, 3735, 5085), grey);
    m_kaartPic = new PictureBox(this);
    m_kaartPic->setObjectName(QStringLiteral("KaartPic"));
    m_kaartPic->setGeometry(twipRect(270, 300, targets::kJokerArea.width(), targets::kJokerArea.height()));
    m_kaartPic->surface().backColor = m_browser.preview().backColor;
    m_kaartPic->setPicture(m_browser.preview().image());

    panel(this, "Label2", twipRect(4050, 240, 360, 5085), grey);
    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll1->setGeometry(twipRect(4080, 270, 300, 5025));
    // With no joker files the bar keeps its one position: Qt raises the maximum to the minimum.
    m_vScroll1->setRange(1, m_browser.count());
    m_vScroll1->setSingleStep(1);
    m_vScroll1->setPageStep(1);
    m_vScroll1->setValue(1);
    m_vScroll1->setTracking(false);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &JokerForm::VScroll1_Change);

    auto *label4 = new QLabel(QStringLiteral("Jokers plaatsen op..."), this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->move(px(QPoint(4590, 300)));
    label4->adjustSize();

    m_image1 = new TargetOptions(this, folder, 4590, 660);

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

    m_cancelKnop = pictureButton(this, folder, "CancelKnop", "cancel.png", twipRect(4620, 4860, 765, 435));
    m_okKnop = pictureButton(this, folder, "OkKnop", "ok.png", twipRect(5460, 4860, 765, 435));
    connect(m_okKnop, &ImageButton::clicked, this, &JokerForm::OkKnop_Click);
    connect(m_cancelKnop, &ImageButton::clicked, this, &JokerForm::CancelKnop_Click);
    m_cancelKnop->takeEscapeKey();
}

void JokerForm::VScroll1_Change(int value)
{
    if (m_browser.show(value))
        m_kaartPic->setPicture(m_browser.preview().image());
    m_label3->setText(m_browser.counter());
    m_label3->adjustSize();
}

void JokerForm::OkKnop_Click()
{
    if (m_busy)
        return;
    m_busy = true;
    m_okKnop->pressedLook(m_pacer);
    const int option = m_image1->chosen();
    if (option < 0) {
        m_prompter.message(QStringLiteral("Selecteer op welke kaart(en) u de joker wilt plaatsen!"),
                           QGuiApplication::applicationDisplayName(), Prompter::Icon::None);
        m_busy = false;
        return;
    }
    m_chosen = m_browser.chosen(option);
    accept();
}

void JokerForm::CancelKnop_Click()
{
    if (m_busy)
        return;
    m_busy = true;
    m_cancelKnop->pressedLook(m_pacer);
    reject();
}

} // namespace vellora
