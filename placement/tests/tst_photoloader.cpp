#include "folderlisting.h"
#include "photoloader.h"
#include "photos.h"

using vellora::PhotoLoad;
using vellora::PhotoLoader;
using namespace vellora::test;

namespace {

// Four quadrants of plain colours, none the mirror of another: every turn and mirror shows.
const QRgb kQuadrants[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(30, 40, 210), qRgb(240, 240, 240)};
QImage quadrants(int w, int h)
{
    return paintPhoto(w, h, [=](int x, int y) { return kQuadrants[(x >= w / 2) + 2 * (y >= h / 2)]; });
}

void put32(QByteArray &b, qsizetype at, quint32 v, bool big)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (big ? 24 - 8 * i : 8 * i));
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xffffffffu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// The same file with its header claiming another size; everything after the header is left as it was.
QByteArray claiming(QByteArray b, const QByteArray &f, int w, int h)
{
    if (f == "BMP") {
        put32(b, 18, quint32(w), false), put32(b, 22, quint32(h), false);
    } else if (f == "GIF") {
        b[6] = char(w), b[7] = char(w >> 8), b[8] = char(h), b[9] = char(h >> 8);
    } else if (f == "JPEG") { // the frame header, whichever kind
        qsizetype i = 2;
        while ((quint8(b[i + 1]) & 0xf0) != 0xc0 || quint8(b[i + 1]) == 0xc4)
            i += 2 + (quint8(b[i + 2]) << 8 | quint8(b[i + 3]));
        b[i + 5] = char(h >> 8), b[i + 6] = char(h), b[i + 7] = char(w >> 8), b[i + 8] = char(w);
    } else if (f == "PNG") {
        put32(b, 16, quint32(w), true), put32(b, 20, quint32(h), true),
            put32(b, 29, crc32(b.mid(12, 17)), true);
    } else if (f == "WEBP") { // an extended header with its canvas size in front of the picture
        QByteArray x("VP8X\x0a\0\0\0\0\0\0\0", 12);
        for (int v : {w - 1, h - 1})
            x += QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16);
        b = b.left(12) + x + b.mid(12);
        put32(b, 4, quint32(b.size() - 8), false);
    } else if (f == "HEIC") {
        for (qsizetype i = b.indexOf("ispe"); i >= 0; i = b.indexOf("ispe", i + 1))
            put32(b, i + 8, quint32(w), true), put32(b, i + 12, quint32(h), true);
    }
    return b;
}

} // namespace

class TestPhotoLoader : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Every photo kind is read by content into an upright RGB32 picture within the budget, halved as often as
    // needed; what ends early or claims more than the budget is refused before the decoder allocates
    // anything.
    void loads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<QSize>("expected");      // empty when refused
        QTest::addColumn<QList<QRgb>>("colours"); // in the middle of each quadrant, top row first
        const QImage photo = quadrants(800, 600);
        const QList<QRgb> four(std::begin(kQuadrants), std::end(kQuadrants));
        const qint64 all = PhotoLoader::kBudgetBytes, exact = 800 * 600 * 4;
        const QSize full(800, 600);
        const QByteArray heic = heicBytes(photo), jpeg = imageFile(photo, "JPEG");
        auto row = [](const char *name, const QByteArray &bytes, qint64 budget, QSize size,
                      QList<QRgb> colours) { QTest::newRow(name) << bytes << budget << size << colours; };
        row("bmp", imageFile(photo, "BMP"), all, full, four);
        const QImage grey = photo.convertToFormat(QImage::Format_Grayscale8);
        row("gif, grey", imageFile(photo, "GIF"), all, full,
            {grey.pixel(200, 150), grey.pixel(600, 150), grey.pixel(200, 450), grey.pixel(600, 450)});
        row("png", imageFile(photo, "PNG"), all, full, four);
        row("webp", imageFile(photo, "WEBP"), all, full, four);
        if (!heic.isEmpty())
            row("heic", heic, all, full, four);
        row("jpeg, exactly the budget", jpeg, exact, full, four);
        row("one pixel over: half", jpeg, exact - 4, {400, 300}, four);
        row("eighth", jpeg, 100 * 75 * 4, {100, 75}, four);
        QImage clear(64, 48, QImage::Format_ARGB32), dark(64, 48, QImage::Format_RGB32), light = dark;
        clear.fill(Qt::transparent), dark.fill(qRgb(40, 40, 40)), light.fill(qRgb(200, 200, 200));
        row("transparent shows white", imageFile(clear, "PNG"), all, clear.size(), QList<QRgb>(4, ~0u));
        row("animated gif: the first frame", animatedGifBytes(dark, light), all, dark.size(),
            QList<QRgb>(4, dark.pixel(0, 0)));
        // Stored as a camera on its side stores it: the axes swapped, then mirrored, by the EXIF orientation.
        for (int o = 1; o <= 8; ++o) {
            const bool swap = o >= 5, mirrorX = QByteArray("2367").contains('0' + o),
                       mirrorY = QByteArray("3478").contains('0' + o);
            const QImage upright = quadrants(64, 32);
            const QImage stored = paintPhoto(swap ? 32 : 64, swap ? 64 : 32, [&](int x, int y) {
                const QPoint p = swap ? QPoint(y, x) : QPoint(x, y);
                return upright.pixel(mirrorX ? 63 - p.x() : p.x(), mirrorY ? 31 - p.y() : p.y());
            });
            QTest::addRow("EXIF orientation %d", o)
                << withExifOrientation(imageFile(stored, "JPEG"), o) << all << QSize(64, 32) << four;
        }
        row("truncated jpeg beyond budget", jpeg.left(jpeg.size() * 2 / 3), 40000, {}, {});
        for (const char *format : {"BMP", "GIF", "JPEG", "PNG", "WEBP", "HEIC"}) {
            const QByteArray whole = qstrcmp(format, "HEIC") ? imageFile(photo, format) : heic;
            if (whole.isEmpty())
                continue;
            QTest::addRow("truncated %s", format)
                << whole.left(whole.size() * 3 / 4) << all << QSize() << QList<QRgb>();
            QTest::addRow("%s claiming 60000 x 60000", format)
                << claiming(whole, format, 60000, 60000) << all << QSize() << QList<QRgb>();
        }
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
        const PhotoLoad loaded = PhotoLoader::load(path, budget);
        QCOMPARE(loaded.ok(), !expected.isEmpty());
        QCOMPARE(loaded.error.isEmpty(), loaded.ok());
        if (!loaded.ok())
            return;
        QCOMPARE(loaded.image.size(), expected);
        QCOMPARE(loaded.image.format(), QImage::Format_RGB32);
        QVERIFY(qint64(loaded.image.sizeInBytes()) <= budget);
        // A smaller budget is only given to the 800 x 600 JPEG.
        QCOMPARE(loaded.fileSize, budget < PhotoLoader::kBudgetBytes ? QSize(800, 600) : expected);
        for (int i = 0; i < 4; ++i) {
            const QPoint at(expected.width() * (1 + 2 * (i % 2)) / 4,
                            expected.height() * (1 + 2 * (i / 2)) / 4);
            QVERIFY2(channelDifference(loaded.image.pixel(at), colours[i]) <= 12,
                     qPrintable(QString::number(i)));
        }
        if (QTest::currentDataTag() == QByteArray("bmp"))
            QCOMPARE(firstDifference(loaded.image, quadrants(800, 600)), QString());
    }

    // Each would abort the program or freeze the dialog for good if it were read like a photo. Only the
    // sparse file is a regular file; the lists leave out what the listing mistakes for either.
    void refusesWhatIsNoRegularFile()
    {
        for (const QString kind : {"zero", "fifo", "sparse", "dir"}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("x.jpg"));
            QVERIFY(makeSpecialFile(kind, path, dir.path()));
            const PhotoLoad loaded = PhotoLoader::load(path);
            QVERIFY2(!loaded.ok() && !loaded.error.isEmpty(), qPrintable(kind));
            QVERIFY2(vellora::folders::pictureFiles(dir.path()).contains("x.jpg") == (kind == "sparse"),
                     qPrintable(kind));
            for (const auto &entry : vellora::folders::folderTree(dir.path()))
                QVERIFY2(entry.name != u"x.jpg" || kind == u"dir", qPrintable(kind));
        }
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
