#include "print/printqueues.h"
#include "shell/application.h"
#include "shell/commandline.h"
#include "shell/language.h"
#include "shell/mainwindow.h"
#include "surface/photofile.h"
#include "surface/platform.h"
#include "surface/regularfile.h"
#include "surface/userfolders.h"
#include "surface/widgets/messageboxprompter.h"

#include <QLocale>
#include <cstdio>

namespace {

// A command that needs no window, so no display either.
int runCommand(int argc, char *argv[], const vellora::CommandLineRequest &request)
{
    // No display is needed, but drawing a project's print master needs fonts, which a GUI application has.
    // What Qt mutters about the session it finds goes nowhere: a command says one line, or nothing. Our own
    // log speaks only when asked for through QT_LOGGING_RULES.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const bool logAsked = qEnvironmentVariableIsSet("QT_LOGGING_RULES");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        const bool ours = logAsked && context.category && qstrncmp(context.category, "vellora.", 8) == 0;
        if (type == QtFatalMsg || ours)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    QGuiApplication app(argc, argv);
    vellora::installLanguage(vellora::languageFor(QLocale::system().uiLanguages()));
    // Names the user's data folder, where the window keeps its projects when the program folder is not the
    // user's to write in.
    QCoreApplication::setApplicationName(QStringLiteral("Vellora"));
    const vellora::AppFolder folder(QCoreApplication::applicationDirPath());
    const vellora::CommandRunner runner(folder, vellora::UserFolders::ofThisUser().data);
    const auto outcome = runner.run(request);
    std::fputs(outcome.output.toLocal8Bit().constData(), stdout);
    if (!outcome.message.isEmpty())
        std::fprintf(stderr, "%s\n", outcome.message.toLocal8Bit().constData());
    return outcome.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    vellora::limitPictureDecoders();
    vellora::failWritesBeyondTheSizeLimit();
    // Names are taken as the bytes they are: a file name need not be valid text.
    const QList<QByteArray> words(argv, argv + argc);
    const auto request = vellora::CommandLine::parse(words);
    if (!request) {
        // Read once more to say why in the user's language, which takes an application to hold it.
        QCoreApplication app(argc, argv);
        vellora::installLanguage(vellora::languageFor(QLocale::system().uiLanguages()));
        const auto again = vellora::CommandLine::parse(words);
        std::fprintf(stderr, "%s\n", again.outcome().text().toLocal8Bit().constData());
        return vellora::CommandLine::kExitRefused;
    }
    if (request->command != vellora::Command::Window)
        return runCommand(argc, argv, *request);

    vellora::Application app(argc, argv);

    vellora::TimerPacer pacer;
    vellora::MessageBoxPrompter prompter(nullptr);
    const vellora::SystemPrintQueues printQueues; // the print server, asked only when printing
    vellora::Main window(vellora::AppFolder(QCoreApplication::applicationDirPath()), pacer, prompter,
                         printQueues);
    prompter.setOwner(&window);
    window.show();
    // Asks about a copy of lost work only once the window stands behind the question.
    window.startRecovery(vellora::UserFolders::ofThisUser().localData);
    return QApplication::exec();
}
