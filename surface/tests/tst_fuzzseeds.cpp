// Writes the seed corpora of the picture fuzzers: one small, complete file of every kind each reader takes,
// and checks each is read, so the fuzzers start from inputs that reach deep into every decoder.
#include "photofile.h"
#include "picturefile.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTest>

using vellora::PictureFile;

class TestFuzzSeeds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writeSeeds();
    void writePhotoSeeds();
};

void TestFuzzSeeds::writeSeeds()
{
    QImage picture(24, 17, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 10, y * 14, (x * y) & 255));

    auto encode = [](const QImage &image, const char *format, int quality = -1, bool progressive = false) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        writer.setQuality(quality);
        writer.setProgressiveScanWrite(progressive);
        writer.write(image);
        return bytes;
    };
    const QList<std::pair<const char *, QByteArray>> seeds = {
        {"rgb.bmp", encode(picture, "bmp")},
        {"indexed.bmp", encode(picture.convertToFormat(QImage::Format_Indexed8), "bmp")},
        {"mono.bmp", encode(picture.convertToFormat(QImage::Format_Mono), "bmp")},
        {"baseline.jpg", encode(picture, "jpeg", 80)},
        {"progressive.jpg", encode(picture, "jpeg", 60, true)},
        {"grey.gif", vellora::test::gifBytes(picture)},
    };
    const QString folder = QStringLiteral(VELLORA_FUZZ_SEEDS);
    QDir().mkpath(folder);
    for (const auto &[name, bytes] : seeds) {
        QVERIFY2(PictureFile::decode(bytes).ok(), name);
        QFile file(folder + u'/' + QString::fromLatin1(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

void TestFuzzSeeds::writePhotoSeeds()
{
    QImage picture(24, 17, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x * 10, y * 14, (x * y) & 255, x < 8 ? 0 : 255));
    auto encode = [&](const char *format, int quality = -1) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        writer.setQuality(quality);
        writer.write(picture);
        return bytes;
    };
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    QList<std::pair<const char *, QByteArray>> seeds = {
        {"turned.jpg", vellora::test::withExifOrientation(encode("jpeg", 80), 6)},
        {"alpha.png", encode("png")},
        {"lossy.webp", encode("webp", 80)},
        {"lossless.webp", encode("webp", 100)},
        {"animated.gif", vellora::test::animatedGifBytes(opaque, opaque.mirrored())},
        {"plain.bmp", encode("bmp")},
    };
    const QByteArray heic = vellora::test::heicBytes(opaque);
    if (!heic.isEmpty())
        seeds.append({"photo.heic", heic});
    const QString folder = QStringLiteral(VELLORA_PHOTO_SEEDS);
    QDir().mkpath(folder);
    for (const auto &[name, bytes] : seeds) {
        const auto header = vellora::PhotoFile::peek(bytes);
        QVERIFY2(header && vellora::PhotoFile::decode(bytes, *header, header->size, 1 << 20).ok(), name);
        QFile file(folder + u'/' + QString::fromLatin1(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

QTEST_GUILESS_MAIN(TestFuzzSeeds)
#include "tst_fuzzseeds.moc"
