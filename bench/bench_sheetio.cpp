// Saving and opening a composed card sheet, beside writing and reading the same bytes with plain file I/O,
// and beside the way they went before (Qt's BMP writer and reader over the whole file); and how long the
// project chooser's event loop is held while it opens a project.
#include "bench/benchutil.h"
#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"
#include "surface/widgets/imagebutton.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QListWidget>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vellora;

namespace {

// Medians of works run by turns, so that a slow spell of the shared machine or the disk falls on each alike.
std::vector<double> byTurns(int runs, const std::vector<std::function<void()>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < works.size(); ++i)
            times[i].push_back(bench::medianMs(1, works[i]));
    }
    std::vector<double> medians;
    for (std::vector<double> &t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

// Reading the file as plainly as it can be read: one buffer of its size, filled by read(2).
QByteArray readPlainly(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
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

struct Silent final : Prompter
{
    void message(const QString &, const QString &, Icon) override {}
    bool question(const QString &, const QString &, Icon) override { return false; }
    Answer ask(const QString &, const QString &, Icon) override { return Answer::Cancel; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
};

// Ok pressed in the chooser with the project chosen, until the window has closed: the longest gap between
// the ticks of a 10 ms timer, and the time it all took.
std::pair<double, double> chooserHold(const ProjectStore &store, const QString &folder)
{
    Silent prompter;
    NoPacer pacer;
    ProjectCommands commands(store, prompter);
    OpenForm form(store, commands, pacer, AppFolder(folder));
    form.list()->setCurrentItem(form.list()->findItems(QStringLiteral("bench"), Qt::MatchExactly).value(0));
    QElapsedTimer clock, sinceTick;
    double longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    QTimer::singleShot(0, &form, [&] {
        clock.start();
        sinceTick.start();
        tick.start(10);
        form.findChild<ImageButton *>(QStringLiteral("OkKnop"))->click();
    });
    form.exec();
    longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
    return {longest, double(clock.nsecsElapsed()) / 1e6};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb((x * 7) & 255, (y * 3) & 255, (x ^ y) & 255));

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    QDir(dir.path()).mkpath(QStringLiteral("Projecten"));
    const ProjectStore store{AppFolder(dir.path())};
    const QString project = dir.path() + QStringLiteral("/Projecten/bench.krt");
    (void)store.save(sheet, QStringLiteral("bench"));
    const QByteArray bytes = readPlainly(QFile::encodeName(project));
    std::printf("sheet file: %lld bytes\n", qint64(bytes.size()));

    const int runs = 31;
    const QString before = dir.path() + QStringLiteral("/before.krt");
    const QByteArray plain = QFile::encodeName(dir.path() + QStringLiteral("/plain.bin"));
    const std::vector<double> saves = byTurns(runs, {
        [&] { (void)store.save(sheet, QStringLiteral("bench")); },
        [&] {
            QSaveFile file(before);
            file.open(QIODevice::WriteOnly);
            QImageWriter(&file, "bmp").write(sheet);
            file.commit();
        },
        [&] {
            const int fd = ::open(plain.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
            ::fsync(fd);
            ::close(fd);
        },
    });
    bench::report("Save (rows to the file, QSaveFile, fsync)", saves[0], "write+fsync", saves[2]);
    bench::report("Save as before (Qt's BMP writer)", saves[1], "write+fsync", saves[2]);

    // Two floors for reading: QFile::readAll, which takes a fresh buffer larger than the file each time, and
    // read(2) into a buffer of the file's size, which the allocator hands back warm from the run before.
    const QByteArray native = QFile::encodeName(project);
    const std::vector<double> opens = byTurns(runs, {
        [&] { (void)store.open(QStringLiteral("bench")); },
        [&] {
            QFile file(project);
            file.open(QIODevice::ReadOnly);
            QBuffer buffer;
            buffer.setData(file.readAll());
            buffer.open(QIODevice::ReadOnly);
            (void)QImageReader(&buffer, "bmp").read();
        },
        [&] {
            QFile f(project);
            f.open(QIODevice::ReadOnly);
            (void)f.readAll();
        },
        [&] { (void)readPlainly(native); },
        [&] { (void)PictureFile::load(project); },
    });
    bench::report("Open (header, size check, rows to picture)", opens[0], "readAll", opens[2]);
    bench::report("Open as before (whole file, Qt's reader)", opens[1], "readAll", opens[2]);
    bench::report("Open (header, size check, rows to picture)", opens[0], "read(2)", opens[3]);
    bench::report("Open as before (whole file, Qt's reader)", opens[1], "read(2)", opens[3]);
    bench::report("Load picture (blank sheet path)", opens[4], "read(2)", opens[3]);
    const auto [hold, took] = chooserHold(store, dir.path());
    std::printf("%-44s %9.2f ms   over the %.2f ms from Ok to closed\n",
                "Chooser: longest gap of its 10 ms timer", hold, took);

    // What the file checks cost on their own, beside opening the file plainly: stat, open without waiting,
    // fstat; and the listing that finds the file by its exact bytes.
    const double checked = bench::medianMs(201, [&] { RegularFile f(project, 32ll << 20); });
    const double plainOpen = bench::medianMs(201, [&] {
        QFile f(project);
        f.open(QIODevice::ReadOnly);
    });
    bench::report("Checked open of the project file", checked, "QFile open", plainOpen);
    for (int i = 0; i < 200; ++i)
        (void)store.save(QImage(1, 1, QImage::Format_RGB32), QStringLiteral("ander %1").arg(i));
    const QString projects = dir.path() + QStringLiteral("/Projecten");
    const double listing = bench::medianMs(51, [&] { (void)folderEntries(projects); });
    const double qtListing = bench::medianMs(51, [&] { (void)QDir(projects).entryList(QDir::Files); });
    bench::report("Listing 201 projects by their bytes", listing, "QDir::entryList", qtListing);
    return 0;
}
