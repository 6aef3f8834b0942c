// A phone photo in the import dialog: loading a 48-megapixel JPEG beside libjpeg-turbo's own decoder, the same
// photo turned by its EXIF orientation, a 48-megapixel HEIC beside libheif's own converter, every zoom step
// from 0 to 250 % and one frame press at 250 % against the 16 ms of a 60 Hz frame, and the peak memory beside
// the decoded photo. Then the worst photo of each format alone, after and before a 48-megapixel photo, as peak
// memory above the start against the bound of 600 MB, and the time to refuse a HEIC grid of 141 x 141 tiles.
// The photos are made by a child run of this program, so that making them does not count in the peak memory of
// the run that measures.
#include "bench/benchutil.h"
#include "placement/dialogform.h"
#include "placement/photoframing.h"
#include "surface/photoloader.h"
#include "placement/photoplace.h"
#include "placement/photoworker.h"
#include "sheet/cardsheet.h"
#include "surface/appfolder.h"
#include "surface/photofile.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "tests/support/hostilephotos.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QGuiApplication>
#include <QDir>
#include <QImageReader>
#include <QMouseEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>

#include <cstring>

#include <libheif/heif.h>
#include <sys/resource.h>

using namespace vellora;

namespace {

// Processor time, user and system, of this process or of its finished children: wall time on a shared
// machine says more about the neighbours than about the code.
double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    auto ms = [](const timeval &t) { return double(t.tv_sec) * 1000 + double(t.tv_usec) / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Smooth shading with grain, so the JPEG is about as large as a camera's at this size.
int makePhoto(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(24u));
            line[x] = qRgb((x * 200 / width + grain) & 255, (y * 180 / height + grain) & 255,
                           ((x + y) * 90 / (width + height) + 60 + grain) & 255);
        }
    }
    return image.save(path, "JPEG", 90) ? 0 : 1;
}

// The JPEG made above, encoded again as HEIC, as a phone stores it.
int makeHeic(const QString &jpeg, const QString &path)
{
    QImageReader reader(jpeg);
    reader.setAllocationLimit(0);
    const QImage rgb = reader.read().convertToFormat(QImage::Format_RGB888);
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *picture = nullptr;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code != heif_error_Ok
        || heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture).code
        || heif_image_add_plane(picture, heif_channel_interleaved, rgb.width(), rgb.height(), 8).code)
        return 1;
    heif_encoder_set_lossy_quality(encoder, 80);
    heif_encoder_set_parameter_string(encoder, "preset", "ultrafast");
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    const bool ok = heif_context_encode_image(context, picture, encoder, nullptr, nullptr).code == heif_error_Ok
                    && heif_context_write_to_file(context, QFile::encodeName(path).constData()).code == heif_error_Ok;
    heif_image_release(picture);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return ok ? 0 : 1;
}

// The worst photo of each format: the largest that loads, or one small file that costs the most.
int makeWorst(const QString &dir, const QString &jpeg)
{
    QImageReader reader(jpeg);
    const QImage photo = reader.read(); // 8000 x 6000
    const QList<std::pair<const char *, QByteArray>> files = {
        {"rgba.png", test::transparentPng(10000, 10000)},
        {"canvas.webp", test::canvasWebp(9000, 9000)},
        {"tiled.heic", test::tiledHeic(141, 141, qRgb(30, 40, 210))},
        {"small.heic", test::heicBytes(test::gradientPicture(64, 64))},
        {"photo.bmp", test::imageFile(photo, "bmp")},
        {"photo.gif", test::imageFile(photo, "gif")},
        {"photo.png", test::imageFile(photo, "png")},
        {"photo.webp", test::imageFile(photo, "webp", 80)},
    };
    for (const auto &[name, bytes] : files)
        if (bytes.isEmpty() || !test::writeBytes(dir + u'/' + QString::fromLatin1(name), bytes))
            return 1;
    return 0;
}

// Photos loaded one after the other as the dialog does, each shown photo zoomed down to 1 % so that it holds
// all its halves; the first path only warms the decoders up. Prints 1 or 0 for each photo and the peak
// memory above the start in MB.
int printOrderPeak(const QStringList &paths)
{
    (void)PhotoLoader::load(paths[0]);
    const qint64 start = test::processStatusBytes("VmRSS");
    PhotoFraming framing;
    QByteArray loads;
    for (const QString &path : paths.sliced(1)) {
        loads += framing.load(path) ? '1' : '0';
        framing.setZoom(1);
    }
    std::printf("%s %.0f\n", loads.constData(), double(test::processStatusBytes("VmHWM") - start) / (1 << 20));
    return 0;
}

QSize sizeOf(const PhotoLoad &load)
{
    return load ? load->image.size() : QSize();
}

// The peak memory a load adds, in a process of its own so that nothing before it counts.
int printLoadPeak(const QString &path)
{
    // Not getrusage: its peak carries over from the parent through fork and exec.
    const qint64 before = test::processStatusBytes("VmRSS");
    const PhotoLoad loaded = PhotoLoader::load(path);
    std::printf("%.0f %d %d\n", double(test::processStatusBytes("VmHWM") - before) / (1 << 20),
                sizeOf(loaded).width(), sizeOf(loaded).height());
    return loaded.ok() ? 0 : 1;
}

struct Prompts final : Prompter
{
    void message(const QString &, const QString &, Icon) override {}
    bool question(const QString &, const QString &, Icon) override { return false; }
    Answer ask(const QString &, const QString &, Icon) override { return Answer::Cancel; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
};

void press(QWidget *slide, QPoint at)
{
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(at), slide->mapToGlobal(QPointF(at)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slide, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), slide->mapToGlobal(QPointF(at)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(slide, &up);
}

void drag(QWidget *slide, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), slide->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(slide, &move);
}

} // namespace

int main(int argc, char **argv)
{
    limitPictureDecoders(); // as the program does at start-up
    if (argc == 4 && qstrcmp(argv[1], "--make-worst") == 0) {
        QGuiApplication gui(argc, argv);
        return makeWorst(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc > 3 && qstrcmp(argv[1], "--order") == 0) {
        QGuiApplication gui(argc, argv);
        return printOrderPeak(QCoreApplication::arguments().sliced(2));
    }
    if (argc == 5 && qstrcmp(argv[1], "--make") == 0)
        return makePhoto(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), atoi(argv[4]));
    if (argc == 4 && qstrcmp(argv[1], "--make-heic") == 0)
        return makeHeic(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 3 && qstrcmp(argv[1], "--peak") == 0) {
        QGuiApplication gui(argc, argv);
        return printLoadPeak(QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    const QString photo = dir.path() + QStringLiteral("/IMG_0001.JPG");
    const QString huge = dir.path() + QStringLiteral("/huge/IMG_0002.JPG");
    QDir(dir.path()).mkpath(QStringLiteral("huge"));
    auto make = [&](const QString &path, int w, int h) {
        return QProcess::execute(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--make"), path, QString::number(w), QString::number(h)}) == 0;
    };
    if (!make(photo, 8000, 6000) || !make(huge, 12000, 9000)) {
        std::printf("could not make the test photos\n");
        return 1;
    }
    std::printf("48 MP photo: %lld bytes; 108 MP photo: %lld bytes\n", QFileInfo(photo).size(), QFileInfo(huge).size());
    const double baseline = peakMegabytes();

    const int runs = 5;
    double cpu = cpuMs(RUSAGE_CHILDREN);
    const double djpeg = bench::medianMs(runs, [&] {
        QProcess::execute(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), photo});
    });
    const double djpegCpu = (cpuMs(RUSAGE_CHILDREN) - cpu) / runs;
    cpu = cpuMs(RUSAGE_SELF);
    const double qtDecoder = bench::medianMs(runs, [&] {
        QImageReader reader(photo);
        reader.setAllocationLimit(0);
        (void)reader.read();
    });
    const double qtDecoderCpu = (cpuMs(RUSAGE_SELF) - cpu) / runs;
    cpu = cpuMs(RUSAGE_SELF);
    const double load = bench::medianMs(runs, [&] { (void)PhotoLoader::load(photo); });
    const double loadCpu = (cpuMs(RUSAGE_SELF) - cpu) / runs;
    bench::report("Load 48 MP JPEG (read, check, decode)", load, "djpeg", djpeg);
    bench::report("  the same in processor time", loadCpu, "djpeg", djpegCpu);
    bench::report("  beside Qt's decoder alone", load, "QImageReader", qtDecoder);
    bench::report("  the same in processor time", loadCpu, "QImageReader", qtDecoderCpu);

    Surface sheet;
    sheet.resize(sheet::kWidthPixels, sheet::kHeightPixels);
    NoPacer pacer;
    Prompts prompts;
    PhotoPlace place(dir.path(), dir.path());
    Dialogform dialog(KaartSoort::Koning, place, pacer, prompts, AppFolder(dir.path()));
    dialog.show();
    auto *zoom = dialog.findChild<QScrollBar *>(QStringLiteral("ZoomScroll"));
    auto *viewport = dialog.findChild<QWidget *>(QStringLiteral("PicCont"));
    auto *slide = dialog.findChild<QWidget *>(QStringLiteral("SlidePic"));
    auto *preview = dialog.findChild<QWidget *>(QStringLiteral("Picture1"));

    // A pick decodes on the dialog's worker while a timer asks for the event loop every 10 ms: the largest gap
    // between its ticks is the longest the window was held, beside the decode's own time on the worker.
    double decodeMs = 0;
    auto pickHeld = [&](Dialogform &form, const char *what) {
        form.setDecoder([&](const QString &path, qint64 shown) {
            QElapsedTimer timer;
            timer.start();
            PhotoLoad load = PhotoLoader::load(path, shown);
            decodeMs = double(timer.nsecsElapsed()) / 1e6;
            return load;
        });
        QEventLoop loop;
        QObject::connect(form.findChild<PhotoWorker *>(), &PhotoWorker::idle, &loop, &QEventLoop::quit);
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(10);
        QElapsedTimer since;
        double gap = 0;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            gap = std::max(gap, double(since.nsecsElapsed()) / 1e6);
            since.restart();
        });
        QElapsedTimer total;
        total.start();
        since.start();
        tick.start();
        form.loadPhoto(0);
        loop.exec();
        gap = std::max(gap, double(since.nsecsElapsed()) / 1e6);
        QElapsedTimer paint;
        paint.start();
        (void)form.findChild<QWidget *>(QStringLiteral("PicCont"))->grab();
        std::printf("%s (%s): shown in %.0f ms, decode on the worker %.0f ms, first paint after it %.0f ms\n",
                    what, qPrintable(form.windowTitle()), double(total.nsecsElapsed()) / 1e6, decodeMs,
                    double(paint.nsecsElapsed()) / 1e6);
        bench::report("  longest event loop hold (10 ms timer)", gap, "goal", 50);
        bench::report("  the same", gap, "the decode itself", decodeMs);
    };
    pickHeld(dialog, "Pick 48 MP JPEG in the list");
    const double afterLoad = peakMegabytes();

    // A zoom change is the bar's event and the repaint of what the viewport shows.
    auto zoomTo = [&](int from, int to) {
        return bench::medianMs(9, [&] {
            static bool flip = false;
            flip = !flip;
            zoom->setValue(flip ? to : from);
            (void)viewport->grab();
        });
    };
    const double frame = 1000.0 / 60;
    bench::report("Zoom change 249 <-> 250 %, repaint", zoomTo(249, 250), "60 Hz frame", frame);
    bench::report("Zoom change 99 <-> 100 %, repaint", zoomTo(99, 100), "60 Hz frame", frame);
    bench::report("Zoom change 24 <-> 25 %, repaint", zoomTo(24, 25), "60 Hz frame", frame);
    bench::report("Zoom change 4 <-> 5 %, repaint", zoomTo(4, 5), "60 Hz frame", frame);
    bench::report("Zoom change 1 <-> 2 %, repaint", zoomTo(1, 2), "60 Hz frame", frame);

    zoom->setValue(250);
    (void)viewport->grab();
    int i = 0;
    const double pressMs = bench::medianMs(9, [&] {
        press(slide, QPoint(40 + 7 * (i++), 60));
        (void)preview->grab();
    });
    bench::report("Frame press at 250 %, preview repaint", pressMs, "60 Hz frame", frame);

    // Each move reports the pointer 8 pixels up and left of the press in the moved picture, so the picture
    // follows by 8 pixels every time; the viewport repaints, mostly from its tile.
    press(slide, QPoint(200, 300));
    const QPoint start = slide->pos();
    double worstStep = 0;
    const double dragMs = bench::medianMs(31, [&] {
        QElapsedTimer timer;
        timer.start();
        drag(slide, QPoint(200 - 8, 300 - 8));
        (void)viewport->grab();
        worstStep = std::max(worstStep, double(timer.nsecsElapsed()) / 1e6);
    });
    std::printf("(dragged from %d,%d to %d,%d)\n", start.x(), start.y(), slide->pos().x(), slide->pos().y());
    bench::report("Drag step of 8 px at 250 %, repaint", dragMs, "60 Hz frame", frame);
    bench::report("  slowest step (new tile around the view)", worstStep, "60 Hz frame", frame);

    // Every step of the bar, down from 250 % to 0 and up again, as holding an arrow of the bar goes; the halves
    // of the photo are made on the way down, the first time a zoom asks for each.
    double slowest = 0, slowestUp = 0;
    int slowestAt = 0;
    zoom->setValue(250);
    (void)viewport->grab();
    for (int pass = 0; pass < 2; ++pass) {
        for (int step = 1; step <= 250; ++step) {
            const int value = pass == 0 ? 250 - step : step;
            QElapsedTimer timer;
            timer.start();
            zoom->setValue(value);
            (void)viewport->grab();
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (ms > slowest)
                slowest = ms, slowestAt = value;
            if (pass == 1)
                slowestUp = std::max(slowestUp, ms);
        }
    }
    std::printf("(slowest step at %d %%)\n", slowestAt);
    bench::report("Slowest zoom step 250 -> 0 -> 250 %", slowest, "60 Hz frame", frame);
    bench::report("  on the way up, all halves made", slowestUp, "60 Hz frame", frame);
    const double afterWork = peakMegabytes();

    const double decoded = 8000.0 * 6000 * 4 / (1024 * 1024);
    std::printf("peak memory: %.0f MB before the photo, %.0f MB after loading, %.0f MB after zooming and framing\n",
                baseline, afterLoad, afterWork);
    std::printf("decoded 48 MP photo %.0f MB; peak above the baseline %.0f MB, ratio %.2f\n", decoded,
                afterWork - baseline, (afterWork - baseline) / decoded);

    // Beyond the 100 MP budget: decoded straight at half size instead of refused.
    PhotoLoad reduced = Outcome::failure({}); // until it is loaded
    const double hugeMs = bench::medianMs(1, [&] { reduced = PhotoLoader::load(huge); });
    std::printf("108 MP JPEG: loaded as %d x %d in %.0f ms; peak memory now %.0f MB\n",
                sizeOf(reduced).width(), sizeOf(reduced).height(), hugeMs, peakMegabytes());

    // The same photo taken with the phone on its side: the turn after decoding.
    const QString turned = dir.path() + QStringLiteral("/turned/IMG_0003.JPG");
    QDir(dir.path()).mkpath(QStringLiteral("turned"));
    {
        QFile in(photo), out(turned);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray bytes = in.readAll();
        // EXIF orientation 6, big-endian TIFF with one entry, right after the start-of-image marker.
        const QByteArray exif("\xff\xe1\x00\x22" "Exif\0\0" "MM\0\x2a\0\0\0\x08" "\0\x01\x01\x12\0\x03\0\0\0\x01"
                              "\0\x06\0\0" "\0\0\0\0", 36);
        out.write(bytes.left(2) + exif + bytes.mid(2));
    }
    // In turns, and each result let go before the next load, as for the unturned photo: a result held over
    // the next load would leave that load fresh memory to fault in, and time the system rather than the turn.
    std::vector<double> turnedTimes, plainTimes;
    for (int run = 0; run < 5; ++run) {
        turnedTimes.push_back(bench::medianMs(1, [&] { (void)PhotoLoader::load(turned); }));
        plainTimes.push_back(bench::medianMs(1, [&] { (void)PhotoLoader::load(photo); }));
    }
    const double turnedMs = bench::median(turnedTimes), plainMs = bench::median(plainTimes);
    const PhotoLoad upright = PhotoLoader::load(turned);
    std::printf("(turned photo loads as %d x %d)\n", sizeOf(upright).width(), sizeOf(upright).height());
    bench::report("Load 48 MP JPEG, EXIF orientation 6", turnedMs, "same unturned", plainMs);

    const QString heic = dir.path() + QStringLiteral("/heic/IMG_0004.HEIC");
    QDir(dir.path()).mkpath(QStringLiteral("heic"));
    if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--make-heic"), photo, heic}) != 0) {
        std::printf("could not make the HEIC photo\n");
        return 1;
    }
    const QString y4m = dir.path() + QStringLiteral("/heic/out.y4m");
    const double heifConvert = bench::medianMs(3, [&] {
        QProcess::execute(QStringLiteral("heif-convert"), {QStringLiteral("--quiet"), heic, y4m});
    });
    PhotoLoad heicLoad = Outcome::failure({});
    const double heicMs = bench::medianMs(3, [&] { heicLoad = PhotoLoader::load(heic); });
    std::printf("48 MP HEIC: %lld bytes, loads as %d x %d\n", QFileInfo(heic).size(),
                sizeOf(heicLoad).width(), sizeOf(heicLoad).height());
    bench::report("Load 48 MP HEIC (read, check, decode)", heicMs, "heif-convert to y4m", heifConvert);
    {
        // The same pick of the HEIC in a dialog of its own: beside the JPEG shown it would not fit the budget.
        PhotoPlace heicPlace(QFileInfo(heic).path(), dir.path());
        Dialogform heicDialog(KaartSoort::Koning, heicPlace, pacer, prompts, AppFolder(dir.path()));
        heicDialog.show();
        pickHeld(heicDialog, "Pick 48 MP HEIC in the list");
    }
    for (const QString &path : {photo, turned, heic}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), path});
        child.waitForFinished(-1);
        std::printf("peak memory a load adds, %s: %s MB and the photo's size; decoded photo %.0f MB\n",
                    qPrintable(QFileInfo(path).fileName()), child.readAllStandardOutput().trimmed().constData(),
                    decoded);
    }

    const QString worst = dir.path() + QStringLiteral("/worst");
    QDir(dir.path()).mkpath(QStringLiteral("worst"));
    if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--make-worst"), worst, photo}) != 0) {
        std::printf("could not make the worst photos\n");
        return 1;
    }
    const QString tiled = worst + QStringLiteral("/tiled.heic"), small = worst + QStringLiteral("/small.heic");
    PhotoLoad refused = Outcome::failure({});
    const double refuseMs = bench::medianMs(5, [&] { refused = PhotoLoader::load(tiled); });
    const double smallMs = bench::medianMs(5, [&] { (void)PhotoLoader::load(small); });
    std::printf("HEIC grid of 141 x 141 reused tiles, %lld bytes: %s\n", QFileInfo(tiled).size(),
                qPrintable(refused.outcome().text()));
    bench::report("Refuse the HEIC grid of 141 x 141 tiles", refuseMs, "load a 64 x 64 HEIC", smallMs);

    // Peak memory above the start of each photo alone, after a 48 MP photo (shown, with its halves) and
    // before one, against the bound of 600 MB. A 0 says the photo was refused.
    const double bound = 600;
    const QString warm = worst + QStringLiteral("/small.heic");
    auto order = [&](const QStringList &paths) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--order"), warm} + paths);
        child.waitForFinished(-1);
        return QString::fromLatin1(child.readAllStandardOutput().trimmed()).split(u' ');
    };
    std::printf("%-34s %-18s %-18s %-18s\n", "peak above start (MB, ratio to 600)", "alone", "after 48 MP JPEG",
                "before 48 MP JPEG");
    const QList<std::pair<const char *, QString>> photos = {
        {"JPEG 108 MP (decoded at half)", huge},   {"JPEG 48 MP, EXIF turned", turned},
        {"HEIC 48 MP", heic},                      {"HEIC grid 141 x 141 tiles", tiled},
        {"PNG 10000 x 10000 RGBA, 390 KB", worst + QStringLiteral("/rgba.png")},
        {"PNG 48 MP", worst + QStringLiteral("/photo.png")},
        {"WebP 9000 x 9000 canvas, 90 B", worst + QStringLiteral("/canvas.webp")},
        {"WebP 48 MP", worst + QStringLiteral("/photo.webp")},
        {"GIF 48 MP", worst + QStringLiteral("/photo.gif")},
        {"BMP 48 MP", worst + QStringLiteral("/photo.bmp")},
    };
    for (const auto &[name, path] : photos) {
        std::printf("%-34s", name);
        for (const QStringList &paths : {QStringList{path}, QStringList{photo, path}, QStringList{path, photo}}) {
            const QStringList said = order(paths);
            const double mb = said.value(1).toDouble();
            std::printf(" %-4s %4.0f (%.2f)   ", qPrintable(said.value(0)), mb, mb / bound);
        }
        std::printf("\n");
    }
    return 0;
}
