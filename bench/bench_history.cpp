// The undo history and the recovery copy: undo of a whole-sheet step and of a photo placement beside copying
// the same bytes, the history's memory after 50 steps of each kind, and how long one recovery write holds the
// calling (user-interface) thread beside copying the picture it writes.
#include "bench/benchutil.h"
#include "deck/deckhistory.h"
#include "project/recoverystore.h"
#include "surface/surface.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

using namespace vellora;

namespace {

// A composed sheet: flat card faces with thin drawn detail, as after a placement run. Each variant differs
// from the next in every pixel, so every step keeps whole sheets.
QImage composedSheet(int variant)
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(255, 255 - (variant & 7), 255));
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            if ((x % 285) < 40 && (y % 400) < 60 && ((x * 7 + y * 3 + variant) % 5) == 0)
                line[x] = qRgb(200, variant & 255, 30);
    }
    return sheet;
}

// A photo: every pixel its own.
QImage photo(int variant)
{
    QImage image(165, 280, QImage::Format_RGB32);
    quint32 state = quint32(variant) * 2654435761u + 7;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = state | 0xff000000u;
        }
    }
    return image;
}

// Pastes the photo on the ace of every suit row, as the import dialog does.
void placePhoto(Surface &sheet, const QImage &picture)
{
    for (int row = 0; row < 4; ++row)
        for (int y = 0; y < picture.height(); ++y)
            std::memcpy(sheet.image().scanLine(60 + 400 * row + y) + 60 * 4, picture.constScanLine(y),
                        size_t(picture.width()) * 4);
}

double undoRedoMs(DeckHistory &history)
{
    // Undo and redo in turn, so every run undoes the same step.
    return bench::medianMs(9, [&] {
        history.undo();
        history.redo();
    }) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int runs = 9;

    Surface whole;
    whole.setPicture(composedSheet(0));
    PrintRecord wholeRecord;
    DeckHistory wholeHistory(whole, wholeRecord);
    for (int n = 1; n <= 50; ++n) {
        const QImage before = whole.image();
        whole.setPicture(composedSheet(n));
        wholeHistory.record(QStringLiteral("Symbolen plaatsen"), before, wholeRecord);
    }
    const QImage source = whole.image();
    std::vector<uchar> target(size_t(source.sizeInBytes()));
    const double sheetCopy =
        bench::medianMs(runs, [&] { std::memcpy(target.data(), source.constBits(), target.size()); });
    bench::report("Undo of a whole-sheet step (unpack)", undoRedoMs(wholeHistory), "memcpy of the sheet", sheetCopy);

    Surface photos;
    photos.setPicture(composedSheet(0));
    PrintRecord photoRecord;
    DeckHistory photoHistory(photos, photoRecord);
    for (int n = 1; n <= 50; ++n) {
        const QImage before = photos.image();
        placePhoto(photos, photo(n));
        photoHistory.record(QStringLiteral("Foto plaatsen"), before, photoRecord);
    }
    const qint64 patchBytes = 4 * 165 * 280 * 4;
    std::vector<uchar> patchFrom(static_cast<size_t>(patchBytes)), patchTo(static_cast<size_t>(patchBytes));
    const double patchCopy =
        bench::medianMs(runs, [&] { std::memcpy(patchTo.data(), patchFrom.data(), patchTo.size()); });
    bench::report("Undo of a photo on four aces", undoRedoMs(photoHistory), "memcpy of its pixels", patchCopy);

    std::printf("History after 50 whole-sheet steps: %6.1f MB in %d steps (unpacked: %6.1f MB per step)\n",
                double(wholeHistory.bytes()) / 1e6, wholeHistory.undoableSteps(),
                2.0 * double(source.sizeInBytes()) / 1e6);
    std::printf("History after 50 photo placements:  %6.1f MB in %d steps (pixels:   %6.1f MB per step)\n",
                double(photoHistory.bytes()) / 1e6, photoHistory.undoableSteps(), 2.0 * double(patchBytes) / 1e6);

    QTemporaryDir folder;
    RecoveryStore store(folder.path());
    (void)store.claim();
    QImage held;
    const double write = bench::medianMs(runs, [&] {
        store.write(whole.image());
        // The worker's share: wait outside the measured call, so each run starts alone.
    });
    store.waitForWrites();
    const double detach = bench::medianMs(runs, [&] { held = whole.image().copy(); });
    const double share = bench::medianMs(runs, [&] { held = whole.image(); });
    bench::report("Recovery write, user-interface thread", write, "QImage deep copy", detach);
    bench::report("Recovery write, user-interface thread", write, "QImage shared copy", share);
    QElapsedTimer background;
    background.start();
    store.write(composedSheet(99));
    store.waitForWrites();
    std::printf("Recovery write on the worker thread (BMP, QSaveFile): %9.2f ms\n",
                double(background.nsecsElapsed()) / 1e6);
    return 0;
}
