#include "tests/support/hostilephotos.h"

#include "tests/support/testsupport.h"

#include <QImage>
#include <QtEndian>
#include <zlib.h>

namespace vellora::test {

namespace {

QByteArray le(quint32 v, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char(v >> (8 * i));
    return out;
}

QByteArray be(quint32 v, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out += char(v >> (8 * i));
    return out;
}

QByteArray riffChunk(const char *fourcc, const QByteArray &payload)
{
    return fourcc + le(quint32(payload.size()), 4) + payload +
           (payload.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    const auto crc =
        quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size())));
    return be(quint32(data.size()), 4) + typed + be(crc, 4);
}

QByteArray box(const char *type, const QByteArray &payload)
{
    return be(quint32(payload.size() + 8), 4) + type + payload;
}

QByteArray fullBox(const char *type, int version, const QByteArray &payload)
{
    return box(type, char(version) + QByteArray(3, '\0') + payload);
}

// The box of the given type inside an encoded file, found by its type's bytes.
QByteArray boxOf(const QByteArray &file, const char *type)
{
    const qsizetype at = file.indexOf(type) - 4;
    return at < 0 ? QByteArray() : file.mid(at, qFromBigEndian<quint32>(file.constData() + at));
}

} // namespace

QByteArray canvasWebp(int width, int height)
{
    QImage pixel(1, 1, QImage::Format_ARGB32);
    pixel.fill(Qt::transparent);
    const QByteArray lossless = imageFile(pixel, "webp", 100); // RIFF, WEBP, then its one VP8L chunk
    const QByteArray canvas = char(0x12) + QByteArray(3, '\0') + le(width - 1, 3) + le(height - 1, 3);
    const QByteArray frame =
        le(0, 3) + le(0, 3) + le(0, 3) + le(0, 3) + le(100, 3) + char(0) + lossless.mid(12);
    const QByteArray chunks = "WEBP" + riffChunk("VP8X", canvas) + riffChunk("ANIM", QByteArray(6, '\0')) +
                              riffChunk("ANMF", frame);
    return "RIFF" + le(quint32(chunks.size()), 4) + chunks;
}

QByteArray transparentPng(int width, int height)
{
    const QByteArray header = be(width, 4) + be(height, 4) + QByteArray("\x08\x06\0\0\0", 5);
    // Row by row, each its filter byte and its pixels, all zero.
    const QByteArray row(qsizetype(width) * 4 + 1, '\0');
    QByteArray compressed;
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15, 9, Z_RLE);
    QByteArray out(1 << 16, '\0');
    for (int y = 0; y <= height; ++y) {
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(row.constData()));
        z.avail_in = y < height ? uInt(row.size()) : 0;
        do {
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = uInt(out.size());
            deflate(&z, y < height ? Z_NO_FLUSH : Z_FINISH);
            compressed.append(out.constData(), out.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", header) + pngChunk("IDAT", compressed) +
           pngChunk("IEND", {});
}

QByteArray tiledHeic(int columns, int rows, QRgb colour)
{
    QImage plain = test::solidPicture({64, 64}, colour);
    const QByteArray single = heicBytes(plain);
    if (single.isEmpty())
        return {};
    const QByteArray hvcC = boxOf(single, "hvcC"), mdat = boxOf(single, "mdat");
    const QByteArray tile = mdat.mid(8);
    const int tiles = columns * rows;
    const auto grid =
        QByteArray("\0\0", 2) + char(rows - 1) + char(columns - 1) + be(columns * 64, 2) + be(rows * 64, 2);

    // Item 1 is the grid, items 2 and on its tiles; every tile's data is the same bytes of the mdat box.
    auto meta = [&](quint32 mdatStart) {
        QByteArray infos = be(tiles + 1, 2), locations = QByteArray("\x44\0", 2) + be(tiles + 1, 2);
        QByteArray references = be(1, 2) + be(tiles, 2), associations = be(tiles + 1, 4);
        infos += fullBox("infe", 2, be(1, 2) + be(0, 2) + "grid" + '\0');
        locations += be(1, 2) + be(0, 2) + be(1, 2) + be(mdatStart + 8, 4) + be(grid.size(), 4);
        associations += be(1, 2) + char(1) + char(0x03);
        for (int id = 2; id <= tiles + 1; ++id) {
            infos += fullBox("infe", 2, be(id, 2) + be(0, 2) + "hvc1" + '\0');
            locations +=
                be(id, 2) + be(0, 2) + be(1, 2) + be(mdatStart + 8 + grid.size(), 4) + be(tile.size(), 4);
            references += be(id, 2);
            associations += be(id, 2) + char(2) + char(0x81) + char(0x02);
        }
        const QByteArray properties =
            box("ipco", hvcC + fullBox("ispe", 0, be(64, 4) + be(64, 4)) +
                            fullBox("ispe", 0, be(columns * 64, 4) + be(rows * 64, 4)));
        return fullBox("meta", 0,
                       fullBox("hdlr", 0, QByteArray(4, '\0') + "pict" + QByteArray(13, '\0')) +
                           fullBox("pitm", 0, be(1, 2)) + fullBox("iinf", 0, infos) +
                           fullBox("iloc", 0, locations) + fullBox("iref", 0, box("dimg", references)) +
                           box("iprp", properties + fullBox("ipma", 0, associations)));
    };
    const QByteArray ftyp = box("ftyp", QByteArray("heic") + be(0, 4) + "mif1heic");
    const QByteArray head = ftyp + meta(0);
    return ftyp + meta(quint32(head.size())) + box("mdat", grid + tile);
}

QByteArray claiming(QByteArray b, const QByteArray &f, int w, int h)
{
    if (f == "BMP") {
        qToLittleEndian(qint32(w), b.data() + 18);
        qToLittleEndian(qint32(h), b.data() + 22);
    } else if (f == "GIF") { // the logical screen, which the decoder allocates
        qToLittleEndian(quint16(w), b.data() + 6);
        qToLittleEndian(quint16(h), b.data() + 8);
    } else if (f == "JPEG") { // the frame header, whichever kind
        qsizetype i = 2;
        while ((quint8(b[i + 1]) & 0xf0) != 0xc0 || quint8(b[i + 1]) == 0xc4)
            i += 2 + qFromBigEndian<quint16>(b.data() + i + 2);
        qToBigEndian(quint16(h), b.data() + i + 5);
        qToBigEndian(quint16(w), b.data() + i + 7);
    } else if (f == "HEIC") {
        for (qsizetype i = b.indexOf("ispe"); i >= 0; i = b.indexOf("ispe", i + 1)) {
            qToBigEndian(quint32(w), b.data() + i + 8);
            qToBigEndian(quint32(h), b.data() + i + 12);
        }
    }
    return b;
}

} // namespace vellora::test
