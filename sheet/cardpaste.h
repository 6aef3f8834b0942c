#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

namespace vellora {

class Surface;

// What a picture dialog's Ok chose: one picture for the same area of one or all four cards of a rank
// column. The dialog only describes it; the deck applies it, so that the change becomes one undo step.
struct CardPaste
{
    QImage picture;     // painted 1:1 from its top-left; not mirrored
    std::vector<int> rows; // suit rows, in order
    QPoint areaTwips;   // the area's top-left in the cell of row 0
    QSize sizeTwips;
    // The same picture at three times the pixels for the print master, taken from what the picture was made
    // of; null when there is nothing finer than `picture`.
    QImage master;

    // Pixels of the sheet outside the areas stay. A surface of scale 3 (the print master) takes `master`.
    void applyTo(Surface &sheet) const;
    bool isEmpty() const { return picture.isNull() || rows.empty(); }
};

} // namespace vellora
