#include "sheet/placementengine.h"

#include "sheet/cardfinishing.h"
#include "sheet/piptables.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <map>
#include <utility>

namespace vellora {

namespace {

bool g_running = false;

// The symbol squares at the sizes the pips need, scaled once per run instead of once per pip, and already in
// the sheet's pixel format, so that every pip is a plain row copy. Taking them at the start also keeps a run
// consistent if another symbol set is loaded while it pauses.
class SymbolSquares
{
public:
    SymbolSquares(const QImage &symbols, QImage::Format sheetFormat)
        : m_symbols(symbols), m_format(sheetFormat)
    {
    }

    const QImage &at(int suit, int sizeTwips)
    {
        const auto key = std::make_pair(suit, px(sizeTwips));
        auto found = m_squares.find(key);
        if (found == m_squares.end())
            found = m_squares.emplace(key, make(suit, key.second)).first;
        return found->second;
    }

private:
    QImage make(int suit, int sizePixels) const
    {
        if (m_symbols.isNull())
            return {};
        QImage square = m_symbols.copy(px(sheet::symbolSquare(suit)));
        // A pip replaces what is under it, so on an opaque sheet a symbol's transparent pixels come over as
        // their bare colours, as a plain copy would bring them.
        const bool opaque = QImage::toPixelFormat(m_format).alphaUsage() == QPixelFormat::IgnoresAlpha;
        square = square.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        if (square.width() != sizePixels || square.height() != sizePixels)
            square = square.scaled(sizePixels, sizePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return square.convertToFormat(m_format);
    }

    const QImage m_symbols;
    const QImage::Format m_format;
    std::map<std::pair<int, int>, QImage> m_squares;
};

void paintPips(std::span<const pips::Step> steps, Surface &sheet, const KolomX &kolomX, SymbolSquares &squares)
{
    for (const pips::Step &step : steps) {
        for (const int column : step.columns) {
            for (int suit = 0; suit < sheet::kRows; ++suit) {
                const QPoint cell(kolomX[column], suit * sheet::kCellHeight);
                const QImage &square = squares.at(suit, step.size);
                for (const QPoint offset : step.offsets)
                    sheet.paintPicture(square, QRectF(cell + offset, QSizeF(step.size, step.size)));
            }
        }
    }
}

} // namespace

bool placement::isRunning() { return g_running; }

void runPlacement(PlacementRun run)
{
    // The pauses let the window handle events, Ok among them. A second run started from there would paint over
    // a half-finished sheet and pause 52 times more inside the first one's pause; it is simply not started.
    if (g_running)
        return;
    g_running = true;
    struct Finished
    {
        ~Finished() { g_running = false; }
    } finished;

    run.kolomX.fill();
    SymbolSquares squares(run.symbols, run.sheet.isEmpty() ? QImage::Format_RGB32 : run.sheet.image().format());
    paintPips(pips::phaseA(), run.sheet, run.kolomX, squares);
    finishing::finishCards(run.sheet, run.bar, run.kolomX, run.pacer, run.afterCard);
    paintPips(pips::phaseB(), run.sheet, run.kolomX, squares);
}

} // namespace vellora
