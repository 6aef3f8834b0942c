#pragma once

#include <QByteArray>
#include <QSize>

namespace vellora {

// Numbers as picture files store them, little- or big-endian. The caller makes sure they lie within the
// bytes.
namespace bytes {
quint16 le16(const QByteArray &b, qsizetype at);
quint32 le32(const QByteArray &b, qsizetype at);
quint16 be16(const QByteArray &b, qsizetype at);
quint32 be32(const QByteArray &b, qsizetype at);
quint64 be64(const QByteArray &b, qsizetype at);
} // namespace bytes

// What a picture file says about itself before any pixel is decoded.
// How a JPEG is laid out, from its markers. A progressive picture, or one whose colours come in separate
// scans, is held whole as coefficients (two bytes each, 64 to a block) whatever size it is decoded at.
struct JpegLayout
{
    bool complete = false;       // its markers run to the end-of-image marker
    qint64 coefficientBytes = 0; // of the whole picture, when the decoder must hold it
    qint64 minimumBits = 0;      // the least entropy-coded data the frame's blocks can take
    qint64 entropyBytes = 0;     // what the file holds
    int components = 0;
};
JpegLayout jpegLayout(const QByteArray &bytes);

struct PictureHeader
{
    QByteArray format; // "bmp", "jpeg", "gif", "png", "webp", ...: by content; empty when no reader knows it
    QSize size;        // what the decoder allocates; invalid or empty when the header does not say
    int deliveredBytes =
        4; // bytes a pixel of the picture Qt's decoder delivers: 1 grey or palette, 8 deep colour
    JpegLayout jpeg{}; // of a JPEG: its markers walked once, as the scans of a photo run to megabytes
};

// Format and size as Qt's readers judge them from the header, with what they leave out: a BMP stored top row
// first gives its height as negative, and a GIF's frames are laid on its logical screen, which is what the
// decoder allocates.
PictureHeader pictureHeader(const QByteArray &bytes);


// Where the entropy-coded data of a JPEG scan starting at `from` ends: at the next marker other than a
// restart, a stuffed 0xFF00 or fill bytes, or at the end of the bytes.
qsizetype jpegScanEnd(const QByteArray &bytes, qsizetype from);

// How a WebP is laid out, from its RIFF chunks.
struct WebpLayout
{
    bool complete =
        false; // every chunk lies within the length the RIFF header gives, and that within the file
    bool holdsCanvas = false; // lossless, or frames laid over a canvas: the decoder holds the pixels whole
};
WebpLayout webpLayout(const QByteArray &bytes);

// True when the file's structure runs to its proper end: BMP pixel data as long as the header promises,
// a JPEG up to its end-of-image marker, a GIF up to its trailer, a PNG up to its end chunk, a WebP as long as
// its RIFF header says.
bool pictureIsComplete(const QByteArray &format, const QByteArray &bytes);

} // namespace vellora
