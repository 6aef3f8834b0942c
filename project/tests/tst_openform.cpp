#include "openform.h"
#include "projectcommands.h"
#include "projectstore.h"
#include "testsupport.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace vellora;

namespace {

void writeSheet(const QString &path, int seed)
{
    QImage image(3990, 1600, QImage::Format_RGB32);
    image.fill(qRgb(seed, 100, 200));
    QVERIFY(image.save(path, "BMP"));
}

struct Chooser
{
    std::unique_ptr<QTemporaryDir> dir = test::emptyAppFolder();
    test::ScriptedPrompter prompter;
    test::CountingPacer pacer;
    std::unique_ptr<ProjectStore> store;
    std::unique_ptr<ProjectCommands> commands;
    std::unique_ptr<OpenForm> form;

    explicit Chooser(const QStringList &projects)
    {
        QDir(dir->path()).mkpath(QStringLiteral("Projecten"));
        int seed = 10;
        for (const QString &p : projects)
            writeSheet(dir->path() + QStringLiteral("/Projecten/") + p, seed += 10);
        store = std::make_unique<ProjectStore>(AppFolder(dir->path()));
        commands = std::make_unique<ProjectCommands>(*store, prompter);
        form = std::make_unique<OpenForm>(*store, *commands, pacer, AppFolder(dir->path()));
        form->show();
    }
    QLabel *label() const { return form->findChild<QLabel *>(QStringLiteral("Label1")); }
    QWidget *button(const char *name) const { return form->findChild<QWidget *>(QString::fromLatin1(name)); }
    QRect itemRect(int row) const { return form->list()->visualItemRect(form->list()->item(row)); }
};

} // namespace

class TestOpenForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsProjectsWithCount_data();
    void listsProjectsWithCount();
    void clickShowsNameThenOkOpensIt();
    void doubleClickIsOkWithPressedLook();
    void okWithoutChoiceRefusesAndCloses();
    void cancelChangesNothing();
    void arrowKeysChooseAsAClickDoes();
    void cancelActsOnReleaseOverItAndOnEscape_data();
    void cancelActsOnReleaseOverItAndOnEscape();
};

void TestOpenForm::listsProjectsWithCount_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("count");
    QTest::newRow("empty folder") << QStringList{} << QStringList{} << "0 Project(en)";
    QTest::newRow("three, one upper-case, one with blanks")
        << QStringList{"b.krt", "X.KRT", " a .krt"} << QStringList{" a ", "b", "X"} << "3 Project(en)";
}

void TestOpenForm::listsProjectsWithCount()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    QFETCH(QString, count);
    Chooser c(files);
    QStringList shown;
    for (int i = 0; i < c.form->list()->count(); ++i)
        shown << c.form->list()->item(i)->text();
    QCOMPARE(shown, listed);
    QCOMPARE(c.label()->text(), count);
    QCOMPARE(c.form->windowTitle(), QStringLiteral("Openen Vellora"));
    QVERIFY(c.form->list()->selectedItems().isEmpty());
}

void TestOpenForm::clickShowsNameThenOkOpensIt()
{
    Chooser c({"een.krt", " twee .krt"});
    QTest::mouseClick(c.form->list()->viewport(), Qt::LeftButton, {}, c.itemRect(0).center());
    QCOMPARE(c.label()->text(), QStringLiteral(" twee "));
    QTest::mouseClick(c.button("OkKnop"), Qt::LeftButton);
    QVERIFY(c.form->openedSheet());
    QCOMPARE(c.form->openedSheet()->pixel(0, 0), qRgb(30, 100, 200));
    QCOMPARE(c.form->result(), int(QDialog::Accepted));
    QVERIFY(!c.form->isVisible());
    QVERIFY(c.prompter.shown.isEmpty());
}

void TestOpenForm::doubleClickIsOkWithPressedLook()
{
    Chooser c({"een.krt"});
    const QPoint rest = c.button("OkKnop")->pos();
    QTest::mouseClick(c.form->list()->viewport(), Qt::LeftButton, {}, c.itemRect(0).center());
    QTest::mouseDClick(c.form->list()->viewport(), Qt::LeftButton, {}, c.itemRect(0).center());
    QCOMPARE(c.pacer.pauses, QList<int>{200});
    QCOMPARE(c.button("OkKnop")->pos(), rest);
    QVERIFY(c.form->openedSheet());
    QVERIFY(!c.form->isVisible());
}

void TestOpenForm::okWithoutChoiceRefusesAndCloses()
{
    Chooser c({});
    QTest::mouseClick(c.button("OkKnop"), Qt::LeftButton);
    QVERIFY(!c.form->openedSheet());
    QCOMPARE(c.prompter.shown.size(), 1);
    QCOMPARE(c.prompter.shown[0].text, QStringLiteral("Géén orginele Vellora!"));
    QVERIFY(!c.form->isVisible());
}

void TestOpenForm::cancelChangesNothing()
{
    Chooser c({"een.krt"});
    QTest::mouseClick(c.form->list()->viewport(), Qt::LeftButton, {}, c.itemRect(0).center());
    QTest::mouseClick(c.button("CancelKnop"), Qt::LeftButton);
    QCOMPARE(c.pacer.pauses, QList<int>{200});
    QVERIFY(!c.form->openedSheet());
    QCOMPARE(c.form->result(), int(QDialog::Rejected));
    QVERIFY(c.prompter.shown.isEmpty());
}

void TestOpenForm::arrowKeysChooseAsAClickDoes()
{
    Chooser c({"a.krt", "a b.krt", "a-b.krt"});
    QCOMPARE(c.form->list()->item(0)->text(), QStringLiteral("a b"));
    QTest::mouseClick(c.form->list()->viewport(), Qt::LeftButton, {}, c.itemRect(0).center());
    QTest::keyClick(c.form->list(), Qt::Key_Down);
    QTest::keyClick(c.form->list(), Qt::Key_Down);
    QCOMPARE(c.label()->text(), QStringLiteral("a"));
    QTest::keyClick(c.form->list(), Qt::Key_Up);
    QCOMPARE(c.label()->text(), c.form->list()->selectedItems().value(0)->text());
    QTest::mouseClick(c.button("OkKnop"), Qt::LeftButton);
    QCOMPARE(c.form->openedSheet()->pixel(0, 0), qRgb(40, 100, 200)); // "a-b", the second written
}

void TestOpenForm::cancelActsOnReleaseOverItAndOnEscape_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closed");
    QTest::newRow("click") << "click" << true;
    QTest::newRow("released elsewhere") << "drag off" << false;
    QTest::newRow("pressed, not yet released") << "press" << false;
    QTest::newRow("Escape") << "escape" << true;
}

void TestOpenForm::cancelActsOnReleaseOverItAndOnEscape()
{
    QFETCH(QString, how);
    QFETCH(bool, closed);
    Chooser c({"een.krt"});
    QWidget *cancel = c.button("CancelKnop");
    if (how == u"escape") {
        c.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(c.form.get()));
        QTest::keyClick(c.form.get(), Qt::Key_Escape);
    } else {
        QTest::mousePress(cancel, Qt::LeftButton);
        if (how == u"drag off")
            QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(-5, cancel->height() / 2));
        else if (how == u"click")
            QTest::mouseRelease(cancel, Qt::LeftButton);
    }
    QCOMPARE(c.form->isVisible(), !closed);
    QCOMPARE(c.pacer.pauses, closed ? QList<int>{200} : QList<int>{}); // the pressed look, as a click
}

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
