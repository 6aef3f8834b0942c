#pragma once

#include <QPoint>

#include <span>
#include <vector>

namespace vellora::pips {

// Pip sizes in twips: a normal pip is the symbol square at its own size, 50 x 50 pixels.
inline constexpr int kPip = 750;
inline constexpr int kCornerPip = 360;
inline constexpr int kAceCentre = 1500;

// One step of the pip tables: the same pips, in the same order, on each listed rank column of all four
// suit rows (columns outermost, then suit rows, then the pips).
struct Step
{
    const char *name;            // "A1" .. "A11", "B1" .. "B6"
    std::vector<int> columns;    // rank columns, in painting order
    int size;                    // twips, square
    std::vector<QPoint> offsets; // top-left corners in the cell, twips, in painting order
};

// Painted before the cards are finished, so the mirroring doubles each of them upside down in the lower half.
std::span<const Step> phaseA();
// Classic cards only, painted before phaseA(): the suit under the index of the number cards, where the aces
// and court cards carry it anyway.
std::span<const Step> classicCorners();
// Painted after the mirroring: upright and single, most of them on or near the middle of the card.
std::span<const Step> phaseB();

} // namespace vellora::pips
