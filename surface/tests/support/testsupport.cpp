#include "testsupport.h"

#include <libheif/heif.h>

#include <cstring>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace vellora::test {

std::unique_ptr<QTemporaryDir> emptyAppFolder() { return std::make_unique<QTemporaryDir>(); }

std::unique_ptr<QTemporaryDir> copyOfAppData()
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir source(QStringLiteral(VELLORA_APPDATA_DIR));
    for (const char *folder : {"Data", "Backgrounds", "Help", "Projecten", "Artwork"}) {
        const QString name = QString::fromLatin1(folder);
        if (!source.exists(name))
            continue;
        QDir(dir->path()).mkpath(name);
        QDirIterator it(source.filePath(name), QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::copy(it.filePath(), dir->path() + u'/' + name + u'/' + it.fileName());
        }
    }
    return dir;
}

bool makeSpecialFile(const QString &kind, const QString &path, const QString &scratch)
{
    if (kind == u"zero")
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == u"fifo") {
        const QString fifo = scratch + QStringLiteral("/fifo");
        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link(fifo, path);
    }
    if (kind == u"sparse") {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.resize(30ll << 30);
    }
    if (kind == u"dir")
        return QDir().mkpath(path);
    if (kind == u"device") { // a null device of our own, so that a fault can only harm the scratch folder
        const QString node = scratch + QStringLiteral("/nulldev");
        return ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
               QFile::link(node, path);
    }
    if (kind == u"dangling")
        return QFile::link(scratch + QStringLiteral("/elders.krt"), path);
    if (kind == u"outside") {
        QFile f(scratch + QStringLiteral("/elders.krt"));
        return f.open(QIODevice::WriteOnly) && f.write("buiten") == 6 && QFile::link(f.fileName(), path);
    }
    return false;
}

QString firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ: %1x%2 against %3x%4")
            .arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel (%1, %2): %3 against %4")
                    .arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
    return {};
}

QString byteDifference(const QImage &a, const QImage &b)
{
    if (a.format() != b.format() || a.colorTable() != b.colorTable())
        return QStringLiteral("formats differ: %1 against %2").arg(int(a.format())).arg(int(b.format()));
    if (a.size() != b.size())
        return firstDifference(a, b);
    const qsizetype rowBytes = qsizetype(a.width()) * a.depth() / 8;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(rowBytes)) != 0)
            return QStringLiteral("row %1: ").arg(y) + firstDifference(a.copy(0, y, a.width(), 1), b.copy(0, y, b.width(), 1));
    return {};
}

QRect changedArea(const QImage &before, const QImage &after)
{
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

QByteArray gifBytes(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray out("GIF89a");
    auto put16 = [&](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    put16(grey.width());
    put16(grey.height());
    out.append(char(0xF7)); // global table of 256 colours
    out.append('\0');
    out.append('\0');
    for (int i = 0; i < 256; ++i)
        out.append(QByteArray(3, char(i)));
    out.append(char(0x2C));
    put16(0);
    put16(0);
    put16(grey.width());
    put16(grey.height());
    out.append('\0');
    out.append(char(8)); // minimum code size

    // Every code is a literal, 9 bits wide; a clear code before the table would grow keeps the width fixed.
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    auto putCode = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int sinceClear = 0;
    putCode(256);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            if (sinceClear == 250) {
                putCode(256);
                sinceClear = 0;
            }
            putCode(grey.constScanLine(y)[x]);
            ++sinceClear;
        }
    }
    putCode(257);
    if (count > 0)
        packed.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
    out.append(char(0x3B));
    return out;
}

QByteArray heicBytes(const QImage &image)
{
    QByteArray bytes;
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *picture = nullptr;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code == heif_error_Ok
        && heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture)
               .code == heif_error_Ok
        && heif_image_add_plane(picture, heif_channel_interleaved, rgb.width(), rgb.height(), 8).code
               == heif_error_Ok) {
        heif_encoder_set_lossy_quality(encoder, 95);
        int stride = 0;
        uint8_t *plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
        heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *out) {
                               static_cast<QByteArray *>(out)->append(static_cast<const char *>(data), qsizetype(size));
                               return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                           }};
        if (heif_context_encode_image(context, picture, encoder, nullptr, nullptr).code != heif_error_Ok
            || heif_context_write(context, &writer, &bytes).code != heif_error_Ok)
            bytes.clear();
    }
    if (picture)
        heif_image_release(picture);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    // Big-endian TIFF with one IFD entry: tag 0x0112, type SHORT, count 1, the value in the first two bytes.
    QByteArray tiff("MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18);
    tiff += char(0);
    tiff += char(orientation);
    tiff += QByteArray(6, '\0'); // padding of the value, and no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xff);
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

QByteArray animatedGifBytes(const QImage &first, const QImage &second)
{
    // Both share the header and the grey table (6 + 7 + 768 bytes); the second frame follows the first.
    return gifBytes(first).chopped(1) + gifBytes(second).mid(781);
}

} // namespace vellora::test
