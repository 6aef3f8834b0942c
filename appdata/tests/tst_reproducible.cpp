// The data folders are rebuilt on every build and by every developer; they must come out byte for byte
// the same, or packages and diffs would change for nothing. The build's own run (a separate process) is
// compared with a fresh run here.

#include "appdata.h"
#include "imagecheck.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

using namespace imagecheck;

class TestReproducible : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_fresh.isValid());
        QString error;
        m_written = appdata::generateAll(m_fresh.path(), &error);
        QVERIFY2(!m_written.isEmpty(), qPrintable(error));
    }

    // The files it says it wrote are the ones on disk, and the Projecten folder is there, empty.
    void writesTheExpectedTree()
    {
        QStringList expected{QStringLiteral("Data/Kaarten.krt"), QStringLiteral("Help/Beeldscherm.pdf")};
        for (int i = 0; i < 10; ++i)
            expected << QStringLiteral("Data/Hkrs-%1.krt").arg(i);
        for (int i = 1; i <= 12; ++i)
            expected << QStringLiteral("Data/joker-%1.jok").arg(i, 2, 10, QLatin1Char('0'));
        for (int i = 0; i < 8; ++i)
            expected << QStringLiteral("Backgrounds/Background-%1.jpg").arg(i);
        for (const appdata::ArtworkItem &item : appdata::artworkItems())
            expected << QStringLiteral("Artwork/") + item.name;
        expected.sort();
        QStringList written = m_written, onDisk;
        written.sort();
        QCOMPARE(written, expected);
        const QDir root(m_fresh.path());
        for (QDirIterator it(m_fresh.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            onDisk << root.relativeFilePath(it.next());
        onDisk.sort();
        QCOMPARE(onDisk, expected);
        QVERIFY(root.exists(QStringLiteral("Projecten")));
        QVERIFY(QDir(root.filePath(QStringLiteral("Projecten"))).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void sameBytesAsTheBuildsRun_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &f : m_written)
            QTest::newRow(qPrintable(f)) << f;
    }

    void sameBytesAsTheBuildsRun()
    {
        QFETCH(QString, file);
        const QByteArray built = readAll(appFile(file)), fresh = readAll(QDir(m_fresh.path()).filePath(file));
        QVERIFY2(!built.isEmpty() && !fresh.isEmpty(), "missing");
        qsizetype at = 0;
        while (at < qMin(built.size(), fresh.size()) && built[at] == fresh[at])
            ++at;
        QVERIFY2(built == fresh, qPrintable(QStringLiteral("differs from byte %1 on (sizes %2 and %3)")
                                                .arg(at).arg(built.size()).arg(fresh.size())));
    }

    void refusesAFolderItCannotCreate()
    {
        QTemporaryDir dir;
        QFile blocker(QDir(dir.path()).filePath(QStringLiteral("Data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the Data folder should go
        blocker.close();
        QString error;
        QVERIFY(appdata::generateAll(dir.path(), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String("Data")));
    }

private:
    QTemporaryDir m_fresh;
    QStringList m_written;
};

QTEST_MAIN(TestReproducible)
#include "tst_reproducible.moc"
