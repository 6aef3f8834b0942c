#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <atomic>

using namespace vellora;
using namespace Qt::StringLiterals;

// Holds the worker in the middle of a read until the test lets it go, then brings `sheet`.
struct HeldReader
{
    QSemaphore started, release;
    QAtomicInt reads;
    std::atomic<bool> onGlobalPool = false;
    std::optional<QImage> sheet;
    OpenForm::Reader reader()
    {
        return [this](const QString &) {
            reads.ref();
            onGlobalPool = onGlobalPool || QThreadPool::globalInstance()->contains(QThread::currentThread());
            started.release();
            release.tryAcquire(1, 10000); // a read that never ends would only hide a failure
            return sheet;
        };
    }
    ~HeldReader() { release.release(8); }
};

// Projecten in `app` holding `files`, written in this order with the red level 20, 30, 40, ...
bool writeProjects(const QString &app, const QStringList &files)
{
    int red = 10;
    for (const QString &file : files) {
        const QImage image = test::solidPicture({3990, 1600}, qRgb(red += 10, 100, 200));
        if (!QDir(app).mkpath(u"Projecten"_s) || !image.save(app + u"/Projecten/"_s + file, "BMP"))
            return false;
    }
    return true;
}

// The chooser over such a folder; `written` says whether every project was.
template <typename Paced> struct Chooser
{
    std::unique_ptr<QTemporaryDir> dir = test::emptyAppFolder();
    bool written;
    test::ScriptedPrompter prompter;
    Paced pacer;
    const ProjectStore store{AppFolder(dir->path())};
    ProjectCommands commands{store, prompter};
    HeldReader held; // outlives the form, whose read it serves
    OpenForm form{store, commands, pacer, AppFolder(dir->path())};
    QListWidget *list = form.list();

    explicit Chooser(const QStringList &files) : written(writeProjects(dir->path(), files)) {}
    QPoint entry(int row) const { return list->visualItemRect(list->item(row)).center(); }
    QWidget *button(const QString &name) const { return form.findChild<QWidget *>(name); }
    bool active()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }
    // Space-separated: "click", "dclick" on the first entry, "click2" on the second; "Down", "Up", "Escape":
    // keys; "press", "releaseOff": the Cancel button pressed, then released beside it; else a button's click.
    void act(const QString &steps)
    {
        QWidget *cancel = button(u"CancelKnop"_s);
        for (const QString &action : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (action.startsWith(u"click"))
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry(action == u"click2"));
            else if (action == u"dclick")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry(0));
            else if (action == u"Down" || action == u"Up")
                QTest::keyClick(list, action == u"Down" ? Qt::Key_Down : Qt::Key_Up);
            else if (action == u"Escape")
                QTest::keyClick(&form, Qt::Key_Escape);
            else if (action == u"press")
                QTest::mousePress(cancel, Qt::LeftButton);
            else if (action == u"releaseOff")
                QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(-5, cancel->height() / 2));
            else
                QTest::mouseClick(button(action + u"Knop"_s), Qt::LeftButton);
        }
    }
};

class TestOpenForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosing_data()
    {
        // Projects are written in this order with the red level 20, 30, 40, ...; the list shows them by name.
        QTest::addColumn<QStringList>("files");
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
        Chooser<test::CountingPacer> c(files);
        QVERIFY(c.written);
        auto [form, pacer, prompter] = std::tie(c.form, c.pacer, c.prompter);
        QVERIFY(c.active());
        c.act(steps);
        QTRY_VERIFY(!form.isReading());
        QCOMPARE(form.findChild<QLabel *>(u"Label1"_s)->text(), label);
        QCOMPARE(form.openedSheet() ? qRed(form.openedSheet()->pixel(0, 0)) : 0, opened);
        QCOMPARE(form.isVisible(), !closed);
        // The pressed look, as a click has it, and the wait before a read shows its progress.
        QCOMPARE(pacer.pauses, QList<int>(closed ? 1 : 0, 200) + QList<int>(opened ? 1 : 0, 500));
        QCOMPARE(prompter.shown.size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(prompter.shown[0].text, u"Géén orginele Vellora!"_s);
    }

    // Ok opens only once its pressed look is over. Clicks, a double-click and Escape given meanwhile are not
    // a second action: one project is opened, through one look, and Cancel does not close the window first.
    void clickDuringPressedLook()
    {
        Chooser<test::SteppedPacer> c({u"een.krt"_s});
        QVERIFY(c.written && c.active());
        auto [form, pacer] = std::tie(c.form, c.pacer);
        QWidget *ok = c.button(u"OkKnop"_s);
        const QPoint rest = ok->pos();
        c.act(u"click Ok"_s);
        QCOMPARE(ok->pos(), rest + QPoint(2, 2)); // 30 twips right and down
        c.act(u"Ok dclick Cancel Escape"_s);
        QVERIFY(!form.openedSheet());
        QVERIFY(form.isVisible());

        QCOMPARE(pacer.runAll(), 2);
        QCOMPARE(ok->pos(), rest);
        QTRY_VERIFY(!form.isReading());
        QCOMPARE(form.openedSheet() ? qRed(form.openedSheet()->pixel(0, 0)) : 0, 20);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
        QCOMPARE(pacer.pauses, (QList<int>{200, 500}));
    }

    // While the read is held on the worker the window answers (a click chooses, the progress shows after
    // its wait); Ok again reads nothing more, and a window closed meanwhile drops the sheet, saying nothing.
    void whileReading_data()
    {
        QTest::addColumn<QString>("steps"); // one by one, what waits run after each
        QTest::addColumn<bool>("sheet");    // the read brings a sheet, else nothing
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("closed"); // before the read ends
        QTest::newRow("a click chooses") << u"click2"_s << true << u"twee"_s << false;
        QTest::newRow("Ok again reads nothing") << u"Ok dclick Ok"_s << true << u"een"_s << false;
        QTest::newRow("Cancel drops the sheet") << u"Cancel"_s << true << u"een"_s << true;
        QTest::newRow("Escape drops the refusal") << u"Escape"_s << false << u"een"_s << true;
        QTest::newRow("a refusal once read") << QString() << false << u"een"_s << false;
    }

    void whileReading()
    {
        QFETCH(QString, steps);
        QFETCH(bool, sheet);
        QFETCH(QString, label);
        QFETCH(bool, closed);
        Chooser<test::SteppedPacer> c({u"een.krt"_s, u"twee.krt"_s});
        auto [form, pacer, prompter, held] = std::tie(c.form, c.pacer, c.prompter, c.held);
        if (sheet)
            held.sheet = test::solidPicture({4, 4}, qRgb(77, 0, 0));
        form.setReader(held.reader());
        QVERIFY(c.written && c.active());
        auto *progress = form.findChild<QProgressBar *>(u"Voortgang"_s);
        c.act(u"click Ok"_s);
        QVERIFY(pacer.step()); // the pressed look; then the read starts
        QVERIFY(held.started.tryAcquire(1, 10000));
        QVERIFY(form.isReading() && !progress->isVisible());
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            c.act(step);
            pacer.runAll();
        }
        pacer.runAll();
        bool answered = false;
        QTimer::singleShot(0, &form, [&answered] { answered = true; });
        QTRY_VERIFY(answered);
        QCOMPARE(form.isVisible(), !closed);
        QCOMPARE(progress->isVisible(), !closed);
        QCOMPARE(form.findChild<QLabel *>(u"Label1"_s)->text(), label);
        QVERIFY(prompter.shown.isEmpty());

        // Qt draws scaled pictures on the global pool's threads and waits for them: a read must not sit
        // there.
        QVERIFY(!held.onGlobalPool);
        held.release.release();
        QTRY_VERIFY(!form.isReading() && !form.isVisible());
        QCoreApplication::sendPostedEvents(); // what the finished read left for the window
        QCOMPARE(held.reads.loadRelaxed(), 1);
        QCOMPARE(form.result(), int(closed ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(form.openedSheet().has_value(), sheet && !closed);
        QCOMPARE(prompter.shown.size(), int(!sheet && !closed));
        QVERIFY(!progress->isVisible());
    }
};

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
