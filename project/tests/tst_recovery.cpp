#include "surface/picturefile.h"
#include "project/recoverystore.h"
#include "tests/support/testsupport.h"

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
    // Two programs at once keep a copy each and neither offers the other's; once one is killed (SIGKILL:
    // nothing of it runs after), its copy is offered, held while it is, and comes back as the survivor's own.
    // Declined and damaged copies are handled at start-up, where the shell tests try them.
    void leftByAKilledProgram()
    {
        QTemporaryDir folder;
        RecoveryStore mine(folder.path());
        QVERIFY(mine.claim());
        mine.write(greySheet(200));
        QProcess other;
        other.start(QStringLiteral(VELLORA_RECOVERY_HOLDER), {folder.path(), QStringLiteral("77")});
        QVERIFY(other.waitForReadyRead(60000));
        const QString copy = QString::fromLocal8Bit(other.readLine()).trimmed();
        mine.waitForWrites();
        QVERIFY(mine.leftovers().empty());
        QCOMPARE(differenceFromGrey(copy, 77), QString());
        QCOMPARE(differenceFromGrey(mine.path(), 200), QString());

        other.kill();
        other.waitForFinished();
        std::vector<RecoveryStore::Leftover> left = mine.leftovers();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].path, copy);
        QVERIFY(RecoveryStore(folder.path()).leftovers().empty());
        const std::optional<QImage> sheet = mine.restore(std::move(left[0]));
        QVERIFY(sheet);
        QCOMPARE(test::byteDifference(*sheet, greySheet(77)), QString());
        QCOMPARE(differenceFromGrey(mine.path(), 77), QString());
        QVERIFY(!QFile::exists(copy));
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
