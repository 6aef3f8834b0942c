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

using Seeds = QList<std::pair<const char *, QByteArray>>;

namespace {

QImage seedPicture(bool alpha)
{
    QImage picture(24, 17, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x * 10, y * 14, (x * y) & 255, alpha && x < 8 ? 0 : 255));
    return alpha ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

QByteArray encode(const QImage &image, const char *format, int quality = -1, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

template<typename Reads> void writeAll(const QString &folder, const Seeds &seeds, Reads reads)
{
    QDir().mkpath(folder);
    for (const auto &[name, bytes] : seeds) {
        QVERIFY2(reads(bytes), name);
        QFile file(folder + u'/' + QString::fromLatin1(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
}

} // namespace

class TestFuzzSeeds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writeSeeds()
    {
        const QImage picture = seedPicture(false);
        const Seeds seeds = {
            {"rgb.bmp", encode(picture, "bmp")},
            {"indexed.bmp", encode(picture.convertToFormat(QImage::Format_Indexed8), "bmp")},
            {"mono.bmp", encode(picture.convertToFormat(QImage::Format_Mono), "bmp")},
            {"baseline.jpg", encode(picture, "jpeg", 80)},
            {"progressive.jpg", encode(picture, "jpeg", 60, true)},
            {"grey.gif", vellora::test::gifBytes(picture)},
        };
        writeAll(QStringLiteral(VELLORA_FUZZ_SEEDS), seeds,
                 [](const QByteArray &bytes) { return vellora::PictureFile::decode(bytes).ok(); });
    }

    void writePhotoSeeds()
    {
        const QImage picture = seedPicture(true), opaque = seedPicture(false);
        Seeds seeds = {
            {"turned.jpg", vellora::test::withExifOrientation(encode(picture, "jpeg", 80), 6)},
            {"alpha.png", encode(picture, "png")},
            {"lossy.webp", encode(picture, "webp", 80)},
            {"lossless.webp", encode(picture, "webp", 100)},
            {"animated.gif", vellora::test::animatedGifBytes(opaque, opaque.mirrored())},
            {"plain.bmp", encode(picture, "bmp")},
        };
        if (const QByteArray heic = vellora::test::heicBytes(opaque); !heic.isEmpty())
            seeds.append({"photo.heic", heic});
        writeAll(QStringLiteral(VELLORA_PHOTO_SEEDS), seeds, [](const QByteArray &bytes) {
            const auto header = vellora::PhotoFile::peek(bytes);
            return header && vellora::PhotoFile::decode(bytes, *header, header->size, 1 << 20).ok();
        });
    }
};

QTEST_GUILESS_MAIN(TestFuzzSeeds)
#include "tst_fuzzseeds.moc"
