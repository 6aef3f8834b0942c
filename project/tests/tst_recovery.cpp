#include "picturefile.h"
#include "recoverystore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace vellora;

namespace {

QImage greySheet(int grey)
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(grey, grey, grey));
    return sheet;
}

QString differenceFromGrey(const QString &copy, int grey)
{
    return test::byteDifference(PictureFile::load(copy).image, greySheet(grey));
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leftByAKilledProgram_data()
    {
        QTest::addColumn<qint64>("keepBytes"); // the copy cut to this length; -1 whole
        QTest::addColumn<bool>("discard");     // the user says no
        QTest::newRow("whole copy comes back") << qint64(-1) << false;
        QTest::newRow("declined copy is gone") << qint64(-1) << true;
        QTest::newRow("truncated copy is refused") << qint64(1000000) << false;
    }

    void leftByAKilledProgram()
    {
        QFETCH(qint64, keepBytes);
        QFETCH(bool, discard);
        QTemporaryDir folder;
        RecoveryStore mine(folder.path());
        QVERIFY(mine.claim());
        mine.write(greySheet(200));
        QProcess other; // another program keeping its copy here, until it is killed
        other.start(QStringLiteral(VELLORA_RECOVERY_HOLDER), {folder.path(), QStringLiteral("77")});
        QVERIFY(other.waitForReadyRead(60000));
        const QString copy = QString::fromLocal8Bit(other.readLine()).trimmed();
        mine.waitForWrites();
        // Two programs at once: neither offers the other's copy, and each keeps its own.
        QVERIFY(mine.leftovers().empty());
        QCOMPARE(differenceFromGrey(copy, 77), QString());
        QCOMPARE(differenceFromGrey(mine.path(), 200), QString());

        other.kill(); // SIGKILL: nothing of the program runs after it
        other.waitForFinished();
        if (keepBytes >= 0)
            QVERIFY(QFile::resize(copy, keepBytes));
        std::vector<RecoveryStore::Leftover> left = mine.leftovers();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].path, copy);
        QVERIFY(RecoveryStore(folder.path()).leftovers().empty()); // held while it is being offered

        QString error;
        std::optional<QImage> sheet;
        if (discard)
            RecoveryStore::discard(std::move(left[0]));
        else
            sheet = mine.restore(std::move(left[0]), &error);
        const bool restored = !discard && keepBytes < 0;
        QCOMPARE(sheet.has_value(), restored);
        QCOMPARE(error.isEmpty(), restored || discard);
        if (restored) {
            QCOMPARE(test::byteDifference(*sheet, greySheet(77)), QString());
            QCOMPARE(differenceFromGrey(mine.path(), 77), QString()); // the copy is now this program's own
        }
        QVERIFY(!QFile::exists(copy));
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
        QCOMPARE(differenceFromGrey(store.path(), 5), QString());
        store.write(greySheet(6));
        store.remove();
        store.waitForWrites();
        QVERIFY(!QFile::exists(store.path()));
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
