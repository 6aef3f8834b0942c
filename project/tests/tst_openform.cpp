#include "openform.h"
#include "projectcommands.h"
#include "projectstore.h"
#include "testsupport.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace vellora;

class TestOpenForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choosing_data()
    {
        // Projects are written in this order with the red level 20, 30, 40, ...; the list shows them by name.
        QTest::addColumn<QStringList>("files");
        // "click n", "dclick n": on list row n; "Down", "Up", "Escape": keys; "Ok", "Cancel": clicks;
        // "press", "release off": the Cancel button pressed, then released beside it.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("label"); // Label1 afterwards
        QTest::addColumn<int>("opened");    // the red level of the sheet opened; 0: none
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("pressedLooks");
        QTest::addColumn<int>("boxes");
        const QStringList one{"een.krt"}, abc{"a.krt", "a b.krt", "a-b.krt"};
        QTest::newRow("count of none") << QStringList{} << QStringList{} << "0 Project(en)" << 0 << false << 0 << 0;
        QTest::newRow("count of three") << abc << QStringList{} << "3 Project(en)" << 0 << false << 0 << 0;
        QTest::newRow("click shows the name, Ok opens it")
            << QStringList{"een.krt", " twee .krt"} << QStringList{"click 0", "Ok"} << " twee " << 30 << true << 1
            << 0;
        QTest::newRow("double click is Ok") << one << QStringList{"click 0", "dclick 0"} << "een" << 20 << true << 1
                                            << 0;
        QTest::newRow("arrow keys choose as a click does")
            << abc << QStringList{"click 0", "Down", "Down", "Up", "Ok"} << "a-b" << 40 << true << 1 << 0;
        QTest::newRow("arrow down to the last") << abc << QStringList{"click 0", "Down", "Down"} << "a" << 0 << false
                                                << 0 << 0;
        QTest::newRow("Ok without a choice refuses and closes")
            << QStringList{} << QStringList{"Ok"} << "0 Project(en)" << 0 << true << 1 << 1;
        QTest::newRow("Cancel changes nothing") << one << QStringList{"click 0", "Cancel"} << "een" << 0 << true << 1
                                                << 0;
        QTest::newRow("Cancel released elsewhere") << one << QStringList{"press", "release off"} << "1 Project(en)"
                                                   << 0 << false << 0 << 0;
        QTest::newRow("Cancel pressed, not yet released")
            << one << QStringList{"press"} << "1 Project(en)" << 0 << false << 0 << 0;
        QTest::newRow("Escape") << one << QStringList{"Escape"} << "1 Project(en)" << 0 << true << 1 << 0;
    }

    void choosing()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, steps);
        QFETCH(QString, label);
        QFETCH(int, opened);
        QFETCH(bool, closed);
        QFETCH(int, pressedLooks);
        QFETCH(int, boxes);
        const auto dir = test::emptyAppFolder();
        QDir(dir->path()).mkpath(QStringLiteral("Projecten"));
        int red = 10;
        for (const QString &file : files) {
            QImage image(3990, 1600, QImage::Format_RGB32);
            image.fill(qRgb(red += 10, 100, 200));
            QVERIFY(image.save(dir->path() + QStringLiteral("/Projecten/") + file, "BMP"));
        }
        test::ScriptedPrompter prompter;
        test::CountingPacer pacer;
        const ProjectStore store{AppFolder(dir->path())};
        ProjectCommands commands(store, prompter);
        OpenForm form(store, commands, pacer, AppFolder(dir->path()));
        form.show();
        QListWidget *list = form.list();
        QVERIFY(list->selectedItems().isEmpty());
        const auto button = [&](const char *name) { return form.findChild<QWidget *>(QString::fromLatin1(name)); };
        QWidget *cancel = button("CancelKnop");
        const QPoint okRest = button("OkKnop")->pos();
        for (const QString &step : steps) {
            const QPoint row = step.contains(u' ') && step[0] != u'r'
                                   ? list->visualItemRect(list->item(step.section(u' ', 1).toInt())).center()
                                   : QPoint();
            if (step.startsWith(u"click"))
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            else if (step.startsWith(u"dclick"))
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
            else if (step == u"Down" || step == u"Up")
                QTest::keyClick(list, step == u"Down" ? Qt::Key_Down : Qt::Key_Up);
            else if (step == u"Ok" || step == u"Cancel")
                QTest::mouseClick(step == u"Ok" ? button("OkKnop") : cancel, Qt::LeftButton);
            else if (step == u"press")
                QTest::mousePress(cancel, Qt::LeftButton);
            else if (step == u"release off")
                QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(-5, cancel->height() / 2));
            else if (step == u"Escape") {
                form.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&form));
                QTest::keyClick(&form, Qt::Key_Escape);
            }
        }
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(), label);
        if (!closed && list->currentItem())
            QCOMPARE(list->selectedItems().value(0), list->currentItem());
        QCOMPARE(form.openedSheet() ? qRed(form.openedSheet()->pixel(0, 0)) : 0, opened);
        QCOMPARE(form.isVisible(), !closed);
        if (closed && !boxes)
            QCOMPARE(form.result(), int(opened ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(pacer.pauses, QList<int>(pressedLooks, 200)); // the pressed look, as a click has it
        QCOMPARE(button("OkKnop")->pos(), okRest);
        QCOMPARE(prompter.shown.size(), boxes);
        if (boxes)
            QCOMPARE(prompter.shown[0].text, QStringLiteral("Géén orginele Vellora!"));
    }
};

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
