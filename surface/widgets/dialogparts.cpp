#include "surface/widgets/dialogparts.h"

#include "surface/appfolder.h"
#include "surface/twips.h"
#include "surface/widgets/artwork.h"
#include "surface/widgets/imagebutton.h"

#include <QDialog>
#include <QLabel>
#include <QPixmap>

namespace vellora {

void setPanelColour(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void setColours(QWidget *control, const QColor &text, const QColor &background, const QColor &entries)
{
    QPalette palette = control->palette();
    if (text.isValid()) {
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(role, text);
    }
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Button, background);
        control->setAutoFillBackground(true);
    }
    if (entries.isValid())
        palette.setColor(QPalette::Base, entries);
    control->setPalette(palette);
}

QFont arialFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixels(points));
    font.setBold(bold);
    return font;
}

QLabel *panelLabel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(px(twips));
    setColours(label, kLabelTextColour, background);
    return label;
}

ImageButton *pictureButton(QWidget *parent, Pacer &pacer, const AppFolder &folder, const QString &name,
                           const QString &art, const QRect &twips, const QCursor &pointer)
{
    return pictureButton(parent, pacer, artworkPixmap(folder, art, parent), name, twips, pointer);
}

ImageButton *pictureButton(QWidget *parent, Pacer &pacer, const QPixmap &picture, const QString &name,
                           const QRect &twips, const QCursor &pointer)
{
    auto *button = new ImageButton(parent, &pacer);
    button->setObjectName(name);
    button->setGeometry(px(twips));
    if (!picture.isNull())
        button->setPixmap(picture);
    button->setCursor(pointer);
    return button;
}

void makeCancelButton(ImageButton *button, QDialog *dialog)
{
    QObject::connect(button, &ImageButton::clicked, dialog, &QDialog::reject);
    button->takeEscapeKey();
}

ImageButton *cancelButton(QDialog *dialog, Pacer &pacer, const AppFolder &folder, const QRect &twips)
{
    ImageButton *button =
        pictureButton(dialog, pacer, folder, QStringLiteral("CancelKnop"), QStringLiteral("cancel.png"), twips);
    makeCancelButton(button, dialog);
    return button;
}

} // namespace vellora
