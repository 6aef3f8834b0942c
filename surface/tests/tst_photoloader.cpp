#include "surface/photoloader.h"
#include "tests/support/hostilephotos.h"
#include "tests/support/testsupport.h"

#include <QTest>
#include <QtEndian>

using vellora::PhotoLoad;
using vellora::PhotoLoader;
using namespace vellora::test;

class TestPhotoLoader : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Every photo kind is read by content, upright RGB32, halved as often as the budget needs; what ends
    // early or claims more than the budget is refused before the decoder allocates anything.
    void loads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<QSize>("expected");      // empty when refused
        QTest::addColumn<QList<QRgb>>("colours"); // in the middle of each quadrant, top row first
        const QImage photo = quadrants(800, 600);
        const QList<QRgb> four(std::begin(kQuadrants), std::end(kQuadrants));
        // A photo once shown takes a third more for its halves.
        const qint64 all = PhotoLoader::kBudgetBytes, exact = 800 * 600 * 4 / 3 * 4;
        const QByteArray heic = heicBytes(photo), jpeg = imageFile(photo, "JPEG");
        auto row = [](const char *name, const QByteArray &bytes, qint64 budget, QSize size,
                      QList<QRgb> colours) { QTest::newRow(name) << bytes << budget << size << colours; };
        row("bmp", imageFile(photo, "BMP"), all, photo.size(), four);
        const QImage grey = photo.convertToFormat(QImage::Format_Grayscale8);
        row("gif, grey", imageFile(photo, "GIF"), all, photo.size(),
            {grey.pixel(200, 150), grey.pixel(600, 150), grey.pixel(200, 450), grey.pixel(600, 450)});
        row("png", imageFile(photo, "PNG"), all, photo.size(), four);
        row("webp", imageFile(photo, "WEBP"), all, photo.size(), four);
        if (!heic.isEmpty())
            row("heic", heic, all, photo.size(), four);
        row("jpeg, exactly the budget", jpeg, exact, photo.size(), four);
        row("one pixel over: half", jpeg, exact - 4, {400, 300}, four);
        row("eighth", jpeg, jpeg.size() + 100 * 75 * 4 / 3 * 4, {100, 75}, four);
        QImage clear(64, 48, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        row("transparent shows white", imageFile(clear, "PNG"), all, clear.size(), QList<QRgb>(4, ~0u));
        // Stored as a camera stores it, turned upright by the EXIF orientation: 4 is the last that keeps the
        // axes, 5 the first that swaps them. Every orientation's turn is tst_jpegdecoder's, on the same
        // decode.
        const QImage upright = quadrants(64, 32), mirrored = upright.mirrored();
        row("EXIF orientation 4", withExifOrientation(imageFile(mirrored, "JPEG"), 4), all, {64, 32}, four);
        const QImage swapped = upright.transformed(QTransform().rotate(-90)).mirrored();
        row("EXIF orientation 5", withExifOrientation(imageFile(swapped, "JPEG"), 5), all, {64, 32}, four);
        row("truncated jpeg beyond budget", jpeg.left(jpeg.size() * 2 / 3), 40000, {}, {});
        // Early ends per format (tst_picturefile ends BMP, GIF and JPEG early); an oversized header is
        // Qt's BMP refusal, the budget's for GIF and HEIC (PNG, WebP as GIF), for a JPEG the data it lacks.
        for (const char *format : {"BMP", "GIF", "JPEG", "PNG", "WEBP", "HEIC"}) {
            const QByteArray whole = qstrcmp(format, "HEIC") ? imageFile(photo, format) : heic;
            if (whole.isEmpty())
                continue;
            if (QByteArrayList{"PNG", "WEBP", "HEIC"}.contains(format))
                QTest::addRow("truncated %s", format)
                    << whole.left(whole.size() * 3 / 4) << all << QSize() << QList<QRgb>();
            if (!QByteArrayList{"PNG", "WEBP"}.contains(format))
                QTest::addRow("%s claiming 60000 x 60000", format)
                    << claiming(whole, format, 60000, 60000) << all << QSize() << QList<QRgb>();
        }
        // A chunk after the picture claiming nearly 4 GB: refused at once, not walked round in circles.
        QByteArray wrapping = imageFile(photo, "WEBP") + "JUNK" + QByteArray("\xf7\xff\xff\xff", 4);
        qToLittleEndian<quint32>(quint32(wrapping.size() - 8), wrapping.data() + 4);
        row("webp with a chunk of nearly 4 GB", wrapping, all, {}, {});
        // A grid of the same tile used again and again: a few of them load; thousands are refused from the
        // file's boxes, before libheif reads them (which took it 45 s for these).
        row("HEIC grid of 2 x 2 reused tiles", tiledHeic(2, 2, kQuadrants[2]), all, {128, 128},
            QList<QRgb>(4, kQuadrants[2]));
        row("HEIC grid of 141 x 141 reused tiles", tiledHeic(141, 141, kQuadrants[2]), all, {}, {});
        // The tiles' size box claiming 2^32 - 1 pixels each way, their kind unknown to libheif so that it
        // does not judge them first: counted as the largest the program can hold, not multiplied past 64
        // bits.
        QByteArray claimingTiles = tiledHeic(2, 2, kQuadrants[2]);
        for (qsizetype i = claimingTiles.indexOf("ispe"); i >= 0; i = claimingTiles.indexOf("ispe", i + 1))
            if (qFromBigEndian<quint32>(claimingTiles.data() + i + 8) == 64)
                claimingTiles.replace(i + 8, 8, QByteArray(8, '\xff'));
        claimingTiles.replace("hvc1", "hvc0");
        row("HEIC tiles claiming 2^32 - 1 each way", claimingTiles, all, {}, {});
        row("progressive JPEG held whole beyond the budget",
            claiming(imageFile(quadrants(64, 48), "JPEG", -1, true), "JPEG", 20000, 20000), all, {}, {});
    }

    void loads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, budget);
        QFETCH(QSize, expected);
        QFETCH(QList<QRgb>, colours);
        const QString path = m_dir.filePath(QStringLiteral("photo.bmp")); // the name does not matter
        QVERIFY(writeBytes(path, bytes));
        const PhotoLoad loaded = PhotoLoader::load(path, 0, budget);
        QCOMPARE(loaded.ok(), !expected.isEmpty());
        QCOMPARE(loaded.outcome().text().isEmpty(), loaded.ok());
        if (QTest::currentDataTag() == QByteArray("HEIC grid of 141 x 141 reused tiles"))
            QCOMPARE(loaded.outcome().text(),
                     QStringLiteral("De afbeelding is te groot (9024 x 9024 pixels)."));
        if (!loaded.ok())
            return;
        QCOMPARE(loaded->image.size(), expected);
        QCOMPARE(loaded->image.format(), QImage::Format_RGB32);
        // A smaller budget is only given to the 800 x 600 JPEG.
        QCOMPARE(loaded->fileSize, budget < PhotoLoader::kBudgetBytes ? QSize(800, 600) : expected);
        for (int i = 0; i < 4; ++i) {
            const QPoint at(expected.width() * (1 + 2 * (i % 2)) / 4,
                            expected.height() * (1 + 2 * (i / 2)) / 4);
            QVERIFY2(channelDifference(loaded->image.pixel(at), colours[i]) <= 12,
                     qPrintable(QString::number(i)));
        }
        if (QTest::currentDataTag() == QByteArray("bmp"))
            QCOMPARE(firstDifference(loaded->image, quadrants(800, 600)), QString());
    }

    // Each would abort the program or freeze the dialog for good if it were read like a photo.
    void refusesWhatIsNoRegularFile()
    {
        for (const QString kind : {"zero", "fifo", "sparse", "dir"}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("x.jpg"));
            QVERIFY(makeSpecialFile(kind, path, dir.path()));
            const PhotoLoad loaded = PhotoLoader::load(path);
            QVERIFY2(!loaded.ok() && !loaded.outcome().text().isEmpty(), qPrintable(kind));
        }
    }
};

QTEST_GUILESS_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
