// The print master beside today's printing from the sheet, with a composed deck and four photos placed from
// 12-megapixel pictures: the deck PDF's time and size, Save and Open, drawing the master, the record's
// memory beside the undo history's, and the process's peak memory with and without the master.
//   bench_master <application folder>    (the build's bin folder, with its Data)
#include "bench/benchutil.h"
#include "deck/deckdocument.h"
#include "placement/courtfigures.h"
#include "placement/photoframing.h"
#include "print/deckexport.h"
#include "project/projectstore.h"
#include "surface/platform.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace vellora;

namespace {

double mb(qint64 bytes) { return double(bytes) / (1024.0 * 1024.0); }

// A photo with detail in every pixel, so that neither PNG nor the PDF's compression has it easy.
QImage photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x * 3 + y + seed * 40) & 255, ((x ^ y) + seed) & 255,
                           ((x / 3) * (y / 5) + seed) & 255);
    }
    return image;
}

struct Pdf
{
    double ms = 0;
    qint64 bytes = 0;
};

Pdf deckPdf(const std::function<ScaledPicture()> &picture)
{
    Pdf result;
    const print::BackChoice back;
    result.ms = bench::medianMs(3, [&] {
        const auto pdf = print::deckPdf(picture(), back, print::DeckOptions{});
        result.bytes = pdf ? pdf->size() : -1;
    });
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_master <application folder>\n");
        return 2;
    }
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-master-XXXXXX"));
    QDir(dir.path()).mkpath(QStringLiteral("Projecten"));
    const AppFolder data(QString::fromLocal8Bit(argv[1]));
    NoPacer pacer;
    DeckDocument deck(data, pacer);
    deck.loadBlank();
    deck.composeDeck();
    const KaartSoort kinds[] = {KaartSoort::Aas, KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning};
    for (int i = 0; i < 4; ++i) {
        PhotoFraming framing;
        framing.setPhoto(photo(i));
        framing.setZoom(25);
        framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(1500, 1500));
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), framing.framed(kinds[i], 0, false));
    }
    // "Hofkaarten plaatsen": twelve figures and their drawings read and checked, then pasted as one step,
    // beside decoding the same 24 files with nothing else.
    DeckDocument courtDeck(data, pacer);
    courtDeck.loadBlank();
    const double courtsMs = bench::medianMs(5, [&] {
        courtDeck.pasteOnCards(QStringLiteral("Hofkaarten plaatsen"), courts::everyCourtCard(data));
    });
    const double courtBytesMs = bench::medianMs(5, [&] {
        for (const KaartSoort soort : {KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning})
            for (int suit = 0; suit < courts::kSuits; ++suit) {
                const QString figure = data.resolve(courts::relativePath(soort, suit));
                for (const QString &file : {figure, figure.chopped(4) + QStringLiteral("@3x.png")})
                    (void)QImage(file);
            }
    });
    bench::report("placing all twelve court figures", courtsMs, "decoding their 24 files", courtBytesMs);
    std::printf("undo history %.1f MB (budget 256, ratio %.2f); record's pictures %.1f MB\n",
                mb(deck.history().bytes()), mb(deck.history().bytes()) / 256.0,
                mb(deck.printRecord().bytes()));

    const ProjectStore store{AppFolder(dir.path())};
    const QImage sheet = deck.sheet().image();
    const double saveSheet = bench::medianMs(3, [&] { (void)store.save(sheet, QStringLiteral("bank")); });
    const double saveBoth = bench::medianMs(3, [&] {
        (void)store.save(sheet, QStringLiteral("bank"));
        (void)store.saveCompanion(deck.printRecord(), QStringLiteral("bank"), sheet);
    });
    const double openSheet = bench::medianMs(3, [&] { (void)store.open(QStringLiteral("bank")); });
    const double openBoth = bench::medianMs(3, [&] {
        (void)store.open(QStringLiteral("bank"));
        store.openCompanion(QStringLiteral("bank"));
    });
    const qint64 companion = QFileInfo(dir.filePath(QStringLiteral("Projecten/bank.krm"))).size();

    const Pdf today = deckPdf([&] { return ScaledPicture{sheet, 1}; });
    const qint64 peakToday = test::processStatusBytes("VmHWM");
    const double render = bench::medianMs(3, [&] { deck.printRecord().render(); });
    const Pdf master = deckPdf([&] { return ScaledPicture{deck.printRecord().render(), master::kScale}; });
    const qint64 peakMaster = test::processStatusBytes("VmHWM");

    std::printf("%-34s %9s %9s\n", "", "sheet", "master");
    std::printf("%-34s %9.0f %9.0f   (goal 5000 ms, ratio %.2f)\n", "deck PDF, ms", today.ms, master.ms,
                master.ms / 5000.0);
    std::printf("%-34s %9.1f %9.1f\n", "deck PDF, MB", mb(today.bytes), mb(master.bytes));
    std::printf("%-34s %9.0f %9.0f   (companion %.1f MB)\n", "Save, ms", saveSheet, saveBoth, mb(companion));
    std::printf("%-34s %9.0f %9.0f\n", "Open, ms", openSheet, openBoth);
    std::printf("%-34s %9s %9.0f\n", "drawing the master, ms", "-", render);
    std::printf("%-34s %9.0f %9.0f   (master adds %.0f MB, goal 400, ratio %.2f)\n", "peak memory, MB",
                mb(peakToday), mb(peakMaster), mb(peakMaster - peakToday),
                mb(peakMaster - peakToday) / 400.0);
    return 0;
}
