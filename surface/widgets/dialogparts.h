#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QWidget;

namespace vellora {

class AppFolder;
class ImageButton;
class Pacer;

// The colours the windows share.
inline constexpr QColor kPanelColour{220, 220, 190}; // the background of every window
inline constexpr QColor kLabelTextColour{64, 64, 64};
inline constexpr QColor kOptionTextColour{90, 90, 90}; // option buttons and check boxes
// Lists and combo boxes are dark with light text.
inline constexpr QColor kListColour{0, 0, 40};
inline constexpr QColor kDeepListColour{0, 0, 30};
inline constexpr QColor kListTextColour{220, 220, 220};

// Fills a whole window with the panel colour. Only its background: its controls keep their own button and
// entry colours.
void setPanelColour(QWidget *window);

// Colours a control: `text`, when valid, for its texts; `background`, when valid, fills it and its buttons.
// Lists, combo boxes and check marks draw their entries on a colour of their own: `entries`, when valid.
void setColours(QWidget *control, const QColor &text, const QColor &background = QColor(),
                const QColor &entries = QColor());

// Arial at `points`, sized in pixels at 96 dots per inch as the fixed label boxes were measured, whatever
// the screen reports.
QFont arialFont(double points, bool bold = false);

// A plain coloured rectangle that other controls stand on, placed in twips.
QLabel *panelLabel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background);

// A picture button as the windows have them: named for whoever looks it up, placed in twips, showing the
// program's picture `art` (nothing when it is missing), with `pointer` over it, its pressed look timed by
// `pacer`.
ImageButton *pictureButton(QWidget *parent, Pacer &pacer, const AppFolder &folder, const QString &name,
                           const QString &art, const QRect &twips,
                           const QCursor &pointer = QCursor(Qt::PointingHandCursor));
// The same with its picture read beforehand.
ImageButton *pictureButton(QWidget *parent, Pacer &pacer, const QPixmap &picture, const QString &name,
                           const QRect &twips, const QCursor &pointer);

// Makes `button` the way out of `dialog`: after its pressed look the dialog closes as cancelled, and Escape
// anywhere in the dialog clicks it, so that closing by key shows the look too.
void makeCancelButton(ImageButton *button, QDialog *dialog);

// The dialogs' "CancelKnop": the cancel picture, made the way out.
ImageButton *cancelButton(QDialog *dialog, Pacer &pacer, const AppFolder &folder, const QRect &twips);

} // namespace vellora
