#include "print/deckchoices.h"
#include "shell/application.h"
#include "shell/mainwindow.h"
#include "surface/platform.h"
#include "surface/userfolders.h"
#include "surface/widgets/picturebox.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QStyle>
#include <QtTest>

using namespace vellora;
using namespace Qt::StringLiterals;

// The window as the program starts it, in the program's own application.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt's picture plugins (the HEIF decoder and its codecs among them) load when a reader must find out by
    // itself what a file is; nothing the first frame shows needs that, so none is loaded before it.
    void theFirstFrameLoadsNoPicturePlugin()
    {
        auto app = test::copyOfAppData();
        NoPacer pacer;
        test::ScriptedPrompter prompter;
        test::RecordingPrintQueues printer;
        Main window(AppFolder(app->path()), pacer, prompter, printer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("/imageformats/"), "a picture plugin was loaded before the first frame");

        // The deck read beside the widgets is the one shown.
        QVERIFY(!window.document().sheet().image().isNull());
        const QImage shown = window.findChild<PictureBox *>(u"Pic"_s)->image();
        QCOMPARE(test::byteDifference(test::rgb(shown),
                                      test::rgb(window.document().sheet().image().copy(0, 0, 285, 400))),
                 QString());
    }

    // The window's choices go to Vellora/Vellora.conf (they went to "Unknown Organization"), and the user's
    // projects and backs stay in the data folder's Vellora.
    void theSettingsFileIsTheProgramsOwn()
    {
        const QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(u"data"_s)));
        QCOMPARE(print::userSettingsFile(), home.filePath(u"config/Vellora/Vellora.conf"_s));
        QCOMPARE(UserFolders::ofThisUser().data, home.filePath(u"data/Vellora"_s));
    }

    // The arrow of a menu bar whose menus do not fit is drawn, in both directions.
    void theMenuBarArrowIsDrawn()
    {
        for (const auto which :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QImage arrow = QApplication::style()->standardIcon(which).pixmap(16, 16).toImage();
            QVERIFY(!arrow.isNull());
            QVERIFY(arrow.pixelColor(5, 8).alpha() > 0 || arrow.pixelColor(8, 5).alpha() > 0);
        }
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
