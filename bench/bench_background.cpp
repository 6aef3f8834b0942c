// The window while its slow work runs on workers: for each kind of work, the longest its event loop was held
// (the largest gap of a timer asked to fire every 10 ms) beside the time the work took from its start to its
// result. Then, in the same run, the figures of start-up, Open, Save and photo loading beside their floors.
// The photos are made by the photo bench.
#include "bench/benchutil.h"
#include "placement/dialogform.h"
#include "surface/photoloader.h"
#include "placement/photoplace.h"
#include "placement/photoworker.h"
#include "print/afdrukform.h"
#include "print/heledeckform.h"
#include "print/workstrip.h"
#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "shell/mainwindow.h"
#include "surface/photofile.h"
#include "surface/picturefile.h"
#include "surface/widgets/imagebutton.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vellora;

namespace {

struct Answers final : Prompter
{
    void message(const QString &, const QString &, Icon) override {}
    bool question(const QString &, const QString &, Icon) override { return true; }
    Answer ask(const QString &, const QString &, Icon) override { return Answer::Yes; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("bench");
    }
};

struct PdfTo final : DeckDialogs
{
    QString path;
    std::optional<QString> pdfPath(QWidget *, const QString &) override { return path; }
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override { return {{p, {}, {}}}; }
};

// A print server that takes half a second over every job, as a slow one on the network does.
struct SlowQueues final : PrintQueues
{
    QString defaultPrinter() const override { return QStringLiteral("Office"); }
    std::optional<State> state(const QString &) const override { return State{}; }
    Outcome submit(const PrintJob &, const print::PageProgress &, std::stop_token) const override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        return {};
    }
};

// From start() until done(): the largest gap between the ticks of a 10 ms timer, and the time it took.
std::pair<double, double> held(const std::function<void()> &start, const std::function<bool()> &done)
{
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QElapsedTimer clock, since;
    double longest = 0, took = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, double(since.nsecsElapsed()) / 1e6);
        since.restart();
        if (done()) {
            took = double(clock.nsecsElapsed()) / 1e6;
            loop.quit();
        }
    });
    clock.start();
    since.start();
    tick.start(10);
    start();
    loop.exec();
    return {longest, took};
}

void reportHeld(const char *what, std::pair<double, double> hold)
{
    std::printf("%-40s held %7.2f ms (goal 50)   work %8.2f ms   ratio %5.2f\n", what, hold.first,
                hold.second, hold.first / 50);
}

QByteArray readPlainly(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    struct stat info
    {
    };
    ::fstat(fd, &info);
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
    return bytes;
}

std::vector<double> byTurns(int runs, const std::vector<std::function<void()>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int run = 0; run < runs; ++run)
        for (std::size_t i = 0; i < works.size(); ++i)
            times[i].push_back(bench::medianMs(1, works[i]));
    std::vector<double> medians;
    for (std::vector<double> &t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

// A pick in a photo dialog of its own, until its worker has nothing more to do.
std::pair<double, double> pickHeld(const QString &folder, const QString &scratch)
{
    NoPacer pacer;
    Answers prompter;
    PhotoPlace place(folder, scratch);
    const AppFolder app(scratch);
    Dialogform dialog(KaartSoort::Koning, place, pacer, prompter, app);
    dialog.show();
    bool idle = false;
    QObject::connect(dialog.findChild<PhotoWorker *>(), &PhotoWorker::idle, [&] { idle = true; });
    return held([&] { dialog.loadPhoto(0); }, [&] { return idle; });
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    limitPictureDecoders();
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Start-up as the start-up bench has it: its child shows the window, or a bare one, and says so. Timed
    // first, before the photos are made and read: they leave the system reclaiming hundreds of megabytes, and
    // a new process pays for that in every page it touches, the window far more than the bare one.
    const QString starter = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_startup");
    std::vector<double> shown, bare;
    for (int run = 0; run < 21; ++run) {
        shown.push_back(bench::msUntilFirstLine(starter, {QStringLiteral("--child"), QStringLiteral("main")}));
        bare.push_back(bench::msUntilFirstLine(starter, {QStringLiteral("--child"), QStringLiteral("label")}));
    }
    const std::pair startup{bench::median(shown), bench::median(bare)};

    const auto appData = test::copyOfAppData();
    const QString scratch = appData->path();
    const AppFolder folder(scratch);
    const QString jpegs = scratch + QStringLiteral("/jpeg"), heics = scratch + QStringLiteral("/heic"),
                  turned = scratch + QStringLiteral("/turned");
    for (const QString &d : {jpegs, heics, turned})
        QDir().mkpath(d);
    // The photo bench makes the photos as it does for itself.
    const QString maker = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_photo");
    const QString photo = jpegs + QStringLiteral("/IMG_0001.JPG");
    if (QProcess::execute(
            maker, {QStringLiteral("--make"), photo, QStringLiteral("8000"), QStringLiteral("6000")}) ||
        QProcess::execute(maker,
                          {QStringLiteral("--make-heic"), photo, heics + QStringLiteral("/IMG_0002.HEIC")}) ||
        !test::writeBytes(turned + QStringLiteral("/IMG_0003.JPG"),
                          test::withExifOrientation(test::readBytes(photo), 6))) {
        std::printf("could not make the photos\n");
        return 1;
    }

    std::printf("Longest hold of the window's event loop while the work runs on a worker\n");
    reportHeld("Photo pick, 48 MP JPEG", pickHeld(jpegs, scratch));
    const auto heicHold = pickHeld(heics, scratch);
    reportHeld("Photo pick, 48 MP HEIC", heicHold);
    // What the shared machine alone holds the loop for over as long, with no work at all.
    QElapsedTimer idle;
    reportHeld("  nothing running, as long as the HEIC",
               held([&] { idle.start(); }, [&] { return idle.nsecsElapsed() / 1e6 >= heicHold.second; }));

    NoPacer pacer;
    Answers prompter;
    test::RecordingPrintQueues queues;
    Main window(folder, pacer, prompter, queues);
    window.show();
    QAction *save = window.findChild<QAction *>(QStringLiteral("FileSave"));
    reportHeld("Save", held([&] { save->trigger(); }, [&] { return !window.isBusy(); }));
    {
        // Save pressed while the copy of unsaved work is being written: four photos on the court cards and
        // the ace, so the copy's companion carries them too. Held until the copy, no longer needed, is gone.
        QTemporaryDir copies;
        window.startRecovery(copies.path());
        DeckDocument &deck = window.document();
        for (int column : {0, 10, 11, 12}) {
            deck.pasteOnCards(QStringLiteral("Foto plaatsen"),
                              CardPaste{test::gradientPicture(165, 280, column), {0, 1, 2, 3},
                                        QPoint(column * 4275 + 900, 900), QSize(2475, 4200),
                                        test::gradientPicture(495, 840, column)});
        }
        const QString copy = deck.recovery().store()->path();
        reportHeld("Save during a recovery write", held([&] {
            deck.recovery().writeNow();
            save->trigger();
        }, [&] { return !window.isBusy() && !QFile::exists(copy); }));
    }

    const ProjectStore store{folder};
    {
        ProjectCommands commands(store, prompter);
        OpenForm chooser(store, commands, pacer, folder);
        chooser.list()->setCurrentItem(
            chooser.list()->findItems(QStringLiteral("bench"), Qt::MatchExactly).value(0));
        chooser.show();
        reportHeld("Open (the chooser's read)",
                   held([&] { chooser.findChild<ImageButton *>(QStringLiteral("OkKnop"))->click(); },
                        [&] { return !chooser.isVisible(); }));
    }
    const QImage sheet = window.document().sheet().image();
    {
        PdfTo dialogs;
        dialogs.path = scratch + QStringLiteral("/deck.pdf");
        QSettings settings(scratch + QStringLiteral("/instellingen.ini"), QSettings::IniFormat);
        HeleDeckForm deck(sheet, QStringLiteral("bench"), pacer, prompter, folder, queues, dialogs, settings);
        deck.show();
        const WorkStrip *strip = deck.findChild<WorkStrip *>(QStringLiteral("WerkStrook"));
        reportHeld("Deck PDF",
                   held([&] { deck.findChild<QPushButton *>(QStringLiteral("PdfKnop"))->click(); },
                        [&] { return !strip->busy(); }));
    }
    {
        SlowQueues slow;
        AfdrukForm page(sheet, pacer, prompter, folder, slow);
        page.show();
        const WorkStrip *strip = page.findChild<WorkStrip *>(QStringLiteral("WerkStrook"));
        reportHeld("Print a page to a queue taking 0.5 s",
                   held([&] { Q_EMIT page.findChild<ImageButton *>(QStringLiteral("OkKnop"))->clicked(); },
                        [&] { return !strip->busy(); }));
    }

    std::printf("\nFigures beside their floors\n");
    // Each pair by turns, so that a slow spell of the shared machine falls on both alike.
    bench::report("Start-up to the main window shown", startup.first, "QLabel window", startup.second);
    const QString project = scratch + QStringLiteral("/Projecten/bench.krt");
    const QByteArray native = QFile::encodeName(project), bytes = readPlainly(native);
    const QByteArray plain = QFile::encodeName(scratch + QStringLiteral("/plain.bin"));
    // Two floors for reading: QFile::readAll into a fresh buffer, and read(2) into one the allocator hands
    // back warm from the run before.
    const std::vector<double> files =
        byTurns(15, {
                        [&] { (void)store.open(QStringLiteral("bench")); },
                        [&] {
                            QFile file(project);
                            file.open(QIODevice::ReadOnly);
                            (void)file.readAll();
                        },
                        [&] { (void)readPlainly(native); },
                        [&] { (void)store.save(sheet, QStringLiteral("bench")); },
                        [&] {
                            const int fd = ::open(plain.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                            (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
                            ::fsync(fd);
                            ::close(fd);
                        },
                    });
    bench::report("Open a project", files[0], "readAll", files[1]);
    bench::report("Open a project", files[0], "read(2)", files[2]);
    bench::report("Save a project", files[3], "write+fsync", files[4]);
    const QString turnedPhoto = turned + QStringLiteral("/IMG_0003.JPG");
    const std::vector<double> photos =
        byTurns(7, {
                       [&] {
                           QProcess::execute(QStringLiteral("djpeg"), {QStringLiteral("-outfile"),
                                                                       QStringLiteral("/dev/null"), photo});
                       },
                       [&] { (void)PhotoLoader::load(photo); },
                       [&] { (void)PhotoLoader::load(turnedPhoto); },
                   });
    bench::report("Load 48 MP JPEG (read, check, decode)", photos[1], "djpeg", photos[0]);
    bench::report("Load 48 MP JPEG, EXIF orientation 6", photos[2], "same unturned", photos[1]);
    return 0;
}
