#include "picturefile.h"
#include "regularfile.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    QImageWriter(&buffer, format).write(image);
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
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (8 * i));
}

// A BMP header that promises a picture of the given size, with no pixel data after it.
QByteArray bmpHeaderOnly(qint32 width, qint32 height)
{
    QByteArray b(54, '\0');
    b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 24;
    put32(b, 2, 54), put32(b, 10, 54), put32(b, 14, 40), put32(b, 18, quint32(width)), put32(b, 22, quint32(height));
    return b;
}

// A JPEG whose frame header claims another size; the rest of the file is the small picture's.
QByteArray jpegClaiming(int width, int height)
{
    QByteArray bytes = encoded(testPicture(16, 16), "jpeg");
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    bytes[sof + 5] = char(height >> 8), bytes[sof + 6] = char(height);
    bytes[sof + 7] = char(width >> 8), bytes[sof + 8] = char(width);
    return bytes;
}

// Rows stored top row first, as many programs write them: the height field is negative.
QByteArray topDownBmp(const QImage &image)
{
    const QByteArray bytes = encoded(image, "bmp");
    const int offset = quint8(bytes[10]) | quint8(bytes[11]) << 8, h = image.height();
    const qsizetype stride = (bytes.size() - offset) / h;
    QByteArray flipped = bytes.left(offset);
    put32(flipped, 22, quint32(-h));
    for (int row = h - 1; row >= 0; --row)
        flipped += bytes.mid(offset + row * stride, stride);
    return flipped;
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadsWholePicture_data();
    void loadsWholePicture();
    void refuses_data();
    void refuses();
    void saveRoundTrip();
    void saveReplacesOnlyWhenComplete();
    void saveGivesDutchReason_data();
    void saveGivesDutchReason();
    void systemReasonsInDutch_data();
    void systemReasonsInDutch();
};

// Read by content, whatever the name says; the sheet-sized ones also by the exact-size reader.
void TestPictureFile::loadsWholePicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QImage>("original"); // null when lossy: then only the size is checked
    QTest::addColumn<QSize>("size");
    const QImage small = testPicture(61, 37), sheet = testPicture(3990, 1600);
    QTest::newRow("bmp") << encoded(small, "bmp") << small << small.size();
    QTest::newRow("jpeg") << encoded(small, "jpeg") << QImage() << small.size();
    QTest::newRow("gif") << encoded(small, "gif") << QImage() << small.size();
    QTest::newRow("sheet-sized jpeg") << encoded(sheet, "jpeg") << QImage() << sheet.size();
    QTest::newRow("top-down bmp") << topDownBmp(sheet) << sheet << sheet.size();
}

void TestPictureFile::loadsWholePicture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, original);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.krt"));
    write(path, bytes);
    QCOMPARE(PictureFile::peek(bytes)->size, size);
    QList loads{PictureFile::load(path, 64 << 20)};
    if (size == QSize(3990, 1600))
        loads << PictureFile::loadExactly(path, size);
    for (const auto &load : loads) {
        QVERIFY2(load.ok(), qPrintable(load.error));
        QCOMPARE(load.image.size(), size);
        if (!original.isNull())
            QCOMPARE(vellora::test::firstDifference(load.image.convertToFormat(QImage::Format_RGB32), original), QString());
    }
}

// Every kind of bad input is refused with a reason, by both readers, and nothing is read that would freeze or
// abort the program: special files, pictures that end early (which Qt would quietly fill), other formats, and
// headers whose size (60000 x 60000, 13.4 GB) alone settles it.
void TestPictureFile::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind"); // a special file instead of the bytes
    for (const char *format : {"bmp", "jpeg", "gif"}) {
        const QByteArray whole = encoded(testPicture(200, 150), format);
        QTest::addRow("%s less 1 byte", format) << whole.chopped(1) << "";
        QTest::addRow("%s at half", format) << whole.left(whole.size() / 2) << "";
    }
    QTest::newRow("png") << encoded(testPicture(10, 10), "png") << "";
    QTest::newRow("svg") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>") << "";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("bmp magic only") << QByteArray("BM") << "";
    const QByteArray padding(1 << 20, '\0');
    QTest::newRow("huge jpeg") << jpegClaiming(60000, 60000) + padding << "";
    QTest::newRow("huge bmp") << bmpHeaderOnly(60000, 60000) + padding << "";
    QTest::newRow("huge top-down bmp") << bmpHeaderOnly(60000, -60000) + padding << "";
    for (const char *kind : {"zero", "fifo", "sparse", "dir", "dangling", "missing", "unreadable"})
        QTest::newRow(kind) << QByteArray() << QString::fromLatin1(kind);
}

void TestPictureFile::refuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.jpg"));
    if (kind == u"unreadable") {
        if (geteuid() == 0)
            QSKIP("root reads any file");
        write(path, encoded(testPicture(8, 8), "bmp"));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
    } else if (kind.isEmpty()) {
        write(path, bytes);
        QVERIFY(!PictureFile::decode(bytes).ok());
    } else if (kind != u"missing") {
        QVERIFY(vellora::test::makeSpecialFile(kind, path, dir.path()));
    }
    for (const auto &load : {PictureFile::load(path), PictureFile::loadExactly(path, QSize(3990, 1600))}) {
        QVERIFY(!load.ok());
        QVERIFY(!load.error.isEmpty());
    }
}

void TestPictureFile::saveRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.krt"));
    const QImage original = testPicture(3990, 16);
    QString error;
    QVERIFY2(PictureFile::saveBmp(original, path, &error), qPrintable(error));
    QVERIFY(readAll(path).startsWith("BM"));
    QCOMPARE(PictureFile::load(path).image.convertToFormat(QImage::Format_RGB32), original);
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
    QString path = dir.filePath(setup == u"long" ? QString(300, u'x') + QStringLiteral(".krt")
                                : setup == u"gone" ? QStringLiteral("weg/project.krt") : QStringLiteral("project.krt"));
    const bool mounted = setup == u"ro-mount" && geteuid() == 0
        && QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", dir.path()}) == 0;
    if (setup == u"ro-mount" && !mounted)
        QSKIP("mounting a tmpfs needs root and mount rights");
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
    QTest::newRow("anything else is passed on") << EXDEV << QString::fromLocal8Bit(std::strerror(EXDEV));
}

void TestPictureFile::systemReasonsInDutch()
{
    QFETCH(int, error);
    QFETCH(QString, reason);
    QCOMPARE(vellora::writeFailureReason(QString::fromLocal8Bit(std::strerror(error))), reason);
}

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
