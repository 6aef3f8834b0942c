#include "placement/clipartframe.h"

#include "placement/targetoptions.h"
#include "surface/appfolder.h"
#include "surface/platform.h"
#include "surface/twips.h"
#include "surface/widgets/dialogparts.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>

namespace vellora {

ClipartFrame ClipartFrame::build(QDialog *dialog, Pacer &pacer, const AppFolder &folder, const QString &title,
                                 const QString &placeOnCaption, QRect pictureTwips, int first, int last)
{
    ClipartFrame frame;
    dialog->setWindowTitle(title);
    dialog->setFixedSize(px(QSize(6510, 5940)));
    setPanelColour(dialog);
    // The texts are laid out for a small sans serif of 8.25 points; the desktop's larger default would not
    // fit the fixed label boxes.
    dialog->setFont(arialFont(8.25));

    const QColor grey(128, 128, 128);
    panelLabel(dialog, QStringLiteral("Label1"), QRect(210, 240, 3735, 5085), grey);
    frame.picture = new PictureBox(dialog);
    frame.picture->setObjectName(QStringLiteral("KaartPic"));
    frame.picture->setGeometry(px(pictureTwips));

    panelLabel(dialog, QStringLiteral("Label2"), QRect(4050, 240, 360, 5085), grey);
    frame.scroll = new QScrollBar(Qt::Vertical, dialog);
    frame.scroll->setObjectName(QStringLiteral("VScroll1"));
    frame.scroll->setGeometry(twipRect(4080, 270, 300, 5025));
    // With no pictures the bar keeps its one position: Qt raises the maximum to the minimum.
    frame.scroll->setRange(first, last);
    frame.scroll->setSingleStep(1);
    frame.scroll->setPageStep(1);
    frame.scroll->setValue(first);
    frame.scroll->setTracking(false);

    auto *caption = new QLabel(placeOnCaption, dialog);
    caption->setObjectName(QStringLiteral("Label4"));
    caption->move(px(QPoint(4590, 300)));
    caption->adjustSize();

    frame.targets = new TargetOptions(dialog, folder, 4590, 660);

    auto *hint =
        new QLabel(QCoreApplication::translate("Placement", "Klik één van de vijf keuze mogelijkheden "
                                                            "hierboven aan, klik dan op de 'Ok' knop."),
                   dialog);
    hint->setObjectName(QStringLiteral("Label5"));
    hint->setGeometry(twipRect(4590, 2850, 1500, 990));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A font a little wider than the one the box was measured for would cut off the last line.
    hint->resize(hint->width(), qMax(hint->height(), hint->heightForWidth(hint->width())));

    frame.counter = new QLabel(dialog);
    frame.counter->setObjectName(QStringLiteral("Label3"));
    frame.counter->move(px(QPoint(4620, 4200)));

    cancelButton(dialog, pacer, folder, QRect(4620, 4860, 765, 435));
    frame.ok = pictureButton(dialog, pacer, folder, QStringLiteral("OkKnop"), QStringLiteral("ok.png"),
                             QRect(5460, 4860, 765, 435));
    return frame;
}

void ClipartFrame::showCounter(const QString &text) const
{
    counter->setText(text);
    counter->adjustSize();
}

int ClipartFrame::chosenTarget(Prompter &prompter, const QString &missing) const
{
    const int option = targets->chosen();
    if (option < 0)
        prompter.message(missing, QGuiApplication::applicationDisplayName(), Prompter::Icon::None);
    return option;
}

} // namespace vellora
