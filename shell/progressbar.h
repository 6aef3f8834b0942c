#pragma once

#include <QRgb>

namespace vellora {

class Surface;

// The progress bar beside the viewer, drawn by the window from the number of cards the deck's last run has
// finished.
namespace progress {
inline constexpr int kWidth = 14;   // pixels
inline constexpr int kHeight = 200; // pixels
inline constexpr QRgb kBackground = qRgb(0, 64, 0);
inline constexpr QRgb kFill = qRgb(0, 200, 0);

// The bar after `finishedCards` of the 52 cards (Harten first, columns 0 to 12 within a suit): green rising
// from the bottom on dark green. 0, as at start-up and after Nieuw, gives the start state: the bottom 13
// pixels green. An empty bar is sized first; whatever the bar showed goes.
void draw(Surface &bar, int finishedCards);
} // namespace progress

} // namespace vellora
