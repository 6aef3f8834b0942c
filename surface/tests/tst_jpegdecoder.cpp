#include "surface/jpegdecoder.h"
#include "surface/photofile.h"
#include "tests/support/testsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

using namespace vellora;
using test::imageFile;

namespace {

QImage qtUpright(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// Qt writes no CMYK JPEG; the encoder itself does.
QByteArray cmykJpeg(int w, int h)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(w) * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            JSAMPLE *ink = &row[std::size_t(x) * 4];
            ink[0] = JSAMPLE(x * 5), ink[1] = JSAMPLE(y * 7), ink[2] = 40, ink[3] = 10;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every EXIF orientation lands upright as Qt's reader turns it, whole and at the decoder's own scales,
    // at odd sizes over more than one band and block of columns, so that a row or column off by one shows.
    void turnsUpright_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("scale");
        const QImage photo = test::gradientPicture(70, 150, 3);
        const QByteArray colour = imageFile(photo, "jpeg", 95),
                         progressive = imageFile(photo, "jpeg", 90, true);
        const QByteArray grey = imageFile(photo.convertToFormat(QImage::Format_Grayscale8), "jpeg", 95);
        for (int o = 1; o <= 8; ++o) {
            QTest::addRow("orientation %d", o) << test::withExifOrientation(colour, o) << 1;
            QTest::addRow("orientation %d at a quarter", o) << test::withExifOrientation(colour, o) << 4;
        }
        QTest::newRow("progressive, orientation 8") << test::withExifOrientation(progressive, 8) << 1;
        QTest::newRow("grey, orientation 6 at half") << test::withExifOrientation(grey, 6) << 2;
    }

    void turnsUpright()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, scale);
        const auto header = PhotoFile::peek(stored);
        QVERIFY(header);
        const QSize size((header->size.width() + scale - 1) / scale,
                         (header->size.height() + scale - 1) / scale);
        const std::optional<Result<QImage>> ours = decodeJpegUpright(stored, size, header->orientation, 1 << 30);
        QVERIFY(ours && ours->ok());
        QCOMPARE((*ours)->format(), QImage::Format_RGB32);
        // pixel() sets the unused byte itself; the bytes in memory must hold it already.
        QCOMPARE(reinterpret_cast<const QRgb *>((*ours)->constScanLine(0))[0] >> 24, 0xffu);
        // Qt's reader makes the same pixels; scaled, the picture decoded as stored and turned after.
        const QImage expected =
            scale == 1 ? qtUpright(stored)
                       : turnUpright(decodeJpegUpright(stored, size, 1, 1 << 30)->value_or(QImage()), header->orientation);
        QCOMPARE(test::firstDifference(**ours, expected), QString());
    }

    // Four colours stay with Qt's reader, which makes the same photo of them.
    void leavesFourColoursToQt()
    {
        const QByteArray cmyk = cmykJpeg(40, 24);
        QVERIFY(!decodeJpegUpright(cmyk, QSize(40, 24), 1, 1 << 30));
        const auto header = PhotoFile::peek(cmyk);
        QVERIFY(header);
        const Result<QImage> load = PhotoFile::decode(cmyk, *header, header->size);
        QCOMPARE(test::firstDifference(load.value_or(QImage()), qtUpright(cmyk)), QString());
    }

    // What the decoder cannot take comes back as the load's error, never as a jump out of the program.
    void failsAsAnError_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("memory");
        const QByteArray plain = imageFile(test::gradientPicture(45, 29), "jpeg", 90);
        const qsizetype frame = plain.indexOf("\xff\xc0");
        QByteArray twelveBits = plain, badSampling = plain;
        twelveBits[frame + 4] = 12;
        badSampling[frame + 11] = char(0x55);
        QTest::newRow("12-bit samples") << twelveBits << (qint64(1) << 30);
        QTest::newRow("sampling factors of 5") << badSampling << (qint64(1) << 30);
        // The first scan over and over: a pass over the whole picture each.
        const QByteArray progressive = imageFile(test::gradientPicture(45, 29), "jpeg", 90, true);
        const qsizetype scan = progressive.indexOf("\xff\xda"),
                        next = progressive.indexOf("\xff\xda", scan + 2);
        QByteArray endless = progressive;
        endless.insert(next, progressive.mid(scan, next - scan).repeated(600));
        QTest::newRow("600 scans") << endless << (qint64(1) << 30);
        // Decoded at an eighth, but held whole as coefficients.
        QTest::newRow("coefficients beyond the memory given")
            << imageFile(test::gradientPicture(360, 232), "jpeg", 90, true) << qint64(1000);
    }

    void failsAsAnError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, memory);
        const auto load = decodeJpegUpright(bytes, QSize(45, 29), 6, memory);
        QVERIFY(load && !load->ok());
        QVERIFY2(load->outcome().text().startsWith(QStringLiteral("Het JPEG-bestand is beschadigd (")),
                 qPrintable(load->outcome().text()));
    }
};

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
