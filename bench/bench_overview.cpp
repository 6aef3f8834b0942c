// Opening the deck overview: the half-size scaling of the sheet and the building of the window, beside one
// plain smooth scaling of the same sheet, which is the least any opening costs.
#include "bench/benchutil.h"
#include "shell/showform.h"
#include "surface/appfolder.h"
#include "surface/platform.h"

#include <QApplication>
#include <QCursor>
#include <QTemporaryDir>

using namespace vellora;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // A busy picture, so that no scaler can take a shortcut over flat areas.
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb((x * 7) & 255, (y * 3) & 255, (x ^ y) & 255));

    const QTemporaryDir empty; // no artwork: the exit button's picture is not what is measured
    const AppFolder folder(empty.path());
    NoPacer pacer;
    const QCursor pointer;

    const int runs = 15;
    const double scaled = bench::medianMs(runs, [&] {
        const QImage half = sheet.scaled(1995, 800, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        (void)half;
    });
    const double build = bench::medianMs(runs, [&] { Showform form(sheet, pacer, folder, pointer); });
    const double shown = bench::medianMs(runs, [&] {
        Showform form(sheet, pacer, folder, pointer);
        form.show();
        (void)form.grab(); // the first paint of the visible part
    });
    bench::report("Showform built (scale + controls)", build, "QImage::scaled", scaled);
    bench::report("Showform built, shown and painted", shown, "QImage::scaled", scaled);
    return 0;
}
