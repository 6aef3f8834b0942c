#pragma once

#include "surface/picturefile.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace vellora {

// What an own photo's file says about itself before any pixel is decoded.
struct PhotoHeader
{
    QByteArray format;      // "bmp", "jpeg", "gif", "png", "webp" or "heif"
    QSize size;             // as stored; a HEIF's own turn is already in it
    int orientation = 1;    // EXIF orientation 1..8 of a JPEG: how the stored picture is turned upright
    qint64 decoderBytes = 0; // what the decoder holds beside the picture it delivers, whatever size it delivers

    bool turnsSideways() const { return orientation >= 5; }
    // The size the user sees: the stored size, turned upright.
    QSize upright() const { return turnsSideways() ? size.transposed() : size; }
};

// Photos as people have them: BMP, JPEG and GIF as the project files, and PNG, WebP and HEIC/HEIF besides,
// all judged by their content. Project files, jokers and backs never come through here, so the wider choice
// of decoders stays with own photos.
class PhotoFile
{
public:
    // Format, size, turn and the decoder's own memory, from the header alone.
    static std::optional<PhotoHeader> peek(const QByteArray &bytes, QString *error = nullptr);

    // The whole decode, upright, at decodedSize (the stored orientation's size: the header's own, or for a
    // JPEG a half, quarter or eighth of it). A file whose structure stops short is refused. Transparent
    // parts keep their alpha; the caller decides what shows behind them.
    static PictureLoad decode(const QByteArray &bytes, const PhotoHeader &header, QSize decodedSize,
                              qint64 maxBytes);
};

// The orientations of EXIF applied to a stored picture, so that it shows upright.
QImage turnUpright(QImage stored, int orientation);

} // namespace vellora
