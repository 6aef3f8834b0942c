#include "appfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using vellora::AppFolder;

class TestAppFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resolve_data();
    void resolve();
};

void TestAppFolder::resolve_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found");

    QTest::newRow("lower-case name finds capitalised file")
        << QStringList{"Data/Hkrs-0.krt"} << "\\Data\\hkrs-0.krt" << "Data/Hkrs-0.krt";
    QTest::newRow("folder in other case") << QStringList{"data/Kaarten.krt"} << "\\Data\\Kaarten.krt"
                                          << "data/Kaarten.krt";
    QTest::newRow("slashes either way") << QStringList{"Data/joker-01.jok"} << "/DATA/JOKER-01.JOK"
                                        << "Data/joker-01.jok";
    QTest::newRow("exact match preferred") << QStringList{"Data/a.krt", "Data/A.krt"} << "\\Data\\A.krt"
                                           << "Data/A.krt";
    QTest::newRow("missing file keeps its name") << QStringList{"Projecten/x.krt"} << "\\projecten\\New.krt"
                                                 << "Projecten/New.krt";
    QTest::newRow("missing folder keeps the rest") << QStringList{} << "\\Help\\Beeldscherm.pdf"
                                                   << "Help/Beeldscherm.pdf";
}

void TestAppFolder::resolve()
{
    QFETCH(QStringList, files);
    QFETCH(QString, asked);
    QFETCH(QString, found);
    QTemporaryDir dir;
    for (const QString &f : files) {
        QDir(dir.path()).mkpath(QFileInfo(f).path());
        QFile file(dir.filePath(f));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(AppFolder(dir.path()).resolve(asked), dir.path() + u'/' + found);
}

QTEST_GUILESS_MAIN(TestAppFolder)
#include "tst_appfolder.moc"
