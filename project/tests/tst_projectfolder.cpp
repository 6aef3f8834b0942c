#include "projectstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vellora;

// Where a save lands for each state of the program folder's Projecten, and that listing and opening read
// the same folder the save wrote to.
class TestProjectFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveLandsWhereTheUserMayWrite_data();
    void saveLandsWhereTheUserMayWrite();
};

void TestProjectFolder::saveLandsWhereTheUserMayWrite_data()
{
    QTest::addColumn<QString>("projecten"); // what the program folder holds under that name
    QTest::addColumn<bool>("inUserFolder");
    QTest::newRow("writable folder") << "folder" << false;
    QTest::newRow("other letter case") << "PROJECTEN" << false;
    QTest::newRow("read-only folder") << "read-only" << true;
    QTest::newRow("no Projecten") << "" << true;
    QTest::newRow("a file in its place") << "file" << true;
}

void TestProjectFolder::saveLandsWhereTheUserMayWrite()
{
    QFETCH(QString, projecten);
    QFETCH(bool, inUserFolder);
    const auto program = test::emptyAppFolder();
    QTemporaryDir home;
    const QDir dir(program->path());
    const QString own = dir.filePath(projecten == u"PROJECTEN" ? projecten : QStringLiteral("Projecten"));
    if (projecten == u"file") {
        QFile f(own);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (!projecten.isEmpty()) {
        QVERIFY(dir.mkpath(own));
    }
    if (projecten == u"read-only") {
        QVERIFY(QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        if (QFileInfo(own).isWritable())
            QSKIP("the administrator may write anywhere; the package test runs this as another user");
    }

    const QString user = home.path() + QStringLiteral("/data");
    const ProjectStore store(AppFolder(program->path()), user);
    QString error;
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(Qt::darkGreen);
    QVERIFY2(store.save(sheet, QStringLiteral("a b"), &error), qPrintable(error));

    const QString expected = (inUserFolder ? user + QStringLiteral("/Projecten") : own) + QStringLiteral("/a b.krt");
    QVERIFY2(QFileInfo(expected).isFile(), qPrintable(expected));
    QCOMPARE(QFileInfo::exists(own + QStringLiteral("/a b.krt")), !inUserFolder);
    QCOMPARE(store.names(), QStringList{QStringLiteral("a b")});
    QVERIFY(store.open(QStringLiteral("a b")));
    if (projecten == u"read-only")
        QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(TestProjectFolder)
#include "tst_projectfolder.moc"
