#include "afdrukform.h"
#include "appfolder.h"
#include "deckexport.h"
#include "heledeckform.h"
#include "imagebutton.h"
#include "margins.h"
#include "pageink.h"
#include "picturebox.h"
#include "picturefile.h"
#include "printjobs.h"
#include "printqueues.h"
#include "rugzijde.h"
#include "systemprinttarget.h"
#include "testsupport.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vellora;
using State = PrintQueues::State;
using Pages = std::vector<int>;
Q_DECLARE_METATYPE(Pages)

namespace {

// A row of the failure table below.
struct Queue
{
    int via = 0; // 0 the fake queues, 1 the system's, 2 a printer failing at begin, 3 at end, 4 never failing
    QString printer = QStringLiteral("Office");
    std::optional<State> state = State{};
    QString problem; // a word of the queue's verdict, empty when it is ready
};

// A print server that knows one queue in one state, refuses jobs for "Refused" and keeps the others.
struct FakeQueues final : PrintQueues
{
    explicit FakeQueues(Queue row = {}) : row(std::move(row)) {}
    const Queue row;
    mutable QList<QByteArray> jobs;
    QString defaultPrinter() const override { return row.printer; }
    std::optional<State> state(const QString &) const override { return row.state; }
    QString submit(const QString &name, const QByteArray &pdf, const JobOptions &) const override
    {
        return name == u"Refused" ? QStringLiteral("client-error-not-possible") : (jobs << pdf, QString());
    }
};

// A printer that fails at a chosen step, 1 begin or 2 end (any other: never), and counts how far it got.
struct FailingTarget final : PrintTarget
{
    explicit FailingTarget(int failAt) : failAt(failAt) {}
    int failAt, begun = 0, painted = 0;
    bool begin(QPageLayout::Orientation, QString *error) override { return ++begun && step(1, error); }
    void paintPicture(const QImage &, const QRect &) override { ++painted; }
    bool end(QString *error) override { return step(2, error); }
    bool step(int n, QString *error) { return (*error = QStringLiteral("offline"), failAt != n); }
};

struct AnsweringDialogs final : DeckDialogs
{
    QString path, suggested;
    std::optional<QString> pdfPath(QWidget *, const QString &s) override { return (suggested = s, path); }
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override { return PrintChoice{p, {}, {}}; }
};

template <typename T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
}

const QRgb kColours[4] = {qRgb(200, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 200), qRgb(20, 20, 20)};

// Which of kColours a picture shows at its centre (JPEG moves colours a little); -1 for no picture at all.
int colourShown(const QImage &image)
{
    const QColor c = image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    for (int i = 0; i < 4 && c.isValid(); ++i)
        if (printtest::colourDistance(c, QColor(kColours[i])) < 12)
            return i;
    return c.isValid() ? -2 : -1;
}

bool differs(QRgb a, QRgb b, int by = 40) { return printtest::colourDistance(QColor(a), QColor(b)) > by; }

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
    RecordingPrintTarget m_target;
    const QImage m_addressed = printtest::addressedSheet(), m_coloured = printtest::colouredSheet();
    QString m_project, m_error;

    // Back files in a subfolder of the application folder, the i-th all in kColours[i].
    void writeBacks(const QString &folder, const QStringList &names)
    {
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        for (int i = 0; i < names.size(); ++i) {
            QImage back(60, 80, QImage::Format_RGB32);
            back.fill(kColours[i]);
            QVERIFY(back.save(m_dir->filePath(folder + u'/' + names[i]), "JPEG", 95));
        }
    }
    // The deck's application folder: the current sheet and one back.
    void writeDeckFolder()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds")) && QDir(m_dir->path()).mkpath("Data"));
        QVERIFY(PictureFile::saveBmp(m_coloured, m_dir->filePath(QStringLiteral("Data/Kaarten.krt"))));
        QVERIFY(printtest::quadrantBack({300, 420}).save(m_dir->filePath("Backgrounds/Background-0.jpg"), "JPEG", 90));
    }
    static void press(QWidget *window, const char *button) { Q_EMIT child<ImageButton>(window, button)->clicked(); }

private Q_SLOTS:
    void initTestCase()
    {
        // Every print server this process talks to is one that never answers.
        const QString socket = m_scratch.filePath(QStringLiteral("hung.sock"));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(socket).constData(), sizeof address.sun_path);
        m_hungServer = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(m_hungServer, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(m_hungServer, 64) == 0);
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(m_scratch.path()));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm, pdfimages and pdfinfo are not installed (Debian package poppler-utils)");
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
        m_target = RecordingPrintTarget();
    }

    void marginText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("twips"); // -1: refused as a position
        QTest::newRow("letters after the number") << "25abc" << 375;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("leading blanks") << "  7" << 105;
        QTest::newRow("negative") << "-2" << -30;
        QTest::newRow("blank after the sign") << " - 4" << 0;
        QTest::newRow("fraction rounds to whole twips") << "2.5" << 38;
        QTest::newRow("second point ends the number") << "1.5.5" << 23;
        QTest::newRow("no exponent") << "1e3" << 15;
        QTest::newRow("no hexadecimal") << "0x10" << 0;
        QTest::newRow("largest accepted") << "66666666" << 999999990;
        QTest::newRow("too large for a page") << "66666667" << -1;
        QTest::newRow("too large for a double") << QString(400, u'9') << -1;
    }
    void marginText()
    {
        QFETCH(QString, text);
        QFETCH(int, twips);
        QCOMPARE(print::marginTwips(text).value_or(-1), twips);
    }

    void placement_data()
    {
        QTest::addColumn<int>("page"); // 0: a back
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("sheetPixels"); // what of the sheet the page carries, cut at its right edge
        const QRect wide(150, 600, 16200, 10200), narrow(150, 600, 12860, 10200), whole(0, 0, 3990, 1600);
        // Page 2 prints from 21430 twips, 1428.67 pixels: it starts at the nearest pixel.
        QTest::newRow("page 1") << 1 << "40" << "10" << wide << QRect(0, 0, 1430, 800);
        QTest::newRow("page 2") << 2 << "40" << "10" << wide << QRect(1429, 0, 1426, 800);
        QTest::newRow("page 3") << 3 << "40" << "10" << narrow << QRect(2854, 0, 1134, 800);
        QTest::newRow("page 5") << 5 << "40" << "10" << wide << QRect(1429, 800, 1426, 800);
        QTest::newRow("page 6, typed") << 6 << "150" << "25abc" << QRect(375, 2250, 12860, 10200)
                                       << QRect(2854, 800, 1134, 800);
        QTest::newRow("page 2, no numbers") << 2 << "x" << "" << QRect(0, 0, 16200, 10200) << QRect(1429, 0, 1426, 800);
        // A back goes whole to the printer and is stretched there, whatever its size.
        QTest::newRow("back") << 0 << "0" << "0" << QRect(0, 0, 12000, 16900) << whole;
        QTest::newRow("back, fractions") << 0 << "0.2" << "1.1" << QRect(17, 3, 12000, 16900) << whole;
    }

    // A face page printed twice through its window, which opens on the first page and previews the page
    // chosen; a back printed directly. On a recording printer for geometry and pixels, then as a PDF for where
    // the ink lands on paper.
    void placement()
    {
        QFETCH(int, page);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QRect, twips);
        QFETCH(QRect, sheetPixels);
        for (int opening = 1; opening <= 2 && page; ++opening) {
            AfdrukForm form(m_addressed, m_pacer, m_prompter, *m_folder, m_target);
            auto *topBox = child<QComboBox>(&form, "Combo1");
            QVERIFY(child<QRadioButton>(&form, "Option1(0)")->isChecked());
            child<QRadioButton>(&form, QStringLiteral("Option1(%1)").arg(page - 1))->click();
            topBox->setCurrentText(top);
            child<QComboBox>(&form, "Combo2")->setCurrentText(left);
            // The preview shows the page's part of the sheet; pages 3 and 6 a narrower one.
            const int previewX = (page - 1) % 3 * 21390 - (page % 3 == 0) * 30;
            Surface preview;
            preview.resize(px(4080), px(2580));
            preview.paintPicture(m_addressed, QRectF(45, 180, page % 3 ? 3990 : 3165, 2220),
                                 QRectF(previewX, page > 3 ? 12000 : 0, page % 3 ? 21450 : 17010, 12000));
            QCOMPARE(child<PictureBox>(&form, "Pic")->image(), preview.image());
            press(&form, "OkKnop");
            QCOMPARE(m_target.pagesEnded, opening);
            QCOMPARE(topBox->count(), 100); // a typed value is a margin, not a new list entry
        }
        if (!page)
            QVERIFY(print::printBack(m_addressed, top, left, m_target).printed);
        QCOMPARE(m_target.orientation, page ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(m_target.placements.size(), size_t(1));
        QCOMPARE(m_target.placements[0].twips, twips);
        const QImage printed = m_target.placements[0].picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(test::firstDifference(printed, m_addressed.copy(sheetPixels)), QString());

        const QString pdf = m_scratch.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        const auto target = SystemPrintTarget::toPdfFile(pdf);
        Surface working;
        QVERIFY(page ? print::printFacePage(m_coloured, print::facePage(page), top, left, working, *target).printed
                     : print::printBack(printtest::quadrantBack({300, 420}), top, left, *target).printed);
        const QImage paper = printtest::renderPdf(pdf, &m_error);
        QVERIFY2(!paper.isNull(), qPrintable(m_error));
        QCOMPARE(paper.size(), page ? QSize(842, 595) : QSize(595, 842)); // A4 at 72 dpi
        QCOMPARE(printtest::checkPrintedPage(paper, page, twips.topLeft()), QString());
    }

    void browsingBacks_data()
    {
        QTest::addColumn<QString>("folder"); // none if empty
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("scrollTo");
        QTest::addColumn<QStringList>("counters"); // on opening, after scrolling
        QTest::addColumn<int>("shownAfter");       // the file whose colour the back shows; -1 none
        const QString folder = QStringLiteral("Backgrounds");
        QTest::newRow("three backs") << folder << QStringList{"Background-0.jpg", "Background-1.jpg", "Background-2.jpg"}
                                     << 2 << QStringList{"Rugzijde 1 / 3", "Rugzijde 3 / 3"} << 2;
        // Every ".jpg" counts, in any letter case and numbered or not, so number 1 is counted and has no file.
        QTest::newRow("number without a file")
            << folder << QStringList{"Background-0.jpg", "Background-2.jpg", "holiday.JPG", "notes.txt"} << 1
            << QStringList{"Rugzijde 1 / 3", "Rugzijde 2 / 3"} << 0;
        QTest::newRow("no back 0, folder in capitals") << "BACKGROUNDS" << QStringList{"Background-1.jpg", "Background-2.jpg"}
                                                       << 1 << QStringList{"Rugzijde 1 / 2", "Rugzijde 2 / 2"} << 0;
        QTest::newRow("no folder") << "" << QStringList() << 0 << QStringList{"Rugzijde 1 / 0", "Rugzijde 1 / 0"} << -1;
    }

    // Every opening starts again at the first back; Print prints the back shown, and with none there is
    // nothing to print, which the window says.
    void browsingBacks()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, files);
        QFETCH(int, scrollTo);
        QFETCH(QStringList, counters);
        QFETCH(int, shownAfter);
        if (!folder.isEmpty())
            writeBacks(folder, files);
        for (int opening = 1; opening <= 2; ++opening) {
            Rugzijde form(m_pacer, m_prompter, *m_folder, m_target);
            auto *counter = child<QLabel>(&form, "Label3");
            QCOMPARE(counter->text(), counters[0]);
            QCOMPARE(colourShown(form.backPic().image()), files.indexOf(QStringLiteral("Background-0.jpg")));
            child<QScrollBar>(&form, "VScroll1")->setValue(scrollTo);
            QCOMPARE(counter->text(), counters[1]);
            QCOMPARE(colourShown(child<PictureBox>(&form, "Pic")->image()), shownAfter);
            press(&form, "PrintKnop");
            QCOMPARE(m_target.pagesEnded, shownAfter < 0 ? 0 : opening);
            QCOMPARE(m_prompter.shown.size(), shownAfter < 0 ? opening : 0);
            QCOMPARE(colourShown(m_target.placements.empty() ? QImage() : m_target.placements[0].picture), shownAfter);
        }
    }

    // A back larger than the preview shows its top left there and prints whole, at the margins typed.
    void largeBackShowsTopLeftAndPrintsWhole()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds")));
        const QString file = m_dir->filePath(QStringLiteral("Backgrounds/Background-0.jpg"));
        QVERIFY(m_addressed.copy(0, 0, 608, 848).save(file, "JPEG", 100));
        const QImage stored = QImage(file).convertToFormat(QImage::Format_RGB32);
        Rugzijde form(m_pacer, m_prompter, *m_folder, m_target);
        child<QComboBox>(&form, "Combo2")->setCurrentText(QStringLiteral("20"));
        const QImage shown = child<PictureBox>(&form, "Pic")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(test::firstDifference(shown, stored.copy(0, 0, 152, 212)), QString());
        press(&form, "PrintKnop");
        QCOMPARE(m_target.placements.at(0).twips, QRect(300, 0, 12000, 16900));
        QCOMPARE(m_target.placements.at(0).picture.convertToFormat(QImage::Format_RGB32), stored);
    }

    void failureShowsOneMessage_data()
    {
        QTest::addColumn<Queue>("row");
        const auto row = [](int via, const char *printer, std::optional<State> state, const char *problem) {
            return Queue{via, printer, state, problem};
        };
        QTest::newRow("no default printer") << row(0, "", State{}, "no default");
        QTest::newRow("unknown to the server") << row(0, "Office", std::nullopt, "does not know");
        QTest::newRow("stopped") << row(0, "Office", State{true, true}, "stopped");
        QTest::newRow("not accepting jobs") << row(0, "Office", State{false, false}, "does not accept");
        QTest::newRow("device unreachable") << row(0, "Office", State{false, true, true}, "cannot be reached");
        QTest::newRow("ready, job refused") << row(0, "Refused", State{}, "");
        QTest::newRow("hung print server") << row(1, "", State{}, "no default");
        QTest::newRow("painter refuses") << row(2, "", State{}, "");
        QTest::newRow("job fails") << row(3, "", State{}, "");
        // A page begun for an unusable margin, or with no back to print, would come out blank.
        QTest::newRow("margin no position, no back") << row(4, "", State{}, "");
    }

    // Both windows show the one failure message and stay open for another try, until Cancel.
    void failureShowsOneMessage()
    {
        QFETCH(const Queue, row);
        const FakeQueues fake(row);
        const SystemPrintQueues system(300);
        const PrintQueues &queues = row.via == 1 ? static_cast<const PrintQueues &>(system) : fake;
        if (row.via < 2) {
            QString name = QStringLiteral("not set");
            const QString verdict = defaultQueueProblem(queues, &name);
            QCOMPARE(name, row.printer);
            QVERIFY2(row.problem.isEmpty() ? verdict.isEmpty() : verdict.contains(row.problem), qPrintable(verdict));
        }
        SystemPrintTarget onQueues(queues);
        FailingTarget failing(row.via - 1);
        PrintTarget &target = row.via < 2 ? static_cast<PrintTarget &>(onQueues) : failing;
        if (row.via != 4)
            writeBacks(QStringLiteral("Backgrounds"), {QStringLiteral("Background-0.jpg")});
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, target);
        if (row.via == 4)
            child<QComboBox>(&faces, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        Rugzijde backs(m_pacer, m_prompter, *m_folder, target);
        for (QDialog *window : {static_cast<QDialog *>(&faces), static_cast<QDialog *>(&backs)}) {
            window->show();
            press(window, window == &faces ? "OkKnop" : "PrintKnop");
            QVERIFY(window->isVisible());
            press(window, "CancelKnop");
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(m_pacer.pauses, QList<int>({200, 200, 200, 200}));
        QCOMPARE(m_prompter.shown.size(), 2);
        for (const test::ScriptedPrompter::Shown &box : std::as_const(m_prompter.shown)) {
            // With no back at all the printer is not to blame.
            const bool noBack = row.via == 4 && &box == &m_prompter.shown.back();
            QCOMPARE(box.text, noBack ? QStringLiteral("Geen rugzijde gevonden in Backgrounds.")
                                      : QStringLiteral("No printer or printer offline!"));
            QCOMPARE(box.icon, noBack ? Prompter::Icon::Warning : Prompter::Icon::Critical);
        }
        QVERIFY2(!onQueues.end(nullptr), "a page that never began cannot have printed");
        // A printer that failed was asked nothing more, and none was asked to begin a page it could not print.
        QCOMPARE(failing.begun, row.via == 2 || row.via == 3 ? 2 : 0);
        QCOMPARE(failing.painted, row.via == 3 ? 2 : 0);
        QVERIFY(fake.jobs.isEmpty());
    }

    void pageOrder_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("backs");
        QTest::addColumn<Pages>("pages");
        QTest::newRow("duplex") << int(print::DeckOrder::Duplex) << true << Pages{1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0};
        QTest::newRow("faces first") << int(print::DeckOrder::FacesFirst) << true << Pages{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0};
        QTest::newRow("duplex, no back") << int(print::DeckOrder::Duplex) << false << Pages{1, 2, 3, 4, 5, 6};
    }

    // Each page of the deck is what its single-page window prints, at the same place.
    void pageOrder()
    {
        QFETCH(int, order);
        QFETCH(bool, backs);
        QFETCH(Pages, pages);
        print::DeckOptions options;
        options.order = print::DeckOrder(order);
        const print::BackChoice back{backs ? printtest::quadrantBack({30, 40}) : QImage(), {}};
        const auto deck = print::deckPages(m_coloured, back, options, nullptr);
        QVERIFY(deck);
        QCOMPARE(int(deck->size()), int(pages.size()));
        for (size_t i = 0; i < pages.size(); ++i) {
            RecordingPrintTarget single;
            Surface working;
            QCOMPARE((*deck)[i].faceNumber, pages[i]);
            QVERIFY(pages[i] ? print::printFacePage(m_coloured, print::facePage(pages[i]), "40", "10", working, single).printed
                             : print::printBack(back.image, "0", "0", single).printed);
            QCOMPARE((*deck)[i].orientation, single.orientation);
            QCOMPARE((*deck)[i].picture.twips, single.placements.at(0).twips);
            QCOMPARE((*deck)[i].picture.image, single.placements.at(0).picture);
        }
    }

    // Faces come out of the PDF pixel for pixel; the back is passed on as its own JPEG file.
    void facesLossless()
    {
        writeDeckFolder();
        const QString pdf = m_scratch.filePath(QStringLiteral("lossless.pdf")), base = m_scratch.filePath("img");
        QCOMPARE(print::PdfExportCommand(*m_folder).run({"vellora", "--export-pdf", pdf, m_project, "--back", "1"}).exitCode, 0);
        QProcess list;
        list.start(QStringLiteral("pdfimages"), {"-list", pdf});
        QVERIFY(list.waitForFinished(60000));
        const QStringList images = QString::fromLocal8Bit(list.readAllStandardOutput()).split(u'\n').mid(2, 12);
        QCOMPARE(QProcess::execute(QStringLiteral("pdfimages"), {"-png", pdf, base}), 0);
        Surface working;
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(images.value(i).simplified().split(u' ').value(8), i % 2 ? QStringLiteral("jpeg") : QStringLiteral("image"));
            if (i % 2)
                continue;
            print::composeFacePage(m_addressed, print::facePage(i / 2 + 1), working);
            const QImage extracted(QStringLiteral("%1-%2.png").arg(base).arg(i, 3, 10, QChar(u'0')));
            QCOMPARE(test::firstDifference(extracted.convertToFormat(QImage::Format_RGB32),
                                           working.image().convertToFormat(QImage::Format_RGB32)), QString());
        }
    }

    void cutMarks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("page 2, a cut card at each side") << 2 << "40" << "10";
        QTest::newRow("page 6, four columns") << 6 << "40" << "10";
        QTest::newRow("page 3, little room below, none left") << 3 << "99" << "0";
    }

    // A mark at each card edge, on each side of the picture with room for one, in line with the colour change
    // between cards; the page differs from one without marks nowhere on or near the cards.
    void cutMarks()
    {
        QFETCH(int, page);
        const int dpi = 150;
        print::DeckOptions options;
        options.scaleBar = false;
        QFETCH(QString, top);
        QFETCH(QString, left);
        options.topMargin = top;
        options.leftMargin = left;
        options.order = print::DeckOrder::FacesFirst;
        QImage with, without;
        for (QImage *image : {&without, &with}) {
            options.cutMarks = image == &with;
            const QString pdf = m_scratch.filePath(QStringLiteral("marks.pdf"));
            QVERIFY(print::savePdf(*print::deckPdf(m_coloured, {}, options, nullptr), pdf, nullptr));
            *image = printtest::renderPdf(pdf, &m_error, page, dpi);
        }
        const print::PrintPage laidOut = print::deckPages(m_coloured, {}, options, nullptr)->at(page - 1);
        const QRect cards = toPixels(laidOut.picture.twips, dpi);
        const int keepOff = qRound(1.5 / 25.4 * dpi) - 1;
        const QRect nearCards = cards.adjusted(-keepOff, -keepOff, keepOff, keepOff);
        QCOMPARE(test::firstDifference(with.copy(nearCards), without.copy(nearCards)), QString());
        const auto markNear = [&](QPoint p) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (const QPoint q = p + QPoint(dx, dy); with.rect().contains(q) && differs(with.pixel(q), without.pixel(q)))
                        return true;
            return false;
        };
        const print::CardEdges edges = print::cardEdges(print::facePage(page), laidOut.picture.twips);
        QCOMPARE(QPair(int(edges.x.size()), int(edges.y.size())), QPair(page % 3 ? 6 : 5, 3));
        // 1.5 mm of distance and 1 mm of line: 142 twips.
        const int roomAbove = laidOut.picture.twips.top() >= 142, roomLeft = laidOut.picture.twips.left() >= 142;
        QCOMPARE(int(laidOut.cutMarks.size()), int(edges.x.size()) * (1 + roomAbove) + int(edges.y.size()) * (1 + roomLeft));
        for (const QLine &line : laidOut.cutMarks) {
            QVERIFY(line.dx() ? std::ranges::count(edges.y, line.y1()) : std::ranges::count(edges.x, line.x1()));
            QVERIFY(markNear(toPixels(QRect(line.p1(), line.p2()).normalized(), dpi).center()));
        }
        for (const int x : edges.x)
            if (const int px = qRound(x * dpi / 1440.0); px >= 3) // not the paper's own edge
                QVERIFY2(differs(with.pixel(px - 3, cards.top() + 4), with.pixel(px + 3, cards.top() + 4), 20), qPrintable(QString::number(x)));
        for (const int y : edges.y) {
            const int py = qRound(y * dpi / 1440.0);
            QVERIFY2(differs(with.pixel(cards.right() - 4, py - 3), with.pixel(cards.right() - 4, py + 3), 20), qPrintable(QString::number(y)));
        }
    }

    void scaleBar_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<double>("mm"); // 0: no bar, as the margin below has no room
        QTest::newRow("default margins") << "40" << 50.0;
        QTest::newRow("no room below") << "99" << 0.0;
    }

    // The bar's longest dark run at 300 dpi is 50 mm within 0.3 mm.
    void scaleBar()
    {
        QFETCH(QString, top);
        QFETCH(double, mm);
        const QString pdf = m_scratch.filePath(QStringLiteral("bar.pdf"));
        print::DeckOptions options;
        options.cutMarks = false;
        options.topMargin = top;
        QVERIFY(print::savePdf(*print::deckPdf(m_coloured, {}, options, nullptr), pdf, nullptr));
        const QImage page = printtest::renderPdf(pdf, &m_error, 1, 300);
        const int below = toPixels(print::deckPages(m_coloured, {}, options, nullptr)->front().picture.twips, 300).bottom() + 2;
        int longest = 0;
        for (int y = below; y < page.height(); ++y)
            for (int x = 0, run = 0; x < page.width(); ++x)
                longest = std::max(longest, run = qGray(page.pixel(x, y)) < 128 ? run + 1 : 0);
        QVERIFY2(std::abs(longest * 25.4 / 300 - mm) <= (mm ? 0.3 : 3.0), qPrintable(QString::number(longest)));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args"); // "OUT" stands for the output file, "PROJECT" for a project
        QTest::addColumn<int>("pages");        // 0: refused with exit code 2
        QTest::newRow("blank sheet, no back") << QStringList{"--export-pdf", "OUT"} << 6;
        QTest::newRow("faces first, bare") << QStringList{"PROJECT", "--export-pdf=OUT", "--back", "1", "--order",
                                                          "faces-first", "--no-cut-marks", "--no-scale-bar"} << 12;
        // The real program, with no display and no platform plugin asked for.
        QTest::newRow("program without a display") << QStringList{"--export-pdf", "OUT", "PROJECT", "--back", "1"} << 12;
        QTest::newRow("missing project") << QStringList{"--export-pdf", "OUT", "nothere.krt"} << 0;
        QTest::newRow("unfit project") << QStringList{"--export-pdf", "OUT", "UNFIT"} << 0;
        QTest::newRow("two projects") << QStringList{"--export-pdf", "OUT", "PROJECT", "PROJECT"} << 0;
        QTest::newRow("back 0") << QStringList{"--export-pdf", "OUT", "--back", "0"} << 0;
        QTest::newRow("back beyond the folder") << QStringList{"--export-pdf", "OUT", "--back", "2"} << 0;
        QTest::newRow("back no number") << QStringList{"--export-pdf", "OUT", "--back", "x"} << 0;
        QTest::newRow("unknown order") << QStringList{"--export-pdf", "OUT", "--order", "simplex"} << 0;
        QTest::newRow("unknown option") << QStringList{"--export-pdf", "OUT", "--colour"} << 0;
        QTest::newRow("no file name") << QStringList{"--export-pdf", "", "PROJECT"} << 0;
        QTest::newRow("folder missing") << QStringList{"--export-pdf", "OUT/x.pdf"} << 0;
    }

    // A refusal is one line, and leaves an older file of that name as it was.
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, pages);
        writeDeckFolder();
        const QString out = m_scratch.filePath(QStringLiteral("cli.pdf")), unfit = m_scratch.filePath("unfit.krt");
        QVERIFY(QImage(10, 10, QImage::Format_RGB32).save(unfit, "BMP"));
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("older") == 5);
        old.close();
        args.replaceInStrings(QStringLiteral("OUT"), out).replaceInStrings(QStringLiteral("PROJECT"), m_project);
        args.replaceInStrings(QStringLiteral("UNFIT"), unfit);
        if (QTest::currentDataTag() == QLatin1String("program without a display")) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(QString::fromLatin1(name));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(VELLORA_EXE), args);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
        } else {
            const auto outcome = print::PdfExportCommand(*m_folder).run(QStringList{"vellora"} + args);
            QCOMPARE(outcome.exitCode, pages ? 0 : 2);
            QCOMPARE(outcome.message.isEmpty(), pages > 0);
            QVERIFY(!outcome.message.contains(u'\n'));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.read(5), pages ? QByteArray("%PDF-") : QByteArray("older"));
        QCOMPARE(printtest::pdfPages(out), pages);
        QCOMPARE(QDir(m_scratch.path()).entryList({"cli*"}, QDir::Files), QStringList{"cli.pdf"});
    }

    // Save and print from the window; each is one document, the suggested file named after the project.
    void windowMakesOneDocument()
    {
        writeDeckFolder();
        FakeQueues queues;
        AnsweringDialogs dialogs;
        dialogs.path = m_scratch.filePath(QStringLiteral("window.pdf"));
        HeleDeckForm form(m_coloured, QStringLiteral("Zomer"), m_pacer, m_prompter, *m_folder, queues, dialogs);
        form.findChild<QPushButton *>("PdfKnop")->click();
        QCOMPARE(QFileInfo(dialogs.suggested).fileName(), QStringLiteral("Zomer.pdf"));
        QCOMPARE(printtest::pdfPages(dialogs.path), 12);
        form.findChild<QPushButton *>("PrintKnop")->click();
        QCOMPARE(queues.jobs.size(), 1);
        QFile job(m_scratch.filePath(QStringLiteral("job.pdf")));
        QVERIFY(job.open(QIODevice::WriteOnly) && job.write(queues.jobs[0]) == queues.jobs[0].size());
        job.close();
        QCOMPARE(printtest::pdfPages(job.fileName()), 12);
        QVERIFY(m_prompter.shown.isEmpty());
        QCOMPARE(HeleDeckForm(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs).suggestedPdfPath(),
                 QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath("Vellora.pdf"));
    }

    void deckFaults_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("printed, hung print server") << false;
        QTest::newRow("saved on a full disk") << true;
    }

    // A print server that never answers costs a short wait and the message; a full disk leaves the older file.
    void deckFaults()
    {
        QFETCH(bool, fullDisk);
        const SystemPrintQueues hung(300);
        AnsweringDialogs dialogs;
        const QString disk = m_scratch.filePath(QStringLiteral("disk"));
        if (fullDisk) {
            QDir().mkpath(disk);
            if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=8k") != 0)
                QSKIP("cannot mount a small tmpfs here (needs root)");
            dialogs.path = disk + QStringLiteral("/deck.pdf");
            QFile older(dialogs.path);
            QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        }
        HeleDeckForm(m_coloured, {}, m_pacer, m_prompter, *m_folder, hung, dialogs)
            .findChild<QPushButton *>(fullDisk ? "PdfKnop" : "PrintKnop")->click();
        QCOMPARE(m_prompter.shown.size(), 1);
        QVERIFY2(m_prompter.shown[0].text.startsWith(fullDisk ? "De PDF is niet opgeslagen" : "No printer or printer offline!"),
                 qPrintable(m_prompter.shown[0].text));
        if (fullDisk) {
            QFile older(dialogs.path);
            QVERIFY(older.open(QIODevice::ReadOnly));
            QCOMPARE(older.readAll(), QByteArray("older"));
            QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"deck.pdf"});
            older.close();
            QCOMPARE(umount(QFile::encodeName(disk).constData()), 0);
        }
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
