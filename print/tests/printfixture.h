#pragma once

// What the print tests share: telling sheets and backs, page checks, print servers held on purpose.
#include "print/afdrukform.h"
#include "print/calibration.h"
#include "print/cardimages.h"
#include "print/deckexport.h"
#include "print/exportpath.h"
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
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace vellora::printtest {

using State = PrintQueues::State;
using test::rgb;

// A 3990 x 1600 sheet in which every pixel differs from every other, so a copy shows where it came from.
inline QImage addressedSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x & 0xff, ((x >> 8) & 0x0f) | ((y & 0x0f) << 4), y >> 4));
    return sheet;
}

// Each card one solid colour; neighbours differ in hue by at least 100 degrees or in value by 60.
inline QColor cellColour(int cell)
{
    return QColor::fromHsv((cell % 14 * 137 + cell / 14 * 61) % 360, 220, 110 + 60 * (cell / 14 % 2));
}

// Top-left, top-right, bottom-left, bottom-right.
inline const QRgb kQuadrants[4] = {qRgb(200, 30, 30), qRgb(30, 160, 30), qRgb(30, 30, 200), qRgb(40, 40, 40)};

// Solid tiles, row by row, the i-th in colour(i), each to the bottom-right corner under the later ones.
inline QImage tiles(QSize size, int columns, int rows, const std::function<QColor(int)> &colour)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width(), h = size.height();
    for (int i = 0; i < columns * rows; ++i)
        painter.fillRect(i % columns * w / columns, i / columns * h / rows, w, h, colour(i));
    return image;
}

// A back of the user's own: a picture alone, no JPEG file of it and no drawing to the edge.
inline print::BackChoice backOf(const QImage &image)
{
    return {image, {}, {}};
}

inline QImage colouredSheet()
{
    return tiles({3990, 1600}, 14, 4, cellColour);
}
inline QImage quadrantBack(QSize size)
{
    return tiles(size, 2, 2, [](int q) { return QColor(kQuadrants[q]); });
}

inline int colourDistance(QColor a, QColor b)
{
    return test::channelDifference(a.rgb(), b.rgb());
}

// One page of a PDF rendered by pdftoppm, beside the PDF: a test may have filled the temporary folder.
inline QImage renderPdf(const QString &pdf, int page = 1, int dpi = 72)
{
    QTemporaryDir dir(QFileInfo(pdf).absolutePath() + QStringLiteral("/render-XXXXXX"));
    const QString base = dir.filePath(QStringLiteral("page")), n = QString::number(page);
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", pdf, base});
    return QImage(base + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
}

// The lines of `pdfimages -list` for a PDF, one an image, its two heading lines left out.
inline QStringList pdfImageList(const QString &pdf)
{
    QProcess list;
    list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    list.waitForFinished(60000);
    return QString::fromLatin1(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts).mid(2);
}

// Where face page `pageNumber` (0: a back) is off on a page at 72 dpi, a line each; empty when right.
// `origin` is (left margin, top margin) in twips.
inline QString checkPrintedPage(const QImage &page, int pageNumber, QPoint origin)
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
    // Every card (quadrant) on the picture shows its colour, averaged over 7 x 7 pixels against JPEG.
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
struct Placed
{
    int page;
    QString top, left;
    QRect twips, sheetPixels;
};
// No folder if empty; counters on opening and after scrolling; shownAfter: the file shown then, -1 none.
struct Browse
{
    QString folder;
    QStringList files, counters;
    int scrollTo, shownAfter;
};
// marked: the page whose cut marks and scale bar (bar mm long, 0 for none) are looked at.
struct Deck
{
    print::DeckOrder order;
    bool back;
    QString top, left;
    QList<int> pages;
    int marked, bar;
};
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
// blank: a working printer, an unusable margin and no back; else the fake queues as the row sets them.
struct Failure
{
    bool blank;
    QString printer;
    std::optional<State> state;
};

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
    Outcome submit(const PrintJob &, const print::PageProgress &, std::stop_token stop) const override
    {
        noted(0);
        heldOnGlobalPool =
            heldOnGlobalPool || QThreadPool::globalInstance()->contains(QThread::currentThread());
        entered.release();
        letGo.acquire();
        if (stop.stop_requested())
            return (++cancelled, Outcome::calledOff());
        return (++jobs, Outcome());
    }
    int lastJob() const override { return jobs; }
    bool waitsForUnreachablePrinter(const QString &, int) const override
    {
        return (++checks, noted(unreachable));
    }

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
    QString printFile;                 // the print dialog told to print to this file
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override
    {
        return {{p, {}, printFile, paper}};
    }
    std::optional<QString> cardFolder(QWidget *, const QString &) override { return folder; }
    std::optional<QString> backPicture(QWidget *) override { return picture; }
};

template <typename T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
}

inline void press(QWidget *form, const char *name)
{
    child<ImageButton>(form, name)->click();
}

// Presses what prints in any of the print windows: the deck window's button, a page's Ok, a back's Print.
inline void pressPrint(QWidget *window)
{
    if (qobject_cast<HeleDeckForm *>(window))
        child<QPushButton>(window, "PrintKnop")->click();
    else
        press(window, qobject_cast<AfdrukForm *>(window) ? "OkKnop" : "PrintKnop");
}

// Lets the window's work in the background end, as the event loop would; false when it does not.
inline bool workEnds(QWidget *window)
{
    const WorkStrip *strip = child<WorkStrip>(window, "WerkStrook");
    return QTest::qWaitFor([strip] { return !strip->busy(); }, 60000);
}

// Clicks one of the window's push buttons and lets the work it starts end; false when it does not.
inline bool clickedAndDone(QWidget *window, const QString &button)
{
    child<QPushButton>(window, button)->click();
    return workEnds(window);
}

// The one page of the only job the queues were given.
inline const print::PrintPage &onlyPage(const test::RecordingPrintQueues &queues)
{
    if (queues.jobs.size() != 1 || queues.jobs[0].pages.size() != 1)
        qFatal("%zu jobs, not one of one page", queues.jobs.size());
    return queues.jobs[0].pages[0];
}

// Which of kQuadrants a picture shows at its centre (JPEG moves colours a little); -1 for no picture at all.
inline int colourShown(const QImage &image)
{
    const QColor c = image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    for (int i = 0; i < 4 && c.isValid(); ++i)
        if (colourDistance(c, QColor(kQuadrants[i])) < 12)
            return i;
    return c.isValid() ? -2 : -1;
}

// Twips of the paper to pixels at `dpi`.
inline QRect toPixels(const QRect &t, int dpi)
{
    const double s = dpi / 1440.0;
    return QRect(QPoint(qRound(t.left() * s), qRound(t.top() * s)),
                 QPoint(qRound((t.x() + t.width()) * s) - 1, qRound((t.y() + t.height()) * s) - 1));
}

// The state every print test starts from; QtTest runs these slots for each test class built on it.
class PrintFixture : public QObject
{
    Q_OBJECT

protected:
    QTemporaryDir m_scratch;
    int m_hungServer = -1; // a listening socket: connections are accepted by the system, never answered
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppFolder> m_folder;
    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    test::RecordingPrintQueues m_queues;
    const QImage m_addressed = addressedSheet(), m_coloured = colouredSheet();
    std::unique_ptr<QSettings> m_settings; // what the deck window keeps between openings

    // A name in the scratch folder with nothing under it, whatever an earlier row left there.
    QString freshPath(const QString &name) const
    {
        const QString path = m_scratch.filePath(name);
        QDir(path).removeRecursively();
        return path;
    }
    static QImage solid(QRgb colour) { return test::solidPicture({60, 80}, colour); }
    // Back files in a subfolder of the application folder, the i-th all in kQuadrants[i].
    void writeBacks(const QString &folder = QStringLiteral("Backgrounds"),
                    const QStringList &names = {QStringLiteral("Background-0.jpg")})
    {
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(solid(kQuadrants[i]).save(m_dir->filePath(folder + u'/' + names[i]), "JPEG", 95));
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
};

} // namespace vellora::printtest

// Each test executable's main: the offscreen application at 96 dpi, as the windows' twips expect.
#define VELLORA_PRINT_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        QApplication app(argc, argv);                                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
