#include "print/deckexport.h"
#include "shell/mainwindow.h"
#include "surface/widgets/messageboxprompter.h"
#include "surface/photofile.h"
#include "surface/platform.h"
#include "print/systemprinttarget.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>

namespace {

// The deck's PDF straight from the command line: no window, so no display is needed either.
int exportPdf(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const vellora::AppFolder folder(QCoreApplication::applicationDirPath());
    const auto outcome = vellora::print::PdfExportCommand(folder).run(QCoreApplication::arguments());
    if (!outcome.message.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(outcome.message));
    return outcome.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    vellora::limitPictureDecoders();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (vellora::print::PdfExportCommand::requested(arguments))
        return exportPdf(argc, argv);

    QApplication app(argc, argv);
    // The name message boxes carry as their title, and the user's data folder (where projects go when the
    // program folder is not the user's to write in) is named after it.
    QCoreApplication::setApplicationName(QStringLiteral("Vellora"));
    // Lets the desktop match the window to the installed vellora.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vellora"));

    // The standard buttons of the message boxes read Ja and Nee, as the rest of the program is Dutch.
    QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    // The help screen's typeface is rarely installed outside its home platform; this one has its metrics.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    vellora::EventLoopPacer pacer;
    vellora::MessageBoxPrompter prompter(nullptr);
    vellora::SystemPrintTarget printer; // the system's default printer, judged when a page begins
    vellora::Main window(vellora::AppFolder(QCoreApplication::applicationDirPath()), pacer, prompter, printer);
    prompter.setOwner(&window);
    window.show();
    // Asks about a copy of lost work only once the window stands behind the question.
    window.startRecovery(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    return QApplication::exec();
}
