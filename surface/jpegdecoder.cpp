#include "surface/jpegdecoder.h"

#include "surface/pixelmemory.h"

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace vellora {

namespace {

// Qt's RGB32 is a 0xffRRGGBB word: these bytes in memory, the unused one set to 0xff by the decoder.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kRgb32Order = JCS_EXT_XRGB;
#endif

// A progressive file may repeat its scans without end, each one a pass over the whole picture.
constexpr int kMaxScans = 500;
// Rows of a picture on its side decoded before they are turned into place: 64 rows of 4 bytes fill four whole
// cache lines of each row they land in, so every row of the picture is visited a quarter as often as with 16.
constexpr int kBandRows = 64;
constexpr int kBandColumns = 64;

struct Trap
{
    jpeg_error_mgr manager; // first: libjpeg hands this back as its error manager
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void leave(j_common_ptr info)
{
    auto *trap = reinterpret_cast<Trap *>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings (extraneous bytes, a damaged restart) are passed over, as Qt's reader does; a file that ends
// early has been refused before the decoder starts.
void ignore(j_common_ptr, int) {}

void countScans(j_common_ptr info)
{
    if (!info->is_decompressor || reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans)
        return;
    auto *trap = reinterpret_cast<Trap *>(info->err);
    std::snprintf(trap->message, sizeof trap->message, "more than %d scans", kMaxScans);
    std::longjmp(trap->jump, 1);
}

// Where the decoded rows of the stored picture go in the upright one.
struct Placement
{
    uchar *bits; // the upright picture
    qsizetype bytesPerLine;
    int orientation;   // 1..8
    int width, height; // of the stored picture at its decoded size
    QRgb *band;        // kBandRows stored rows, for a picture on its side

    bool sideways() const { return orientation >= 5; }
    QRgb *line(int y) const { return reinterpret_cast<QRgb *>(bits + qsizetype(y) * bytesPerLine); }
};

// Rows for the decoder from stored row `first` on: straight into the upright picture (turned upside down
// by taking them bottom first), or into the band for a picture on its side.
int bandRows(const Placement &p, int first, JSAMPROW *rows)
{
    const int count = std::min(kBandRows, p.height - first);
    const bool bottomFirst = p.orientation == 3 || p.orientation == 4;
    for (int r = 0; r < count; ++r) {
        const int y = first + r;
        QRgb *row =
            p.sideways() ? p.band + qsizetype(r) * p.width : p.line(bottomFirst ? p.height - 1 - y : y);
        rows[r] = reinterpret_cast<JSAMPROW>(row);
    }
    return count;
}

// The rows just decoded, mirrored in place or turned out of the band into the columns they become. Written
// a block of columns at a time, so that the band is read from cache and every row of the picture receives
// whole cache lines.
void place(const Placement &p, int first, int count)
{
    if (!p.sideways()) {
        if (p.orientation == 2 || p.orientation == 3)
            for (int r = 0; r < count; ++r) {
                QRgb *row = p.line(p.orientation == 3 ? p.height - 1 - (first + r) : first + r);
                std::reverse(row, row + p.width);
            }
        return;
    }
    // Stored row y becomes column y (5, 8) or height - 1 - y (6, 7); stored column x becomes row x (5, 6)
    // or width - 1 - x (7, 8).
    const bool leftToRight = p.orientation == 5 || p.orientation == 8;
    const bool bottomUp = p.orientation == 7 || p.orientation == 8;
    for (int x0 = 0; x0 < p.width; x0 += kBandColumns) {
        const int x1 = std::min(p.width, x0 + kBandColumns);
        for (int x = x0; x < x1; ++x) {
            QRgb *line = p.line(bottomUp ? p.width - 1 - x : x);
            const QRgb *from = p.band + x;
            if (leftToRight) {
                QRgb *to = line + first;
                for (int r = 0; r < count; ++r)
                    to[r] = from[qsizetype(r) * p.width];
            } else {
                QRgb *to = line + (p.height - 1 - first);
                for (int r = 0; r < count; ++r)
                    to[-r] = from[qsizetype(r) * p.width];
            }
        }
    }
}

enum class Run
{
    Decoded,
    LeftToQt,
    Failed
};

// libjpeg reports an error by a jump back into this function. Between it and the decoder's own C code no
// frame holds an object with a destructor, so the jump skips nothing that had to run.
Run run(jpeg_decompress_struct *info, Trap *trap, jpeg_progress_mgr *progress, const QByteArray &bytes,
        const Placement *p, qint64 maxDecoderBytes)
{
    info->err = jpeg_std_error(&trap->manager);
    trap->manager.error_exit = leave;
    trap->manager.emit_message = ignore;
    if (setjmp(trap->jump)) {
        jpeg_destroy_decompress(info);
        return Run::Failed;
    }
    jpeg_create_decompress(info);
    // Coefficients beyond this would need a file to spill to, which the decoder refuses instead.
    info->mem->max_memory_to_use = long(std::min<qint64>(maxDecoderBytes, LONG_MAX));
    progress->progress_monitor = countScans;
    info->progress = progress;
    jpeg_mem_src(info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(info, TRUE);
    const bool colours = (info->jpeg_color_space == JCS_YCbCr || info->jpeg_color_space == JCS_RGB) &&
                         info->num_components == 3;
    const bool grey = info->jpeg_color_space == JCS_GRAYSCALE && info->num_components == 1;
    int scale = 1;
    while (scale <= 8 && (int(info->image_width + scale - 1) / scale != p->width ||
                          int(info->image_height + scale - 1) / scale != p->height))
        scale *= 2;
    if (!(colours || grey) || scale > 8) {
        jpeg_destroy_decompress(info);
        return Run::LeftToQt;
    }
    info->out_color_space = kRgb32Order;
    info->scale_num = 1;
    info->scale_denom = unsigned(scale);
    jpeg_start_decompress(info);
    if (int(info->output_width) != p->width || int(info->output_height) != p->height) {
        jpeg_destroy_decompress(info);
        return Run::LeftToQt;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[kBandRows];
        const int first = int(info->output_scanline);
        const int count = bandRows(*p, first, rows);
        for (int done = 0; done < count;) {
            const int read = int(jpeg_read_scanlines(info, rows + done, JDIMENSION(count - done)));
            if (read == 0) {
                std::snprintf(trap->message, sizeof trap->message, "no rows after %d", first + done);
                jpeg_destroy_decompress(info);
                return Run::Failed;
            }
            done += read;
        }
        place(*p, first, count);
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return Run::Decoded;
}

} // namespace

std::optional<Result<QImage>> decodeJpegUpright(const QByteArray &bytes, QSize decodedSize, int orientation,
                                                qint64 maxDecoderBytes)
{
    if (orientation < 1 || orientation > 8)
        orientation = 1;
    const bool sideways = orientation >= 5;
    QImage image = largePicture(sideways ? decodedSize.transposed() : decodedSize, QImage::Format_RGB32);
    if (image.isNull())
        return Outcome::failure(QCoreApplication::translate(
            "Surface", "Er is te veel geheugen nodig om deze afbeelding te lezen."));
    std::vector<QRgb> band(sideways ? std::size_t(kBandRows) * std::size_t(decodedSize.width()) : 0);
    const Placement placement{image.bits(),        image.bytesPerLine(), orientation,
                              decodedSize.width(), decodedSize.height(), band.data()};
    jpeg_decompress_struct info{};
    Trap trap{};
    jpeg_progress_mgr progress{};
    switch (run(&info, &trap, &progress, bytes, &placement, maxDecoderBytes)) {
    case Run::Decoded:
        return Result<QImage>(std::move(image));
    case Run::LeftToQt:
        return std::nullopt;
    case Run::Failed:
        break;
    }
    return Outcome::failure(QCoreApplication::translate("Surface", "Het JPEG-bestand is beschadigd (%1).")
                                .arg(QString::fromLocal8Bit(trap.message)));
}

} // namespace vellora
