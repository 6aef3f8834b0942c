#include "print/deckdialogs.h"
#include "print/printjobs.h"
#include "shell/commandline.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"
#include "surface/surface.h"
#include "surface/userfolders.h"
#include "tests/support/testsupport.h"

#include <QLockFile>
#include <QProcess>
#include <QtTest>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vellora;

extern char **environ;

namespace {

struct Ran
{
    int exitCode;
    QByteArray out, err;
};

// The copy of the real program in `app`, with no display, its arguments passed as bytes, started in `folder`
// (else in `app`).
Ran runProgram(const QString &app, QByteArrayList args, QByteArray folder = {}, const QByteArray &locale = {})
{
    const QByteArray program = QFile::encodeName(app + "/vellora");
    if (folder.isEmpty())
        folder = QFile::encodeName(app);
    args.prepend(program);
    std::vector<char *> argv, envp;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    // With a locale of its own the program hears nothing of the test's language.
    QByteArrayList dropped{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};
    if (!locale.isEmpty())
        dropped += {"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG="};
    QByteArray lang = "LANG=" + locale;
    for (char **e = environ; *e; ++e)
        if (std::none_of(dropped.begin(), dropped.end(),
                         [&](const QByteArray &d) { return QByteArray(*e).startsWith(d); }))
            envp.push_back(*e);
    if (!locale.isEmpty())
        envp.push_back(lang.data());
    envp.push_back(nullptr);
    const QByteArray out = QFile::encodeName(app + "/stdout"), err = QFile::encodeName(app + "/stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    int status = 0;
    const bool started =
        posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started || waitpid(pid, &status, 0) != pid)
        return {-1, {}, {}};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            test::readBytes(app + "/stdout"), test::readBytes(app + "/stderr")};
}

// The command line run in this process, as main() would run it.
Ran runHere(const QByteArrayList &args, const QString &app)
{
    const auto request = CommandLine::parse(QByteArrayList{"vellora"} + args);
    const CommandRunner::Exit outcome = !request ? CommandRunner::Exit{2, {}, request.outcome().text()}
                                                 : CommandRunner(AppFolder(app), {}).run(*request);
    return {outcome.exitCode, outcome.output.toUtf8(), outcome.message.toUtf8() + '\n'};
}

} // namespace

// The command line, in the process and through the real program: what it makes, refuses and leaves alone.
class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_app; // the program's own folder: a copy of the program, its data and its projects
    QString m_out;
    const QImage m_sheet = test::gradientPicture(3990, 1600);

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty());
        const rlimit noCore{0, 0}; // Qt aborts on an unknown platform; that leaves nothing behind
        setrlimit(RLIMIT_CORE, &noCore);
        // Own backs of this test alone: the real program's own folder is another, of its own name.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_app.filePath("data")));
        QVERIFY(QFile::copy(QStringLiteral(VELLORA_EXE), m_app.filePath("vellora")));
        for (const char *folder : {"Data", "Backgrounds", "Projecten"})
            QVERIFY(QDir(m_app.path()).mkpath(folder));
        QVERIFY(PictureFile::saveBmp(m_sheet, m_app.filePath("Data/Kaarten.krt")));
        QVERIFY(PictureFile::saveBmp(m_sheet, m_app.filePath("Projecten/mine.krt")));
        const QByteArray unreadable = QFile::encodeName(m_app.filePath("Projecten/")) + "\xff.krt";
        QCOMPARE(::link(QFile::encodeName(m_app.filePath("Projecten/mine.krt")), unreadable), 0);
        QImage back = test::solidPicture({60, 80}, qRgb(200, 30, 30));
        QVERIFY(back.save(m_app.filePath("Backgrounds/Background-0.jpg"), "JPEG", 95));
        QVERIFY(back.save(m_app.filePath("own.png")));
        m_out = m_app.filePath("out");
    }
    void init() { QVERIFY(QDir().mkpath(m_out)); }
    // The system's language decides, end to end: the usage's first line and a refusal, as each is said. The
    // usage has every option on a line of its own.
    void speaksTheSystemsLanguage_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QByteArray>("usage");
        QTest::addColumn<QByteArray>("refusal");
        QTest::newRow("en_US") << QByteArray("en_US.UTF-8")
                               << QByteArray("Usage: vellora [--export-pdf OUT.pdf")
                               << QByteArray("vellora: unknown option --bogus; see vellora --help");
        // Dutch for the C locale as well: what languageFor decides of nl_NL, tst_language checks.
        QTest::newRow("C") << QByteArray("C") << QByteArray("Gebruik: vellora [--export-pdf UIT.pdf")
                           << QByteArray("vellora: onbekende optie --bogus; zie vellora --help");
    }
    void speaksTheSystemsLanguage()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QByteArray, usage);
        QFETCH(QByteArray, refusal);
        const Ran help = runProgram(m_app.path(), {"--help"}, {}, locale);
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith(usage), help.out.left(120).constData());
        const QStringList lines = QString::fromUtf8(help.out).split(u'\n');
        for (const char *option :
             {"--help", "--export-pdf", "--export-cards", "--calibration", "PROJECT", "--back", "--order",
              "--layout", "--card-size", "--paper", "--flip", "--back-shift", "--whole-page-back", "--bleed",
              "--no-cut-marks", "--no-scale-bar", "--export-shop-pdf", "--cmyk", "--ink"})
            QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^  %1( |$)").arg(option))).size(), 1);
        const Ran bogus = runProgram(m_app.path(), {"--bogus"}, {}, locale);
        QCOMPARE(bogus.exitCode, 2);
        QVERIFY2(bogus.err.contains(refusal), bogus.err.constData());
    }

    // rm, as QDir cannot name what is not valid UTF-8.
    void cleanup() { QCOMPARE(QProcess::execute(QStringLiteral("rm"), {"-rf", m_out}), 0); }
    void cleanupTestCase() { ::unlink(QFile::encodeName(m_app.filePath("Projecten/")) + "\xff.krt"); }

    void exportPdf_data()
    {
        QTest::addColumn<QByteArrayList>("args"); // OUT: the target, PROJECT: the project by its whole path
        QTest::addColumn<QByteArray>("target");   // below the output folder
        QTest::addColumn<QString>("before");      // what the target is before
        QTest::addColumn<bool>("program");        // run the real program, in the project folder
        QTest::addColumn<int>("pages");           // 0: refused, with exit 2
        QTest::addColumn<QString>("says");        // on stderr when refused

        const auto row = [](const char *tag, QByteArrayList args, int pages, const char *says = "",
                            QString before = "pdf", QByteArray target = "cli.pdf", bool program = false) {
            QTest::newRow(tag) << args << target << before << program << pages << QString::fromUtf8(says);
        };
        row("blank sheet, the window's defaults", {"--export-pdf", "OUT"}, 12, "", "free");
        row("project by name, faces first, bare",
            {"mine", "--export-pdf=OUT", "--back", "1", "--order", "faces-first", "--no-cut-marks",
             "--no-scale-bar"},
            12);
        row("no back, Qt's own option beside",
            {"--export-pdf", "OUT", "-style", "fusion", "PROJECT", "--back", "0"}, 6);
        row("missing project", {"--export-pdf", "OUT", "nothere.krt"}, 0,
            "Projecten/nothere.krt is geen Vellora");
        row("two projects", {"--export-pdf", "OUT", "PROJECT", "PROJECT"}, 0, "één project tegelijk");
        row("back no number", {"--export-pdf", "OUT", "--back", "x"}, 0,
            "x kan geen rugzijde zijn: Het bestand bestaat niet.");
        row("unknown order", {"--export-pdf", "OUT", "--order", "simplex"}, 0, "--order is duplex");
        row("no file name", {"--export-pdf", "", "PROJECT"}, 0, "heeft een bestandsnaam nodig");
        row("single dash", {"-export-pdf", "OUT"}, 0, "met twee streepjes: --export-pdf");
        row("repeated option", {"--export-pdf", "OUT", "--order", "duplex", "--order", "duplex"}, 0,
            "--order staat er meer dan eens");
        row("cut for the deck PDF", {"--export-pdf", "OUT", "--cut", "card"}, 0,
            "--cut hoort bij --export-cards of --export-shop-pdf");
        row("a name for the window", {"PROJECT"}, 0, "onverwacht argument");

        const QByteArray project = "../Projecten/mine.krt";
        row("program: same file as the project", {"--export-pdf", "mine.krt", "mine.krt"}, 0,
            "mine.krt wordt niet overschreven: Dit is het project zelf.", "same", project, true);
        row("program without a display",
            {"--export-pdf", "OUT", "mine.krt", "--back", "1", "--whole-page-back"}, 12, "", "pdf", "cli.pdf",
            true);
        row("program: cards on Letter, long edge, shifted",
            {"--export-pdf", "OUT", "--layout", "cards", "--paper", "letter", "--flip", "long",
             "--back-shift", "-1.5,0.5"},
            14, "", "free", "cli.pdf", true);
        row("own picture as the back", {"--export-pdf", "OUT", "--back", "PICTURE"}, 12);
        row("card size the pages cannot take", {"--export-pdf", "OUT", "--card-size", "57x90"}, 0,
            "--card-size geldt alleen voor hele kaarten");
        row("pages on Letter", {"--export-pdf", "OUT", "--paper", "letter"}, 0, "passen alleen op A4");
        row("shift beyond 5 mm", {"--export-pdf", "OUT", "--back-shift", "5.5,0"}, 0, "--back-shift is X,Y");
        row("shift nan,0", {"--export-pdf", "OUT", "--back-shift", "nan,0"}, 0, "--back-shift is X,Y");
        row("shift with decimal commas", {"--export-pdf", "OUT", "--back-shift", "1,5,0"}, 0,
            "gebruik een punt");
        row("program: calibration on Letter", {"--calibration", "OUT", "--paper", "letter"}, 2, "", "free",
            "cli.pdf", true);
        row("calibration on unknown paper", {"--calibration", "OUT", "--paper", "a3"}, 0,
            "--paper is a4 of letter");
        row("program: name not UTF-8", {"--export-pdf", "OUT"}, 12, "", "free", "caf\xe9.pdf", true);
        row("program: project not UTF-8", {"--export-pdf", "OUT", "\xff"}, 12, "", "free", "cli.pdf", true);
        row("program: beyond the file-size limit", {"--export-pdf", "OUT"}, 0,
            "Het bestand wordt groter dan hier mag.", "limit", "cli.pdf", true);
    }

    // A refusal is one line and leaves the target and its folder as they were; what is written is a whole
    // PDF under exactly the name given.
    void exportPdf()
    {
        QFETCH(QByteArrayList, args);
        QFETCH(QByteArray, target);
        QFETCH(QString, before);
        QFETCH(bool, program);
        QFETCH(int, pages);
        QFETCH(QString, says);
        const QByteArray out = QFile::encodeName(m_out) + '/' + target;
        // Every other kind of name the export refuses, through the same check: tst_deckexport; a full disk
        // and a missing folder fail the write as the limit does: tst_deckexport, tst_picturefile.
        if (before == u"pdf" || before == u"limit")
            QVERIFY(test::writeBytes(QFile::decodeName(out), "%PDF-older"));
        const QByteArray was = test::nameState(out);
        const auto entries = [&] {
            QStringList all;
            for (const QString &folder : {m_out, m_app.filePath("Projecten")})
                all << QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                              QDir::NoDotAndDotDot);
            return all;
        };
        const QStringList entriesBefore = entries();

        for (QByteArray &arg : args)
            arg.replace("OUT", out)
                .replace("PROJECT", QFile::encodeName(m_app.filePath("Projecten/mine.krt")))
                .replace("PICTURE", QFile::encodeName(m_app.filePath("own.png")));
        // The limit is the program's to meet: it inherits the signal that would end it as it is by default.
        rlimit limit{}, unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit = {before == u"limit" ? rlim_t(64 << 10) : unlimited.rlim_cur, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const Ran ran = program
                            ? runProgram(m_app.path(), args, QFile::encodeName(m_app.filePath("Projecten")))
                            : runHere(args, m_app.path());
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const QByteArray is = test::nameState(out), written = RegularFile(out, qint64(1) << 32).readAll();
        const QStringList entriesAfter = entries();
        QVERIFY2(entriesAfter.filter(".vellora-").isEmpty(), qPrintable(entriesAfter.join(u' ')));
        if (pages == 0) {
            const QString err = QString::fromUtf8(ran.err);
            QCOMPARE(ran.exitCode, 2);
            QVERIFY2(err.startsWith("vellora: ") && err.count(u'\n') == 1 && err.contains(says),
                     qPrintable(err));
            QCOMPARE(is, was);
            QCOMPARE(entriesAfter, entriesBefore);
            return;
        }
        QCOMPARE(ran.exitCode, 0);
        // A project without its companion prints from its sheet, and says so; the blank sheet does not.
        const bool namesProject = std::any_of(args.begin(), args.end(), [](const QByteArray &arg) {
            return arg.endsWith(".krt") || arg == "mine" || arg == "\xff";
        });
        const QByteArray line = print::screenResolutionText().toUtf8() + '\n';
        QCOMPARE(ran.err, namesProject ? line : program ? QByteArray() : QByteArray("\n"));
        const QString pdf = m_app.filePath("written.pdf"); // under a name the PDF tools take
        QVERIFY(test::writeBytes(pdf, written));
        QCOMPARE(written.left(5), QByteArray("%PDF-"));
        QCOMPARE(test::pdfPageCount(pdf), pages);
        if (QString::fromUtf8(QTest::currentDataTag()).contains(u"Letter"))
            QVERIFY(
                test::runTool(QStringLiteral("pdfinfo"), {pdf}).second.contains(u"612 x 792 pts (letter)"));

        // The real program's deck has the project's faces pixel for pixel (every page: tst_printpages), and
        // the back passed on as its own JPEG file.
        if (QTest::currentDataTag() == QLatin1String("program without a display")) {
            const QString base = m_app.filePath("img");
            QCOMPARE(QProcess::execute(QStringLiteral("pdfimages"), {"-all", "-l", "2", pdf, base}), 0);
            Surface face;
            print::composeFacePage(ScaledPicture{m_sheet}, print::facePage(1), face);
            QCOMPARE(test::firstDifference(test::rgb(QImage(base + "-000.png")), test::rgb(face.image())),
                     "");
            QVERIFY(QFile::exists(base + "-001.jpg"));
        }
    }

    // The cards as pictures from the real program; a bleed over 10 mm is refused. A folder of other files:
    // tst_deckexport, its refusal as the program says it: anotherProcessHoldsTheFolder. Poker cards with an
    // inch of bleed: tst_deckexport's sizes, read from the command line as exportShopPdf reads them.
    void exportCards_data()
    {
        QTest::addColumn<QByteArrayList>("args");
        QTest::addColumn<QString>("says"); // empty: written
        QTest::addColumn<QSize>("dots");   // each card with its bleed
        QTest::newRow("program: 57 x 90, 2 mm")
            << QByteArrayList{"--export-cards", "OUT", "--card-size", "57x90", "--bleed", "2"} << QString()
            << QSize(720, 1110);
        QTest::newRow("bleed of 11 mm")
            << QByteArrayList{"--export-cards", "OUT", "--bleed", "11"} << "--bleed is een maat" << QSize();
        QTest::newRow("program: cut on the frame, no bleed")
            << QByteArrayList{"--export-cards", "OUT", "--cut", "frame", "--bleed", "0"} << QString()
            << QSize(744, 1039);
        QTest::newRow("cut of another word") << QByteArrayList{"--export-cards", "OUT", "--cut", "rand"}
                                             << "--cut is card of frame, niet \"rand\"" << QSize();
        QTest::newRow("cut empty") << QByteArrayList{"--export-cards", "OUT", "--cut="}
                                   << "--cut is card of frame" << QSize();
    }

    void exportCards()
    {
        QFETCH(QByteArrayList, args);
        QFETCH(QString, says);
        QFETCH(const QSize, dots);
        for (QByteArray &arg : args)
            arg.replace("OUT", QFile::encodeName(m_out + "/cards"));
        const Ran ran = says.isEmpty() ? runProgram(m_app.path(), args) : runHere(args, m_app.path());
        const QStringList cards = QDir(m_out + "/cards").entryList(QDir::Files | QDir::Hidden);
        if (!says.isEmpty()) {
            QCOMPARE(ran.exitCode, 2);
            QVERIFY2(ran.err.count('\n') == 1 && QString::fromUtf8(ran.err).contains(says),
                     ran.err.constData());
            QVERIFY(cards.isEmpty());
            return;
        }
        QVERIFY2(ran.exitCode == 0 && ran.err.isEmpty(), ran.err.constData());
        QCOMPARE(cards.size(), 57);
        for (const char *name : {"harten-a.png", "schoppen-joker.png", "rug.png"}) {
            const QImage card(m_out + "/cards/" + name);
            QCOMPARE(card.size(), dots);
            QCOMPARE(qRound(card.dotsPerMeterX() * 0.0254), 300);
        }
    }

    // Another process writing cards into the folder holds it: the program says so at once and touches
    // nothing of that folder; once the other is done the same folder takes the export.
    void anotherProcessHoldsTheFolder()
    {
        const QString cards = m_out + "/cards";
        QVERIFY(QDir().mkpath(cards));
        QLockFile other(cards + "/.vellora-kaarten.lock");
        QVERIFY(other.tryLock(0));
        const QByteArrayList args{"--export-cards", QFile::encodeName(cards)};
        const Ran held = runProgram(m_app.path(), args);
        QCOMPARE(held.exitCode, 2);
        QVERIFY2(held.err.count('\n') == 1 && held.err.contains("worden al kaarten geschreven"),
                 held.err.constData());
        QCOMPARE(QDir(cards).entryList(QDir::Files | QDir::Hidden), QStringList{".vellora-kaarten.lock"});
        other.unlock();
        const Ran free = runProgram(m_app.path(), args);
        QVERIFY2(free.exitCode == 0, free.err.constData());
        QCOMPARE(QDir(cards).entryList(QDir::Files | QDir::Hidden).size(), 57);
    }

    // The print-shop file from the real program is clean to qpdf --check, its 112 pages of the size and bleed
    // asked for, every picture in the colours asked for; every page's boxes and resolution: tst_shoppdf.
    void exportShopPdf_data()
    {
        QTest::addColumn<QByteArrayList>("args");
        QTest::addColumn<QString>("colour"); // as pdfimages -list names it
        QTest::newRow("poker, 1/8 inch, CMYK")
            << QByteArrayList{"--export-shop-pdf", "OUT",     "--card-size", "poker",
                              "--bleed",           "0.125in", "--cmyk"}
            << "cmyk";
        QTest::newRow("bridge, 3 mm, faces first")
            << QByteArrayList{"--export-shop-pdf", "OUT", "--card-size", "bridge", "--order", "faces-first"}
            << "rgb";
    }
    void exportShopPdf()
    {
        QFETCH(QByteArrayList, args);
        QFETCH(const QString, colour);
        const QString pdf = m_out + "/shop.pdf";
        args.replace(1, QFile::encodeName(pdf));
        const Ran ran = runProgram(m_app.path(), args);
        QVERIFY2(ran.exitCode == 0 && ran.err.isEmpty(), ran.err.constData());
        const auto [checked, said] = test::runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY2(checked == 0 && !said.contains(u"WARNING"), qPrintable(said));
        QCOMPARE(test::pdfPageCount(pdf), 112);
        const bool poker = args.contains("poker");
        const QString media = poker ? "0.00 0.00 198.00 270.00" : "0.00 0.00 179.01 269.01";
        const QString trim = poker ? "9.00 9.00 189.00 261.00" : "8.50 8.50 170.50 260.50";
        const QString boxes = test::runTool(QStringLiteral("pdfinfo"), {"-box", pdf}).second; // page 1
        for (const auto &[box, corners] : {std::pair{"MediaBox", media}, {"TrimBox", trim}})
            QVERIFY2(
                boxes.contains(QRegularExpression(box + QStringLiteral(":\\s+") +
                                                  QString(corners).replace(u' ', QStringLiteral("\\s+")))),
                qPrintable(boxes));
        // page num type width height color ...; the back is one picture, listed on each of its pages.
        const QStringList images = test::runTool(QStringLiteral("pdfimages"), {"-list", pdf})
                                       .second.split(u'\n', Qt::SkipEmptyParts)
                                       .mid(2);
        QCOMPARE(images.size(), 112);
        for (const QString &line : images)
            QCOMPARE(line.simplified().split(u' ').value(5), colour);
    }

    // --back N counts as the deck window does: the program's backs, then the user's own, of which only
    // regular files of a picture's size count.
    void backCountsOwnBacks_data()
    {
        QTest::addColumn<QByteArray>("back");
        QTest::addColumn<QString>("beside"); // what else the own folder holds, as makeSpecialFile makes it
        QTest::addColumn<QString>("says");   // empty: written with the own back
        QTest::newRow("the own back") << QByteArray("2") << ""
                                      << "";
        QTest::newRow("beyond the own back") << QByteArray("3") << "fifo"
                                             << "rugzijde 3 bestaat niet (Backgrounds heeft er 2)";
    }
    void backCountsOwnBacks()
    {
        QFETCH(QByteArray, back);
        QFETCH(QString, beside);
        QFETCH(QString, says);
        const QString own = UserFolders::ofThisUser().backgrounds();
        QVERIFY(QDir(own).removeRecursively() && QDir().mkpath(own));
        QImage picture = test::solidPicture({60, 80}, qRgb(30, 30, 200));
        QVERIFY(picture.save(own + "/mine.jpg", "JPEG", 95));
        if (!beside.isEmpty())
            QVERIFY(test::makeSpecialFile(beside, own + "/a.jpg", m_out));
        const QByteArray pdf = QFile::encodeName(m_out) + "/own.pdf";
        const Ran ran = runHere({"--export-pdf", pdf, "--back", back}, m_app.path());
        if (!says.isEmpty()) {
            QCOMPARE(ran.exitCode, 2);
            QVERIFY2(QString::fromUtf8(ran.err).contains(says), ran.err.constData());
            QVERIFY(!QFile::exists(QFile::decodeName(pdf)));
            return;
        }
        QVERIFY2(ran.exitCode == 0, ran.err.constData());
        const QString base = m_out + "/img";
        QCOMPARE(QProcess::execute(QStringLiteral("pdfimages"), {"-all", QFile::decodeName(pdf), base}), 0);
        const QImage printed(base + "-001.jpg");
        QVERIFY(!printed.isNull());
        const QColor centre = printed.pixelColor(printed.width() / 2, printed.height() / 2);
        QVERIFY2(std::abs(centre.blue() - 200) < 12 && centre.red() < 45, qPrintable(centre.name()));
    }

    void composeRefusals_data()
    {
        QTest::addColumn<QByteArrayList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("style beyond 9")
            << QByteArrayList{"--compose", "OUT", "--style", "12"} << "--style is een stijl van 0 tot 9";
        QTest::newRow("joker 0") << QByteArrayList{"--compose", "OUT", "--joker", "0"}
                                 << "--joker is het nummer";
        QTest::newRow("a project to start from")
            << QByteArrayList{"--compose", "OUT", "mine"} << "onverwacht argument";
        QTest::newRow("classic on an export")
            << QByteArrayList{"--export-pdf", "OUT", "--classic"} << "--classic hoort bij --compose";
        // This program folder holds a blank sheet but no symbol sets.
        QTest::newRow("program: no symbols")
            << QByteArrayList{"--compose", "OUT"} << "symboolstijl 0 kan niet";
        QTest::newRow("program: an existing project")
            << QByteArrayList{"--compose", "mine"} << "mine.krt bestaat al";
    }
    // Refused with one line and exit 2, and nothing written: the existing project stays as it was.
    void composeRefusals()
    {
        QFETCH(QByteArrayList, args);
        QFETCH(QString, says);
        const QByteArray out = QFile::encodeName(m_out + "/d.krt");
        for (QByteArray &arg : args)
            arg.replace("OUT", out);
        const QByteArray mine = test::readBytes(m_app.filePath("Projecten/mine.krt"));
        const Ran ran = runProgram(m_app.path(), args, QFile::encodeName(m_out));
        QCOMPARE(ran.exitCode, CommandLine::kExitRefused);
        QVERIFY2(ran.err.contains(says.toUtf8()) && ran.err.count('\n') == 1, ran.err.constData());
        QVERIFY(!QFile::exists(m_out + "/d.krt") && !QFile::exists(m_out + "/d.krm"));
        QCOMPARE(test::readBytes(m_app.filePath("Projecten/mine.krt")), mine);
        QVERIFY(!QFile::exists(m_app.filePath("Projecten/mine.krm")));
    }

    // Qt's own options are left for Qt when the window starts: an unknown platform is Qt's refusal, not ours.
    void qtOptionsReachQt()
    {
        const auto request =
            CommandLine::parse({"vellora", "-platform", "offscreen", "-style=fusion", "--session", "s",
                                "-qwindowgeometry", "10x10", "-display", ":0", "-reverse"});
        QVERIFY(request);
        QCOMPARE(request->command, Command::Window);
        const Ran ran = runProgram(m_app.path(), {"-platform", "nosuchplatform"});
        QVERIFY(ran.exitCode != 0 && ran.exitCode != 2);
        QVERIFY2(ran.err.contains("\"nosuchplatform\""), ran.err.constData());
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
