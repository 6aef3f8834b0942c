#include "appfolder.h"
#include "afdrukform.h"
#include "deckexport.h"
#include "heledeckform.h"
#include "imagebutton.h"
#include "pageink.h"
#include "picturefile.h"
#include "printjobs.h"
#include "printqueues.h"
#include "systemprinttarget.h"
#include "testsupport.h"

#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QRegularExpression>
#include <QtTest>

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vellora;
using print::DeckOrder;
using Pages = std::vector<int>;
Q_DECLARE_METATYPE(Pages)

namespace {

// A print server that knows one ready queue, "Office", and keeps the jobs it is given.
struct ReadyQueues final : PrintQueues
{
    mutable QList<QByteArray> jobs;
    QString defaultPrinter() const override { return QStringLiteral("Office"); }
    std::optional<State> state(const QString &) const override { return State{}; }
    QString submit(const QString &, const QByteArray &pdf, const JobOptions &) const override
    {
        jobs << pdf;
        return {};
    }
};

struct AnsweringDialogs final : DeckDialogs
{
    QString path, suggested;
    std::optional<QString> pdfPath(QWidget *, const QString &s) override { return (suggested = s, path); }
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override { return PrintChoice{p, {}, {}}; }
};

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

int pageCount(const QString &pdf)
{
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {pdf})).captured(1).toInt();
}

QImage render(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("p"));
    run("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
                     "-singlefile", pdf, base});
    return QImage(base + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
}

bool differs(QRgb a, QRgb b, int by = 40)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) >
           by;
}

// Twips of the paper to pixels at `dpi`.
QRect toPixels(const QRect &twips, int dpi)
{
    const double s = dpi / 1440.0;
    return QRect(QPoint(qRound(twips.left() * s), qRound(twips.top() * s)),
                 QPoint(qRound((twips.x() + twips.width()) * s) - 1, qRound((twips.y() + twips.height()) * s) - 1));
}

} // namespace

class TestDeck : public QObject
{
    Q_OBJECT

    QTemporaryDir m_scratch;
    int m_hungServer = -1; // a listening socket: connections are accepted by the system, never answered
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppFolder> m_folder;
    QString m_project;
    const QImage m_sheet = printtest::colouredSheet();

    print::PdfExportCommand::Outcome exportDeck(const QStringList &args)
    {
        return print::PdfExportCommand(*m_folder).run(QStringList{"vellora"} + args);
    }

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
        QVERIFY(::listen(m_hungServer, 8) == 0);
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(m_scratch.path()));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm and pdfimages are not installed (Debian package poppler-utils)");
        m_dir = test::emptyAppFolder();
        m_folder = std::make_unique<AppFolder>(m_dir->path());
        QDir(m_dir->path()).mkpath(QStringLiteral("Data"));
        QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds"));
        QVERIFY(PictureFile::saveBmp(m_sheet, m_dir->filePath(QStringLiteral("Data/Kaarten.krt"))));
        QVERIFY(printtest::quadrantBack({300, 420}).save(m_dir->filePath("Backgrounds/Background-0.jpg"), "JPEG", 90));
        m_project = m_scratch.filePath(QStringLiteral("addressed.krt"));
        QVERIFY(PictureFile::saveBmp(printtest::addressedSheet(), m_project));
    }

    void cleanupTestCase() { ::close(m_hungServer); }

    void pageOrder_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("backs");
        QTest::addColumn<Pages>("pages");
        QTest::newRow("duplex") << int(DeckOrder::Duplex) << true << Pages{1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0};
        QTest::newRow("faces first") << int(DeckOrder::FacesFirst) << true << Pages{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0};
        QTest::newRow("duplex, no back") << int(DeckOrder::Duplex) << false << Pages{1, 2, 3, 4, 5, 6};
        QTest::newRow("faces first, no back") << int(DeckOrder::FacesFirst) << false << Pages{1, 2, 3, 4, 5, 6};
    }

    // Each page of the deck is what its single-page window prints, at the same place.
    void pageOrder()
    {
        QFETCH(int, order);
        QFETCH(bool, backs);
        QFETCH(Pages, pages);
        print::DeckOptions options;
        options.order = DeckOrder(order);
        const print::BackChoice back{backs ? printtest::quadrantBack({30, 40}) : QImage(), {}};
        const auto deck = print::deckPages(m_sheet, back, options, nullptr);
        QVERIFY(deck);
        QCOMPARE(int(deck->size()), int(pages.size()));
        for (size_t i = 0; i < pages.size(); ++i) {
            const print::PrintPage &page = (*deck)[i];
            QCOMPARE(page.faceNumber, pages[i]);
            RecordingPrintTarget single;
            Surface working;
            QVERIFY(pages[i] ? print::printFacePage(m_sheet, print::facePage(pages[i]), "40", "10", working, single).printed
                             : print::printBack(back.image, "0", "0", single).printed);
            QCOMPARE(page.orientation, single.orientation);
            QCOMPARE(page.picture.twips, single.placements.at(0).twips);
            QCOMPARE(page.picture.image, single.placements.at(0).picture);
        }
    }

    // Faces come out of the PDF pixel for pixel; the back is passed on as its own JPEG file.
    void facesLossless()
    {
        const QString pdf = m_scratch.filePath(QStringLiteral("lossless.pdf"));
        QCOMPARE(exportDeck({"--export-pdf", pdf, m_project, "--back", "1"}).exitCode, 0);
        const QStringList list = run("pdfimages", {"-list", pdf}).split(u'\n').mid(2, 12);
        QCOMPARE(list.size(), 12);
        const QString base = m_scratch.filePath(QStringLiteral("img"));
        run("pdfimages", {"-png", pdf, base});
        const QImage sheet = printtest::addressedSheet();
        Surface working;
        for (int i = 0; i < 12; ++i) {
            const QStringList columns = list[i].simplified().split(u' ');
            QCOMPARE(columns.value(8), i % 2 ? QStringLiteral("jpeg") : QStringLiteral("image"));
            if (i % 2)
                continue;
            print::composeFacePage(sheet, print::facePage(i / 2 + 1), working);
            const QImage extracted(QStringLiteral("%1-%2.png").arg(base).arg(i, 3, 10, QChar(u'0')));
            QCOMPARE(test::firstDifference(extracted.convertToFormat(QImage::Format_RGB32),
                                           working.image().convertToFormat(QImage::Format_RGB32)),
                     QString());
        }
    }

    void cutMarks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("margins"); // top, left
        QTest::newRow("page 1") << 1 << QStringList{"40", "10"};
        QTest::newRow("page 2, a cut card at each side") << 2 << QStringList{"40", "10"};
        QTest::newRow("page 6, four columns") << 6 << QStringList{"40", "10"};
        QTest::newRow("page 3, little room below, none left") << 3 << QStringList{"99", "0"};
    }

    // Marks lie in line with the colour changes between cards, and the page differs from one without marks
    // nowhere on or near the printed cards.
    void cutMarks()
    {
        QFETCH(int, page);
        QFETCH(QStringList, margins);
        const int dpi = 150;
        print::DeckOptions options;
        options.scaleBar = false;
        options.topMargin = margins[0];
        options.leftMargin = margins[1];
        options.order = DeckOrder::FacesFirst;
        QImage with, without;
        for (QImage *image : {&with, &without}) {
            options.cutMarks = image == &with;
            const QString pdf = m_scratch.filePath(QStringLiteral("marks.pdf"));
            QVERIFY(print::savePdf(*print::deckPdf(m_sheet, {}, options, nullptr), pdf, nullptr));
            *image = render(pdf, page, dpi);
        }
        options.cutMarks = true;
        const print::PrintPage laidOut = print::deckPages(m_sheet, {}, options, nullptr)->at(page - 1);
        const QRect cards = toPixels(laidOut.picture.twips, dpi);
        const int keepOff = qRound(1.5 / 25.4 * dpi) - 1;
        QRect marked;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (differs(with.pixel(x, y), without.pixel(x, y)))
                    marked |= QRect(x, y, 1, 1);
        QVERIFY(!marked.isEmpty());
        const QRect nearCards = cards.adjusted(-keepOff, -keepOff, keepOff, keepOff);
        QCOMPARE(test::firstDifference(with.copy(nearCards), without.copy(nearCards)), QString());
        const auto markNear = [&](QPoint p) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (with.rect().contains(p + QPoint(dx, dy)) &&
                        differs(with.pixel(p + QPoint(dx, dy)), without.pixel(p + QPoint(dx, dy))))
                        return true;
            return false;
        };
        const print::CardEdges edges = print::cardEdges(print::facePage(page), laidOut.picture.twips);
        QCOMPARE(int(edges.x.size()), page % 3 ? 6 : 5);
        QCOMPARE(int(edges.y.size()), 3);
        int marks = 0;
        for (const QLine &line : laidOut.cutMarks) {
            const QRect m = toPixels(QRect(line.p1(), line.p2()).normalized(), dpi);
            QVERIFY2(markNear(m.center()), qPrintable(QStringLiteral("no mark at %1,%2").arg(m.center().x()).arg(m.center().y())));
            ++marks;
        }
        // Every card edge has a mark at each side of the picture that has room for one, and it lies where the
        // cards' colours change.
        // 1.5 mm of distance and 1 mm of line: 142 twips.
        const int roomAbove = laidOut.picture.twips.top() >= 142, roomLeft = laidOut.picture.twips.left() >= 142;
        QCOMPARE(marks, int(edges.x.size()) * (1 + roomAbove) + int(edges.y.size()) * (1 + roomLeft));
        for (const int x : edges.x) {
            const int px = qRound(x * dpi / 1440.0), y = cards.top() + 4;
            if (px < 3)
                continue; // the paper's own edge
            QVERIFY2(differs(with.pixel(px - 3, y), with.pixel(px + 3, y), 20), qPrintable(QString::number(x)));
        }
        for (const int y : edges.y) {
            const int py = qRound(y * dpi / 1440.0), x = cards.right() - 4;
            QVERIFY2(differs(with.pixel(x, py - 3), with.pixel(x, py + 3), 20), qPrintable(QString::number(y)));
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
        QVERIFY(print::savePdf(*print::deckPdf(m_sheet, {}, options, nullptr), pdf, nullptr));
        const QImage page = render(pdf, 1, 300);
        const int below = toPixels(print::deckPages(m_sheet, {}, options, nullptr)->front().picture.twips, 300).bottom() + 2;
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
        QTest::newRow("project, back 1") << QStringList{"--export-pdf=OUT", "PROJECT", "--back", "1"} << 12;
        QTest::newRow("faces first, bare") << QStringList{"PROJECT", "--export-pdf", "OUT", "--back", "1", "--order",
                                                          "faces-first", "--no-cut-marks", "--no-scale-bar"} << 12;
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
        const QString out = m_scratch.filePath(QStringLiteral("cli.pdf"));
        const QString unfit = m_scratch.filePath(QStringLiteral("unfit.krt"));
        QVERIFY(QImage(10, 10, QImage::Format_RGB32).save(unfit, "BMP"));
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("older") == 5);
        old.close();
        args.replaceInStrings(QStringLiteral("OUT"), out);
        args.replaceInStrings(QStringLiteral("PROJECT"), m_project);
        args.replaceInStrings(QStringLiteral("UNFIT"), unfit);
        const auto outcome = exportDeck(args);
        QCOMPARE(outcome.exitCode, pages ? 0 : 2);
        QCOMPARE(outcome.message.isEmpty(), pages > 0);
        QVERIFY(!outcome.message.contains(u'\n'));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.read(5), pages ? QByteArray("%PDF-") : QByteArray("older"));
        QCOMPARE(pageCount(out), pages ? pages : 0);
        QCOMPARE(QDir(m_scratch.path()).entryList({"cli*"}, QDir::Files), QStringList{"cli.pdf"});
    }

    // The real program, with no display and no platform plugin asked for.
    void commandLineWithoutDisplay()
    {
        const QString out = m_scratch.filePath(QStringLiteral("process.pdf"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VELLORA_EXE), {"--export-pdf", out, m_project, "--back", "1"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(pageCount(out), 12);
    }

    // Save and print from the window; each is one document, the suggested file named after the project.
    void windowMakesOneDocument()
    {
        test::CountingPacer pacer;
        test::ScriptedPrompter prompter;
        ReadyQueues queues;
        AnsweringDialogs dialogs;
        dialogs.path = m_scratch.filePath(QStringLiteral("window.pdf"));
        HeleDeckForm form(m_sheet, QStringLiteral("Zomer"), pacer, prompter, *m_folder, queues, dialogs);
        QCOMPARE(form.backNumber(), 1);
        QCOMPARE(form.findChild<QScrollBar *>("VScroll1")->pageStep(), 1);
        form.findChild<QPushButton *>("PdfKnop")->click();
        QCOMPARE(QFileInfo(dialogs.suggested).fileName(), QStringLiteral("Zomer.pdf"));
        QCOMPARE(pageCount(dialogs.path), 12);
        form.findChild<QPushButton *>("PrintKnop")->click();
        QCOMPARE(queues.jobs.size(), 1);
        QFile job(m_scratch.filePath(QStringLiteral("job.pdf")));
        QVERIFY(job.open(QIODevice::WriteOnly) && job.write(queues.jobs[0]) == queues.jobs[0].size());
        job.close();
        QCOMPARE(pageCount(job.fileName()), 12);
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(HeleDeckForm(m_sheet, {}, pacer, prompter, *m_folder, queues, dialogs).suggestedPdfPath(),
                 QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath("Vellora.pdf"));
    }

    void printFaults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("face page, hung print server") << 0;
        QTest::newRow("deck, hung print server") << 1;
        QTest::newRow("deck saved on a full disk") << 2;
    }

    // A print server that never answers costs a short wait and the message; a full disk leaves the older file.
    void printFaults()
    {
        QFETCH(int, fault);
        test::CountingPacer pacer;
        test::ScriptedPrompter prompter;
        const SystemPrintQueues hung(300);
        AnsweringDialogs dialogs;
        const QString disk = m_scratch.filePath(QStringLiteral("disk"));
        if (fault == 2) {
            QDir().mkpath(disk);
            if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=8k") != 0)
                QSKIP("cannot mount a small tmpfs here (needs root)");
            dialogs.path = disk + QStringLiteral("/deck.pdf");
            QFile older(dialogs.path);
            QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        }
        if (fault == 0) {
            SystemPrintTarget target(hung);
            AfdrukForm form(m_sheet, pacer, prompter, *m_folder, target);
            Q_EMIT form.findChild<ImageButton *>("OkKnop")->clicked();
        } else {
            HeleDeckForm form(m_sheet, {}, pacer, prompter, *m_folder, hung, dialogs);
            form.findChild<QPushButton *>(fault == 1 ? "PrintKnop" : "PdfKnop")->click();
        }
        QCOMPARE(prompter.shown.size(), 1);
        QVERIFY2(prompter.shown[0].text.startsWith(fault == 2 ? "De PDF is niet opgeslagen" : "No printer or printer offline!"),
                 qPrintable(prompter.shown[0].text));
        if (fault == 2) {
            QFile older(dialogs.path);
            QVERIFY(older.open(QIODevice::ReadOnly));
            QCOMPARE(older.readAll(), QByteArray("older"));
            QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"deck.pdf"});
            older.close();
            QCOMPARE(umount(QFile::encodeName(disk).constData()), 0);
        }
    }
};

QTEST_MAIN(TestDeck)
#include "tst_deck.moc"
