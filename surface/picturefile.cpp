#include "surface/picturefile.h"

#include "surface/bmprows.h"
#include "surface/regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace vellora {

namespace {

quint32 le32(const QByteArray &b, qsizetype at)
{
    auto u = [&](qsizetype i) { return quint32(quint8(b[at + i])); };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

quint16 le16(const QByteArray &b, qsizetype at) { return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8); }

bool bmpIsComplete(const QByteArray &b)
{
    if (b.size() < 54)
        return false;
    const quint32 offBits = le32(b, 10);
    const qint64 width = qint32(le32(b, 18));
    const qint64 height = qAbs(qint64(qint32(le32(b, 22))));
    const quint16 bitCount = le16(b, 28);
    const quint32 compression = le32(b, 30);
    const quint32 sizeImage = le32(b, 34);
    qint64 needed = 0;
    if (compression == 0 || compression == 3) { // plain rows, or rows with colour masks
        const qint64 stride = ((qAbs(width) * bitCount + 31) / 32) * 4;
        needed = stride * height;
    } else {
        needed = sizeImage; // run-length data: the header's own byte count is all there is to go by
    }
    return qint64(offBits) + needed <= b.size();
}

// Walks the marker segments; the entropy-coded data after a start-of-scan can hold 0xFF only as 0xFF00 or a
// restart marker, so the next other marker is found by scanning. Thumbnails inside APPn segments are skipped
// whole, so their end-of-image marker cannot pass for the picture's own.
bool jpegIsComplete(const QByteArray &b)
{
    const qsizetype n = b.size();
    if (n < 4 || quint8(b[0]) != 0xFF || quint8(b[1]) != 0xD8)
        return false;
    qsizetype i = 2;
    while (i + 1 < n) {
        if (quint8(b[i]) != 0xFF)
            return false;
        const quint8 marker = quint8(b[i + 1]);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD9)
            return true;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            i += 2;
            continue;
        }
        if (i + 3 >= n)
            return false;
        const qsizetype length = (quint8(b[i + 2]) << 8) | quint8(b[i + 3]);
        if (length < 2)
            return false;
        i += 2 + length;
        if (marker != 0xDA)
            continue;
        i = jpegScanEnd(b, i);
    }
    return false;
}

bool gifIsComplete(const QByteArray &b)
{
    const qsizetype n = b.size();
    if (n < 13)
        return false;
    qsizetype i = 13;
    const quint8 flags = quint8(b[10]);
    if (flags & 0x80)
        i += 3 * (qsizetype(1) << ((flags & 7) + 1));
    auto skipSubBlocks = [&]() {
        while (i < n) {
            const quint8 len = quint8(b[i]);
            ++i;
            if (len == 0)
                return true;
            i += len;
        }
        return false;
    };
    while (i < n) {
        const quint8 block = quint8(b[i]);
        if (block == 0x3B)
            return true;
        if (block == 0x21) {
            i += 2;
            if (!skipSubBlocks())
                return false;
        } else if (block == 0x2C) {
            if (i + 10 > n)
                return false;
            const quint8 local = quint8(b[i + 9]);
            i += 10;
            if (local & 0x80)
                i += 3 * (qsizetype(1) << ((local & 7) + 1));
            i += 1; // LZW minimum code size
            if (!skipSubBlocks())
                return false;
        } else {
            return false;
        }
    }
    return false;
}

// Chunk by chunk up to the end chunk; a chunk running past the end of the file means the file stops short.
bool pngIsComplete(const QByteArray &b)
{
    const qsizetype n = b.size();
    qsizetype i = 8;
    while (i + 12 <= n) {
        const qint64 length = qint64(quint32(quint8(b[i])) << 24 | quint32(quint8(b[i + 1])) << 16
                                     | quint32(quint8(b[i + 2])) << 8 | quint8(b[i + 3]));
        if (b.mid(i + 4, 4) == "IEND")
            return true;
        i += 12 + length;
    }
    return false;
}

// The RIFF header gives the length of everything after it; every chunk must lie within that.
bool webpIsComplete(const QByteArray &b)
{
    if (b.size() < 20 || !b.startsWith("RIFF") || b.mid(8, 4) != "WEBP")
        return false;
    const qint64 end = qint64(le32(b, 4)) + 8;
    if (end > b.size())
        return false;
    qint64 i = 12;
    while (i + 8 <= end)
        i += 8 + ((qint64(le32(b, qsizetype(i) + 4)) + 1) & ~qint64(1));
    return i == end || i == end + 1;
}

bool acceptedFormat(const QByteArray &format)
{
    return format == "bmp" || format == "jpeg" || format == "gif";
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

const QString kIncomplete = QStringLiteral("Het bestand is onvolledig.");
const QString kNoMemory = QStringLiteral("Er is te weinig geheugen voor de afbeelding.");

// A plain BMP is read a band of rows at a time straight into the picture, never whole into memory first.
PictureLoad readRows(RegularFile &file, const bmprows::Layout &layout)
{
    bool stoppedShort = false;
    QImage image = bmprows::read(layout, [&](char *into, qint64 length) {
        while (length > 0) {
            const qint64 n = file.read(into, length);
            if (n <= 0) {
                stoppedShort = true;
                return false;
            }
            into += n;
            length -= n;
        }
        return true;
    });
    if (image.isNull())
        return {QImage(), stoppedShort ? kIncomplete : kNoMemory};
    return {std::move(image), QString()};
}

} // namespace

qsizetype jpegScanEnd(const QByteArray &b, qsizetype i)
{
    const qsizetype n = b.size();
    while (i + 1 < n) {
        if (quint8(b[i]) == 0xFF) {
            const quint8 next = quint8(b[i + 1]);
            if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7))
                break;
        }
        ++i;
    }
    return i;
}

bool pictureIsComplete(const QByteArray &format, const QByteArray &bytes)
{
    if (format == "bmp")
        return bmpIsComplete(bytes);
    if (format == "jpeg")
        return jpegIsComplete(bytes);
    if (format == "gif")
        return gifIsComplete(bytes);
    if (format == "png")
        return pngIsComplete(bytes);
    if (format == "webp")
        return webpIsComplete(bytes);
    return false;
}

std::optional<PictureHeader> PictureFile::peek(const QByteArray &bytes, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (!acceptedFormat(format)) {
        setError(error, QStringLiteral("Geen BMP-, JPEG- of GIF-afbeelding."));
        return std::nullopt;
    }
    QSize size = reader.size();
    // A BMP stored top row first gives its height as negative; the picture is no different for it.
    if (format == "bmp" && size.height() < 0)
        size.setHeight(-size.height());
    if (!size.isValid() || size.isEmpty()) {
        setError(error, QStringLiteral("De afmetingen van de afbeelding zijn onleesbaar."));
        return std::nullopt;
    }
    return PictureHeader{format, size};
}

PictureLoad PictureFile::decode(const QByteArray &bytes, qint64 maxBytes, QSize scaledSize)
{
    PictureLoad result;
    const auto header = peek(bytes, &result.error);
    if (!header)
        return result;
    const QSize size = scaledSize.isValid() ? scaledSize : header->size;
    if (qint64(size.width()) * size.height() * 4 > maxBytes) {
        result.error = QStringLiteral("De afbeelding is te groot (%1 x %2 pixels).")
                           .arg(header->size.width())
                           .arg(header->size.height());
        return result;
    }
    if (!pictureIsComplete(header->format, bytes)) {
        result.error = kIncomplete;
        return result;
    }
    if (const auto layout = header->format == "bmp" && !scaledSize.isValid() ? bmprows::layoutOf(bytes)
                                                                             : std::nullopt) {
        result.image = bmprows::decode(bytes, *layout);
        if (result.image.isNull())
            result.error = kNoMemory;
        return result;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header->format);
    reader.setAllocationLimit(int((maxBytes + (1 << 20) - 1) >> 20));
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    QImage image;
    if (!reader.read(&image) || image.size() != size) {
        result.error = reader.errorString();
        return result;
    }
    result.image = std::move(image);
    return result;
}

PictureLoad PictureFile::load(const QString &path, qint64 maxBytes)
{
    RegularFile file(path, filelimits::forDecodedBytes(maxBytes));
    if (!file.isOpen())
        return {QImage(), file.error()};
    // A picture the budget refuses is refused from its header, without reading the rest of the file. Where the
    // header lies beyond the first block (large metadata segments), the whole file is read as usual.
    const QByteArray head = file.peek(64 * 1024);
    const auto header = peek(head);
    if (header && qint64(header->size.width()) * header->size.height() * 4 > maxBytes)
        return decode(head, maxBytes);
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return {QImage(), file.error()};
    return decode(bytes, maxBytes);
}

namespace {

QString wrongSize(QSize size, QSize required)
{
    return QStringLiteral("De afbeelding is %1 x %2 pixels in plaats van %3 x %4.")
        .arg(size.width())
        .arg(size.height())
        .arg(required.width())
        .arg(required.height());
}

} // namespace

PictureLoad PictureFile::decodeExactly(const QByteArray &bytes, QSize required)
{
    QString error;
    const auto header = peek(bytes, &error);
    if (!header)
        return {QImage(), error};
    if (header->size != required)
        return {QImage(), wrongSize(header->size, required)};
    PictureLoad result = decode(bytes, qMax(kDefaultMaxBytes, qint64(required.width()) * required.height() * 4));
    if (result.ok() && result.image.size() != required)
        return {QImage(), wrongSize(result.image.size(), required)};
    return result;
}

PictureLoad PictureFile::loadExactly(const QString &path, QSize required)
{
    return loadExactly(QFile::encodeName(path), required);
}

PictureLoad PictureFile::loadExactly(const QByteArray &nativePath, QSize required)
{
    RegularFile file(nativePath, filelimits::forDecodedBytes(qint64(required.width()) * required.height() * 4));
    if (!file.isOpen())
        return {QImage(), file.error()};
    // A file claiming another size is refused before it is read whole.
    const QByteArray head = file.peek(64 * 1024);
    const auto header = peek(head);
    if (header && header->size != required)
        return {QImage(), wrongSize(header->size, required)};
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return {QImage(), file.error()};
    return decodeExactly(bytes, required);
}

bool PictureFile::saveBmp(const QImage &image, const QString &path, QString *error)
{
    // A sheet's rows go from its pixels to the file a band at a time, with nothing buffered twice; other
    // pictures take Qt's writer, which gives the same bytes.
    const bool byRows = bmprows::writes(image);
    QSaveFile file(path);
    if (!file.open(byRows ? QIODevice::WriteOnly | QIODevice::Unbuffered : QIODevice::WriteOnly)) {
        setError(error, writeFailureReason(file.errorString()));
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (!(byRows ? bmprows::write(image, file) : writer.write(image))) {
        // The writer only knows that a write failed; writing out what is still buffered brings the system's
        // reason (a full disk) to light.
        file.flush();
        setError(error, writeFailureReason(file.error() != QFileDevice::NoError || byRows
                                               ? file.errorString()
                                               : writer.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, writeFailureReason(file.errorString()));
        return false;
    }
    return true;
}

} // namespace vellora
