// The print shop's exports on every core: the 57 card images (56 faces and the back, 300 dpi PNG with bleed)
// of the blank deck's master and of the detailed sheet of bench_print, beside the floor: encoding the same 57
// pictures, drawn beforehand, with the same encoder on as many threads (nothing drawn, nothing written). Then
// the print-shop PDF of a deck with four photos, in RGB and in CMYK for the press, against its goal, and the
// sizes of what was made.
//   bench_export <application folder>    (the build's bin folder, with its Data)
#include "bench/benchutil.h"
#include "deck/deckdocument.h"
#include "placement/photoframing.h"
#include "print/cardimages.h"
#include "print/cardsides.h"
#include "print/shoppdf.h"
#include "surface/platform.h"
#include "tests/support/testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <sys/resource.h>

using namespace vellora;

namespace {

double mb(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

// The detailed deck of bench_print: colours that change from pixel to pixel, as photographs do.
QImage busySheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 255, (y * 3 ^ x) & 255, (x * y) & 255);
    }
    return sheet;
}

// A back of the size the shipped ones have: A4 at 150 dpi.
QImage backPicture()
{
    QImage back(1240, 1754, QImage::Format_RGB32);
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            back.setPixel(x, y, qRgb((x / 3) & 255, (y / 5) & 255, ((x + y) / 7) & 255));
    return back;
}

// A photo with detail in every pixel, as bench_master places them.
QImage photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] =
                qRgb((x * 3 + y + seed * 40) & 255, ((x ^ y) + seed) & 255, ((x / 3) * (y / 5) + seed) & 255);
    }
    return image;
}

constexpr auto kSize = print::CardSize::Size63x88;

// The processor time of every thread of the process so far: on a machine shared with others the wall time
// says how long the user waits, this how much work it was.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The median wall time of three runs, and their mean processor time.
struct Timed
{
    double ms = 0, cpu = 0;
};
Timed timed(const std::function<void()> &work)
{
    const double before = cpuMs();
    const double ms = bench::medianMs(3, work);
    return {ms, (cpuMs() - before) / 3};
}

// Qt's own PNG writer at zlib's level 1, which card images were written with before: the encoder's gain.
QByteArray qtPngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(20);
    writer.write(image);
    return bytes;
}

// The floor: the 57 pictures the export writes, already drawn, only encoded, on as many threads as the
// export uses, each thread taking the next picture.
Timed encodingFloor(const ScaledPicture &sheet, const print::BackChoice &back, qint64 &bytes,
                    QByteArray (*encode)(const QImage &) = print::cardPngBytes)
{
    const QSize card = print::cardDots(kSize), whole = print::bledDots(kSize, print::kDefaultBleedMm);
    std::vector<QImage> pictures;
    for (int i = 0; i < sheet::kCardCount; ++i)
        pictures.push_back(
            print::shopFace(print::sheetPiece(sheet, sheet::cardCell(i)), print::kDefaultCut, kSize, card, whole));
    pictures.push_back(print::shopBack(back, kSize, print::kDefaultBleedMm, card, whole));
    std::atomic<qint64> total{0};
    const Timed t = timed([&] {
        total = 0;
        std::atomic<int> next{0};
        QThreadPool pool;
        pool.setMaxThreadCount(QThread::idealThreadCount());
        for (int t = 0; t < pool.maxThreadCount(); ++t)
            pool.start([&] {
                for (int i = next++; i < int(pictures.size()); i = next++)
                    total += encode(pictures[std::size_t(i)]).size();
            });
        pool.waitForDone();
    });
    bytes = total;
    return t;
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        bytes += file.size();
    return bytes;
}

void cardImages(const char *what, const ScaledPicture &sheet, const print::BackChoice &back, const QString &folder)
{
    const qint64 peakBefore = test::processStatusBytes("VmHWM");
    const Timed made = timed([&] {
        const Outcome written = print::writeCardImages(sheet, back, folder, kSize, print::kDefaultBleedMm);
        if (!written)
            std::printf("WARNING: %s\n", qPrintable(written.text()));
    });
    const qint64 peakAfter = test::processStatusBytes("VmHWM");
    qint64 floorBytes = 0;
    const Timed floor = encodingFloor(sheet, back, floorBytes);
    bench::report(what, made.ms, "encoding the 57 pictures", floor.ms);
    std::printf("%-44s %9.1f MB written (floor %.1f MB); goal 2000 ms, ratio %.2f; peak rose %.0f MB\n", "",
                mb(folderBytes(folder)), mb(floorBytes), made.ms / 2000.0, mb(peakAfter - peakBefore));
    std::printf("%-44s processor %7.0f ms, floor's %7.0f ms, ratio %.2f\n", "", made.cpu, floor.cpu,
                made.cpu / floor.cpu);
    qint64 qtBytes = 0;
    const Timed qt = encodingFloor(sheet, back, qtBytes, qtPngBytes);
    std::printf("%-44s Qt's PNG writer at level 1: %.0f ms, %.1f MB; this encoder %.2f of its time\n", "",
                qt.ms, mb(qtBytes), floor.ms / qt.ms);
}

void shopPdf(const char *what, const ScaledPicture &master, const print::BackChoice &back, bool cmyk, double goalMs)
{
    print::ShopRequest request;
    request.press.cmyk = cmyk;
    qint64 bytes = 0;
    const Timed made = timed([&] {
        const Result<QByteArray> pdf = print::shopPdf(master, back, request);
        if (!pdf)
            std::printf("WARNING: %s\n", qPrintable(pdf.outcome().reason()));
        bytes = pdf ? pdf->size() : -1;
    });
    std::printf("%-44s %9.2f ms   goal %9.2f ms   ratio %5.2f   %.1f MB, processor %.0f ms\n", what, made.ms,
                goalMs, made.ms / goalMs, mb(bytes), made.cpu);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_export <application folder>\n");
        return 2;
    }
    std::printf("%d threads\n", QThread::idealThreadCount());
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-export-XXXXXX"));
    const print::BackChoice back{backPicture()};
    cardImages("57 card images, detailed sheet", ScaledPicture{busySheet()}, back,
               dir.filePath(QStringLiteral("detailed")));

    const AppFolder data(QString::fromLocal8Bit(argv[1]));
    NoPacer pacer;
    DeckDocument deck(data, pacer);
    deck.loadBlank();
    cardImages("57 card images, blank deck's master", {deck.printRecord().render(), master::kScale}, back,
               dir.filePath(QStringLiteral("blank")));

    deck.composeDeck();
    const KaartSoort kinds[] = {KaartSoort::Aas, KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning};
    for (int i = 0; i < 4; ++i) {
        PhotoFraming framing;
        framing.setPhoto(photo(i));
        framing.setZoom(25);
        framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(1500, 1500));
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), framing.framed(kinds[i], 0, false));
    }
    const ScaledPicture master{deck.printRecord().render(), master::kScale};
    shopPdf("Print-shop PDF, four photos, RGB", master, back, false, 3000);
    shopPdf("Print-shop PDF, four photos, CMYK", master, back, true, 8000);
    return 0;
}
