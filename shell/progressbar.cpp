#include "shell/progressbar.h"

#include "sheet/cardsheet.h"
#include "surface/surface.h"

#include <QColor>
#include <QPointF>

namespace vellora::progress {

namespace {

void clear(Surface &bar)
{
    bar.backColor = QColor(kBackground);
    if (bar.isEmpty())
        bar.resize(kWidth, kHeight);
    else
        bar.clear();
}

} // namespace

void draw(Surface &bar, int finishedCards)
{
    clear(bar);
    if (finishedCards <= 0) {
        bar.box({0, 187}, {15, 200}, QColor(kFill), true);
        return;
    }
    // Each finished card's box, replayed: the bar is their union, so the first card of a suit, whose box is
    // lower than the last one's, leaves the bar where it was. Corners go top first: Surface::box loses the
    // edge rows of a box given bottom first.
    for (int card = 0; card < finishedCards && card < sheet::kRows * sheet::kJokerColumn; ++card) {
        const int n = card / sheet::kJokerColumn + 1;
        const int c = card % sheet::kJokerColumn;
        bar.box(QPointF(0, 150 - 3.2 * n * c), QPointF(kWidth, kHeight), QColor(kFill), true);
    }
}

} // namespace vellora::progress
