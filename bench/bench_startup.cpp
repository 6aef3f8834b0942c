// Start-up to the window shown, as whole processes: the main window with the generated data, beside a bare Qt
// window showing one QLabel, the floor any Qt program here pays; and on screens scaled to 125 and 200 %. Each
// run is a fresh process, so loading libraries, fonts and the data files is counted as a user would wait for
// it. The clock stops when the child says its window is exposed: what it does after that, such as closing, the
// user does not wait for.
#include "bench/benchutil.h"
#include "print/printqueues.h"
#include "shell/application.h"
#include "shell/mainwindow.h"
#include "surface/platform.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <cstdio>
#include <utility>
#include <vector>

using namespace vellora;

namespace {

void shown()
{
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
}

int child(int argc, char **argv)
{
    const QString mode = QString::fromLatin1(argv[2]);
    if (mode == u"label") {
        QApplication app(argc, argv);
        QLabel label(QStringLiteral("Zelf Vellora Maken"));
        label.show();
        if (!QTest::qWaitForWindowExposed(&label))
            return 1;
        shown();
        return 0;
    }
    Application app(argc, argv); // as the program has it
    NoPacer pacer;
    const SystemPrintQueues printer; // as the program has it: nothing is asked of the server until printing
    struct Silent final : Prompter
    {
        void message(const QString &, const QString &, Icon) override {}
        bool question(const QString &, const QString &, Icon) override { return false; }
        Answer ask(const QString &, const QString &, Icon) override { return Answer::Cancel; }
        std::optional<QString> input(const QString &, const QString &, const QString &) override
        {
            return {};
        }
    } prompter;
    Main window(AppFolder(QStringLiteral(VELLORA_APPDATA_DIR)), pacer, prompter, printer);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    shown();
    return 0;
}

double timeChild(const QString &program, const QString &mode, const char *scale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scale));
    return bench::msUntilFirstLine(program, {QStringLiteral("--child"), mode}, environment);
}

// The median of each, from runs taken in turns, so that a busy moment of the machine weighs on both alike.
std::pair<double, double> timeInTurns(const QString &program, const QString &a, const char *scaleA,
                                      const QString &b, const char *scaleB)
{
    constexpr int kRuns = 15;
    std::vector<double> timesA, timesB;
    for (int run = 0; run < kRuns; ++run) {
        timesA.push_back(timeChild(program, a, scaleA));
        timesB.push_back(timeChild(program, b, scaleB));
    }
    return {bench::median(timesA), bench::median(timesB)};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv);
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString main = QStringLiteral("main");
    const auto [window, label] = timeInTurns(self, main, "1", QStringLiteral("label"), "1");
    bench::report("Start-up to the main window shown", window, "QLabel window", label);
    // On a scaled screen every picture is brought to the screen's pixels from its double-size drawing.
    for (const char *scale : {"1.25", "2"}) {
        const auto [scaled, plain] = timeInTurns(self, main, scale, main, "1");
        bench::report(qPrintable(QStringLiteral("The same at %1x").arg(QLatin1String(scale))), scaled,
                      "at 1x", plain);
    }
    return 0;
}
