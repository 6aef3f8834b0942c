// Saving and opening a composed card sheet, beside writing and reading the same bytes with plain file I/O.
#include "bench/benchutil.h"
#include "surface/picturefile.h"
#include "project/projectstore.h"
#include "surface/regularfile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace vellora;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb((x * 7) & 255, (y * 3) & 255, (x ^ y) & 255));

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    QDir(dir.path()).mkpath(QStringLiteral("Projecten"));
    const ProjectStore store{AppFolder(dir.path())};
    const QString project = dir.path() + QStringLiteral("/Projecten/bench.krt");
    store.save(sheet, QStringLiteral("bench"), nullptr);
    QFile saved(project);
    saved.open(QIODevice::ReadOnly);
    const QByteArray bytes = saved.readAll();
    saved.close();
    std::printf("sheet file: %lld bytes\n", qint64(bytes.size()));

    const int runs = 7;
    const double save = bench::medianMs(runs, [&] { store.save(sheet, QStringLiteral("bench"), nullptr); });
    const QString plain = dir.path() + QStringLiteral("/plain.bin");
    const double write = bench::medianMs(runs, [&] {
        const int fd = ::open(plain.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
        ::fsync(fd);
        ::close(fd);
    });
    bench::report("Save (BMP encode, QSaveFile, fsync, rename)", save, "write+fsync", write);

    const double open = bench::medianMs(runs, [&] { (void)store.open(QStringLiteral("bench")); });
    const double load = bench::medianMs(runs, [&] { (void)PictureFile::load(project); });
    const double read = bench::medianMs(runs, [&] {
        QFile f(project);
        f.open(QIODevice::ReadOnly);
        (void)f.readAll();
    });
    bench::report("Open (header, size check, decode)", open, "read", read);
    // What the file checks cost on their own, beside opening the file plainly: stat, open without waiting,
    // fstat; and the listing that finds the file by its exact bytes.
    const double checked = bench::medianMs(201, [&] { RegularFile f(project, 32ll << 20); });
    const double plainOpen = bench::medianMs(201, [&] {
        QFile f(project);
        f.open(QIODevice::ReadOnly);
    });
    bench::report("Checked open of the project file", checked, "QFile open", plainOpen);
    for (int i = 0; i < 200; ++i)
        store.save(QImage(1, 1, QImage::Format_RGB32), QStringLiteral("ander %1").arg(i), nullptr);
    const QString projects = dir.path() + QStringLiteral("/Projecten");
    const double listing = bench::medianMs(51, [&] { (void)folderEntries(projects); });
    const double qtListing = bench::medianMs(51, [&] { (void)QDir(projects).entryList(QDir::Files); });
    bench::report("Listing 201 projects by their bytes", listing, "QDir::entryList", qtListing);
    bench::report("Load picture (blank sheet path)", load, "read", read);
    return 0;
}
