#pragma once

#include <QByteArray>
#include <QImage>

namespace vellora::print {

// A card image as its PNG file holds it (8-bit RGB, its dots per metre kept), the same bytes on any thread.
// Made for the opaque pictures of a whole deck, where encoding is most of an export's time.
QByteArray cardPngBytes(const QImage &image);

} // namespace vellora::print
