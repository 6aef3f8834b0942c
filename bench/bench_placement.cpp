// How long a placement run takes: the engine alone against the bare cost of the pixels it has to move, and the
// whole run with its 52 real pauses against the 2.6 seconds those pauses add up to.
//
// Run from the build's bin folder; it uses Data/Kaarten.krt and Data/Hkrs-0.krt beside it when they are there.

#include "bench/benchutil.h"
#include "sheet/piptables.h"
#include "sheet/placementengine.h"
#include "surface/picturefile.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

using namespace vellora;
using Clock = std::chrono::steady_clock;

namespace {

class SleepingPacer final : public Pacer
{
public:
    void after(int milliseconds, QObject *, std::function<void()> then) override
    {
        pause(milliseconds);
        then();
    }
    void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QImage blankSheet(const QDir &data)
{
    const Result<QImage> shipped = PictureFile::load(data.filePath(QStringLiteral("Kaarten.krt")));
    if (shipped)
        return *shipped;
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(0, 128, 0));
    QPainter painter(&sheet);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 14; ++c)
            painter.fillRect(c * 285 + 4, r * 400 + 4, 277, 393, Qt::white);
    return sheet;
}

QImage symbolSet(const QDir &data)
{
    const Result<QImage> shipped = PictureFile::load(data.filePath(QStringLiteral("Hkrs-0.krt")));
    if (shipped)
        return *shipped;
    QImage symbols(50, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 50; ++x)
            symbols.setPixel(x, y, 0xff000000u | QRandomGenerator::global()->generate());
    return symbols;
}

// One engine run on a fresh sheet. The sheet is copied before the clock starts, so that its first write does
// not pay for detaching a shared picture.
double timedRun(const QImage &blank, const QImage &symbols, Pacer &pacer,
                CardStyle style = CardStyle::Mirrored)
{
    Surface sheet;
    sheet.setPicture(blank);
    sheet.image() = blank.copy();
    KolomX kolomX;
    const Clock::time_point start = Clock::now();
    runPlacement({sheet, symbols, kolomX, pacer, {}, nullptr, {}, style});
    return millisecondsSince(start);
}

// The floor: the same pixels moved by memcpy and nothing else. Each pip's rows into the sheet, and each card's
// upper half out into a scratch half and back.
double timedFloor(QImage &sheet, QImage &half, const QImage &squares)
{
    const Clock::time_point start = Clock::now();
    for (const auto phase : {pips::phaseA(), pips::phaseB()}) {
        for (const pips::Step &step : phase) {
            const int size = px(step.size);
            for (const int column : step.columns)
                for (int suit = 0; suit < 4; ++suit)
                    for (const QPoint offset : step.offsets) {
                        const QPoint at = px(QPoint(column * 4275 + offset.x(), suit * 6000 + offset.y()));
                        for (int y = 0; y < size; ++y)
                            std::memcpy(sheet.scanLine(at.y() + y) + 4 * at.x(), squares.constScanLine(y), 4 * size_t(size));
                    }
        }
    }
    for (int suit = 0; suit < 4; ++suit)
        for (int column = 0; column < 13; ++column) {
            const QPoint cell(column * 285, suit * 400);
            for (int y = 0; y < 200; ++y)
                std::memcpy(half.scanLine(y), sheet.constScanLine(cell.y() + y) + 4 * cell.x(), 4 * 285);
            for (int y = 0; y < 199; ++y)
                std::memcpy(sheet.scanLine(cell.y() + 201 + y) + 4 * cell.x(), half.constScanLine(198 - y), 4 * 285);
        }
    return millisecondsSince(start);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir data(QCoreApplication::applicationDirPath() + QStringLiteral("/Data"));
    const QImage blank = blankSheet(data);
    const QImage symbols = symbolSet(data);

    int pipCount = 0;
    long long pipPixels = 0;
    for (const auto phase : {pips::phaseA(), pips::phaseB()})
        for (const pips::Step &step : phase) {
            const int count = int(step.columns.size() * step.offsets.size()) * 4;
            pipCount += count;
            pipPixels += count * (long long)px(step.size) * px(step.size);
        }
    const long long halfPixels = placement::kFinishedCards * 285LL * (200 + 199);
    std::printf("placement run: %d pips (%lld pixels), 52 halves out and back (%lld pixels)\n", pipCount, pipPixels,
                halfPixels);

    NoPacer noPause;
    timedRun(blank, symbols, noPause); // fonts and glyphs loaded once, as a window would have them
    std::vector<double> engine;
    for (int i = 0; i < 21; ++i)
        engine.push_back(timedRun(blank, symbols, noPause));

    QImage sheet = blank.convertToFormat(QImage::Format_RGB32).copy();
    QImage half(285, 200, QImage::Format_RGB32);
    QImage squares(100, 100, QImage::Format_RGB32);
    squares.fill(Qt::gray);
    std::vector<double> floor;
    for (int i = 0; i < 201; ++i)
        floor.push_back(timedFloor(sheet, half, squares));

    const double engineMs = median(engine);
    const double floorMs = median(floor);
    std::printf("engine without pauses:   median %8.3f ms over %zu runs (min %.3f, max %.3f)\n", engineMs,
                engine.size(), *std::min_element(engine.begin(), engine.end()),
                *std::max_element(engine.begin(), engine.end()));
    std::printf("floor, memcpy alone:     median %8.3f ms over %zu runs\n", floorMs, floor.size());
    bench::report("placement run, no pauses", engineMs, "memcpy of the same pixels", floorMs);

    // Classic cards turn their lower halves, move their pips back into their columns and paint the suit
    // under the number cards' indices: beside the mirrored run, the work of the same deck.
    std::vector<double> classic;
    for (int i = 0; i < 21; ++i)
        classic.push_back(timedRun(blank, symbols, noPause, CardStyle::Classic));
    const double classicMs = median(classic);
    bench::report("classic run, no pauses", classicMs, "mirrored run, no pauses", engineMs);

    SleepingPacer sleeping;
    std::vector<double> paced, pacedClassic;
    for (int i = 0; i < 3; ++i) {
        paced.push_back(timedRun(blank, symbols, sleeping));
        pacedClassic.push_back(timedRun(blank, symbols, sleeping, CardStyle::Classic));
    }
    const double pacedMs = median(paced);
    bench::report("classic run, 52 real pauses", median(pacedClassic), "mirrored run, 52 real pauses",
                  pacedMs);
    const double pausesMs = double(placement::kFinishedCards) * placement::kPauseMilliseconds;
    std::printf("run with 52 real pauses: median %8.1f ms over %zu runs\n", pacedMs, paced.size());
    // What 52 sleeps really take here: the system wakes a sleeper late, and that is no cost of the engine.
    const double sleepsMs = bench::medianMs(3, [&] {
        for (int i = 0; i < placement::kFinishedCards; ++i)
            sleeping.pause(placement::kPauseMilliseconds);
    });
    bench::report("placement run, 52 real pauses", pacedMs, "52 x 50 ms", pausesMs);
    std::printf("over the %.0f ms of pauses: %+.1f ms (%+.2f %%); 52 sleeps alone take %.1f ms (%+.2f %%)\n",
                pausesMs, pacedMs - pausesMs, 100.0 * (pacedMs - pausesMs) / pausesMs, sleepsMs,
                100.0 * (sleepsMs - pausesMs) / pausesMs);
    return 0;
}
