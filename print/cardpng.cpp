#include "print/cardpng.h"

#include "print/log.h"

#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace vellora::print {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void noFlush(png_structp) {}

// libpng's warnings (none are expected for pictures made here) go to the log, not to stderr.
void logWarning(png_structp, png_const_charp message)
{
    qCWarning(lcPrint) << "PNG encoder:" << message;
}

// The settings that make a card four times as fast to encode as zlib's level 1 with every filter tried, for
// a file about the same size: one filter (Sub, which suits pictures that change smoothly from pixel to pixel,
// as scaled artwork and photos do), so no row is filtered five times to choose; zlib's run-length strategy,
// which after Sub finds what the longer searches find; and large IDAT chunks.
void chooseSpeed(png_structp png)
{
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_buffer_size(png, 1 << 18);
}

// The rows of an RGB32 picture, whose bytes stand B, G, R, unused on this little-endian machine, written as
// R, G, B by libpng's own transforms. False when libpng gave up (it only does when memory runs out).
bool encode(png_structp png, png_infop info, const QImage &rgb)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(rgb.width()), png_uint_32(rgb.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (rgb.dotsPerMeterX() > 0 && rgb.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(rgb.dotsPerMeterX()), png_uint_32(rgb.dotsPerMeterY()),
                     PNG_RESOLUTION_METER);
    chooseSpeed(png);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < rgb.height(); ++y)
        png_write_row(png, rgb.constScanLine(y));
    png_write_end(png, info);
    return true;
}

} // namespace

QByteArray cardPngBytes(const QImage &image)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is read as B, G, R, unused");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    bytes.reserve(qsizetype(rgb.sizeInBytes() / 4));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, logWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool done = false;
    if (info) {
        png_set_write_fn(png, &bytes, appendBytes, noFlush);
        done = encode(png, info, rgb);
    }
    png_destroy_write_struct(&png, &info);
    if (!done) {
        qCWarning(lcPrint) << "PNG encoder gave up on a card of" << image.size();
        return {};
    }
    return bytes;
}

} // namespace vellora::print
