#include "surface/pictureformat.h"

#include "surface/bmprows.h"

#include <QBuffer>
#include <QImageReader>

#include <cstring>

namespace vellora {

namespace bytes {

namespace {
quint32 at(const QByteArray &b, qsizetype i)
{
    return quint8(b[i]);
}
} // namespace

quint16 le16(const QByteArray &b, qsizetype i)
{
    return quint16(at(b, i) | at(b, i + 1) << 8);
}
quint32 le32(const QByteArray &b, qsizetype i)
{
    return le16(b, i) | quint32(le16(b, i + 2)) << 16;
}
quint16 be16(const QByteArray &b, qsizetype i)
{
    return quint16(at(b, i) << 8 | at(b, i + 1));
}
quint32 be32(const QByteArray &b, qsizetype i)
{
    return quint32(be16(b, i)) << 16 | be16(b, i + 2);
}
quint64 be64(const QByteArray &b, qsizetype i)
{
    return quint64(be32(b, i)) << 32 | be32(b, i + 4);
}

} // namespace bytes

using namespace bytes;

namespace {

bool isSof(quint8 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The sampling of each component decides how many 8 x 8 blocks the frame has, padded to whole MCUs.
struct Blocks
{
    qint64 coded = 0, padded = 0;
};
Blocks frameBlocks(const QByteArray &b, qsizetype sof, int count)
{
    const qint64 height = be16(b, sof + 5), width = be16(b, sof + 7);
    const qsizetype n = b.size();
    int hMax = 1, vMax = 1;
    for (int c = 0; c < count && sof + 12 + 3 * c < n; ++c) {
        hMax = qMax(hMax, quint8(b[sof + 11 + 3 * c]) >> 4);
        vMax = qMax(vMax, quint8(b[sof + 11 + 3 * c]) & 15);
    }
    Blocks blocks;
    for (int c = 0; c < count && sof + 12 + 3 * c < n; ++c) {
        const int h = qMax(1, quint8(b[sof + 11 + 3 * c]) >> 4),
                  v = qMax(1, quint8(b[sof + 11 + 3 * c]) & 15);
        const qint64 across = (width * h + hMax * 8 - 1) / (hMax * 8);
        const qint64 down = (height * v + vMax * 8 - 1) / (vMax * 8);
        blocks.coded += across * down;
        blocks.padded += (across + h - 1) / h * h * ((down + v - 1) / v * v);
    }
    return blocks;
}

bool bmpIsComplete(const QByteArray &b)
{
    if (b.size() < 54)
        return false;
    const quint32 offBits = le32(b, 10);
    const qint64 width = qint32(le32(b, 18));
    const qint64 height = qAbs(qint64(qint32(le32(b, 22))));
    const quint16 bitCount = le16(b, 28);
    const quint32 compression = le32(b, 30);
    qint64 needed = 0;
    if (compression == 0 || compression == 3) { // plain rows, or rows with colour masks
        const qint64 rowBytes = ((qAbs(width) * bitCount + 31) / 32) * 4;
        // A header may claim rows that no file holds; their product must not overflow on the way.
        if (height > 0 && rowBytes > b.size() / height)
            return false;
        needed = rowBytes * height;
    } else
        needed = le32(b, 34); // run-length data: the header's own byte count is all there is to go by
    return qint64(offBits) + needed <= b.size();
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
        if (b.mid(i + 4, 4) == "IEND")
            return true;
        i += 12 + qint64(be32(b, i));
    }
    return false;
}

// What Qt's decoders deliver before the picture is made opaque: PNG and BMP keep grey and palette pictures at
// a byte a pixel and 16-bit channels at 8 bytes, a JPEG of one component is grey.
int deliveredBytes(const PictureHeader &h, const QByteArray &b)
{
    if (h.format == "png" && b.size() > 25 && b.mid(12, 4) == "IHDR") {
        const int depth = quint8(b[24]), colour = quint8(b[25]);
        if (depth == 16)
            return colour == 0 ? 2 : 8;
        return colour == 0 || colour == 3 ? 1 : 4;
    }
    if (h.format == "bmp" && b.size() >= 30)
        return (le32(b, 14) == 12 ? le16(b, 24) : le16(b, 28)) <= 8 ? 1 : 4;
    if (h.format == "jpeg")
        return h.jpeg.components == 1 ? 1 : 4;
    return 4;
}

// A WebP's size from its first chunk: the canvas of an extended file, else the frame header of its one
// picture, lossy or lossless.
QSize webpSize(const QByteArray &b)
{
    if (b.size() < 30)
        return {};
    const QByteArray first = b.mid(12, 4);
    if (first == "VP8X")
        return QSize(int(le32(b, 24) & 0xFFFFFF) + 1, int(le32(b, 26) >> 8) + 1);
    if (first == "VP8 " && quint8(b[23]) == 0x9d && quint8(b[24]) == 0x01 && quint8(b[25]) == 0x2a)
        return QSize(le16(b, 26) & 0x3FFF, le16(b, 28) & 0x3FFF);
    if (first == "VP8L" && quint8(b[20]) == 0x2f) {
        const quint32 bits = le32(b, 21);
        return QSize(int(bits & 0x3FFF) + 1, int(bits >> 14 & 0x3FFF) + 1);
    }
    return {};
}

} // namespace

PictureHeader pictureHeader(const QByteArray &b)
{
    // Qt's WebP reader makes the whole canvas of an animation only to say how large it is.
    if (b.size() >= 12 && b.startsWith("RIFF") && b.mid(8, 4) == "WEBP")
        return {"webp", webpSize(b)};
    // A project's own layout is known without asking Qt, which loads every picture plugin it has to decide
    // what a file is by its content: at start-up a fifth of the time to the first frame.
    if (const auto plain = bmprows::layoutOf(b))
        return {"bmp", QSize(plain->width, plain->height)};
    QBuffer buffer;
    buffer.setData(b);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    PictureHeader header;
    header.format = reader.format();
    header.size = reader.size();
    if (header.format == "bmp" && header.size.height() < 0)
        header.size.setHeight(-header.size.height());
    if (header.format == "gif" && b.size() >= 10)
        header.size = header.size.expandedTo(QSize(le16(b, 6), le16(b, 8)));
    if (header.format == "jpeg")
        header.jpeg = jpegLayout(b);
    header.deliveredBytes = deliveredBytes(header, b);
    return header;
}

qsizetype jpegScanEnd(const QByteArray &b, qsizetype i)
{
    // A photo's scan is megabytes with a 0xFF every few hundred bytes: memchr skips to each.
    const char *data = b.constData();
    const qsizetype n = b.size();
    while (i + 1 < n) {
        const void *found = std::memchr(data + i, 0xFF, std::size_t(n - 1 - i));
        if (!found)
            return n - 1;
        i = static_cast<const char *>(found) - data;
        const quint8 next = quint8(data[i + 1]);
        if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7))
            break;
        ++i;
    }
    return i;
}

// Walks the marker segments; the entropy-coded data after a start-of-scan can hold 0xFF only as 0xFF00 or a
// restart marker, so the next other marker is found by scanning. Thumbnails inside APPn segments are skipped
// whole, so their end-of-image marker cannot pass for the picture's own.
JpegLayout jpegLayout(const QByteArray &b)
{
    JpegLayout layout;
    const qsizetype n = b.size();
    if (n < 4 || quint8(b[0]) != 0xFF || quint8(b[1]) != 0xD8)
        return layout;
    Blocks blocks;
    bool progressive = false, huffman = false;
    int scans = 0;
    qsizetype i = 2;
    while (i + 1 < n && quint8(b[i]) == 0xFF) {
        const quint8 marker = quint8(b[i + 1]);
        if (marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) { // fill byte, restart
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9) {
            layout.complete = true;
            break;
        }
        if (i + 3 >= n || be16(b, i + 2) < 2)
            break;
        if (isSof(marker) && i + 10 <= n && blocks.coded == 0) {
            layout.components = quint8(b[i + 9]);
            blocks = frameBlocks(b, i, layout.components);
            progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            huffman = marker < 0xC8;
        }
        i += 2 + be16(b, i + 2);
        if (marker != 0xDA)
            continue;
        ++scans;
        const qsizetype start = i;
        i = jpegScanEnd(b, i);
        layout.entropyBytes += i - start;
    }
    if (progressive || scans > 1)
        layout.coefficientBytes = blocks.padded * 64 * 2;
    // Each block of a sequential scan takes at least a one-bit DC code and a one-bit end of block; the first
    // scan of a progressive picture at least the DC code.
    if (huffman)
        layout.minimumBits = progressive ? blocks.coded : 2 * blocks.coded;
    return layout;
}

// The RIFF header gives the length of everything after it; every chunk must lie within that. The step is
// counted in 64 bits: a chunk claiming nearly 4 GB would wrap a 32-bit step round to 0.
WebpLayout webpLayout(const QByteArray &b)
{
    WebpLayout layout;
    if (b.size() < 20 || !b.startsWith("RIFF") || b.mid(8, 4) != "WEBP")
        return layout;
    const qint64 riffEnd = qint64(le32(b, 4)) + 8;
    const qint64 end = qMin<qint64>(b.size(), riffEnd);
    qint64 i = 12;
    for (; i + 8 <= end; i += 8 + ((qint64(le32(b, i + 4)) + 1) & ~qint64(1))) {
        const QByteArray fourcc = b.mid(i, 4);
        if (fourcc == "VP8L" || fourcc == "ANMF" ||
            (fourcc == "VP8X" && i + 9 <= end && (quint8(b[i + 8]) & 0x02)))
            layout.holdsCanvas = true;
    }
    layout.complete = riffEnd <= b.size() && (i == riffEnd || i == riffEnd + 1);
    return layout;
}

bool pictureIsComplete(const QByteArray &format, const QByteArray &bytes)
{
    if (format == "bmp")
        return bmpIsComplete(bytes);
    if (format == "jpeg")
        return jpegLayout(bytes).complete;
    if (format == "gif")
        return gifIsComplete(bytes);
    if (format == "png")
        return pngIsComplete(bytes);
    if (format == "webp")
        return webpLayout(bytes).complete;
    return false;
}

} // namespace vellora
