#pragma once

#include "sheet/cardsheet.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace vellora {

class Pacer;
class Surface;

namespace finishing {

// The index labels of rank columns 0 to 12 in the sheet's font and text colour, each rendered once and then
// stamped onto as many cards as needed.
class IndexLabels
{
public:
    explicit IndexLabels(const Surface &sheet);
    // The label of the column with the top-left of its text at the given twips.
    void print(Surface &sheet, int column, QPoint topLeftTwips) const;

private:
    struct Ink
    {
        QImage image;  // the text over white, cut to its ink
        QPoint offset; // of the cut from the text's top-left, pixels
    };
    std::array<Ink, sheet::kJokerColumn> m_ink;
};

// The scratch half the mirroring goes through: one upper half, 285 x 200 pixels.
Surface makeFlipPic(const Surface &sheet);

// Paints the cell's upper half mirrored top to bottom into its lower half, leaving its middle pixel row as it
// was, and the keep rectangles (twips in the cell, in the lower half) as well. cellTwips is the cell's
// top-left corner.
void mirrorCard(Surface &sheet, Surface &flipPic, QPoint cellTwips, std::span<const QRect> keep = {});

// The parts of a card's lower half that the mirroring must leave alone: the mirror images of the pips painted
// after it, twips in the cell.
std::vector<QRect> keptByMirroring(int column);

// Labels, mirroring and progress for the 52 cards of columns 0 to 12, suit row by suit row. After each card
// the bar moves, afterCard runs (if set) and the pacer pauses 50 ms.
void finishCards(Surface &sheet, Surface &bar, const KolomX &kolomX, Pacer &pacer,
                 const std::function<void()> &afterCard);

} // namespace finishing

// The cards a run finishes, and the pause after each that lets the user watch the run.
namespace placement {
inline constexpr int kFinishedCards = 52;
inline constexpr int kPauseMilliseconds = 50;
} // namespace placement

// The progress bar that finishCards moves.
namespace progress {
inline constexpr int kWidth = 14;   // pixels
inline constexpr int kHeight = 200; // pixels
inline constexpr QRgb kBackground = qRgb(0, 64, 0);
inline constexpr QRgb kFill = qRgb(0, 200, 0);

// The bar's state at start-up and after New: the bottom 13 pixels green on dark green.
void drawStartState(Surface &bar);
} // namespace progress

} // namespace vellora
