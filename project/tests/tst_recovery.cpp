#include "recoverystore.h"
#include "picturefile.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace vellora;

namespace {

QImage greySheet(int grey)
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(grey, grey, grey));
    return sheet;
}

// Another program keeping its copy in the folder, until the test kills it.
struct Holder
{
    QProcess process;
    QString copy;
    Holder(const QString &folder, int grey)
    {
        process.start(QStringLiteral(VELLORA_RECOVERY_HOLDER), {folder, QString::number(grey)});
        if (process.waitForReadyRead(60000))
            copy = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Holder() { killHard(); }
    void killHard()
    {
        process.kill(); // SIGKILL: nothing of the program runs after it
        process.waitForFinished();
    }
};

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leftByAKilledProgram_data()
    {
        QTest::addColumn<qint64>("keepBytes"); // the copy cut to this length; -1 whole
        QTest::addColumn<bool>("discard"); // the user says no
        QTest::addColumn<bool>("restored");
        QTest::newRow("whole copy comes back") << qint64(-1) << false << true;
        QTest::newRow("declined copy is gone") << qint64(-1) << true << false;
        QTest::newRow("truncated copy is refused") << qint64(1000000) << false << false;
        QTest::newRow("header only") << qint64(20) << false << false;
    }

    void leftByAKilledProgram()
    {
        QFETCH(qint64, keepBytes);
        QFETCH(bool, discard);
        QFETCH(bool, restored);
        QTemporaryDir folder;
        RecoveryStore mine(folder.path());
        QVERIFY(mine.claim());
        mine.write(greySheet(200));
        Holder other(folder.path(), 77);
        QVERIFY(QFile::exists(other.copy));
        mine.waitForWrites();
        // Two programs at once: neither offers the other's copy, and each keeps its own.
        QVERIFY(mine.leftovers().empty());
        QCOMPARE(test::byteDifference(PictureFile::load(other.copy).image, greySheet(77)), QString());
        QCOMPARE(test::byteDifference(PictureFile::load(mine.path()).image, greySheet(200)), QString());

        other.killHard();
        if (keepBytes >= 0)
            QVERIFY(QFile::resize(other.copy, keepBytes));
        std::vector<RecoveryStore::Leftover> left = mine.leftovers();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].path, other.copy);
        QVERIFY(RecoveryStore(folder.path()).leftovers().empty()); // held while it is being offered

        QString error;
        std::optional<QImage> sheet;
        if (discard)
            RecoveryStore::discard(std::move(left[0]));
        else
            sheet = mine.restore(std::move(left[0]), &error);
        QCOMPARE(sheet.has_value(), restored);
        QCOMPARE(error.isEmpty(), restored || discard);
        if (restored) {
            QCOMPARE(test::byteDifference(*sheet, greySheet(77)), QString());
            // The copy is now this program's own.
            QCOMPARE(test::byteDifference(PictureFile::load(mine.path()).image, greySheet(77)), QString());
        }
        QVERIFY(!QFile::exists(other.copy));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2); // my lock and my copy
        QVERIFY(mine.leftovers().empty());
    }

    void writesAndRemovalKeepTheirOrder()
    {
        QTemporaryDir folder;
        RecoveryStore store(folder.path());
        store.write(greySheet(1)); // before its claim: nowhere to write
        QVERIFY(QDir(folder.path()).isEmpty());
        QVERIFY(store.claim());
        for (int grey = 1; grey <= 5; ++grey)
            store.write(greySheet(grey));
        store.waitForWrites();
        QCOMPARE(test::byteDifference(PictureFile::load(store.path()).image, greySheet(5)), QString());
        store.write(greySheet(6));
        store.remove();
        store.waitForWrites();
        QVERIFY(!QFile::exists(store.path()));
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
