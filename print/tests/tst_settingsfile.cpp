// The deck window's settings file and its lock as a hostile or unlucky config folder holds them.
#include "print/deckchoices.h"
#include "print/printpage.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <QWidget>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace vellora;

class TestSettingsFile : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_scratch;
    QString file() const { return m_scratch.filePath(QStringLiteral("Vellora/Vellora.conf")); }

    // What the deck window does with its settings: reads them, then keeps a new choice.
    static void useAsTheWindowDoes(QSettings &settings)
    {
        QCOMPARE(settings.value(QStringLiteral("deck/turn")).toString(), QStringLiteral("long"));
        settings.setValue(QStringLiteral("deck/backShiftX"), 1.5);
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("deck/backShiftX")).toDouble(), 1.5);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_scratch.path()).removeRecursively() && QDir().mkpath(m_scratch.filePath("Vellora")));
    }

    // Never opened: the window carries on at once with the defaults, and the file stays what it was. What the
    // settings file is checked with refuses a FIFO, a device and a file over its limit alike, never waiting:
    // tst_picturefile's fileHashes.
    void unusableFileIsLeftAlone_data()
    {
        QTest::addColumn<bool>("sparse");
        QTest::newRow("link to /dev/zero") << false;
        QTest::newRow("2 GB sparse") << true;
    }
    void unusableFileIsLeftAlone()
    {
        QFETCH(const bool, sparse);
        const qint64 size = qint64(2) << 30;
        QFile big(file());
        // QSettings writes through a link by replacing what it leads to, so a device of the scratch folder's
        // own stands in for /dev/zero where this process may make one.
        const QString device = m_scratch.filePath("zero");
        if (sparse)
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size));
        else if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0)
            QVERIFY(QFile::link(device, file()));
        else
            QVERIFY(test::makeSpecialFile("zero", file(), m_scratch.path()));
        QElapsedTimer clock;
        clock.start();
        {
            const std::unique_ptr<QSettings> settings = print::openSettings(file());
            settings->setValue(QStringLiteral("deck/turn"), QStringLiteral("long"));
            useAsTheWindowDoes(*settings);
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        const QFileInfo after(file());
        QCOMPARE(after.isSymLink(), !sparse);
        QCOMPARE(QFileInfo(after.symLinkTarget()).isFile(), false);
        if (sparse)
            QCOMPARE(after.size(), size);
    }

    // A lock that cannot be taken nor removed: what the file holds is used, nothing is written, nothing
    // waits.
    void stuckLockIsNotWaitedFor_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("a folder named as the lock") << false;
        QTest::newRow("a dead process's lock in a read-only folder") << true;
    }
    void stuckLockIsNotWaitedFor()
    {
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && geteuid() == 0) {
            const QString failed = test::rerunAsNobody();
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
            return;
        }
        const QByteArray before = "[deck]\nturn=long\n";
        QVERIFY(test::writeBytes(file(), before));
        const QString lock = file() + QStringLiteral(".lock");
        // The lock of a process long gone, which QLockFile would remove as stale if it could.
        QVERIFY(readOnlyFolder ? test::writeBytes(lock, "999999999\nvellora\nelsewhere\n")
                               : QDir().mkpath(lock));
        const QFile::Permissions writable = QFile::permissions(m_scratch.filePath("Vellora"));
        if (readOnlyFolder)
            QVERIFY(QFile::setPermissions(m_scratch.filePath("Vellora"), QFile::ReadOwner | QFile::ExeOwner));
        QElapsedTimer clock;
        clock.start();
        {
            const std::unique_ptr<QSettings> settings = print::openSettings(file());
            useAsTheWindowDoes(*settings);
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(QFile::setPermissions(m_scratch.filePath("Vellora"), writable));
        QCOMPARE(test::readBytes(file()), before);
    }

    // A usable file is where the choices are remembered, for the next opening.
    void choicesAreRemembered()
    {
        QVERIFY(test::writeBytes(file(), "[deck]\nturn=long\n"));
        useAsTheWindowDoes(*print::openSettings(file()));
        QCOMPARE(print::openSettings(file())->value(QStringLiteral("deck/backShiftX")).toDouble(), 1.5);
    }

    // A shift that is no number of the range starts the box at 0, not at its end (nan showed as 5.0 mm).
    void shiftOutOfRangeIsTheDefault_data()
    {
        QTest::addColumn<QByteArray>("x");
        QTest::addColumn<QByteArray>("y");
        QTest::addColumn<QPointF>("shown");
        QTest::newRow("nan") << QByteArray("nan") << QByteArray("-nan") << QPointF(0, 0);
        QTest::newRow("beyond 5 mm, infinite") << QByteArray("9") << QByteArray("inf") << QPointF(0, 0);
        QTest::newRow("text") << QByteArray("links") << QByteArray("-2.5") << QPointF(0, -2.5);
    }
    void shiftOutOfRangeIsTheDefault()
    {
        QFETCH(QByteArray, x);
        QFETCH(QByteArray, y);
        QFETCH(QPointF, shown);
        QVERIFY(test::writeBytes(file(), "[deck]\nbackShiftX=" + x + "\nbackShiftY=" + y + "\n"));
        const std::unique_ptr<QSettings> settings = print::openSettings(file());
        QWidget window;
        const DeckChoices choices(&window, *settings, 0);
        print::DeckOptions options;
        choices.applyTo(options);
        QCOMPARE(options.backShiftMm, shown);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
