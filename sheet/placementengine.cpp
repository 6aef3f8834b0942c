#include "sheet/placementengine.h"

#include "sheet/cardfinishing.h"
#include "sheet/piptables.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <algorithm>
#include <map>
#include <utility>

namespace vellora {

namespace {

// The symbol squares at the sizes the pips need, scaled once per run instead of once per pip, and already in
// the sheet's pixel format, so that every pip is a plain row copy. Taking them at the start also keeps a run
// consistent if another symbol set is loaded while it pauses.
class SymbolSquares
{
public:
    SymbolSquares(const QImage &symbols, QImage::Format sheetFormat, int scale)
        : m_symbols(symbols), m_format(sheetFormat), m_scale(scale)
    {
    }

    // The suit's red as the set draws it: the mean of its clearly red pixels, or the red of printed cards
    // when the set has none to speak of.
    QColor red(int suit) const
    {
        if (m_symbols.isNull())
            return kPrintedRed;
        const QRect at = px(sheet::symbolSquare(suit));
        const QImage square =
            m_symbols.copy(at.x() * m_scale, at.y() * m_scale, at.width() * m_scale, at.height() * m_scale)
                .convertToFormat(QImage::Format_ARGB32);
        qint64 red = 0, green = 0, blue = 0, count = 0;
        for (int y = 0; y < square.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(square.constScanLine(y));
            for (int x = 0; x < square.width(); ++x) {
                const QRgb p = line[x];
                if (qAlpha(p) < 128 || qRed(p) - std::max(qGreen(p), qBlue(p)) < kRedLead)
                    continue;
                red += qRed(p), green += qGreen(p), blue += qBlue(p), ++count;
            }
        }
        if (count * 50 < qint64(square.width()) * square.height())
            return kPrintedRed;
        return QColor(int(red / count), int(green / count), int(blue / count));
    }

    const QImage &at(int suit, int sizeTwips)
    {
        const auto key = std::make_pair(suit, px(sizeTwips * m_scale));
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
        // The master's run is given the set at its own scale, so its squares are as many times larger.
        const QRect at = px(sheet::symbolSquare(suit));
        QImage square = m_symbols.copy(at.x() * m_scale, at.y() * m_scale, at.width() * m_scale,
                                       at.height() * m_scale);
        // A pip replaces what is under it, so on an opaque sheet a symbol's transparent pixels come over as
        // their bare colours, as a plain copy would bring them.
        const bool opaque = QImage::toPixelFormat(m_format).alphaUsage() == QPixelFormat::IgnoresAlpha;
        square = square.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        if (square.width() != sizePixels || square.height() != sizePixels)
            square = square.scaled(sizePixels, sizePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return square.convertToFormat(m_format);
    }

    static constexpr int kRedLead = 80;
    static inline const QColor kPrintedRed{0xc8, 0x10, 0x2e};

    const QImage m_symbols;
    const QImage::Format m_format;
    const int m_scale;
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

// Black (the sheet's text colour) for every index, or the suit's colour on classic cards.
std::array<QColor, sheet::kRows> indexInks(const Surface &sheet, CardStyle style,
                                           const SymbolSquares &squares)
{
    std::array<QColor, sheet::kRows> inks;
    for (int row = 0; row < sheet::kRows; ++row)
        inks[std::size_t(row)] =
            style == CardStyle::Classic && sheet::isRedSuit(row) ? squares.red(row) : sheet.foreColor;
    return inks;
}

} // namespace

struct PlacementRun::State
{
    State(Surface &sheet, const QImage &symbols, KolomX &kolomX, CardStyle style)
        : sheet(sheet), kolomX(kolomX),
          squares(symbols, sheet.isEmpty() ? QImage::Format_RGB32 : sheet.image().format(), sheet.scale),
          finisher(sheet, kolomX, style, indexInks(sheet, style, squares))
    {
    }

    Surface &sheet;
    KolomX &kolomX;
    SymbolSquares squares;
    finishing::CardFinisher finisher;
    bool done = false;
};

PlacementRun::PlacementRun(Surface &sheet, const QImage &symbols, KolomX &kolomX, CardStyle style)
{
    kolomX.fill();
    m_state = std::make_unique<State>(sheet, symbols, kolomX, style);
    if (style == CardStyle::Classic)
        paintPips(pips::classicCorners(), sheet, kolomX, m_state->squares);
    paintPips(pips::phaseA(), sheet, kolomX, m_state->squares);
}

PlacementRun::~PlacementRun() = default;

bool PlacementRun::finishNextCard()
{
    if (m_state->done)
        return false;
    if (m_state->finisher.finishNext())
        return true;
    paintPips(pips::phaseB(), m_state->sheet, m_state->kolomX, m_state->squares);
    m_state->done = true;
    return false;
}

bool PlacementRun::isDone() const { return m_state->done; }

int PlacementRun::finished() const { return m_state->finisher.finished(); }

namespace {

// Each step hands the next to the pacer, and the run lives as long as a step still refers to it.
void continueRun(const std::shared_ptr<PlacementRun> &run, const PacedPlacement &paced)
{
    if (!run->finishNextCard()) {
        if (paced.done)
            paced.done();
        return;
    }
    if (paced.afterCard)
        paced.afterCard(run->finished());
    paced.pacer.after(placement::kPauseMilliseconds, paced.context, [run, paced] { continueRun(run, paced); });
}

} // namespace

void runPlacement(const PacedPlacement &paced)
{
    auto run = std::make_shared<PlacementRun>(paced.sheet, paced.symbols, paced.kolomX, paced.style);
    continueRun(run, paced);
}

} // namespace vellora
