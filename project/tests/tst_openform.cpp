#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace vellora;
using namespace Qt::StringLiterals;

class TestOpenForm : public QObject
{
    Q_OBJECT

    // An application folder whose Projecten holds `files`, written in this order with the red level 20, 30,
    // 40, ...
    static std::unique_ptr<QTemporaryDir> withProjects(const QStringList &files)
    {
        auto dir = test::emptyAppFolder();
        QDir(dir->path()).mkpath(u"Projecten"_s);
        int red = 10;
        for (const QString &file : files) {
            QImage image(3990, 1600, QImage::Format_RGB32);
            image.fill(qRgb(red += 10, 100, 200));
            if (!image.save(dir->path() + u"/Projecten/"_s + file, "BMP"))
                return nullptr;
        }
        return dir;
    }

private Q_SLOTS:
    void choosing_data()
    {
        // Projects are written in this order with the red level 20, 30, 40, ...; the list shows them by name.
        QTest::addColumn<QStringList>("files");
        // "click", "dclick": on the first row; "Down", "Up", "Escape": keys; "Ok", "Cancel": clicks;
        // "press", "releaseOff": the Cancel button pressed, then released beside it.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("label"); // Label1 afterwards
        QTest::addColumn<int>("opened");    // the red level of the sheet opened; 0: none
        QTest::addColumn<bool>("closed");   // always through a button's pressed look
        QTest::addColumn<bool>("refused");  // "Géén orginele Vellora!" shown
        const QStringList one{"een.krt"}, abc{"a.krt", "a b.krt", "a-b.krt"};
        QTest::newRow("click shows the name, Ok opens it")
            << QStringList{"een.krt", " twee .krt"} << u"click Ok"_s << u" twee "_s << 30 << true << false;
        QTest::newRow("double click is Ok") << one << u"click dclick"_s << u"een"_s << 20 << true << false;
        QTest::newRow("arrow keys choose as a click does")
            << abc << u"click Down Down Up Ok"_s << u"a-b"_s << 40 << true << false;
        // Nothing is chosen at first, though a project is there.
        QTest::newRow("Ok without a choice refuses and closes")
            << one << u"Ok"_s << u"1 Project(en)"_s << 0 << true << true;
        QTest::newRow("Cancel changes nothing") << one << u"click Cancel"_s << u"een"_s << 0 << true << false;
        QTest::newRow("Cancel released elsewhere")
            << one << u"press releaseOff"_s << u"1 Project(en)"_s << 0 << false << false;
        QTest::newRow("Escape") << one << u"Escape"_s << u"1 Project(en)"_s << 0 << true << false;
    }

    void choosing()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, steps);
        QFETCH(QString, label);
        QFETCH(int, opened);
        QFETCH(bool, closed);
        QFETCH(bool, refused);
        const auto dir = withProjects(files);
        QVERIFY(dir);
        test::ScriptedPrompter prompter;
        test::CountingPacer pacer;
        const ProjectStore store{AppFolder(dir->path())};
        ProjectCommands commands(store, prompter);
        OpenForm form(store, commands, pacer, AppFolder(dir->path()));
        form.show();
        QListWidget *list = form.list();
        QWidget *ok = form.findChild<QWidget *>(u"OkKnop"_s);
        QWidget *cancel = form.findChild<QWidget *>(u"CancelKnop"_s);
        const QPoint first = list->count() ? list->visualItemRect(list->item(0)).center() : QPoint();
        for (const QString &action : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (action == u"click")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
            else if (action == u"dclick")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
            else if (action == u"Down" || action == u"Up")
                QTest::keyClick(list, action == u"Down" ? Qt::Key_Down : Qt::Key_Up);
            else if (action == u"Ok" || action == u"Cancel")
                QTest::mouseClick(action == u"Ok" ? ok : cancel, Qt::LeftButton);
            else if (action == u"press")
                QTest::mousePress(cancel, Qt::LeftButton);
            else if (action == u"releaseOff")
                QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(-5, cancel->height() / 2));
            else if (action == u"Escape") {
                form.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&form));
                QTest::keyClick(&form, Qt::Key_Escape);
            }
        }
        QCOMPARE(form.findChild<QLabel *>(u"Label1"_s)->text(), label);
        QCOMPARE(form.openedSheet() ? qRed(form.openedSheet()->pixel(0, 0)) : 0, opened);
        QCOMPARE(form.isVisible(), !closed);
        QCOMPARE(pacer.pauses, QList<int>(closed ? 1 : 0, 200)); // the pressed look, as a click has it
        QCOMPARE(prompter.shown.size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(prompter.shown[0].text, u"Géén orginele Vellora!"_s);
    }

    // Ok opens only once its pressed look is over. Clicks, a double-click and Escape given meanwhile are not
    // a second action: one project is opened, through one look, and Cancel does not close the window first.
    void clickDuringPressedLook()
    {
        const auto dir = withProjects({u"een.krt"_s});
        QVERIFY(dir);
        test::ScriptedPrompter prompter;
        test::SteppedPacer pacer;
        const ProjectStore store{AppFolder(dir->path())};
        ProjectCommands commands(store, prompter);
        OpenForm form(store, commands, pacer, AppFolder(dir->path()));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QListWidget *list = form.list();
        auto *ok = form.findChild<QWidget *>(u"OkKnop"_s);
        const QPoint rest = ok->pos(), first = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);

        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(ok->pos(), rest + QPoint(2, 2)); // 30 twips right and down
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseClick(form.findChild<QWidget *>(u"CancelKnop"_s), Qt::LeftButton);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.openedSheet());
        QVERIFY(form.isVisible());

        QCOMPARE(pacer.runAll(), 1);
        QCOMPARE(ok->pos(), rest);
        QCOMPARE(form.openedSheet() ? qRed(form.openedSheet()->pixel(0, 0)) : 0, 20);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
        QCOMPARE(pacer.pauses, QList<int>{200});
    }
};

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
