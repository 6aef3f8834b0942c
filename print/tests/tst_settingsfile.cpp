// The deck window's settings file and its lock as a hostile or unlucky config folder holds them.
#include "print/deckchoices.h"
#include "print/printpage.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace vellora;

namespace {

// Should anything open the FIFO for reading after all, a writer comes and goes after a few seconds, so the
// test fails instead of hanging.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(const QString &fifo)
        : m_thread([this, path = QFile::encodeName(fifo)] {
              for (int i = 0; i < 300 && !m_done; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              if (const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                  m_opened = true, ::close(fd);
          })
    {
    }
    ~FifoWatchdog() { stop(); }
    bool stop()
    {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
        return !m_opened;
    }

private:
    std::atomic<bool> m_done = false, m_opened = false;
    std::thread m_thread;
};

} // namespace

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

    // Never opened: the window carries on at once with the defaults, and the file stays what it was.
    void unusableFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("size");
        QTest::newRow("FIFO") << "fifo" << qint64(0);
        QTest::newRow("link to /dev/zero") << "zero" << qint64(0);
        QTest::newRow("512 MB") << "sparse" << (qint64(512) << 20);
        QTest::newRow("2 GB sparse") << "sparse" << (qint64(2) << 30);
    }
    void unusableFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, size);
        QFile sparse(file());
        // QSettings writes through a link by replacing what it leads to, so a device of the scratch folder's
        // own stands in for /dev/zero where this process may make one.
        const QString device = m_scratch.filePath("zero");
        const bool ownDevice = kind == u"zero" && ::mknod(QFile::encodeName(device).constData(),
                                                          S_IFCHR | 0666, makedev(1, 5)) == 0;
        if (kind == u"sparse")
            QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(size));
        else if (ownDevice)
            QVERIFY(QFile::link(device, file()));
        else
            QVERIFY(test::makeSpecialFile(kind, file(), m_scratch.path()));
        FifoWatchdog watchdog(m_scratch.filePath("fifo"));
        QElapsedTimer clock;
        clock.start();
        {
            const std::unique_ptr<QSettings> settings = print::openSettings(file());
            settings->setValue(QStringLiteral("deck/turn"), QStringLiteral("long"));
            useAsTheWindowDoes(*settings);
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(watchdog.stop(), "the FIFO was opened");
        const QFileInfo after(file());
        QCOMPARE(after.isSymLink(), kind != u"sparse");
        QCOMPARE(QFileInfo(after.symLinkTarget()).isFile(), false);
        if (kind == u"sparse")
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
