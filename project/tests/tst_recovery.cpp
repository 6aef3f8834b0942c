#include "project/mastercompanion.h"
#include "project/recoverystore.h"
#include "surface/picturefile.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <latch>
#include <semaphore>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

QImage greySheet(int grey)
{
    return test::solidPicture({3990, 1600}, qRgb(grey, grey, grey));
}

const auto differenceFromGrey = [](const QString &copy, int grey) {
    return test::byteDifference(PictureFile::load(copy).value_or(QImage()), greySheet(grey));
};

// A photo on the kings whose master holds a pattern the sheet cannot: it exists only at three times the size.
PrintRecord photoRecord()
{
    PrintRecord record = PrintRecord::fromSheet(greySheet(60));
    record.paste({greySheet(90).copy(0, 0, 165, 280),
                  {0, 1, 2, 3},
                  QPoint(12 * 4275 + 900, 900),
                  QSize(2475, 4200),
                  test::gradientPicture(495, 840, 4)});
    return record;
}

// Holds a copy's write in the middle until the test lets it go.
struct HeldWriter
{
    std::latch entered{1};
    std::binary_semaphore open{0};
    std::atomic<int> writes = 0;

    RecoveryStore::SheetWriter writer(bool sheetFirst)
    {
        return [this, sheetFirst](const QImage &sheet, const QString &path) {
            ++writes;
            const bool written = sheetFirst && PictureFile::saveBmp(sheet, path);
            entered.count_down();
            open.acquire();
            return sheetFirst ? written : PictureFile::saveBmp(sheet, path).ok();
        };
    }
};

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Two programs keep a copy each and neither offers the other's; once one is killed (SIGKILL), its copy
    // is offered, held while it is, and comes back as the survivor's own. Declined and damaged: tst_main.
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
        const std::optional<RecoveryStore::Work> restored = mine.restore(std::move(left[0])).toOptional();
        QVERIFY(restored && restored->record.isEmpty());
        QCOMPARE(test::byteDifference(restored->sheet, greySheet(77)), QString());
        QCOMPARE(differenceFromGrey(mine.path(), 77), QString());
        QVERIFY(!QFile::exists(copy));
        QVERIFY(mine.leftovers().empty());
    }

    // In place of a lock or a copy, what would hang the start for good if read like a lock (a FIFO in
    // open(), /dev/zero, a sparse giant) is left alone; a sound copy beside it is still offered.
    void leavesAloneWhatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("special"); // "lock" or "copy": which of the pair it replaces
        QTest::addColumn<QString>("kind");    // one of makeSpecialFile's
        for (const char *special : {"lock", "copy"})
            for (const char *kind : {"zero", "fifo", "dir", "sparse", "outside"})
                QTest::addRow("%s: %s", special, kind)
                    << QString::fromLatin1(special) << QString::fromLatin1(kind);
    }

    void leavesAloneWhatIsNoRegularFile()
    {
        QFETCH(QString, special);
        QFETCH(QString, kind);
        QTemporaryDir folder, scratch;
        const QString sound = folder.filePath(QStringLiteral("sound.bmp"));
        const QString hostile = folder.filePath(special == u"lock" ? QStringLiteral("hostile.lock")
                                                                   : QStringLiteral("hostile.bmp"));
        QVERIFY(PictureFile::saveBmp(greySheet(40), sound));
        if (special == u"lock")
            QVERIFY(PictureFile::saveBmp(greySheet(90), folder.filePath(QStringLiteral("hostile.bmp"))));
        QVERIFY(test::makeSpecialFile(kind, hostile, scratch.path()));
        const QByteArray before = test::nameState(QFile::encodeName(hostile));

        RecoveryStore store(folder.path());
        QVERIFY(store.claim());
        std::vector<RecoveryStore::Leftover> left = store.leftovers();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].path, sound);
        left.clear();
        QCOMPARE(test::nameState(QFile::encodeName(hostile)), before);
        QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("hostile.bmp"))));
    }

    // The print master's record comes back with the sheet it was written with, its photo's detail whole, and
    // stays beside the copy that is now this program's; one that is not of that sheet is left out.
    void theRecordComesBackWithItsSheet_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("kept");
        QTest::newRow("as written") << "" << true;
        QTest::newRow("sheet written after it") << "sheet" << false;
        QTest::newRow("cut short") << "truncate" << false;
        QTest::newRow("not a regular file") << "fifo" << false;
        QTest::newRow("a later copy without one") << "without" << false;
    }
    void theRecordComesBackWithItsSheet()
    {
        QFETCH(QString, change);
        QFETCH(bool, kept);
        QTemporaryDir folder, scratch;
        const PrintRecord record = photoRecord();
        {
            RecoveryStore crashed(folder.path());
            QVERIFY(crashed.claim());
            crashed.write(greySheet(60), record);
            crashed.waitForWrites();
            const QString beside = companion::pathBeside(crashed.path());
            QVERIFY(QFile::exists(beside));
            if (change == u"sheet")
                QVERIFY(PictureFile::saveBmp(greySheet(61), crashed.path()));
            else if (change == u"truncate")
                QVERIFY(test::writeBytes(beside, test::readBytes(beside).chopped(10)));
            else if (change == u"fifo")
                QVERIFY(QFile::remove(beside) && test::makeSpecialFile(u"fifo"_s, beside, scratch.path()));
            else if (change == u"without")
                crashed.write(greySheet(60));
        }
        RecoveryStore mine(folder.path());
        QVERIFY(mine.claim());
        std::vector<RecoveryStore::Leftover> left = mine.leftovers();
        QCOMPARE(left.size(), size_t(1));
        const std::optional<RecoveryStore::Work> restored = mine.restore(std::move(left[0])).toOptional();
        QVERIFY(restored);
        QCOMPARE(restored->record.isEmpty(), !kept);
        QCOMPARE(QFile::exists(companion::pathBeside(mine.path())), kept);
        if (kept)
            QCOMPARE(test::byteDifference(restored->record.render(), record.render()), QString());
        mine.remove();
        QCOMPARE(QDir(folder.path()).entryList({u"*.bmp"_s, u"*.krm"_s}, QDir::Files | QDir::System), {});
    }

    // A removal overtaking writes: removalDoesNotWaitForAWriteGoingOn.
    void writesKeepTheirOrder()
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
    }

    // Every Save ends in remove() on the window's thread: it must not wait out a copy being written. The
    // write it overtakes leaves neither sheet nor companion, and a write queued behind it never starts.
    void removalDoesNotWaitForAWriteGoingOn_data()
    {
        QTest::addColumn<bool>("sheetWritten"); // whether the write is held after its sheet is on disk
        QTest::newRow("held before the sheet") << false;
        QTest::newRow("held after the sheet") << true;
    }
    void removalDoesNotWaitForAWriteGoingOn()
    {
        QFETCH(bool, sheetWritten);
        QTemporaryDir folder;
        RecoveryStore store(folder.path());
        QVERIFY(store.claim());
        HeldWriter held;
        store.setSheetWriter(held.writer(sheetWritten));
        store.write(greySheet(30), photoRecord());
        held.entered.wait();
        store.write(greySheet(31), photoRecord());
        QElapsedTimer timer;
        timer.start();
        store.remove();
        const qint64 took = timer.elapsed();
        held.open.release();
        QVERIFY2(took < 50, qPrintable(u"remove() took %1 ms"_s.arg(took)));
        store.waitForWrites();
        QCOMPARE(held.writes.load(), 1);
        QCOMPARE(QDir(folder.path()).entryList({u"*.bmp"_s, u"*.krm"_s}, QDir::Files | QDir::System), {});
    }

    // Herstellen while a copy is written: the leftover's work comes back at once and, once the write is let
    // go, it is this program's copy, with no companion of the overtaken write beside it.
    void restoreDoesNotWaitForAWriteGoingOn()
    {
        QTemporaryDir folder;
        {
            RecoveryStore crashed(folder.path());
            QVERIFY(crashed.claim());
            crashed.write(greySheet(77));
        }
        RecoveryStore mine(folder.path());
        QVERIFY(mine.claim());
        HeldWriter held;
        mine.setSheetWriter(held.writer(true));
        mine.write(greySheet(30), photoRecord());
        held.entered.wait();
        std::vector<RecoveryStore::Leftover> left = mine.leftovers();
        QCOMPARE(left.size(), size_t(1));
        const QString copy = left[0].path;
        // A restore that waited for the write would never return: the write goes on only after it.
        const std::optional<RecoveryStore::Work> restored = mine.restore(std::move(left[0])).toOptional();
        held.open.release();
        QVERIFY(restored);
        QCOMPARE(test::byteDifference(restored->sheet, greySheet(77)), QString());
        mine.waitForWrites();
        QCOMPARE(differenceFromGrey(mine.path(), 77), QString());
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(companion::pathBeside(mine.path())));
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
