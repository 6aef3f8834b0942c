#pragma once

#include "sheet/cardfinishing.h"
#include "sheet/cardsheet.h"

#include <QImage>

#include <functional>

namespace vellora {

class Pacer;
class Surface;

// Everything a placement run works on, handed in by the main window that owns it.
struct PlacementRun
{
    Surface &sheet;          // the card sheet, 3990 x 1600, twips
    const QImage &symbols;   // the symbol set shown, 50 x 200 pixels
    Surface &bar;            // the progress bar, 14 x 200, pixels
    KolomX &kolomX;
    Pacer &pacer;            // 50 ms after each finished card
    std::function<void()> afterCard; // lets the window repaint; may be empty
};

// Paints pips, index labels and mirrored halves on the 52 cards of columns 0 to 12; jokers stay untouched.
// Leaves the sheet's font at 28 points bold. A call made while a run is still going (from an event handled
// during one of its pauses) returns at once and changes nothing.
void runPlacement(PlacementRun run);

namespace placement {
// True from the start of a run to its end, pauses included: the window may ignore Ok meanwhile.
bool isRunning();
} // namespace placement

} // namespace vellora
