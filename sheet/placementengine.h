#pragma once

#include "sheet/cardsheet.h"

#include <QImage>
#include <QRgb>

#include <functional>
#include <memory>

class QObject;

namespace vellora {

class Pacer;
class Surface;

// One placement run, card by card: the first pips when it starts, then one finished card a step (index labels
// and mirrored half, or turned half for classic cards), and the last pips, which are not mirrored, once all
// 52 are done. Jokers stay untouched. Whoever runs it spaces the steps, so that the window can repaint
// between cards.
class PlacementRun
{
public:
    // Paints the first pips. The symbols are taken now: a set loaded while the run goes on does not mix in.
    PlacementRun(Surface &sheet, const QImage &symbols, KolomX &kolomX,
                 CardStyle style = CardStyle::Mirrored);
    ~PlacementRun();
    PlacementRun(const PlacementRun &) = delete;
    PlacementRun &operator=(const PlacementRun &) = delete;

    // Finishes the next card; false, after painting the last pips, once there is none left.
    bool finishNextCard();
    bool isDone() const;
    // Cards finished so far, 0 to 52: what the window's progress bar shows.
    int finished() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A whole run with the pauses of the card sheet: 50 ms after each finished card, afterCard (if set) with the
// number of cards finished before each pause. Returns at once; `done` (if set) runs when the last pips are
// painted. Nothing of it runs any more once `context` (if given) is destroyed. The sheet's font ends at 28
// points bold.
struct PacedPlacement
{
    Surface &sheet;          // the card sheet, 3990 x 1600, twips
    const QImage &symbols;   // the symbol set shown, 50 x 200 pixels
    KolomX &kolomX;
    Pacer &pacer;
    std::function<void(int finished)> afterCard;
    QObject *context = nullptr;
    std::function<void()> done;
    CardStyle style = CardStyle::Mirrored;
};
void runPlacement(const PacedPlacement &run);

namespace placement {
inline constexpr int kFinishedCards = 52;
inline constexpr int kPauseMilliseconds = 50;
} // namespace placement

} // namespace vellora
