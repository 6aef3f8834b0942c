// A phone photo in the import dialog: loading a 48-megapixel JPEG beside libjpeg-turbo's own decoder, one zoom
// change and one frame press at 250 % against the 16 ms of a 60 Hz frame, and the peak memory beside the
// decoded photo. The photos are made by a child run of this program, so that making them does not count in
// the peak memory of the run that measures.
#include "appfolder.h"
#include "benchutil.h"
#include "cardsheet.h"
#include "dialogform.h"
#include "photoloader.h"
#include "photoplace.h"
#include "platform.h"
#include "surface.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QMouseEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>

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

struct Prompts final : Prompter
{
    void message(const QString &, const QString &, Icon) override {}
    bool question(const QString &, const QString &, Icon) override { return false; }
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
    if (argc == 5 && qstrcmp(argv[1], "--make") == 0)
        return makePhoto(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), atoi(argv[4]));
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
    Dialogform dialog(sheet, KaartSoort::Koning, place, pacer, prompts, AppFolder(dir.path()));
    dialog.show();
    auto *zoom = dialog.findChild<QScrollBar *>(QStringLiteral("ZoomScroll"));
    auto *viewport = dialog.findChild<QWidget *>(QStringLiteral("PicCont"));
    auto *slide = dialog.findChild<QWidget *>(QStringLiteral("SlidePic"));
    auto *preview = dialog.findChild<QWidget *>(QStringLiteral("Picture1"));

    const double open = bench::medianMs(1, [&] {
        dialog.List1_Click(0);
        (void)viewport->grab();
    });
    bench::report("Click 48 MP photo in the list, first paint", open, "djpeg", djpeg);
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
    const double afterWork = peakMegabytes();

    const double decoded = 8000.0 * 6000 * 4 / (1024 * 1024);
    std::printf("peak memory: %.0f MB before the photo, %.0f MB after loading, %.0f MB after zooming and framing\n",
                baseline, afterLoad, afterWork);
    std::printf("decoded 48 MP photo %.0f MB; peak above the baseline %.0f MB, ratio %.2f\n", decoded,
                afterWork - baseline, (afterWork - baseline) / decoded);

    // Beyond the 100 MP budget: decoded straight at half size instead of refused.
    PhotoLoad reduced;
    const double hugeMs = bench::medianMs(1, [&] { reduced = PhotoLoader::load(huge); });
    std::printf("108 MP JPEG: loaded as %d x %d in %.0f ms; peak memory now %.0f MB\n", reduced.image.width(),
                reduced.image.height(), hugeMs, peakMegabytes());
    return 0;
}
