#include "surface/bmprows.h"

#include "surface/pixelmemory.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELLORA_BMPROWS_SSSE3 1
#endif

namespace vellora::bmprows {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr int kDefaultDotsPerMeter = 2834; // what Qt's writer gives a picture without a resolution
constexpr quint32 kOpaque = 0xff000000u;
// Rows go through the file in bands of rows that stay in the processor's cache while they are converted, yet
// large enough that the calls to the system are few: a sheet read in bands of 64 kB takes twice as long, and
// each write also touches the file's times.
constexpr qint64 kReadBandBytes = 256 * 1024;
constexpr qint64 kWriteBandBytes = 1024 * 1024;

quint32 le32(const uchar *p)
{
    return qFromLittleEndian<quint32>(p);
}

int bandRows(qint64 bandBytes, qint64 stride)
{
    return int(qMax<qint64>(1, bandBytes / stride));
}

// Fresh memory is handed over page by page, each on its first touch; a picture of a sheet is 6,000 pages.
// Asking for them all at once costs a fraction of that where the system offers it. Memory the allocator hands
// back after a free is there already, and asking again would walk every page for nothing.
void prefault(uchar *data, qint64 bytes)
{
#ifdef MADV_POPULATE_WRITE
    const auto page = quintptr(::sysconf(_SC_PAGESIZE));
    const auto begin = (quintptr(data) + page - 1) & ~(page - 1);
    const auto end = (quintptr(data) + quintptr(bytes)) & ~(page - 1);
    if (end <= begin)
        return;
    void *const pages = reinterpret_cast<void *>(begin);
    std::vector<unsigned char> resident((end - begin) / page);
    if (::mincore(pages, end - begin, resident.data()) == 0 &&
        std::all_of(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; }))
        return;
    ::madvise(pages, end - begin, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

#ifdef VELLORA_BMPROWS_SSSE3
const bool kShuffles = __builtin_cpu_supports("ssse3");

// Four pixels a step, shuffled into place and stored past the processor's cache, which a sheet would only
// flood. Sixteen bytes are loaded for twelve, so the last pixels of a row are left to the plain loops: the
// count of pixels done.
__attribute__((target("ssse3"))) int toPixelsShuffled(const uchar *bgr, QRgb *out, int width)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(int(kOpaque));
    int x = 0;
    for (; x < width && (quintptr(out + x) & 15); ++x, bgr += 3)
        out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
    for (; x + 6 <= width; x += 4, bgr += 12) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bgr));
        _mm_stream_si128(reinterpret_cast<__m128i *>(out + x),
                         _mm_or_si128(_mm_shuffle_epi8(in, spread), opaque));
    }
    _mm_sfence();
    return x;
}

// Sixteen bytes are stored for twelve; the four beyond lie within the row and are written over next.
__attribute__((target("ssse3"))) int fromPixelsShuffled(const QRgb *in, uchar *bgr, int width)
{
    const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, bgr += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + x));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bgr), _mm_shuffle_epi8(pixels, pack));
    }
    return x;
}
#endif

QImage pictureFor(const Layout &layout)
{
    QImage image = largePicture(QSize(layout.width, layout.height), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    prefault(image.bits(), image.sizeInBytes());
    image.setDotsPerMeterX(layout.dotsPerMeterX);
    image.setDotsPerMeterY(layout.dotsPerMeterY);
    return image;
}

// Four pixels are twelve bytes, read as three words.
void toPixels(const uchar *bgr, QRgb *out, int width)
{
    int x = 0;
#ifdef VELLORA_BMPROWS_SSSE3
    if (kShuffles)
        bgr += 3 * (x = toPixelsShuffled(bgr, out, width));
#endif
    for (; x + 4 <= width; x += 4, bgr += 12) {
        const quint32 a = le32(bgr), b = le32(bgr + 4), c = le32(bgr + 8);
        out[x] = a | kOpaque;
        out[x + 1] = a >> 24 | b << 8 | kOpaque;
        out[x + 2] = b >> 16 | c << 16 | kOpaque;
        out[x + 3] = c >> 8 | kOpaque;
    }
    for (; x < width; ++x, bgr += 3)
        out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
}

// The alpha of a pixel is dropped, as Qt's writer drops it.
void fromPixels(const QRgb *in, uchar *bgr, int width)
{
    int x = 0;
#ifdef VELLORA_BMPROWS_SSSE3
    if (kShuffles)
        bgr += 3 * (x = fromPixelsShuffled(in, bgr, width));
#endif
    for (; x + 4 <= width; x += 4, bgr += 12) {
        const quint32 p0 = in[x], p1 = in[x + 1], p2 = in[x + 2], p3 = in[x + 3];
        qToLittleEndian<quint32>((p0 & 0xffffffu) | p1 << 24, bgr);
        qToLittleEndian<quint32>((p1 >> 8 & 0xffffu) | p2 << 16, bgr + 4);
        qToLittleEndian<quint32>((p2 >> 16 & 0xffu) | p3 << 8, bgr + 8);
    }
    for (; x < width; ++x, bgr += 3) {
        bgr[0] = uchar(qBlue(in[x]));
        bgr[1] = uchar(qGreen(in[x]));
        bgr[2] = uchar(qRed(in[x]));
    }
}

// Rows `first` onwards as the file orders them, `count` of them, into their places in the picture.
void convertRows(const uchar *rows, int first, int count, const Layout &layout, QImage &image)
{
    uchar *bits = image.bits();
    const qsizetype perLine = image.bytesPerLine();
    for (int i = 0; i < count; ++i) {
        const int fileRow = first + i;
        const int y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        toPixels(rows + i * layout.stride, reinterpret_cast<QRgb *>(bits + y * perLine), layout.width);
    }
}

// A write that stops short is tried again for the rest, so that the system says why it stopped (a full disk).
bool writeAll(QIODevice &device, const uchar *data, qint64 length)
{
    while (length > 0) {
        const qint64 n = device.write(reinterpret_cast<const char *>(data), length);
        if (n <= 0)
            return false;
        data += n;
        length -= n;
    }
    return true;
}

} // namespace

std::optional<Layout> layoutOf(const QByteArray &head)
{
    if (head.size() < kHeaderBytes || !head.startsWith("BM"))
        return std::nullopt;
    const auto *h = reinterpret_cast<const uchar *>(head.constData());
    const quint32 offBits = le32(h + 10);
    const qint32 width = qint32(le32(h + 18)), height = qint32(le32(h + 22));
    const quint16 planes = qFromLittleEndian<quint16>(h + 26), bitCount = qFromLittleEndian<quint16>(h + 28);
    // Qt's reader starts the rows right after the header when the offset points into it; such files are
    // left to it, as are the sizes it refuses.
    if (le32(h + 14) != quint32(kInfoHeaderBytes) || planes != 1 || bitCount != 24 || le32(h + 30) != 0 ||
        offBits < quint32(kHeaderBytes) || width <= 0 || height == 0 || height == INT_MIN ||
        quint64(width) * quint64(qAbs(height)) > 16384ull * 16384ull)
        return std::nullopt;
    Layout layout;
    layout.width = width;
    layout.height = qAbs(height);
    layout.topDown = height < 0;
    layout.dataOffset = offBits;
    layout.stride = (qint64(width) * 24 + 31) / 32 * 4;
    layout.dotsPerMeterX = qint32(le32(h + 38));
    layout.dotsPerMeterY = qint32(le32(h + 42));
    return layout;
}

QImage decode(const QByteArray &bytes, const Layout &layout)
{
    if (bytes.size() < layout.end())
        return {};
    QImage image = pictureFor(layout);
    if (!image.isNull()) {
        const auto *rows = reinterpret_cast<const uchar *>(bytes.constData()) + layout.dataOffset;
        convertRows(rows, 0, layout.height, layout, image);
    }
    return image;
}

QImage read(const Layout &layout, const Source &source)
{
    QImage image = pictureFor(layout);
    if (image.isNull())
        return image;
    const int band = bandRows(kReadBandBytes, layout.stride);
    const std::unique_ptr<uchar[]> buffer(new uchar[size_t(band * layout.stride)]);
    prefault(buffer.get(), band * layout.stride);
    auto *into = reinterpret_cast<char *>(buffer.get());
    for (qint64 skipped = 0; skipped < layout.dataOffset;) {
        const qint64 length = qMin(layout.dataOffset - skipped, band * layout.stride);
        if (!source(into, length))
            return {};
        skipped += length;
    }
    for (int row = 0; row < layout.height; row += band) {
        const int count = qMin(band, layout.height - row);
        if (!source(into, count * layout.stride))
            return {};
        convertRows(buffer.get(), row, count, layout, image);
    }
    return image;
}

bool writes(const QImage &image)
{
    const QImage::Format format = image.format();
    const qint64 stride = (qint64(image.width()) * 24 + 31) / 32 * 4;
    return (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) && !image.isNull() &&
           kHeaderBytes + stride * image.height() <= INT_MAX;
}

bool write(const QImage &image, QIODevice &device)
{
    const int width = image.width(), height = image.height();
    const qint64 stride = (qint64(width) * 24 + 31) / 32 * 4;
    uchar header[kHeaderBytes] = {'B', 'M'};
    const auto put = [&header](int at, quint32 value) { qToLittleEndian(value, header + at); };
    put(2, quint32(kHeaderBytes + stride * height));
    put(10, kHeaderBytes);
    put(14, kInfoHeaderBytes);
    put(18, quint32(width));
    put(22, quint32(height));
    qToLittleEndian<quint16>(1, header + 26);  // planes
    qToLittleEndian<quint16>(24, header + 28); // bits a pixel; compression 0: none
    put(34, quint32(stride * height));
    put(38, quint32(image.dotsPerMeterX() ? image.dotsPerMeterX() : kDefaultDotsPerMeter));
    put(42, quint32(image.dotsPerMeterY() ? image.dotsPerMeterY() : kDefaultDotsPerMeter));
    if (!writeAll(device, header, kHeaderBytes))
        return false;

    // Rows are stored bottom row first; the padding of each row stays zero.
    const int band = bandRows(kWriteBandBytes, stride);
    const std::unique_ptr<uchar[]> buffer(new uchar[size_t(band * stride)]);
    prefault(buffer.get(), band * stride);
    std::fill_n(buffer.get(), band * stride, uchar(0));
    for (int row = 0; row < height; row += band) {
        const int count = qMin(band, height - row);
        for (int i = 0; i < count; ++i) {
            const int y = height - 1 - (row + i);
            fromPixels(reinterpret_cast<const QRgb *>(image.constScanLine(y)), buffer.get() + i * stride,
                       width);
        }
        if (!writeAll(device, buffer.get(), count * stride))
            return false;
    }
    return true;
}

} // namespace vellora::bmprows
