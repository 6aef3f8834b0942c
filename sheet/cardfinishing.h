#pragma once

#include "sheet/cardsheet.h"
#include "surface/surface.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <span>
#include <vector>

namespace vellora {


namespace finishing {

// The index labels of rank columns 0 to 12 in the sheet's font and the given colour, each rendered once and
// then stamped onto as many cards as needed.
class IndexLabels
{
public:
    IndexLabels(const Surface &sheet, const QColor &ink);
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

// Paints the cell's upper half turned by 180 degrees into its lower half, leaving the middle row and the keep
// rectangles as mirrorCard() does. The pips (twips in the cell's upper half) do not go where the turn would
// put them but stand turned below their own places, so that the pip columns stay where the deck has them.
void turnCard(Surface &sheet, Surface &flipPic, QPoint cellTwips, std::span<const QRect> keep,
              std::span<const QRect> pips);
// What the turn must leave alone: where the pips painted after it would land turned, twips in the cell.
std::vector<QRect> keptByTurning(int column);
// The column's pips of the first phase that the turn puts back in their columns (the corner pips turn with
// their index).
std::vector<QRect> turnedPips(int column);

// Labels and mirroring (or turning) for the 52 cards of columns 0 to 12, suit row by suit row, one card at a
// time. Sets the sheet's font to 28 points bold Arial for the labels, in each suit row's ink.
class CardFinisher
{
public:
    CardFinisher(Surface &sheet, const KolomX &kolomX, CardStyle style,
                 const std::array<QColor, sheet::kRows> &inks);
    // Finishes the next card; false when all are finished.
    bool finishNext();
    int finished() const { return m_finished; }

private:
    Surface &m_sheet;
    const KolomX &m_kolomX;
    const CardStyle m_style;
    std::vector<IndexLabels> m_labels; // one for each suit row
    Surface m_flipPic;
    std::array<std::vector<QRect>, sheet::kJokerColumn> m_kept;
    std::array<std::vector<QRect>, sheet::kJokerColumn> m_turnedPips;
    int m_finished = 0;
};

} // namespace finishing

} // namespace vellora
