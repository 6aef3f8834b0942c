#include "placement/courtform.h"

#include "placement/cardtargets.h"
#include "placement/targetoptions.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>

namespace vellora {

namespace {

QString titleOf(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Boer: return QStringLiteral("Boeren plaatsen");
    case KaartSoort::Vrouw: return QStringLiteral("Vrouwen plaatsen");
    default: return QStringLiteral("Koningen plaatsen");
    }
}

} // namespace

CourtForm::CourtForm(KaartSoort soort, Pacer &pacer, Prompter &prompter, const AppFolder &folder, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_browser(folder, soort)
{
    setObjectName(QStringLiteral("CourtForm"));
    setWindowTitle(titleOf(soort));
    // The joker dialog's frame and controls, so the two read as one family; the figure is smaller than a
    // joker and stands in the middle of the grey box.
    setFixedSize(px(QSize(6510, 5940)));
    setPanelColour(this);
    setFont(arialFont(8.25));

    const QColor grey(128, 128, 128);
    panelLabel(this, QStringLiteral("Label1"), QRect(210, 240, 3735, 5085), grey);
    m_figurePicture = new PictureBox(this);
    m_figurePicture->setObjectName(QStringLiteral("KaartPic"));
    m_figurePicture->setGeometry(twipRect(840, 675, targets::kPictureArea.width(), targets::kPictureArea.height()));
    m_figurePicture->setPicture(m_browser.preview().image());

    panelLabel(this, QStringLiteral("Label2"), QRect(4050, 240, 360, 5085), grey);
    m_figureScroll = new QScrollBar(Qt::Vertical, this);
    m_figureScroll->setObjectName(QStringLiteral("VScroll1"));
    m_figureScroll->setGeometry(twipRect(4080, 270, 300, 5025));
    m_figureScroll->setRange(0, courts::kSuits - 1);
    m_figureScroll->setSingleStep(1);
    m_figureScroll->setPageStep(1);
    m_figureScroll->setValue(0);
    m_figureScroll->setTracking(false);
    connect(m_figureScroll, &QScrollBar::valueChanged, this, &CourtForm::showFigure);

    auto *placeOnCaption = new QLabel(titleOf(soort) + QStringLiteral(" op..."), this);
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
    chooseHint->resize(chooseHint->width(),
                       qMax(chooseHint->height(), chooseHint->heightForWidth(chooseHint->width())));

    m_counter = new QLabel(m_browser.counter(), this);
    m_counter->setObjectName(QStringLiteral("Label3"));
    m_counter->move(px(QPoint(4620, 4200)));
    m_counter->adjustSize();

    cancelButton(this, pacer, folder, QRect(4620, 4860, 765, 435));
    ImageButton *okKnop = pictureButton(this, pacer, folder, QStringLiteral("OkKnop"),
                                        QStringLiteral("ok.png"), QRect(5460, 4860, 765, 435));
    connect(okKnop, &ImageButton::clicked, this, &CourtForm::placeOnCards);
}

void CourtForm::showFigure(int suit)
{
    if (m_browser.show(suit))
        m_figurePicture->setPicture(m_browser.preview().image());
    m_counter->setText(m_browser.counter());
    m_counter->adjustSize();
}

void CourtForm::placeOnCards()
{
    const int option = m_targets->chosen();
    if (option < 0) {
        m_prompter.message(QStringLiteral("Selecteer op welke kaart(en) u de figuur wilt plaatsen!"),
                           QGuiApplication::applicationDisplayName(), Prompter::Icon::None);
        return;
    }
    m_chosen = m_browser.chosen(option);
    accept();
}

} // namespace vellora
