#include "picturefile.h"
#include "regularfile.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

using vellora::PictureFile;

namespace {

QImage testPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, (x * y) & 255));
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    if (qstrcmp(format, "gif") == 0)
        return vellora::test::gifBytes(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A BMP header that promises a picture of the given size, with no pixel data after it.
QByteArray bmpHeaderOnly(qint32 width, qint32 height)
{
    QByteArray b(54, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    b[26] = 1;
    b[28] = 24;
    return b;
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesByContent_data();
    void decodesByContent();
    void refusesTruncated_data();
    void refusesTruncated();
    void refusesOtherFormats_data();
    void refusesOtherFormats();
    void refusesHugeHeaderWithoutReadingIt_data();
    void refusesHugeHeaderWithoutReadingIt();
    void jpegUnderKrtNameLoads();
    void saveRoundTrip();
    void saveReplacesOnlyWhenComplete();
    void saveGivesDutchReason_data();
    void saveGivesDutchReason();
    void systemReasonsInDutch_data();
    void systemReasonsInDutch();
    void readersRefuseWhatIsNoRegularFile_data();
    void readersRefuseWhatIsNoRegularFile();
    void topDownBmpLoads();
};

void TestPictureFile::decodesByContent_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("lossless");
    QTest::newRow("bmp") << QByteArray("bmp") << true;
    QTest::newRow("jpeg") << QByteArray("jpeg") << false;
    QTest::newRow("gif") << QByteArray("gif") << false;
}

void TestPictureFile::decodesByContent()
{
    QFETCH(QByteArray, format);
    QFETCH(bool, lossless);
    const QImage original = testPicture(61, 37);
    const QByteArray bytes = encoded(original, format.constData());
    QVERIFY(!bytes.isEmpty());
    const auto header = PictureFile::peek(bytes);
    QVERIFY(header);
    QCOMPARE(header->format, format);
    QCOMPARE(header->size, QSize(61, 37));
    const auto load = PictureFile::decode(bytes);
    QVERIFY2(load.ok(), qPrintable(load.error));
    QCOMPARE(load.image.size(), QSize(61, 37));
    if (lossless)
        QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), original);
}

void TestPictureFile::refusesTruncated_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("cut");
    for (const char *format : {"bmp", "jpeg", "gif"}) {
        for (int cut : {1, 2, 100}) {
            QTest::addRow("%s less %d bytes", format, cut) << QByteArray(format) << cut;
        }
        QTest::addRow("%s at half", format) << QByteArray(format) << -2;
    }
}

void TestPictureFile::refusesTruncated()
{
    QFETCH(QByteArray, format);
    QFETCH(int, cut);
    const QByteArray whole = encoded(testPicture(200, 150), format.constData());
    const QByteArray part = cut > 0 ? whole.left(whole.size() - cut) : whole.left(whole.size() / 2);
    QVERIFY(vellora::pictureIsComplete(format, whole));
    QVERIFY(!vellora::pictureIsComplete(format, part));
    // Qt itself would hand back a picture here, which is the reason for the check.
    QVERIFY(!QImage::fromData(part, format.constData()).isNull());
    const auto load = PictureFile::decode(part);
    QVERIFY(!load.ok());
    QVERIFY(!load.error.isEmpty());
}

void TestPictureFile::refusesOtherFormats_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("png") << encoded(testPicture(10, 10), "png");
    QTest::newRow("svg") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>");
    QTest::newRow("text") << QByteArray("hello");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("bmp magic only") << QByteArray("BM");
}

void TestPictureFile::refusesOtherFormats()
{
    QFETCH(QByteArray, bytes);
    const auto load = PictureFile::decode(bytes);
    QVERIFY(!load.ok());
    QVERIFY(!load.error.isEmpty());
}

// A JPEG whose frame header claims another size; the rest of the file is the small picture's.
QByteArray jpegClaiming(int width, int height)
{
    QByteArray bytes = encoded(testPicture(16, 16), "jpeg");
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    bytes[sof + 5] = char(height >> 8);
    bytes[sof + 6] = char(height & 0xFF);
    bytes[sof + 7] = char(width >> 8);
    bytes[sof + 8] = char(width & 0xFF);
    return bytes;
}

void TestPictureFile::refusesHugeHeaderWithoutReadingIt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("jpeg") << jpegClaiming(60000, 60000) << "60000 x 60000";
    QTest::newRow("bmp") << bmpHeaderOnly(60000, 60000) << "";
    QTest::newRow("bmp negative height") << bmpHeaderOnly(60000, -60000) << "";
}

// 60000 x 60000 pixels would take 13.4 GB; the header alone must settle it.
void TestPictureFile::refusesHugeHeaderWithoutReadingIt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.krt"));
    write(path, bytes + QByteArray(1 << 20, '\0'));
    const auto load = PictureFile::load(path);
    QVERIFY(!load.ok());
    QVERIFY(!load.error.isEmpty());
    QVERIFY2(load.error.contains(reason), qPrintable(load.error));
}

void TestPictureFile::jpegUnderKrtNameLoads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.krt"));
    write(path, encoded(testPicture(399, 160), "jpeg"));
    const auto load = PictureFile::load(path);
    QVERIFY2(load.ok(), qPrintable(load.error));
    QCOMPARE(load.image.size(), QSize(399, 160));
}

void TestPictureFile::saveRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.krt"));
    const QImage original = testPicture(3990, 16);
    QString error;
    QVERIFY2(PictureFile::saveBmp(original, path, &error), qPrintable(error));
    QVERIFY(readAll(path).startsWith("BM"));
    const auto load = PictureFile::load(path);
    QVERIFY(load.ok());
    QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.krt")});
}

// A write that cannot finish (here the file size limit, as a full disk would) leaves the old file as it was.
void TestPictureFile::saveReplacesOnlyWhenComplete()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.krt"));
    QVERIFY(PictureFile::saveBmp(testPicture(40, 40), path));
    const QByteArray before = readAll(path);

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    QString error;
    const bool saved = PictureFile::saveBmp(testPicture(3990, 1600), path, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("project.krt")});
}

void TestPictureFile::saveGivesDutchReason_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file system") << "ro-mount" << "Op deze schijf kan alleen gelezen worden.";
    QTest::newRow("name too long") << "long" << "De naam is te lang.";
    QTest::newRow("folder missing") << "gone" << "De map bestaat niet (meer).";
}

void TestPictureFile::saveGivesDutchReason()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("project.krt"));
    bool mounted = false;
    if (setup == u"ro-mount") {
        mounted = geteuid() == 0 && QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", dir.path()}) == 0;
        if (!mounted)
            QSKIP("mounting a tmpfs needs root and mount rights");
    } else if (setup == u"long") {
        path = dir.filePath(QString(300, u'x') + QStringLiteral(".krt"));
    } else {
        path = dir.filePath(QStringLiteral("weg/project.krt"));
    }
    QString error;
    const bool saved = PictureFile::saveBmp(testPicture(50, 50), path, &error);
    if (mounted)
        QProcess::execute(QStringLiteral("umount"), {dir.path()});
    QVERIFY(!saved);
    QCOMPARE(error, reason);
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestPictureFile::systemReasonsInDutch_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("disk full") << ENOSPC << "De schijf is vol.";
    QTest::newRow("no permission") << EACCES << "Geen toestemming om hier te schrijven.";
    QTest::newRow("read-only") << EROFS << "Op deze schijf kan alleen gelezen worden.";
    QTest::newRow("name too long") << ENAMETOOLONG << "De naam is te lang.";
    QTest::newRow("anything else is passed on") << EXDEV << QString::fromLocal8Bit(std::strerror(EXDEV));
}

void TestPictureFile::systemReasonsInDutch()
{
    QFETCH(int, error);
    QFETCH(QString, reason);
    QCOMPARE(vellora::writeFailureReason(QString::fromLocal8Bit(std::strerror(error))), reason);
}

void TestPictureFile::readersRefuseWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("link to a FIFO") << "fifo";
    QTest::newRow("sparse 30 GB file") << "sparse";
    QTest::newRow("folder") << "dir";
    QTest::newRow("dangling link") << "dangling";
    QTest::newRow("missing") << "";
    QTest::newRow("no read permission") << "unreadable";
}

// Each would abort the program, or freeze it for good in open(), if it were read like a file.
void TestPictureFile::readersRefuseWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.jpg"));
    if (kind == u"unreadable") {
        if (geteuid() == 0)
            QSKIP("root reads any file");
        write(path, encoded(testPicture(8, 8), "bmp"));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
    } else if (!kind.isEmpty()) {
        QVERIFY(vellora::test::makeSpecialFile(kind, path, dir.path()));
    }
    for (const auto &load : {PictureFile::load(path), PictureFile::loadExactly(path, QSize(3990, 1600))}) {
        QVERIFY(!load.ok());
        QVERIFY(!load.error.isEmpty());
    }
}

// Rows stored top row first, as many programs write them: the height field is negative.
void TestPictureFile::topDownBmpLoads()
{
    const QImage original = testPicture(3990, 1600);
    QByteArray bytes = encoded(original, "bmp");
    const quint32 offset = quint8(bytes[10]) | quint8(bytes[11]) << 8 | quint8(bytes[12]) << 16;
    const qint32 height = -1600;
    std::memcpy(bytes.data() + 22, &height, 4);
    const qsizetype stride = (bytes.size() - offset) / 1600;
    QByteArray flipped = bytes.left(offset);
    for (int row = 1599; row >= 0; --row)
        flipped += bytes.mid(offset + row * stride, stride);
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("top.krt")), flipped);
    for (const auto &load : {PictureFile::load(dir.filePath(QStringLiteral("top.krt")), 64 << 20),
                             PictureFile::loadExactly(dir.filePath(QStringLiteral("top.krt")), QSize(3990, 1600))}) {
        QVERIFY2(load.ok(), qPrintable(load.error));
        QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), original);
    }
}

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
