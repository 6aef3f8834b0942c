#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QScrollBar;

namespace vellora {

class AppFolder;
class ImageButton;
class Pacer;
class PictureBox;
class Prompter;
class TargetOptions;

// What the joker and court dialogs share, so the two read as one family: the picture in its grey box, the
// scroll bar through the pictures beside it, the suit choices, the hint, the counter, Cancel and Ok. Each
// dialog fills the picture and says what Ok does.
struct ClipartFrame
{
    PictureBox *picture = nullptr;
    QScrollBar *scroll = nullptr; // from `first` to `last`, one picture a step, answering on release
    TargetOptions *targets = nullptr;
    QLabel *counter = nullptr;
    ImageButton *ok = nullptr;

    // Builds the frame into `dialog` and gives it the dialog's size, colour, font and title. The picture box
    // has the geometry `pictureTwips`.
    static ClipartFrame build(QDialog *dialog, Pacer &pacer, const AppFolder &folder, const QString &title,
                              const QString &placeOnCaption, QRect pictureTwips, int first, int last);

    void showCounter(const QString &text) const;
    // The chosen target; none (-1) after telling the user `missing`.
    int chosenTarget(Prompter &prompter, const QString &missing) const;
};

} // namespace vellora
