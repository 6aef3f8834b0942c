#pragma once

#include "surface/outcome.h"
#include "surface/pictureformat.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vellora {

// What an own photo's file says about itself before any pixel is decoded.
struct PhotoHeader
{
    QByteArray format;       // "bmp", "jpeg", "gif", "png", "webp" or "heif"
    QSize size;              // as stored; a HEIF's own turn is already in it
    int orientation = 1;     // EXIF orientation 1..8 of a JPEG: how the stored picture is turned upright
    int deliveredBytes = 4;  // a pixel of the picture the decoder delivers, before it is made 32-bit
    qint64 fileBytes = 0;    // the file, held while it is decoded
    qint64 decoderBytes = 0; // what the decoder holds beside the picture it delivers, whatever size it delivers
    // The pixels of the coded pictures a HEIF is put together from, each use counted (the tiles of a grid):
    // the work of its decode. Other formats are decoded as one.
    qint64 piecePixels = 0;
    JpegLayout jpeg{}; // of a JPEG, for the decode of the same bytes

    bool turnsSideways() const { return orientation >= 5; }
    // The size the user sees: the stored size, turned upright.
    QSize upright() const { return turnsSideways() ? size.transposed() : size; }
    // The most a decode at decodedSize holds at once: the file, the decoder's own memory, the picture as
    // delivered, its 32-bit copy when it comes at another depth, and the turned copy of a picture on its
    // side.
    qint64 decodeBytes(QSize decodedSize) const;
};

// Photos as people have them: BMP, JPEG and GIF as the project files, and PNG, WebP and HEIC/HEIF besides,
// all judged by their content. Project files, jokers and backs never come through here, so the wider choice
// of decoders stays with own photos.
class PhotoFile
{
public:
    // All that own photos may hold at once, whatever came before: the one shown, the decoder and the new one.
    static constexpr qint64 kBudgetBytes = 512ll << 20;
    // A HEIF of more items, or whose picture is put together from more coded pieces, is refused from its
    // boxes before libheif reads it: libheif's reading slows with the square of the items (a second for some
    // 3000), and each piece is decoded on its own. A phone's 48-megapixel HEIC has 192 tiles.
    static constexpr qint64 kMaxHeifItems = 2048;
    static constexpr qint64 kMaxHeifPieces = 1024;

    // Format, size, turn and the decoder's own memory, from the header alone.
    static Result<PhotoHeader> peek(const QByteArray &bytes);

    // The whole decode of the bytes `header` was peeked from, upright, at decodedSize (the stored orientation's
    // size: the header's own, or for a JPEG a half, quarter or eighth of it). A file whose structure stops
    // short is refused. Transparent parts keep their alpha; the caller decides what shows behind them.
    static Result<QImage> decode(const QByteArray &bytes, const PhotoHeader &header, QSize decodedSize);
};

// Qt's decoders refuse any single picture beyond the photo budget, whoever reads it: a last guard behind the
// budgets counted from headers. Qt keeps one limit for the whole program, so it is set once, at start-up.
void limitPictureDecoders();

// The orientations of EXIF applied to a stored picture, so that it shows upright.
QImage turnUpright(QImage stored, int orientation);

} // namespace vellora
