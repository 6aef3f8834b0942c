#pragma once

#include "surface/outcome.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>

namespace vellora {

// JPEGs of one or three colours decoded by libjpeg-turbo straight into an RGB32 picture, its rows written
// where they end up: already turned upright by the EXIF orientation, so no second picture of the size is
// ever made, and in Qt's own pixel order, so nothing is converted afterwards. `decodedSize` is the stored
// picture's size or a half, quarter or eighth of it, rounded up, as the decoder scales by itself.
//
// Nothing when it leaves the picture to Qt's reader: four colours (CMYK, YCCK) or another size; the caller
// then decodes it there. A failure of the decoder itself comes back as the failed result, not to be tried
// again.
std::optional<Result<QImage>> decodeJpegUpright(const QByteArray &bytes, QSize decodedSize, int orientation,
                                                qint64 maxDecoderBytes);

} // namespace vellora
