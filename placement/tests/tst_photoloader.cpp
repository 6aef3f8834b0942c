#include "photoloader.h"
#include "photos.h"
#include "testsupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using vellora::PhotoLoad;
using vellora::PhotoLoader;
using namespace vellora::test;

class TestPhotoLoader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadsEveryFormatAtItsNaturalSize_data();
    void loadsEveryFormatAtItsNaturalSize();
    void jpegBeyondTheBudgetLoadsReduced_data();
    void jpegBeyondTheBudgetLoadsReduced();
    void truncatedFilesAreRefused_data();
    void truncatedFilesAreRefused();
    void budgetCoversAHundredMegapixels();

private:
    QTemporaryDir m_dir;
};

void TestPhotoLoader::loadsEveryFormatAtItsNaturalSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("camera JPEG") << "IMG_0001.JPG" << QByteArray("JPEG");
    QTest::newRow("bmp") << "scan.bmp" << QByteArray("BMP");
    QTest::newRow("gif") << "clip.gif" << QByteArray("GIF");
    QTest::newRow("jpeg named bmp") << "odd.bmp" << QByteArray("JPEG");
}

void TestPhotoLoader::loadsEveryFormatAtItsNaturalSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    const QImage picture = coordinatePhoto(321, 123);
    const QString path = QDir(m_dir.path()).filePath(name);
    if (format == "GIF")
        writeBytes(path, gifBytes(picture));
    else
        picture.save(path, format.constData(), 95);
    const PhotoLoad loaded = PhotoLoader::load(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.image.size(), QSize(321, 123));
    QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
    QVERIFY(!loaded.reduced());
    if (format == "BMP")
        QCOMPARE(firstDifference(loaded.image, picture), QString());
}

void TestPhotoLoader::jpegBeyondTheBudgetLoadsReduced_data()
{
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("fits") << qint64(800 * 600 * 4) << QSize(800, 600);
    QTest::newRow("one pixel over: half") << qint64(800 * 600 * 4 - 4) << QSize(400, 300);
    QTest::newRow("quarter") << qint64(300 * 300 * 4) << QSize(200, 150);
    QTest::newRow("eighth") << qint64(100 * 75 * 4) << QSize(100, 75);
}

void TestPhotoLoader::jpegBeyondTheBudgetLoadsReduced()
{
    QFETCH(qint64, budget);
    QFETCH(QSize, expected);
    const QString path = writePhoto(m_dir.path(), QStringLiteral("BIG.JPG"), smoothPhoto(800, 600), "JPEG");
    const PhotoLoad loaded = PhotoLoader::load(path, budget);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.image.size(), expected);
    QCOMPARE(loaded.fileSize, QSize(800, 600));
    QVERIFY(qint64(loaded.image.sizeInBytes()) <= budget);
    // Still the same picture, only smaller: the centre keeps its colour.
    const QRgb centre = loaded.image.pixel(expected.width() / 2, expected.height() / 2);
    const QRgb original = smoothPhoto(800, 600).pixel(400, 300);
    QVERIFY(qAbs(qRed(centre) - qRed(original)) < 8 && qAbs(qGreen(centre) - qGreen(original)) < 8);
}

void TestPhotoLoader::truncatedFilesAreRefused_data()
{
    QTest::addColumn<qint64>("budget");
    QTest::newRow("within budget") << PhotoLoader::kBudgetBytes;
    QTest::newRow("beyond budget") << qint64(100 * 100 * 4);
}

void TestPhotoLoader::truncatedFilesAreRefused()
{
    QFETCH(qint64, budget);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    smoothPhoto(400, 300).save(&buffer, "JPEG", 90);
    const PhotoLoad loaded = PhotoLoader::decode(bytes.left(bytes.size() * 2 / 3), budget);
    QVERIFY(!loaded.ok());
}

void TestPhotoLoader::budgetCoversAHundredMegapixels()
{
    // Decided from the header alone, so no picture of that size is needed.
    QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(8000, 6000), PhotoLoader::kBudgetBytes), QSize(8000, 6000));
    QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(12500, 8000), PhotoLoader::kBudgetBytes), QSize(12500, 8000));
    QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(16000, 12000), PhotoLoader::kBudgetBytes), QSize(8000, 6000));
    QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(65535, 65535), PhotoLoader::kBudgetBytes), QSize(8192, 8192));
}

QTEST_GUILESS_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
