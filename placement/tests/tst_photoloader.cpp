#include "folderlisting.h"
#include "photoloader.h"
#include "photos.h"

using vellora::PhotoLoad;
using vellora::PhotoLoader;
using namespace vellora::test;

class TestPhotoLoader : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void loads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<bool>("truncated");
        QTest::addColumn<QSize>("expected"); // empty when refused
        const qint64 all = PhotoLoader::kBudgetBytes, exact = 800 * 600 * 4;
        const QByteArray jpeg("JPEG");
        QTest::newRow("bmp") << "scan.bmp" << QByteArray("BMP") << all << false << QSize(800, 600);
        QTest::newRow("gif") << "clip.gif" << QByteArray("GIF") << all << false << QSize(800, 600);
        QTest::newRow("jpeg named bmp") << "odd.bmp" << jpeg << all << false << QSize(800, 600);
        QTest::newRow("camera JPEG, exactly the budget") << "IMG_0001.JPG" << jpeg << exact << false << QSize(800, 600);
        QTest::newRow("one pixel over: half") << "a.jpg" << jpeg << exact - 4 << false << QSize(400, 300);
        QTest::newRow("quarter") << "a.jpg" << jpeg << qint64(300 * 300 * 4) << false << QSize(200, 150);
        QTest::newRow("eighth") << "a.jpg" << jpeg << qint64(100 * 75 * 4) << false << QSize(100, 75);
        QTest::newRow("truncated within budget") << "a.jpg" << jpeg << all << true << QSize();
        QTest::newRow("truncated beyond budget") << "a.jpg" << jpeg << qint64(100 * 100 * 4) << true << QSize();
    }

    void loads()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(qint64, budget);
        QFETCH(bool, truncated);
        QFETCH(QSize, expected);
        const QImage picture = smoothPhoto(800, 600);
        const QByteArray bytes = encoded(picture, format.constData());
        const QString path = m_dir.filePath(name);
        writeFile(path, truncated ? bytes.left(bytes.size() * 2 / 3) : bytes);
        const PhotoLoad loaded = PhotoLoader::load(path, budget);
        QCOMPARE(loaded.ok(), !expected.isEmpty());
        if (expected.isEmpty())
            return;
        QCOMPARE(loaded.image.size(), expected);
        QCOMPARE(loaded.fileSize, picture.size());
        QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
        QVERIFY(qint64(loaded.image.sizeInBytes()) <= budget);
        if (format == "BMP")
            QCOMPARE(firstDifference(loaded.image, picture), QString());
        // However reduced, still the same picture: the centre keeps its colour.
        const QRgb centre = loaded.image.pixel(expected.width() / 2, expected.height() / 2);
        if (format == "JPEG")
            QVERIFY(qAbs(qRed(centre) - 120) < 8 && qAbs(qGreen(centre) - 125) < 8);
    }

    // Each would abort the program or freeze the dialog for good if it were read like a photo.
    void refusesWhatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"zero", "fifo", "sparse", "dir"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    void refusesWhatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.jpg"));
        QVERIFY(makeSpecialFile(kind, path, dir.path()));
        const PhotoLoad loaded = PhotoLoader::load(path);
        QVERIFY(!loaded.ok());
        QVERIFY(!loaded.error.isEmpty());
        // Only the sparse file is a regular file; the lists leave out what the listing mistakes for either.
        QCOMPARE(vellora::folders::pictureFiles(dir.path()).contains(QStringLiteral("x.jpg")), kind == u"sparse");
        for (const auto &entry : vellora::folders::folderTree(dir.path()))
            QVERIFY2(entry.name != u"x.jpg" || kind == u"dir", qPrintable(entry.name));
    }

    void budgetCoversAHundredMegapixels()
    {
        // Decided from the header alone, so no picture of that size is needed.
        const qint64 budget = PhotoLoader::kBudgetBytes;
        QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(12500, 8000), budget), QSize(12500, 8000));
        QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(12500, 8001), budget), QSize(6250, 4001));
        QCOMPARE(PhotoLoader::reducedSize("jpeg", QSize(65535, 65535), budget), QSize(8192, 8192));
    }
};

QTEST_GUILESS_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
