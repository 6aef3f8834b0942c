#include "mainwindow.h"
#include "messageboxprompter.h"
#include "platform.h"
#include "qprintertarget.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
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
    vellora::QPrinterTarget printer; // the system's default printer, judged when a page begins
    vellora::Main window(vellora::AppFolder(QCoreApplication::applicationDirPath()), pacer, prompter, printer);
    prompter.setOwner(&window);
    window.show();
    return QApplication::exec();
}
