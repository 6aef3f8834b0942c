// Printing a face page and a back: the time from Ok to the page handed to the printing system, beside drawing
// the same picture into a QImage of the page's size at the printer's resolution. Then the whole deck (6 faces,
// 6 backs) as one PDF file beside writing the same page pictures as PNG files, and the command line's export
// as a whole process beside the same export made inside this one. For the deck PDF and a page handed to the
// printing system from their windows, the longest the window's event loop was held (a timer that should fire
// every 10 ms) beside the work's own duration: the work runs on a worker, so the window answers throughout.
//   bench_print          the stand-in printing system is Qt's PDF output to a temporary file
//   bench_print --cups   the system's default printer, through the product's own checks (needs a queue)
#include "print/afdrukform.h"
#include "print/backgallery.h"
#include "print/cardimages.h"
#include "print/deckexport.h"
#include "print/heledeckform.h"
#include "print/workstrip.h"
#include "surface/appfolder.h"
#include "bench/benchutil.h"
#include "surface/widgets/imagebutton.h"
#include "print/pagetables.h"
#include "surface/platform.h"
#include "print/printjobs.h"
#include "print/printqueues.h"
#include "print/rugzijde.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstring>

using namespace vellora;

namespace {

class SilentPrompter final : public Prompter
{
public:
    int failures = 0;
    void message(const QString &, const QString &, Icon) override { ++failures; }
    bool question(const QString &, const QString &, Icon) override { return false; }
    Answer ask(const QString &, const QString &, Icon) override { return Answer::Cancel; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
};

// The stand-in printing system: a ready default queue whose jobs become a PDF file, made as the print server
// is sent it.
class PdfFileQueues final : public PrintQueues
{
public:
    explicit PdfFileQueues(QString path) : m_path(std::move(path)) {}
    QString defaultPrinter() const override { return QStringLiteral("PDF"); }
    std::optional<State> state(const QString &) const override { return State{}; }
    Outcome submit(const PrintJob &job, const print::PageProgress &progress, std::stop_token) const override
    {
        const Result<QByteArray> pdf = print::pdfDocument(job.pages, progress);
        return pdf ? print::savePdf(*pdf, m_path) : pdf.outcome();
    }

private:
    QString m_path;
};

class FileDialogs final : public DeckDialogs
{
public:
    explicit FileDialogs(QString path) : m_path(std::move(path)) {}
    std::optional<QString> pdfPath(QWidget *, const QString &) override { return m_path; }
    std::optional<PrintChoice> printer(QWidget *, const QString &) override { return std::nullopt; }

private:
    QString m_path;
};

// One press in a print window, with the event loop running until the window's work has ended.
struct Answering
{
    double workMs = 0;     // from the press to the result dealt with
    double longestGap = 0; // the longest time between two ticks of a timer of 10 ms
};

Answering whileWorking(QWidget *window, const std::function<void()> &press)
{
    auto *strip = window->findChild<WorkStrip *>(QStringLiteral("WerkStrook"));
    QEventLoop loop;
    QObject::connect(strip, &WorkStrip::finished, &loop, &QEventLoop::quit);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QElapsedTimer work, sinceTick;
    qint64 longest = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    ticker.start(10);
    work.start();
    sinceTick.start();
    press();
    loop.exec();
    longest = std::max(longest, sinceTick.elapsed());
    return {double(work.nsecsElapsed()) / 1e6, double(longest)};
}

// Several presses: the median of the work and the longest hold of them all.
Answering medianWhileWorking(int runs, QWidget *window, const std::function<void()> &press)
{
    std::vector<double> work;
    double longest = 0;
    for (int i = 0; i < runs; ++i) {
        const Answering one = whileWorking(window, press);
        work.push_back(one.workMs);
        longest = std::max(longest, one.longestGap);
    }
    std::sort(work.begin(), work.end());
    return {work[work.size() / 2], longest};
}

// The same timer with nothing to do for `ms`: what the machine itself holds the loop, when it is shared.
double idleGap(int ms)
{
    QEventLoop loop;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    ticker.start(10);
    sinceTick.start();
    loop.exec();
    return double(longest);
}

void reportAnswering(const char *what, const Answering &a)
{
    std::printf("%-44s longest hold %6.1f ms (goal 50, ratio %4.2f) beside the work's %8.1f ms\n", what,
                a.longestGap, a.longestGap / 50.0, a.workMs);
}

QImage busySheet()
{
    // Photographic pages compress badly; a sheet of noise-like colours keeps the PDF as large as a real one.
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 255, (y * 3 ^ x) & 255, (x * y) & 255);
    }
    return sheet;
}

// The floor: the same picture stretched into an A4 raster at the printer's resolution, as a printer driver
// would have to do at the least.
double drawIntoPage(const QImage &picture, QSize pageTwips, QRect placeTwips, int dpi, int runs)
{
    const double scale = dpi / 1440.0;
    QImage page(qRound(pageTwips.width() * scale), qRound(pageTwips.height() * scale), QImage::Format_RGB32);
    return bench::medianMs(runs, [&] {
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(placeTwips.x() * scale, placeTwips.y() * scale, placeTwips.width() * scale,
                                 placeTwips.height() * scale),
                          picture);
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool cups = argc > 1 && std::strcmp(argv[1], "--cups") == 0;
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-print-XXXXXX"));
    QDir(dir.path()).mkpath(QStringLiteral("Backgrounds"));
    // A back of the size the shipped ones have: A4 at 150 dpi.
    QImage back(1240, 1754, QImage::Format_RGB32);
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            back.setPixel(x, y, qRgb((x / 3) & 255, (y / 5) & 255, ((x + y) / 7) & 255));
    back.save(dir.filePath(QStringLiteral("Backgrounds/Background-0.jpg")), "JPEG", 90);

    const AppFolder folder(dir.path());
    const QImage sheet = busySheet();
    NoPacer pacer; // the 200 ms pressed look is a fixed wait, not work; it is left out
    SilentPrompter prompter;
    std::unique_ptr<PrintQueues> printer;
    if (cups)
        printer = std::make_unique<SystemPrintQueues>();
    else
        printer = std::make_unique<PdfFileQueues>(dir.filePath(QStringLiteral("page.pdf")));
    const int runs = cups ? 5 : 9;
    std::printf("printing system: %s\n", cups ? "default print queue" : "Qt PDF output to a file");

    AfdrukForm faces(sheet, pacer, prompter, folder, *printer);
    auto *ok = faces.findChild<ImageButton *>(QStringLiteral("OkKnop"));
    const Answering face = medianWhileWorking(runs, &faces, [&] { Q_EMIT ok->clicked(); });
    Rugzijde backs(pacer, prompter, folder, *printer);
    auto *print = backs.findChild<ImageButton *>(QStringLiteral("PrintKnop"));
    const Answering backPage = medianWhileWorking(runs, &backs, [&] { Q_EMIT print->clicked(); });
    if (prompter.failures)
        std::printf("WARNING: %d pages were refused; the figures are not of printed pages\n", prompter.failures);
    if (!cups)
        std::printf("last PDF: %lld bytes\n", QFileInfo(dir.filePath(QStringLiteral("page.pdf"))).size());

    Surface working;
    print::composeFacePage(ScaledPicture{sheet}, print::facePage(1), working);
    const QSize landscape(16838, 11906), portrait(11906, 16838);
    for (const int dpi : {300, 600}) {
        const double faceFloor = drawIntoPage(working.image(), landscape, QRect(150, 600, 16200, 10200), dpi, runs);
        const double backFloor = drawIntoPage(backs.backPic().image(), portrait, QRect(0, 0, 12000, 16900), dpi, runs);
        const QByteArray floorName = QByteArray("QImage A4 ") + QByteArray::number(dpi) + " dpi";
        bench::report("Face page \"Serie 1\": Ok to handed over", face.workMs, floorName.constData(), faceFloor);
        bench::report("Back: Print to handed over", backPage.workMs, floorName.constData(), backFloor);
    }

    // The whole deck, duplex with the back above, on the sheet of noise-like colours.
    const QString project = dir.filePath(QStringLiteral("busy.krt"));
    sheet.save(project, "BMP");
    const print::BackChoice chosen = BackGallery(folder).choice(0);
    const QString deckPath = dir.filePath(QStringLiteral("deck.pdf"));
    // The deck as it was first made: the six pages, each back one picture over the whole page.
    print::DeckOptions wholeBacks;
    wholeBacks.wholePageBack = true;
    const double deckMs = bench::medianMs(runs, [&] {
        (void)print::savePdf(*print::deckPdf(ScaledPicture{sheet}, chosen, wholeBacks), deckPath);
    });
    const double pngMs = bench::medianMs(runs, [&] {
        const auto pages = print::deckPages(ScaledPicture{sheet}, chosen, wholeBacks);
        int i = 0;
        for (const print::PrintPage &page : *pages)
            page.picture.image.save(dir.filePath(QStringLiteral("page-%1.png").arg(i++)), "PNG");
    });
    qint64 pngBytes = 0;
    for (int i = 0; i < 12; ++i)
        pngBytes += QFileInfo(dir.filePath(QStringLiteral("page-%1.png").arg(i))).size();
    bench::report("Whole deck (12 pages) to one PDF file", deckMs, "same pictures as 12 PNG files", pngMs);
    FileDialogs dialogs(dir.filePath(QStringLiteral("window deck.pdf")));
    QTemporaryFile settingsFile;
    settingsFile.open();
    QSettings settings(settingsFile.fileName(), QSettings::IniFormat);
    HeleDeckForm deckForm(sheet, {}, pacer, prompter, folder, *printer, dialogs, settings);
    auto *pdfButton = deckForm.findChild<QPushButton *>(QStringLiteral("PdfKnop"));
    const Answering deckWindow = medianWhileWorking(runs, &deckForm, [&] { pdfButton->click(); });
    std::printf("%-44s longest gap  %6.1f ms with nothing to do for 3 s\n", "Window: idle", idleGap(3000));
    reportAnswering("Window: \"Serie 1\" handed over", face);
    reportAnswering("Window: back handed over", backPage);
    reportAnswering("Window: whole deck saved as PDF", deckWindow);
    std::printf("deck PDF: %lld bytes; the 12 PNG files: %lld bytes\n", QFileInfo(deckPath).size(), pngBytes);

    // The layouts with a back behind every card, and the cards as pictures, beside that deck.
    const qint64 deckBytes = QFileInfo(deckPath).size();
    const struct
    {
        const char *name;
        print::DeckLayout layout;
        print::CardSize size;
        print::Paper paper;
    } layouts[] = {
        {"pages, backs behind the cards", print::DeckLayout::Pages, print::CardSize::Size63x88,
         print::Paper::A4},
        {"cards 63 x 88 on A4", print::DeckLayout::Cards, print::CardSize::Size63x88, print::Paper::A4},
        {"cards 57 x 90 on Letter", print::DeckLayout::Cards, print::CardSize::Size57x90,
         print::Paper::Letter}};
    const QString layoutPath = dir.filePath(QStringLiteral("layout.pdf"));
    for (const auto &l : layouts) {
        print::DeckOptions options;
        options.layout = l.layout;
        options.cardSize = l.size;
        options.paper = l.paper;
        const double ms = bench::medianMs(runs, [&] {
            (void)print::savePdf(*print::deckPdf(ScaledPicture{sheet}, chosen, options), layoutPath);
        });
        const QByteArray what = QByteArray("Deck PDF, ") + l.name;
        bench::report(what.constData(), ms, "deck of whole-page backs", deckMs);
        const qint64 bytes = QFileInfo(layoutPath).size();
        std::printf("%-44s %9lld bytes, %5.2f x the deck of whole-page backs (%lld bytes)\n", "", bytes,
                    double(bytes) / double(deckBytes), deckBytes);
    }
    const QString cardsFolder = dir.filePath(QStringLiteral("cards"));
    const double cardsMs = bench::medianMs(3, [&] {
        if (const Outcome written =
                print::writeCardImages(ScaledPicture{sheet}, chosen, cardsFolder, print::CardSize::Size63x88,
                                       print::kDefaultBleedMm);
            !written)
            std::printf("WARNING: %s\n", qPrintable(written.text()));
    });
    qint64 cardBytes = 0;
    for (const QFileInfo &file : QDir(cardsFolder).entryInfoList(QDir::Files))
        cardBytes += file.size();
    bench::report("56 cards and the back as 300 dpi PNG files", cardsMs, "deck of whole-page backs", deckMs);
    std::printf("%-44s %9lld bytes, %5.2f x the deck of whole-page backs\n", "", cardBytes,
                double(cardBytes) / deckBytes);

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/vellora");
    const double processMs = bench::medianMs(5, [&] {
        QProcess::execute(program, {"--export-pdf", deckPath, project, "--back", "1"});
    });
    bench::report("vellora --export-pdf, whole process", processMs, "the same export in process", deckMs);
    return 0;
}
