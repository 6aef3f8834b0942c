#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <optional>

class QIODevice;

namespace vellora::bmprows {

// The BMP layout that projects are saved in, and that most programs write: a 40-byte info header and rows of
// 24-bit pixels without compression. Such files are read and written here row by row, straight between the
// file's bytes and the picture's own pixels; every other BMP goes through Qt's reader and writer.
struct Layout
{
    int width = 0;
    int height = 0;       // rows, whichever way they are stored
    bool topDown = false; // the header's height was negative: the top row comes first
    qint64 dataOffset = 0;
    qint64 stride = 0; // bytes a row, padded to four
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;

    qint64 end() const { return dataOffset + stride * height; } // where the last row ends
};

// The layout the header describes when it is this one and Qt would read it; nothing otherwise.
std::optional<Layout> layoutOf(const QByteArray &head);

// The picture Qt's reader makes of these bytes, pixel for pixel (Format_RGB32, with the file's resolution).
// The bytes must hold all rows (layout.end()); a null picture when its memory cannot be had.
QImage decode(const QByteArray &bytes, const Layout &layout);

// Hands over the next `length` bytes of a file; false when it stops short or fails.
using Source = std::function<bool(char *into, qint64 length)>;
// The same picture from a file whose first byte `source` hands over next, in bands of rows, so that the file
// is never held whole in memory. A null picture when the file stops short.
QImage read(const Layout &layout, const Source &source);

// Whether write() makes of this picture exactly the bytes Qt's BMP writer makes.
bool writes(const QImage &image);
// Writes the picture in bands of rows; false when the device refuses a write.
bool write(const QImage &image, QIODevice &device);

} // namespace vellora::bmprows
