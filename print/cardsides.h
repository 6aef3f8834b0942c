#pragma once

#include "print/decklayout.h"
#include "print/printpage.h"

#include <QImage>
#include <QSize>

namespace vellora::print {

// Where a print shop cuts a face. Frame: on the felt that frames every card, widened so that the card's
// outline lies kFrameBandMm inside the cut. Card: on the white card, the felt's place printed white, inside
// the cut as bleed beyond it.
enum class FaceCut
{
    Frame,
    Card
};
// A white edge has nothing a miscut could make uneven; a border shows any shift as two widths.
inline constexpr FaceCut kDefaultCut = FaceCut::Card;

// Within this of the cut lies only plain ground, neither line nor border: a cut may wander this far.
inline constexpr double kSafeMm = 3.0;
inline constexpr double kMiscutMm = 1.0;
inline constexpr double kFrameBandMm = kSafeMm + kMiscutMm;
// The white card is cut this far (twips) outside its outline, in the felt's place: the index labels, 300
// twips below the cell's top, then keep 3 mm from the cut, and a miscut into the bleed still finds white.
inline constexpr int kCardCutInset = 100;

// The size every built-in back's full-bleed drawing has: the largest card with the largest bleed at 300 dpi.
QSize fullBleedBackDots();

// A face of the print shop's files from the picture of its cell: cut as `cut` says, the card `card` pixels
// of `size`, centred in `whole` with its outermost pixels carried outward.
QImage shopFace(const QImage &cell, FaceCut cut, CardSize size, QSize card, QSize whole);

// A back likewise. A built-in back's full-bleed drawing is cut from its middle at 300 dpi, the card and its
// bleed; any other back covers the card and carries its edge outward as a face does.
QImage shopBack(const BackChoice &back, CardSize size, double bleedMm, QSize card, QSize whole);

} // namespace vellora::print
