// Start-up to the window shown, as whole processes: the main window with the generated data, beside a bare Qt
// window showing one QLabel, the floor any Qt program here pays; and on screens scaled to 125 and 200 %. Each
// run is a fresh process, so loading libraries, fonts and the data files is counted as a user would wait for
// it.
#include "bench/benchutil.h"
#include "print/printqueues.h"
#include "shell/mainwindow.h"
#include "surface/platform.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <cstdio>

using namespace vellora;

namespace {

int child(const QString &mode)
{
    if (mode == u"label") {
        QLabel label(QStringLiteral("Zelf Vellora Maken"));
        label.show();
        return QTest::qWaitForWindowExposed(&label) ? 0 : 1;
    }
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
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

double runChild(const QString &program, const QString &mode, const char *scale = "1")
{
    return bench::medianMs(7, [&] {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scale));
        process.setProcessEnvironment(environment);
        process.start(program, {QStringLiteral("--child"), mode});
        process.waitForFinished(60000);
    });
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        return child(QString::fromLatin1(argv[2]));
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const double label = runChild(self, QStringLiteral("label"));
    const double main = runChild(self, QStringLiteral("main"));
    bench::report("Start-up to the main window shown", main, "QLabel window", label);
    // On a scaled screen every picture is brought to the screen's pixels from its double-size drawing.
    for (const char *scale : {"1.25", "2"})
        bench::report(qPrintable(QStringLiteral("The same at %1x").arg(QLatin1String(scale))),
                      runChild(self, QStringLiteral("main"), scale), "at 1x", main);
    return 0;
}
