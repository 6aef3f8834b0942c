#include "print/afdrukform.h"
#include "print/calibration.h"
#include "print/cardimages.h"
#include "print/deckexport.h"
#include "print/heledeckform.h"
#include "print/jobwatch.h"
#include "print/margins.h"
#include "print/masterpicture.h"
#include "print/pagetables.h"
#include "print/pdfdocument.h"
#include "print/printjobs.h"
#include "print/printqueues.h"
#include "print/rugzijde.h"
#include "print/workstrip.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/twips.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QSettings>
#include <QThreadPool>
#include <QtTest>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vellora;
using State = PrintQueues::State;

namespace {

// A 3990 x 1600 sheet in which every pixel differs from every other, so a copy shows where it came from.
QImage addressedSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x & 0xff, ((x >> 8) & 0x0f) | ((y & 0x0f) << 4), y >> 4));
    return sheet;
}

// Each card one solid colour; neighbours differ in hue by at least 100 degrees or in value by 60.
QColor cellColour(int cell)
{
    return QColor::fromHsv((cell % 14 * 137 + cell / 14 * 61) % 360, 220, 110 + 60 * (cell / 14 % 2));
}

// Top-left, top-right, bottom-left, bottom-right.
const QRgb kQuadrants[4] = {qRgb(200, 30, 30), qRgb(30, 160, 30), qRgb(30, 30, 200), qRgb(40, 40, 40)};

// Solid tiles, row by row, the i-th in colour(i). Each is painted to the bottom-right corner; the later ones
// cover the rest.
QImage tiles(QSize size, int columns, int rows, const std::function<QColor(int)> &colour)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width(), h = size.height();
    for (int i = 0; i < columns * rows; ++i)
        painter.fillRect(i % columns * w / columns, i / columns * h / rows, w, h, colour(i));
    return image;
}

QImage colouredSheet() { return tiles({3990, 1600}, 14, 4, cellColour); }
QImage quadrantBack(QSize size) { return tiles(size, 2, 2, [](int q) { return QColor(kQuadrants[q]); }); }

// The largest difference in any one channel.
int colourDistance(QColor a, QColor b)
{
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// One page of a PDF rendered by pdftoppm, beside the PDF: a test may have filled the temporary folder.
QImage renderPdf(const QString &pdf, int page = 1, int dpi = 72)
{
    QTemporaryDir dir(QFileInfo(pdf).absolutePath() + QStringLiteral("/render-XXXXXX"));
    const QString base = dir.filePath(QStringLiteral("page")), n = QString::number(page);
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", pdf, base});
    return QImage(base + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
}

// Differences from where face page `pageNumber` (0: a back) belongs on a page rendered at 72 dpi, one line
// each; empty when it is right (no page, or one turned the wrong way, puts the ink off). `origin` is (left
// margin, top margin) in twips.
QString checkPrintedPage(const QImage &page, int pageNumber, QPoint origin)
{
    // The picture's rectangle (a back's 2 x 2 quadrants, or twips of the sheet) and its size on paper.
    QRectF picture(0, 0, 2, 2);
    QSizeF paper(print::kBackPrintedSize);
    if (pageNumber) {
        const print::FacePage &p = print::facePage(pageNumber);
        picture = QRectF(p.sheetRect.topLeft(), QSizeF(p.workingWidth, print::kWorkingHeight));
        paper = QSizeF(p.printedSize);
    }
    // At 72 dpi, 1/20 of a pixel to the twip.
    QTransform onPage;
    onPage.scale(0.05, 0.05).translate(origin.x(), origin.y());
    onPage.scale(paper.width() / picture.width(), paper.height() / picture.height())
        .translate(-picture.x(), -picture.y());
    // Ink must start and stop within a pixel (rounding) and a half (anti-aliasing) of where the twips put it.
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (const QRgb c = page.pixel(x, y); std::min({qRed(c), qGreen(c), qBlue(c)}) < 235)
                ink |= QRect(x, y, 1, 1);
    const QRectF want = onPage.mapRect(picture).intersected(QRectF(page.rect()));
    const QPointF d1 = QRectF(ink).topLeft() - want.topLeft(),
                  d2 = QRectF(ink).bottomRight() - want.bottomRight();
    QString problems;
    if (std::max({std::abs(d1.x()), std::abs(d1.y()), std::abs(d2.x()), std::abs(d2.y())}) > 1.5)
        problems = QString::asprintf("ink off by (%g, %g) px at its top left, (%g, %g) at its bottom right\n",
                                     d1.x(), d1.y(), d2.x(), d2.y());
    // Every card (quadrant) whose centre is on the picture shows its colour, averaged over 7 x 7 pixels as
    // printing through JPEG moves single pixels.
    for (int i = 0; i < (pageNumber ? 56 : 4); ++i) {
        const QPointF point = pageNumber ? QPointF(i % 14 * 4275 + 2137.5, i / 14 * 6000 + 3000)
                                         : QPointF(i % 2 + 0.5, i / 2 + 0.5);
        const QColor colour = pageNumber ? cellColour(i) : QColor(kQuadrants[i]);
        const QPoint at = onPage.map(point).toPoint();
        const QColor seen = page.copy(QRect(at - QPoint(3, 3), QSize(7, 7)))
                                .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .pixelColor(0, 0);
        if (picture.contains(point) && colourDistance(seen, colour) > 40)
            problems += QString::asprintf("(%d, %d) px shows %s, expected %s\n", at.x(), at.y(),
                                          qPrintable(seen.name()), qPrintable(colour.name()));
    }
    return problems;
}

// Rows of the tables below. Page 0 is a back; sheetPixels: what of the sheet a face page carries.
struct Placed { int page; QString top, left; QRect twips, sheetPixels; };
// No folder if empty; counters on opening and after scrolling; shownAfter: the file shown then, -1 none.
struct Browse { QString folder; QStringList files, counters; int scrollTo, shownAfter; };
// marked: the page whose cut marks and scale bar (bar mm long, 0 for none) are looked at.
struct Deck { print::DeckOrder order; bool back; QString top, left; QList<int> pages; int marked, bar; };
// A deck laid out and turned; faces: how many face pages it has.
struct BackRow
{
    print::DeckLayout layout;
    print::CardSize size;
    print::Paper paper;
    print::Turn turn;
    QPointF shift;
    bool clear;
    int faces;
};
// via 0 the fake queues, 1 a hung print server, 2 a working printer, an unusable margin and no back.
struct Failure { int via; QString printer; std::optional<State> state; };

// A print server held on purpose: each job waits in submit() until the test lets it go, and is then kept or,
// when it was called off meanwhile, cancelled. It notes a question asked from the window's thread.
class HeldPrintQueues final : public PrintQueues
{
public:
    bool unreachable = false; // the answer to every job check
    mutable QSemaphore entered, letGo;
    mutable std::atomic<int> jobs = 0, cancelled = 0, checks = 0;
    mutable std::atomic<bool> askedOnWindowThread = false, heldOnGlobalPool = false;

    QString defaultPrinter() const override { return noted(QStringLiteral("Office")); }
    std::optional<State> state(const QString &) const override { return noted(State{}); }
    QString submit(const PrintJob &, const print::PageProgress &, std::stop_token stop) const override
    {
        noted(0);
        heldOnGlobalPool = heldOnGlobalPool || QThreadPool::globalInstance()->contains(QThread::currentThread());
        entered.release();
        letGo.acquire();
        if (stop.stop_requested())
            return (++cancelled, QString::fromUtf16(kCalledOff));
        return (++jobs, QString());
    }
    int lastJob() const override { return jobs; }
    bool waitsForUnreachablePrinter(const QString &, int) const override { return (++checks, noted(unreachable)); }

private:
    template <typename T> T noted(T value) const
    {
        askedOnWindowThread = askedOnWindowThread || QThread::currentThread() == qApp->thread();
        return value;
    }
};

struct AnsweringDialogs final : DeckDialogs
{
    QString path, suggested, folder, picture;
    std::optional<QString> pdfPath(QWidget *, const QString &s) override { return (suggested = s, path); }
    std::optional<print::Paper> paper; // the printer's
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override { return {{p, {}, {}, paper}}; }
    std::optional<QString> cardFolder(QWidget *, const QString &) override { return folder; }
    std::optional<QString> backPicture(QWidget *) override { return picture; }
};

template <typename T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
}

void press(QWidget *form, const char *name)
{
    Q_EMIT child<ImageButton>(form, name)->clicked();
}

// Lets the window's work in the background end, as the event loop would; false when it does not.
bool workEnds(QWidget *window)
{
    const WorkStrip *strip = child<WorkStrip>(window, "WerkStrook");
    return QTest::qWaitFor([strip] { return !strip->busy(); }, 60000);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The one page of the only job the queues were given.
const print::PrintPage &onlyPage(const test::RecordingPrintQueues &queues)
{
    if (queues.jobs.size() != 1 || queues.jobs[0].pages.size() != 1)
        qFatal("%zu jobs, not one of one page", queues.jobs.size());
    return queues.jobs[0].pages[0];
}

// Which of kQuadrants a picture shows at its centre (JPEG moves colours a little); -1 for no picture at all.
int colourShown(const QImage &image)
{
    const QColor c = image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    for (int i = 0; i < 4 && c.isValid(); ++i)
        if (colourDistance(c, QColor(kQuadrants[i])) < 12)
            return i;
    return c.isValid() ? -2 : -1;
}

// Twips of the paper to pixels at `dpi`.
QRect toPixels(const QRect &t, int dpi)
{
    const double s = dpi / 1440.0;
    return QRect(QPoint(qRound(t.left() * s), qRound(t.top() * s)),
                 QPoint(qRound((t.x() + t.width()) * s) - 1, qRound((t.y() + t.height()) * s) - 1));
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_scratch;
    int m_hungServer = -1; // a listening socket: connections are accepted by the system, never answered
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppFolder> m_folder;
    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    test::RecordingPrintQueues m_queues;
    const QImage m_addressed = addressedSheet(), m_coloured = colouredSheet();
    QString m_project;
    std::unique_ptr<QSettings> m_settings; // what the deck window keeps between openings

    // Back files in a subfolder of the application folder, the i-th all in kQuadrants[i].
    void writeBacks(const QString &folder = QStringLiteral("Backgrounds"),
                    const QStringList &names = {QStringLiteral("Background-0.jpg")})
    {
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        for (int i = 0; i < names.size(); ++i) {
            QImage back(60, 80, QImage::Format_RGB32);
            back.fill(kQuadrants[i]);
            QVERIFY(back.save(m_dir->filePath(folder + u'/' + names[i]), "JPEG", 95));
        }
    }
    static void press(QWidget *form, const char *name) { child<ImageButton>(form, name)->click(); }
    static QImage rgb(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool : {"pdftoppm", "pdfimages", "pdfinfo"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     "pdftoppm, pdfimages and pdfinfo are needed: Debian package poppler-utils");
        // Every other print server this process talks to is one that never answers.
        const QString socket = m_scratch.filePath(QStringLiteral("hung.sock"));
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, QFile::encodeName(socket).constData(), sizeof address.sun_path);
        m_hungServer = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(m_hungServer, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(m_hungServer, SOMAXCONN) == 0);
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(m_scratch.path()));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        m_settings = std::make_unique<QSettings>(m_scratch.filePath(QStringLiteral("settings.ini")),
                                                 QSettings::IniFormat);
        m_project = m_scratch.filePath(QStringLiteral("addressed.krt"));
        QVERIFY(PictureFile::saveBmp(m_addressed, m_project));
    }
    void cleanupTestCase() { ::close(m_hungServer); }

    void init()
    {
        m_dir = test::emptyAppFolder();
        m_folder = std::make_unique<AppFolder>(m_dir->path());
        m_pacer.pauses.clear();
        m_prompter.shown.clear();
        m_queues.jobs.clear();
    }

    // The leading number of a margin text, at 15 twips to a unit; -1 where that is no position on a page:
    // letters end the number, blanks lead it, a second point ends it, no exponent, no hexadecimal.
    void marginText()
    {
        const std::pair<QString, int> rows[] = {
            {"25abc", 375}, {"abc", 0},  {"  7", 105}, {"-2", -30},             {" - 4", 0},      {"2.5", 38},
            {"1.5.5", 23},  {"1e3", 15}, {"0x10", 0},  {"66666666", 999999990}, {"66666667", -1},
            {QString(400, u'9'), -1}};
        for (const auto &[text, twips] : rows) {
            const int got = print::marginTwips(text).value_or(-1);
            QVERIFY2(got == twips, qPrintable(QStringLiteral("\"%1\" gives %2").arg(text.left(20)).arg(got)));
        }
    }

    void placement_data()
    {
        QTest::addColumn<Placed>("row");
        const QRect wide(150, 600, 16200, 10200), narrow(150, 600, 12860, 10200);
        // Page 2 prints from 21430 twips, 1428.67 pixels: it starts at the nearest pixel.
        QTest::newRow("page 1") << Placed{1, "40", "10", wide, QRect(0, 0, 1430, 800)};
        QTest::newRow("page 2") << Placed{2, "40", "10", wide, QRect(1429, 0, 1426, 800)};
        QTest::newRow("page 3") << Placed{3, "40", "10", narrow, QRect(2854, 0, 1134, 800)};
        QTest::newRow("page 5") << Placed{5, "40", "10", wide, QRect(1429, 800, 1426, 800)};
        QTest::newRow("page 6, typed")
            << Placed{6, "150", "25abc", QRect(375, 2250, 12860, 10200), QRect(2854, 800, 1134, 800)};
        QTest::newRow("page 2, no numbers")
            << Placed{2, "x", "", QRect(0, 0, 16200, 10200), QRect(1429, 0, 1426, 800)};
        // A back goes whole to the printer and is stretched there, whatever its size.
        QTest::newRow("back") << Placed{0, "0.2", "1.1", QRect(17, 3, 12000, 16900), {}};
    }

    // Each window opens on the first page and previews the one chosen, or shows the top left of a back larger
    // than its preview, and prints it; then the page goes to a PDF, for where the ink lands on paper.
    void placement()
    {
        QFETCH(const Placed, row);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds")));
        const QString backFile = m_dir->filePath(QStringLiteral("Backgrounds/Background-0.jpg"));
        QVERIFY(m_addressed.copy(0, 0, 608, 848).save(backFile, "JPEG", 100));
        const QImage back = rgb(QImage(backFile));
        // Pages 3 and 6 preview a narrower part of the sheet.
        const int page = row.page, previewX = (page - 1) % 3 * 21390 - (page % 3 == 0) * 30;
        Surface preview;
        preview.resize(px(4080), px(2580));
        preview.paintPicture(m_addressed, QRectF(45, 180, page % 3 ? 3990 : 3165, 2220),
                             QRectF(previewX, page > 3 ? 12000 : 0, page % 3 ? 21450 : 17010, 12000));
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, m_queues);
        Rugzijde backs(m_pacer, m_prompter, *m_folder, m_queues);
        QDialog *form = page ? static_cast<QDialog *>(&faces) : &backs;
        QVERIFY(child<QRadioButton>(&faces, "Option1(0)")->isChecked());
        child<QRadioButton>(&faces, QStringLiteral("Option1(%1)").arg(std::max(page - 1, 0)))->click();
        child<QComboBox>(form, "Combo1")->setCurrentText(row.top);
        child<QComboBox>(form, "Combo2")->setCurrentText(row.left);
        const QImage shown = rgb(child<PictureBox>(form, "Pic")->grab().toImage());
        QCOMPARE(test::firstDifference(shown, page ? rgb(preview.image()) : back.copy(0, 0, 152, 212)), "");
        press(form, page ? "OkKnop" : "PrintKnop");
        QVERIFY(workEnds(form));
        QCOMPARE(m_queues.jobs.size(), size_t(1));
        QCOMPARE(m_queues.jobs[0].printer, QStringLiteral("Office"));
        QCOMPARE(child<QComboBox>(form, "Combo1")->count(), 100); // a typed value is no new list entry
        QCOMPARE(m_queues.jobs[0].pages.size(), size_t(1));
        const print::PrintPage &printed = onlyPage(m_queues);
        QCOMPARE(printed.orientation, page ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(printed.picture.twips, row.twips);
        const QImage sheetPart = page ? m_addressed.copy(row.sheetPixels) : back;
        QCOMPARE(test::firstDifference(rgb(printed.picture.image), sheetPart), "");

        // The page of a coloured sheet made into the document a print server is sent.
        test::RecordingPrintQueues sent;
        Surface working;
        if (page)
            QVERIFY(print::printFacePage(ScaledPicture{m_coloured}, print::facePage(page), row.top, row.left, working, sent)
                        .printed);
        else
            QVERIFY(print::printBack(quadrantBack({300, 420}), row.top, row.left, sent).printed);
        const QString pdf = m_scratch.filePath(QStringLiteral("page.pdf"));
        QVERIFY(print::savePdf(*print::pdfDocument(sent.jobs.at(0).pages, nullptr), pdf, nullptr));
        const QImage paper = renderPdf(pdf);
        QCOMPARE(paper.size(), page ? QSize(842, 595) : QSize(595, 842)); // A4 at 72 dpi
        QCOMPARE(checkPrintedPage(paper, page, row.twips.topLeft()), "");
    }

    void browsingBacks_data()
    {
        QTest::addColumn<Browse>("row");
        const QString dir = QStringLiteral("Backgrounds"), b0 = "Background-0.jpg", b2 = "Background-2.jpg";
        const QStringList three{b0, "Background-1.jpg", b2};
        QTest::newRow("three backs") << Browse{dir, three, {"Rugzijde 1 / 3", "Rugzijde 3 / 3"}, 2, 2};
        // Every ".jpg" counts, in any letter case and numbered or not: number 1 is counted and has no file.
        QTest::newRow("number without a file")
            << Browse{dir, {b0, b2, "holiday.JPG", "notes.txt"}, {"Rugzijde 1 / 3", "Rugzijde 2 / 3"}, 1, 0};
        QTest::newRow("no back 0, folder in capitals")
            << Browse{"BACKGROUNDS", three.mid(1), {"Rugzijde 1 / 2", "Rugzijde 2 / 2"}, 1, 0};
        QTest::newRow("no folder") << Browse{"", {}, {"Rugzijde 1 / 0", "Rugzijde 1 / 0"}, 0, -1};
    }

    // The window opens at the first back; Print prints the back shown, and with none there is nothing to
    // print, which the window says.
    void browsingBacks()
    {
        QFETCH(const Browse, row);
        if (!row.folder.isEmpty())
            writeBacks(row.folder, row.files);
        const bool none = row.shownAfter < 0;
        Rugzijde form(m_pacer, m_prompter, *m_folder, m_queues);
        auto *counter = child<QLabel>(&form, "Label3");
        QCOMPARE(counter->text(), row.counters[0]);
        QCOMPARE(colourShown(form.backPic().image()), row.files.indexOf("Background-0.jpg"));
        child<QScrollBar>(&form, "VScroll1")->setValue(row.scrollTo);
        QCOMPARE(counter->text(), row.counters[1]);
        QCOMPARE(colourShown(child<PictureBox>(&form, "Pic")->image()), row.shownAfter);
        press(&form, "PrintKnop");
        QVERIFY(workEnds(&form));
        QCOMPARE(m_queues.jobs.size(), size_t(none ? 0 : 1));
        QCOMPARE(m_prompter.shown.size(), none ? 1 : 0);
        QCOMPARE(colourShown(none ? QImage() : onlyPage(m_queues).picture.image), row.shownAfter);
    }

    void failureShowsOneMessage_data()
    {
        QTest::addColumn<Failure>("row");
        QTest::newRow("no default printer") << Failure{0, "", State{}};
        QTest::newRow("unknown to the server") << Failure{0, "Office", std::nullopt};
        QTest::newRow("stopped") << Failure{0, "Office", State{true, true}};
        QTest::newRow("not accepting jobs") << Failure{0, "Office", State{false, false}};
        QTest::newRow("device unreachable") << Failure{0, "Office", State{false, true, true}};
        QTest::newRow("ready, job refused") << Failure{0, "Refused", State{}};
        QTest::newRow("hung print server") << Failure{1, "", State{}};
        // A page printed for an unusable margin, or with no back to print, would come out blank.
        QTest::newRow("margin no position, no back") << Failure{2, "", State{}};
    }

    // Both page windows show the one failure message and stay open for another try, until Cancel. The deck
    // window asks the same queues, so a hung print server costs it a short wait and the message too.
    void failureShowsOneMessage()
    {
        QFETCH(const Failure, row);
        test::RecordingPrintQueues fake;
        fake.printer = row.printer;
        fake.queueState = row.state;
        const SystemPrintQueues system(1500);
        const PrintQueues &queues = row.via == 1   ? static_cast<const PrintQueues &>(system)
                                    : row.via == 0 ? static_cast<const PrintQueues &>(fake)
                                                   : m_queues;
        if (row.via < 2)
            writeBacks();
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        if (row.via == 2)
            child<QComboBox>(&faces, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        Rugzijde backs(m_pacer, m_prompter, *m_folder, queues);
        for (QDialog *window : {static_cast<QDialog *>(&faces), static_cast<QDialog *>(&backs)}) {
            window->show();
            press(window, window == &faces ? "OkKnop" : "PrintKnop");
            QVERIFY(workEnds(window));
            QVERIFY(window->isVisible());
            press(window, "CancelKnop");
            QVERIFY(!window->isVisible());
        }
        AnsweringDialogs dialogs;
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        if (row.via < 2)
            child<QPushButton>(&deck, "PrintKnop")->click();
        QVERIFY(workEnds(&deck));
        QCOMPARE(m_pacer.pauses.count(200), 4);
        QCOMPARE(m_prompter.shown.size(), row.via < 2 ? 3 : 2);
        for (const test::ScriptedPrompter::Shown &box : std::as_const(m_prompter.shown)) {
            // With no back at all the printer is not to blame.
            const bool noBack = row.via == 2 && &box == &m_prompter.shown.back();
            QCOMPARE(box.text, QString::fromUtf16(noBack ? print::kNoBackText : print::kFailureText));
            QCOMPARE(box.icon, noBack ? Prompter::Icon::Warning : Prompter::Icon::Critical);
        }
        QVERIFY(m_queues.jobs.empty());
        QVERIFY(fake.jobs.empty());
        // A job called off is never sent, not even to a server that would keep it waiting.
        std::stop_source stop;
        stop.request_stop();
        const PrintJob job{QStringLiteral("Office"), {print::backPrintPage(quadrantBack({4, 4}), {})}, {}};
        QCOMPARE(system.submit(job, {}, stop.get_token()), QString::fromUtf16(kCalledOff));
    }

    void deck_data()
    {
        QTest::addColumn<Deck>("row");
        const auto duplex = print::DeckOrder::Duplex, facesFirst = print::DeckOrder::FacesFirst;
        QTest::newRow("duplex; page 2, a cut card at each side")
            << Deck{duplex, true, "40", "27", {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}, 2, 50};
        QTest::newRow("faces first; page 6, four columns")
            << Deck{facesFirst, true, "40", "10", {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0}, 6, 50};
        QTest::newRow("no back; page 3, little room below, none left")
            << Deck{duplex, false, "99", "0", {1, 2, 3, 4, 5, 6}, 3, 0};
    }

    // Each deck page is what its single-page window prints, in the order chosen. On the PDF a cut mark lies
    // at each card edge (in line with the colour change), on each side of the picture with room for one, and
    // nowhere on or near the cards; below the picture the scale bar's longest dark run is 50 mm within 0.3.
    void deck()
    {
        QFETCH(const Deck, row);
        const print::BackChoice back{row.back ? quadrantBack({30, 40}) : QImage(), {}};
        print::DeckOptions options;
        options.order = row.order;
        options.topMargin = row.top;
        options.leftMargin = row.left;
        options.wholePageBack = true;
        const int dpi = 150, at = row.pages.indexOf(row.marked);
        QImage with, without;
        for (QImage *image : {&without, &with}) {
            options.cutMarks = image == &with;
            const QString pdf = m_scratch.filePath(QStringLiteral("deck.pdf"));
            QVERIFY(print::savePdf(*print::deckPdf(ScaledPicture{m_coloured}, back, options, nullptr), pdf, nullptr));
            *image = renderPdf(pdf, at + 1, dpi);
            QVERIFY(!image->isNull());
        }
        const auto deck = print::deckPages(ScaledPicture{m_coloured}, back, options, nullptr);
        QVERIFY(deck);
        QCOMPARE(deck->size(), size_t(row.pages.size()));
        for (int i = 0; i < row.pages.size(); ++i) {
            test::RecordingPrintQueues single;
            Surface working;
            const print::FacePage &face = print::facePage(row.pages[i]);
            QVERIFY((row.pages[i] ? print::printFacePage(ScaledPicture{m_coloured}, face, row.top, row.left, working, single)
                                  : print::printBack(back.image, "0", "0", single))
                        .printed);
            QCOMPARE(deck->at(i).faceNumber, row.pages[i]);
            QCOMPARE(deck->at(i).orientation, onlyPage(single).orientation);
            QCOMPARE(deck->at(i).picture.twips, onlyPage(single).picture.twips);
            QCOMPARE(deck->at(i).picture.image, onlyPage(single).picture.image);
        }

        const print::PrintPage &laidOut = deck->at(at);
        const QRect printed = laidOut.picture.twips, cards = toPixels(printed, dpi);
        const int keepOff = qRound(1.5 / 25.4 * dpi) - 1;
        const QRect nearCards = cards.adjusted(-keepOff, -keepOff, keepOff, keepOff);
        QCOMPARE(test::firstDifference(with.copy(nearCards), without.copy(nearCards)), "");
        const print::CardEdges edges = print::cardEdges(print::facePage(row.marked), printed);
        QCOMPARE(QPair(edges.x.size(), edges.y.size()), QPair(size_t(row.marked % 3 ? 6 : 5), size_t(3)));
        // 1.5 mm of distance and 1 mm of line outside the 4 mm band: 369 twips.
        const QSize paper = laidOut.paperTwips();
        const size_t above = printed.top() >= 369, onLeft = printed.left() >= 369,
                     below = paper.height() - printed.bottom() > 369,
                     onRight = paper.width() - printed.right() > 369;
        QCOMPARE(laidOut.cutMarks.size(),
                 edges.x.size() * (above + below) + edges.y.size() * (onLeft + onRight));
        for (const QLine &line : laidOut.cutMarks) {
            QVERIFY(line.dx() ? std::ranges::count(edges.y, line.y1())
                              : std::ranges::count(edges.x, line.x1()));
            const QPoint centre = toPixels(QRect(line.p1(), line.p2()).normalized(), dpi).center();
            const QRect near(centre - QPoint(1, 1), QSize(3, 3));
            QVERIFY(!test::changedArea(with.copy(near), without.copy(near)).isEmpty());
        }
        const auto changes = [&](QPoint a, QPoint b) {
            return colourDistance(with.pixelColor(a), with.pixelColor(b)) > 20;
        };
        const int top = cards.top() + 4, right = cards.right() - 4;
        for (const int x : edges.x)
            if (const int px = qRound(x * dpi / 1440.0); px >= 3) // not the paper's own edge
                QVERIFY2(changes({px - 3, top}, {px + 3, top}), qPrintable(QString::number(x)));
        for (const int y : edges.y)
            QVERIFY2(changes({right, qRound(y * dpi / 1440.0) - 3}, {right, qRound(y * dpi / 1440.0) + 3}),
                     qPrintable(QString::number(y)));
        // Only under the picture: the cut marks beside it are dark runs too.
        int longest = 0;
        for (int y = cards.bottom() + 2; y < with.height(); ++y)
            for (int x = cards.left(), run = 0; x <= cards.right(); ++x)
                longest = std::max(longest, run = qGray(with.pixel(x, y)) < 128 ? run + 1 : 0);
        const double mm = longest * 25.4 / dpi;
        QVERIFY2(std::abs(mm - row.bar) <= (row.bar ? 0.3 : 3.0), qPrintable(QString::number(mm)));
    }

    // From the print master (three times the sheet's pixels) every page keeps its place and size on paper,
    // and every face image of the deck PDF has at least 300 dpi at its printed size, stored losslessly.
    void fromTheMaster()
    {
        const QImage master = m_coloured.scaled(m_coloured.size() * 3);
        print::DeckOptions options;
        const auto fromSheet = print::deckPages(ScaledPicture{m_coloured}, {}, options, nullptr);
        const auto fromMaster = print::deckPages(ScaledPicture{master, 3}, {}, options, nullptr);
        QVERIFY(fromSheet && fromMaster);
        QCOMPARE(fromMaster->size(), fromSheet->size());
        for (size_t i = 0; i < fromSheet->size(); ++i) {
            QCOMPARE(fromMaster->at(i).picture.twips, fromSheet->at(i).picture.twips);
            QCOMPARE(fromMaster->at(i).picture.image.size(), fromSheet->at(i).picture.image.size() * 3);
            QCOMPARE(fromMaster->at(i).cutMarks, fromSheet->at(i).cutMarks);
            const QImage down = fromMaster->at(i).picture.image.scaled(fromSheet->at(i).picture.image.size());
            QCOMPARE(test::firstDifference(down, fromSheet->at(i).picture.image), QString());
        }
        test::RecordingPrintQueues single;
        Surface working;
        QVERIFY(print::printFacePage(ScaledPicture{master, 3}, print::facePage(2), options.topMargin, options.leftMargin, working,
                                     single)
                    .printed);
        QCOMPARE(onlyPage(single).picture.twips, fromSheet->at(1).picture.twips);

        const QString pdf = m_scratch.filePath(QStringLiteral("master.pdf"));
        QVERIFY(print::savePdf(*print::deckPdf(ScaledPicture{master, 3}, {}, options, nullptr), pdf, nullptr));
        QProcess list;
        list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(list.waitForFinished(60000));
        const QStringList lines =
            QString::fromLatin1(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2 + print::kPageCount);
        for (const QString &line : lines.mid(2)) {
            const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
            // enc "image" is stored as it is (Flate), not as JPEG; then the pixels per inch across and down.
            QVERIFY2(f.at(8) == u"image" && f.at(12).toInt() >= 300 && f.at(13).toInt() >= 300,
                     qPrintable(line));
        }
    }

    // Every card's back lies behind its face once the sheet is turned as chosen (left-right or top-bottom
    // mirrored on the paper), moved by the shift; every back shows the same crop of the back, upright, and
    // nothing but paper white lies within 4 mm of the edges unless a shift puts it there (clear: it does
    // not).
    void cardBacks_data()
    {
        QTest::addColumn<BackRow>("row");
        using L = print::DeckLayout;
        using S = print::CardSize;
        using P = print::Paper;
        using T = print::Turn;
        QTest::newRow("pages, A4, short edge")
            << BackRow{L::Pages, S::Size63x88, P::A4, T::ShortEdge, {}, true, 6};
        QTest::newRow("pages, A4, long edge, shifted")
            << BackRow{L::Pages, S::Size63x88, P::A4, T::LongEdge, {3, -2}, false, 6};
        QTest::newRow("63x88, A4, short edge")
            << BackRow{L::Cards, S::Size63x88, P::A4, T::ShortEdge, {}, true, 7};
        QTest::newRow("63x88, Letter, long edge, shifted to the corner")
            << BackRow{L::Cards, S::Size63x88, P::Letter, T::LongEdge, {-5, 5}, false, 7};
        QTest::newRow("57x90, Letter lying down, short edge")
            << BackRow{L::Cards, S::Size57x90, P::Letter, T::ShortEdge, {0.3, 0}, true, 7};
        QTest::newRow("57x90, A4, long edge")
            << BackRow{L::Cards, S::Size57x90, P::A4, T::LongEdge, {}, true, 7};
    }
    void cardBacks()
    {
        QFETCH(const BackRow, row);
        print::DeckOptions options;
        options.layout = row.layout;
        options.cardSize = row.size;
        options.paper = row.paper;
        options.turn = row.turn;
        options.backShiftMm = row.shift;
        const print::BackChoice back{quadrantBack({120, 160}), {}};
        const auto pages = print::deckPages(ScaledPicture{m_coloured}, back, options, nullptr);
        QVERIFY(pages);
        QCOMPARE(int(pages->size()), 2 * row.faces);
        const QPoint shift(qRound(row.shift.x() * 1440 / 25.4), qRound(row.shift.y() * 1440 / 25.4));
        int cards = 0;
        bool backsClear = true;
        for (int f = 0; f < row.faces; ++f) {
            const print::PrintPage &face = pages->at(2 * f), &backPage = pages->at(2 * f + 1);
            const QSize paper = face.paperTwips();
            QCOMPARE(backPage.paperTwips(), paper);
            QCOMPARE(backPage.cardCuts.size(), face.cardCuts.size());
            QVERIFY(row.layout == print::DeckLayout::Pages || face.cards.size() == face.cardCuts.size());
            // Lying down the short edge is the side; standing up it is the top.
            const bool acrossWidth = (row.turn == print::Turn::ShortEdge) == (paper.width() > paper.height());
            for (size_t i = 0; i < face.cardCuts.size(); ++i, ++cards) {
                const QRect f = face.cardCuts[i];
                QVERIFY(QRect(QPoint(), paper).contains(f));
                const QPoint mirrored = acrossWidth ? QPoint(paper.width() - f.x() - f.width(), f.y())
                                                    : QPoint(f.x(), paper.height() - f.y() - f.height());
                QCOMPARE(backPage.cardCuts[i], QRect(mirrored + shift, f.size()));
            }
            QCOMPARE(print::clearOfEdgeBand(face), true);
            backsClear = backsClear && print::clearOfEdgeBand(backPage);
        }
        QCOMPARE(cards, 56);
        QCOMPARE(backsClear, row.clear);

        // The first back page rendered: each card's back, bar its outermost pixel, scaled to 12 x 16, is the
        // same, with the back's quadrants where they belong; the edge band of face and back stays white.
        const QString pdf = m_scratch.filePath(QStringLiteral("backs.pdf"));
        QVERIFY(print::savePdf(*print::deckPdf(ScaledPicture{m_coloured}, back, options, nullptr), pdf, nullptr));
        const int dpi = 50;
        const QImage rendered = renderPdf(pdf, 2, dpi), faceRendered = renderPdf(pdf, 1, dpi);
        QImage first;
        for (const QRect &cut : pages->at(1).cardCuts) {
            const QImage crop = rendered.copy(toPixels(cut, dpi).adjusted(1, 1, -1, -1))
                                    .scaled(12, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            for (int q = 0; q < 4; ++q)
                QVERIFY(colourDistance(crop.pixelColor(3 + q % 2 * 6, 4 + q / 2 * 8), QColor(kQuadrants[q])) <
                        40);
            if (first.isNull())
                first = crop;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 12; ++x)
                    QVERIFY(colourDistance(crop.pixelColor(x, y), first.pixelColor(x, y)) < 24);
        }
        const int band = qFloor(4 / 25.4 * dpi);
        for (const QImage *page : {&faceRendered, &rendered}) {
            const QRect inside = page->rect().adjusted(band, band, -band, -band);
            bool white = true;
            for (int y = 0; y < page->height(); ++y)
                for (int x = 0; x < page->width(); ++x)
                    white = white && (inside.contains(x, y) || qGray(page->pixel(x, y)) > 250);
            QCOMPARE(white, page == &faceRendered || row.clear);
        }
    }

    // The window's first margins keep the pages layout out of the edge band; typed ones may not.
    void edgeBand_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QPointF>("shift");
        QTest::addColumn<bool>("warned");
        QTest::newRow("first choices") << "40"
                                       << "27" << QPointF() << false;
        QTest::newRow("left 10") << "40"
                                 << "10" << QPointF() << true;
        QTest::newRow("top 99") << "99"
                                << "27" << QPointF() << true;
        QTest::newRow("back shifted 5 mm right") << "40"
                                                 << "27" << QPointF(5, 0) << true;
    }
    void edgeBand()
    {
        QFETCH(const QString, top);
        QFETCH(const QString, left);
        QFETCH(const QPointF, shift);
        QFETCH(const bool, warned);
        print::DeckOptions options;
        options.topMargin = top;
        options.leftMargin = left;
        options.backShiftMm = shift;
        QCOMPARE(print::edgeBandWarning(options).isEmpty(), !warned);
        // Centred with room to spare, the cards take no margins and 5 mm of shift.
        options.layout = print::DeckLayout::Cards;
        QCOMPARE(print::edgeBandWarning(options), QString());
    }

    // A finer print master of the same sheet gives the same cards: everything is taken by its twips.
    void finerSheet()
    {
        const QImage fine = m_coloured.scaled(m_coloured.size() * 3);
        for (const int cell : {0, 13, 30, 55}) {
            const QRect twips = sheet::cardCell(cell);
            QCOMPARE(print::sheetPiece({fine, 3}, twips).size(), QSize(855, 1200));
            QCOMPARE(print::sheetPiece({m_coloured, 1}, twips).scaled(855, 1200), print::sheetPiece({fine, 3}, twips));
        }
    }

    // The cards as images: 56 and the back, each at 300 dpi with the bleed carried out from its own edge;
    // written again over themselves.
    void cardImages_data()
    {
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<double>("bleedMm");
        QTest::addColumn<QSize>("dots");
        QTest::addColumn<int>("bleed");
        QTest::newRow("63 x 88, 3 mm") << print::CardSize::Size63x88 << 3.0 << QSize(744, 1039) << 35;
        QTest::newRow("57 x 90, no bleed") << print::CardSize::Size57x90 << 0.0 << QSize(673, 1063) << 0;
    }
    void cardImages()
    {
        QFETCH(const print::CardSize, size);
        QFETCH(const double, bleedMm);
        QFETCH(const QSize, dots);
        QFETCH(const int, bleed);
        const QString folder = m_scratch.filePath(QStringLiteral("cards/new"));
        QDir(folder).removeRecursively();
        for (int pass = 0; pass < 2; ++pass)
            QCOMPARE(print::writeCardImages({m_coloured, 1}, quadrantBack({60, 80}), folder, size, bleedMm),
                     QString());
        const QStringList names = print::cardImageNames();
        QCOMPARE(names.mid(12, 3), QStringList({"harten-k.png", "harten-joker.png", "klavers-a.png"}));
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), sorted);
        for (const int i : {0, 13, 30, 55, 56}) {
            const QImage image = rgb(QImage(QDir(folder).filePath(names[i])));
            QCOMPARE(image.size(), dots + QSize(2 * bleed, 2 * bleed));
            QCOMPARE(image.dotsPerMeterX(), 11811);
            QCOMPARE(image.dotsPerMeterY(), 11811);
            const QRect card(QPoint(bleed, bleed), dots);
            for (int y = 0; y < image.height(); ++y) {
                const int inside = std::clamp(y, card.top(), card.bottom());
                for (const int x : {0, bleed / 2, image.width() - 1})
                    QCOMPARE(image.pixel(x, y),
                             image.pixel(std::clamp(x, card.left(), card.right()), inside));
            }
            if (i < 56)
                QVERIFY(colourDistance(image.pixelColor(card.center()), cellColour(i)) < 8);
            else
                for (int q = 0; q < 4; ++q)
                    QVERIFY(colourDistance(image.pixelColor(card.x() + card.width() * (1 + q % 2 * 2) / 4,
                                                            card.y() + card.height() * (1 + q / 2 * 2) / 4),
                                           QColor(kQuadrants[q])) < 8);
        }
    }

    // A folder holding anything but earlier card images is refused and left as it was.
    void cardFolderRefused()
    {
        const QString base = m_scratch.filePath(QStringLiteral("refused"));
        QDir(base).removeRecursively();
        QVERIFY(QDir().mkpath(base + QStringLiteral("/other")));
        writeFile(base + QStringLiteral("/other/notes.txt"), "mine");
        QVERIFY(QDir().mkpath(base + QStringLiteral("/notpng")));
        writeFile(base + QStringLiteral("/notpng/harten-a.png"), "not a picture");
        QVERIFY(QDir().mkpath(base + QStringLiteral("/folder/rug.png")));
        writeFile(base + QStringLiteral("/file"), "a file");
        for (const char *name : {"other", "notpng", "folder", "file"}) {
            const QString folder = base + u'/' + QLatin1String(name);
            const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
            QVERIFY(!print::writeCardImages({m_coloured, 1}, {}, folder, print::CardSize::Size63x88, 3).isEmpty());
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), before);
        }
    }

    // The front's scale at every millimetre through the middle, and the back's lying just behind it.
    void calibration()
    {
        const QString pdf = m_scratch.filePath(QStringLiteral("calibration.pdf"));
        QVERIFY(print::savePdf(*print::calibrationPdf(print::Paper::Letter, nullptr), pdf, nullptr));
        QCOMPARE(test::pdfPageCount(pdf), 2);
        QList<int> ticks[2];
        for (int side = 0; side < 2; ++side) {
            const QImage page = renderPdf(pdf, side + 1, 254); // 10 pixels to the millimetre
            QCOMPARE(page.size(), QSize(2159, 2794));
            const int y = page.height() / 2 - 7;
            // The middle of each tick, from the back mirrored left to right.
            for (int x = 1, start = 0; x < page.width(); ++x) {
                const bool dark = qGray(page.pixel(x, y)) < 160, before = qGray(page.pixel(x - 1, y)) < 160;
                if (dark && !before)
                    start = x;
                else if (!dark && before)
                    ticks[side] << (side ? page.width() - (start + x) / 2 : (start + x) / 2);
            }
        }
        QCOMPARE(ticks[0].size(), 21);
        for (int k = 0; k < 21; ++k) {
            QVERIFY(std::abs(ticks[0][k] - (2159 / 2 + (k - 10) * 10)) <= 2);
            QVERIFY(std::abs(ticks[1][20 - k] - ticks[0][k]) <= 2);
        }
    }

    // The page, back and deck windows go on answering while their job is held on its way: a posted event is
    // handled, the margin takes typing, a second press starts nothing. The job is then let go, called off
    // with the strip's Cancel, or called off by closing the window, which closes once it has ended; a job
    // called off is cancelled and says nothing. The server is only ever asked from a worker.
    void heldWork_data()
    {
        QTest::addColumn<int>("window"); // 0 "Vellora Afdrukken", 1 " Afdrukken Rugzijde", 2 the deck
        QTest::addColumn<int>("ending"); // 0 let go, 1 Cancel, 2 the window closed
        const char *windows[] = {"page", "back", "deck"}, *endings[] = {"let go", "Cancel", "closed"};
        for (int w = 0; w < 3; ++w)
            for (int e = 0; e < 3; ++e)
                QTest::addRow("%s, %s", windows[w], endings[e]) << w << e;
    }
    void heldWork()
    {
        QFETCH(const int, window);
        QFETCH(const int, ending);
        writeBacks();
        HeldPrintQueues queues;
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        Rugzijde backs(m_pacer, m_prompter, *m_folder, queues);
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        QDialog *const forms[] = {&faces, &backs, &deck};
        QDialog *form = forms[window];
        form->show();
        const auto printPressed = [&] {
            if (window == 2)
                child<QPushButton>(form, "PrintKnop")->click();
            else
                press(form, window ? "PrintKnop" : "OkKnop");
        };
        printPressed();
        QVERIFY(QTest::qWaitFor([&] { return queues.entered.tryAcquire(); }, 20000));

        bool handled = false;
        QTimer::singleShot(0, form, [&] { handled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(handled, 1000);
        auto *margin = child<QComboBox>(form, "Combo1");
        margin->lineEdit()->selectAll();
        QTest::keyClicks(margin->lineEdit(), "77");
        QCOMPARE(margin->currentText(), QStringLiteral("77"));
        printPressed();
        const auto *strip = child<WorkStrip>(form, "WerkStrook");
        QVERIFY(strip->isVisible());

        if (ending == 1)
            child<QPushButton>(form, "StopKnop")->click();
        if (ending == 2)
            press(form, "CancelKnop");
        QVERIFY(form->isVisible());
        queues.letGo.release();
        QVERIFY(workEnds(form));
        QCOMPARE(queues.jobs + queues.cancelled, 1);
        QCOMPARE(queues.cancelled, ending ? 1 : 0);
        QCOMPARE(queues.entered.available(), 0);
        QVERIFY(m_prompter.shown.isEmpty());
        QCOMPARE(form->isVisible(), ending != 2);
        QVERIFY(!strip->isVisible());
        QVERIFY(!queues.askedOnWindowThread);
        // Qt draws scaled pictures on the global pool's threads and waits for them: held work must not sit there.
        QVERIFY(!queues.heldOnGlobalPool);
    }

    void deckPdfCalledOff_data()
    {
        QTest::addColumn<int>("stopAt"); // the page made before the stop
        QTest::addColumn<bool>("older");
        QTest::newRow("while the pages are made") << 3 << false;
        QTest::newRow("while the pages are made, older file") << 3 << true;
        QTest::newRow("after the last page, older file") << 12 << true;
    }
    // A stop while the deck's document is made, or after it but before it takes its name, leaves no file
    // and an older one as it was. From the window, Cancel does the same and says nothing; there the worker
    // is held back by a thread pool kept busy, so the stop surely comes first.
    void deckPdfCalledOff()
    {
        QFETCH(const int, stopAt);
        QFETCH(const bool, older);
        const QString path = m_scratch.filePath(QStringLiteral("called off.pdf"));
        QFile::remove(path);
        const QByteArray olderPdf = "%PDF-older";
        if (older)
            writeFile(path, olderPdf);
        std::stop_source stop;
        int made = 0;
        const print::ExportOptions chosen{{}, {quadrantBack({30, 40}), {}}, print::kDefaultBleedMm};
        const print::ExportOutcome outcome = print::exportDeck(
            DeckSnapshot{m_coloured, {}, {}, {}}, chosen, {print::ExportKind::DeckPdf, QFile::encodeName(path)},
            [&](int done, int) {
                // The bar's first part is the master; the pages follow, one report each.
                if (done > print::kMasterSteps && ++made == stopAt)
                    stop.request_stop();
            },
            stop.get_token());
        QCOMPARE(made, stopAt);
        QCOMPARE(outcome.end, print::ExportOutcome::End::CalledOff);
        QCOMPARE(readFile(path), older ? olderPdf : QByteArray());
        QCOMPARE(QFile::exists(path), older);
        QCOMPARE(QDir(m_scratch.path()).entryList({"*called off*", ".vellora-*"}, QDir::Files | QDir::Hidden).size(),
                 older ? 1 : 0);

        AnsweringDialogs dialogs;
        dialogs.path = path;
        HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, m_queues, dialogs, *m_settings);
        QThreadPool *pool = QThreadPool::globalInstance();
        const auto busy = std::make_shared<QSemaphore>();
        for (int i = 0; i < pool->maxThreadCount(); ++i)
            pool->start([busy] { busy->acquire(); });
        child<QPushButton>(&form, "PdfKnop")->click();
        child<QPushButton>(&form, "StopKnop")->click();
        busy->release(pool->maxThreadCount());
        QVERIFY(workEnds(&form));
        QCOMPARE(readFile(path), older ? olderPdf : QByteArray());
        QVERIFY(m_prompter.shown.isEmpty());
    }

    // The print master is drawn before the first page, as the bar's first part, and a stop meanwhile ends it
    // with no picture; the pages then fill the rest of the bar. Without a record the sheet is the picture.
    void theMasterIsTheBarsFirstPart_data()
    {
        QTest::addColumn<bool>("record");
        QTest::addColumn<int>("stopAt"); // the report of the master's drawing that stops it; 0 for none
        QTest::newRow("the sheet") << false << 0;
        QTest::newRow("the master") << true << 0;
        QTest::newRow("stopped while drawn") << true << 2;
    }
    void theMasterIsTheBarsFirstPart()
    {
        QFETCH(const bool, record);
        QFETCH(const int, stopAt);
        QImage card(855, 1200, QImage::Format_RGB32);
        card.fill(Qt::white);
        PrintRecord master = PrintRecord::fromCard(card, QImage::Format_RGB32);
        CardPaste paste;
        paste.picture = QImage(165, 280, QImage::Format_RGB32);
        paste.picture.fill(Qt::darkRed);
        paste.areaTwips = QPoint(900, 900);
        paste.sizeTwips = QSize(2475, 4200);
        for (const int row : {0, 1, 2}) {
            paste.rows = {row};
            master.paste(paste);
        }
        std::stop_source stop;
        QList<int> bar;
        const print::PageProgress progress = [&](int done, int total) {
            QCOMPARE(total, print::kBarSteps);
            bar << done;
            if (bar.size() == stopAt)
                stop.request_stop();
        };
        const ScaledPicture picture =
            print::masterPicture(m_coloured, record ? master : PrintRecord(), progress, stop.get_token());
        QCOMPARE(picture.isNull(), stopAt > 0);
        if (stopAt) {
            QCOMPARE(bar.size(), stopAt);
            return;
        }
        QCOMPARE(picture.image.size(), m_coloured.size() * (record ? 3 : 1));
        QCOMPARE(picture.scale, record ? 3 : 1);
        QCOMPARE(bar.size(), record ? 4 : 1);
        QVERIFY(std::is_sorted(bar.begin(), bar.end()) && bar.first() > 0);
        QCOMPARE(bar.last(), print::kMasterSteps);
        const print::PageProgress pages = print::afterMaster(progress);
        for (int page = 1; page <= 4; ++page)
            pages(page, 4);
        QVERIFY(std::is_sorted(bar.begin(), bar.end()));
        QCOMPARE(bar.last(), print::kBarSteps);
    }

    void deadlineHolds_data()
    {
        QTest::addColumn<bool>("deck");
        QTest::newRow("\"Serie 1\"") << false;
        QTest::newRow("Hele deck, Afdrukken…") << true;
    }
    // A print server that accepts the connection and never answers: the print action gives the failure
    // message within 6 s however many questions it has, and the window answers all the while: the margin
    // takes typing before the message comes, and a timer of 10 ms never misses a whole second.
    void deadlineHolds()
    {
        QFETCH(const bool, deck);
        writeBacks();
        const SystemPrintQueues queues; // the deadline of the program itself
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        HeleDeckForm whole(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        QDialog *form = deck ? static_cast<QDialog *>(&whole) : &faces;
        form->show();
        QElapsedTimer clock, sinceTick;
        QTimer ticker;
        qint64 longestGap = 0;
        connect(&ticker, &QTimer::timeout, form, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        clock.start();
        sinceTick.start();
        ticker.start(10);
        if (deck)
            child<QPushButton>(form, "PrintKnop")->click();
        else
            press(form, "OkKnop");
        QLineEdit *edit = child<QComboBox>(form, "Combo2")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "25");
        QCOMPARE(child<QComboBox>(form, "Combo2")->currentText(), QStringLiteral("25"));
        QVERIFY(m_prompter.shown.isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !m_prompter.shown.isEmpty(); }, 6000));
        const qint64 took = clock.elapsed();
        qInfo("failure message after %lld ms; the longest the window went unanswered: %lld ms", took,
              longestGap);
        QVERIFY2(took < 6000, qPrintable(QString::number(took)));
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].text, QString::fromUtf16(print::kFailureText));
        QCOMPARE(m_prompter.shown[0].title, QString::fromUtf16(print::kFailureTitle));
        QVERIFY(workEnds(form));
    }

    void deadlineRunsFromThePress_data()
    {
        QTest::addColumn<int>("budgetMs");
        QTest::addColumn<int>("floorMs");
        QTest::addColumn<int>("drawingMs");
        QTest::addColumn<int>("answerMs"); // from the press
        QTest::newRow("drawn within the budget") << 2000 << 1200 << 1000 << 2000;
        QTest::newRow("drawn beyond it: the floor") << 1200 << 2000 << 1000 << 3000;
    }
    // The page drawn before the first question counts against the action's deadline, so a silent server is
    // given up on in time however long the drawing took; but the first question always gets the floor, so a
    // slow machine never fails a printer that answers.
    void deadlineRunsFromThePress()
    {
        QFETCH(const int, budgetMs);
        QFETCH(const int, floorMs);
        QFETCH(const int, drawingMs);
        QFETCH(const int, answerMs);
        const SystemPrintQueues queues(budgetMs, floorMs);
        QDialog window;
        WorkStrip strip(&window, m_pacer, m_prompter, queues, QRect(0, 0, 3000, 300));
        QElapsedTimer clock;
        clock.start();
        strip.printOnDefault([&](QString *, std::stop_token, const print::PageProgress &) {
            QThread::msleep(drawingMs); // stands for a page that is slow to draw
            return std::optional<PrintJob>(PrintJob{{}, {print::backPrintPage(quadrantBack({4, 4}), {})}, {}});
        });
        QVERIFY(QTest::qWaitFor([&] { return !m_prompter.shown.isEmpty(); }, 6000));
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= answerMs - 50 && took < answerMs + 600, qPrintable(QString::number(took)));
        QCOMPARE(m_prompter.shown[0].text, QString::fromUtf16(print::kFailureText));
        QTRY_VERIFY(!strip.busy());
    }

    void unreachableTold_data()
    {
        QTest::addColumn<bool>("unreachable");
        QTest::addColumn<bool>("closedFirst"); // the window closed before the check is due
        QTest::newRow("two jobs wait on an unreachable printer") << true << false;
        QTest::newRow("the printer prints") << false << false;
        QTest::newRow("unreachable, the window closed first") << true << true;
    }
    // 30 s after a job was handed over the server is asked from a worker whether it waits on a printer that
    // cannot be reached; the user hears so once for the window, even after it closed, and not at all when
    // the job prints.
    void unreachableTold()
    {
        QFETCH(const bool, unreachable);
        QFETCH(const bool, closedFirst);
        HeldPrintQueues queues;
        queues.unreachable = unreachable;
        queues.letGo.release(2);
        test::SteppedPacer pacer;
        QWidget owner;
        auto *faces = new AfdrukForm(m_addressed, pacer, m_prompter, *m_folder, queues, &owner);
        for (int i = 0; i < 2; ++i) {
            press(faces, "OkKnop");
            pacer.runAll();
            QVERIFY(workEnds(faces));
        }
        QCOMPARE(queues.jobs, 2);
        QCOMPARE(pacer.pauses.count(JobWatch::kAfterMs), 2);
        if (closedFirst)
            delete faces;
        pacer.runAll();
        QVERIFY(QTest::qWaitFor([&] { return owner.findChildren<JobWatch *>().isEmpty(); }, 10000));
        QVERIFY(queues.checks >= 1);
        QVERIFY(!queues.askedOnWindowThread);
        QCOMPARE(m_prompter.shown.size(), unreachable ? 1 : 0);
        if (unreachable) {
            QCOMPARE(m_prompter.shown[0].text, QString::fromUtf16(print::kUnreachableText).arg("Office"));
            QCOMPARE(m_prompter.shown[0].title, QStringLiteral("Vellora Afdrukken"));
            QCOMPARE(m_prompter.shown[0].icon, Prompter::Icon::Warning);
        }
        if (!closedFirst)
            delete faces;
    }

    // Save and print from the window; each is one document, the suggested file named after the project. A
    // full disk leaves the older file as it was and says so.
    void deckWindow()
    {
        writeBacks();
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        dialogs.path = m_scratch.filePath(QStringLiteral("window.pdf"));
        HeleDeckForm form(m_coloured, QStringLiteral("Zomer"), m_pacer, m_prompter, *m_folder, queues,
                          dialogs, *m_settings);
        child<QPushButton>(&form, "PdfKnop")->click();
        QVERIFY(workEnds(&form));
        QCOMPARE(QFileInfo(dialogs.suggested).fileName(), QStringLiteral("Zomer.pdf"));
        QCOMPARE(test::pdfPageCount(dialogs.path), 12);
        child<QPushButton>(&form, "PrintKnop")->click();
        QVERIFY(workEnds(&form));
        QCOMPARE(queues.jobs.size(), size_t(1)); // the pages just saved, made by the same code
        QCOMPARE(queues.jobs[0].pages.size(), size_t(12));
        // Turned on the short edge by default, on the deck's own paper.
        QCOMPARE(queues.jobs[0].options.sides, QByteArray("two-sided-short-edge"));
        QCOMPARE(queues.jobs[0].options.media, QByteArray("iso_a4_210x297mm"));
        // Cards go on the printer's own paper.
        child<QComboBox>(&form, "Opmaak")->setCurrentIndex(1);
        dialogs.paper = print::Paper::Letter;
        child<QPushButton>(&form, "PrintKnop")->click();
        QVERIFY(workEnds(&form));
        QCOMPARE(queues.jobs.at(1).options.media, QByteArray("na_letter_8.5x11in"));
        QCOMPARE(queues.jobs[1].pages.front().paper, print::Paper::Letter);
        child<QComboBox>(&form, "Opmaak")->setCurrentIndex(0);
        QVERIFY(m_prompter.shown.isEmpty());
        const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QVERIFY(documents.mkpath(QStringLiteral(".")));
        const HeleDeckForm unnamed(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs,
                                   *m_settings);
        QCOMPARE(unnamed.suggestedPdfPath(), documents.filePath("Vellora.pdf"));
        // A margin off any paper is refused before anything is written.
        child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        dialogs.path = m_scratch.filePath(QStringLiteral("off the paper.pdf"));
        child<QPushButton>(&form, "PdfKnop")->click();
        QVERIFY(workEnds(&form));
        QVERIFY(!QFile::exists(dialogs.path));
        QCOMPARE(m_prompter.shown.value(0).text, "De marge is te groot om een plaats op het papier te zijn.");
        m_prompter.shown.clear();
        child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("40"));

        const QString disk = m_scratch.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(disk));
        QVERIFY2(mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=8k") == 0,
                 "cannot mount a small tmpfs here (needs root)");
        dialogs.path = disk + QStringLiteral("/deck.pdf");
        writeFile(dialogs.path, "older");
        child<QPushButton>(&form, "PdfKnop")->click();
        QVERIFY(workEnds(&form));
        QCOMPARE(readFile(dialogs.path), QByteArray("older"));
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"deck.pdf"});
        QCOMPARE(umount(QFile::encodeName(disk).constData()), 0);
        QCOMPARE(m_prompter.shown.size(), 1);
        QVERIFY2(m_prompter.shown[0].text.startsWith("De PDF is niet opgeslagen"),
                 qPrintable(m_prompter.shown[0].text));
    }

    // The deck window's further choices: turn, shift and paper kept between openings (the paper the
    // locale's at first), the edge band named once the margins reach it, the cards as pictures and the
    // alignment sheet written where the dialogs say, and a back of one's own listed after the program's.
    void deckChoices()
    {
        writeBacks();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_scratch.filePath(QStringLiteral("data"))));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QSettings settings(m_scratch.filePath(QStringLiteral("choices.ini")), QSettings::IniFormat);
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        {
            HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, settings);
            QCOMPARE(form.options().paper, print::Paper::Letter);
            auto *warning = child<QLabel>(&form, "RandWaarschuwing");
            QCOMPARE(warning->text(), QString());
            child<QComboBox>(&form, "Combo2")->setCurrentText(QStringLiteral("10"));
            QCOMPARE(warning->text(), QString::fromUtf16(print::kEdgeBandWarning));
            child<QComboBox>(&form, "Opmaak")->setCurrentIndex(1);
            child<QComboBox>(&form, "Papier")->setCurrentIndex(0);
            child<QComboBox>(&form, "Keren")->setCurrentIndex(1);
            child<QDoubleSpinBox>(&form, "RugX")->setValue(-1.3);
            child<QCheckBox>(&form, "HelePagina")->setChecked(true);
            const print::DeckOptions o = form.options();
            QCOMPARE(QPair(o.layout, o.paper), QPair(print::DeckLayout::Cards, print::Paper::A4));
            QCOMPARE(QPair(o.turn, o.backShiftMm), QPair(print::Turn::LongEdge, QPointF(-1.3, 0)));
            QVERIFY(o.wholePageBack);

            dialogs.folder = m_scratch.filePath(QStringLiteral("pictures"));
            child<QPushButton>(&form, "KaartenKnop")->click();
            QVERIFY(workEnds(&form));
            QCOMPARE(QDir(dialogs.folder).entryList(QDir::Files).size(), 57);
            dialogs.path = m_scratch.filePath(QStringLiteral("align.pdf"));
            child<QPushButton>(&form, "UitlijnKnop")->click();
            QVERIFY(workEnds(&form));
            QCOMPARE(test::pdfPageCount(dialogs.path), 2);

            dialogs.picture = m_scratch.filePath(QStringLiteral("not a picture.png"));
            writeFile(dialogs.picture, "text");
            child<QPushButton>(&form, "EigenRugKnop")->click();
            QCOMPARE(m_prompter.shown.size(), 1);
            QVERIFY(m_prompter.shown[0].text.startsWith(u"not a picture.png kan geen rugzijde zijn"));
            dialogs.picture = m_scratch.filePath(QStringLiteral("own.jpg"));
            QVERIFY(quadrantBack({30, 40}).save(dialogs.picture));
            child<QPushButton>(&form, "EigenRugKnop")->click();
            QCOMPARE(child<QScrollBar>(&form, "VScroll1")->value(), 2);
            QCOMPARE(child<QLabel>(&form, "Label3")->text(), QStringLiteral("Rugzijde 2 / 2"));
            const QDir own(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           "/Backgrounds");
            QCOMPARE(own.entryList(QDir::Files), QStringList{"own.jpg"});
        }
        QLocale::setDefault(QLocale::system());
        const HeleDeckForm again(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, settings);
        const print::DeckOptions o = again.options();
        QCOMPARE(QPair(o.layout, o.paper), QPair(print::DeckLayout::Pages, print::Paper::A4));
        QCOMPARE(QPair(o.turn, o.backShiftMm), QPair(print::Turn::LongEdge, QPointF(-1.3, 0)));
        QVERIFY(!o.wholePageBack);
        QCOMPARE(child<QScrollBar>(const_cast<HeleDeckForm *>(&again), "VScroll1")->maximum(), 2);
    }
};

// The real print server's side, run alone by cups_e2e.sh against a server of its own, at times with the
// temporary folder full.
class TestRealQueue : public QObject
{
    Q_OBJECT

    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    const QImage m_coloured = colouredSheet();

private Q_SLOTS:
    // Page 1, a back at margins 10 and 20 and the deck printed from their windows on the default queue of a
    // print server of its own, which cups_e2e.sh sets up with a PDF queue writing to VELLORA_CUPS_PDFS, and
    // runs this once for each state of the queue it names in VELLORA_CUPS_QUEUE: ready or refusing.
    void realQueue()
    {
        const QString out = qEnvironmentVariable("VELLORA_CUPS_PDFS");
        if (qEnvironmentVariable("VELLORA_CUPS_QUEUE") == u"unreachable")
            return unreachableQueue();
        const bool ready = qEnvironmentVariable("VELLORA_CUPS_QUEUE") != u"refusing";
        // Not in the temporary folder, which may be full; a back larger than the page's share of pixels.
        const QTemporaryDir app(out + QStringLiteral("/app-XXXXXX"));
        QVERIFY(QDir(app.path()).mkpath(QStringLiteral("Backgrounds")));
        QVERIFY(quadrantBack({900, 1270}).save(app.filePath("Backgrounds/Background-0.jpg"), "JPEG", 95));
        const AppFolder folder(app.path());
        const SystemPrintQueues queues;
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_coloured, m_pacer, m_prompter, folder, queues);
        Rugzijde backs(m_pacer, m_prompter, folder, queues);
        QTemporaryFile settingsFile;
        QVERIFY(settingsFile.open());
        QSettings settings(settingsFile.fileName(), QSettings::IniFormat);
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, folder, queues, dialogs, settings);
        child<QComboBox>(&backs, "Combo1")->setCurrentText(QStringLiteral("10"));
        child<QComboBox>(&backs, "Combo2")->setCurrentText(QStringLiteral("20"));
        // The PDFs the queue has written whole, newest first: Ghostscript writes the end-of-file marker last.
        const auto whole = [&] {
            QStringList done;
            for (const QFileInfo &pdf : QDir(out).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
                if (readFile(pdf.filePath()).right(32).contains("%%EOF"))
                    done << pdf.filePath();
            return done;
        };
        int pressed = 0;
        for (const int page : {1, 0, 12}) { // 12: the deck
            const qsizetype before = whole().size();
            QWidget *window = page == 12 ? static_cast<QWidget *>(&deck)
                              : page     ? static_cast<QWidget *>(&faces)
                                         : &backs;
            if (page == 12)
                child<QPushButton>(&deck, "PrintKnop")->click();
            else
                press(window, page ? "OkKnop" : "PrintKnop");
            QVERIFY(workEnds(window));
            if (!ready) {
                QCOMPARE(m_prompter.shown.size(), ++pressed);
                QCOMPARE(m_prompter.shown.back().text, QString::fromUtf16(print::kFailureText));
                QCOMPARE(m_prompter.shown.back().icon, Prompter::Icon::Critical);
                QCOMPARE(whole().size(), before);
                continue;
            }
            QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(defaultQueueProblem(queues, nullptr)));
            QTRY_COMPARE_WITH_TIMEOUT(whole().size(), before + 1, 90000);
            if (page == 12) {
                QCOMPARE(test::pdfPageCount(whole().first()), 12);
                break;
            }
            QImage paper = renderPdf(whole().first());
            // The server hands a landscape page to the printer turned a quarter on portrait paper.
            if (page && paper.width() < paper.height())
                paper = paper.transformed(QTransform().rotate(90));
            QCOMPARE(checkPrintedPage(paper, page, page ? QPoint(150, 600) : QPoint(300, 150)), "");
        }
    }

private:
    // A page printed on a queue whose device cannot be reached waits, as the server says once the queue has
    // tried; a page printed from the window then is told of once.
    void unreachableQueue()
    {
        const QTemporaryDir app;
        const AppFolder folder(app.path());
        const SystemPrintQueues queues;
        Surface working;
        const print::PrintOutcome first =
            print::printFacePage(ScaledPicture{m_coloured}, print::facePage(1), "40", "10", working, queues);
        QVERIFY2(first.printed && first.job > 0, qPrintable(first.reason));
        QTRY_VERIFY_WITH_TIMEOUT(queues.waitsForUnreachablePrinter(first.printer, first.job), 60000);
        AfdrukForm faces(m_coloured, m_pacer, m_prompter, folder, queues);
        press(&faces, "OkKnop");
        QVERIFY(workEnds(&faces));
        QTRY_COMPARE_WITH_TIMEOUT(m_prompter.shown.size(), 1, 10000);
        QCOMPARE(m_prompter.shown[0].text,
                 QString::fromUtf16(print::kUnreachableText).arg(QStringLiteral("VelloraUnreachable")));
    }
};

// cups_e2e.sh names the print server's output folder; every other run is TestPrint's, with no case left out.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (!qEnvironmentVariableIsEmpty("VELLORA_CUPS_PDFS")) {
        TestRealQueue test;
        return QTest::qExec(&test, argc, argv);
    }
    TestPrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print.moc"
