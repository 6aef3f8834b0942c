#include "surface/photofile.h"

#include <QBuffer>
#include <QImageReader>
#include <QTransform>

#include <libheif/heif.h>

#include <memory>

namespace vellora {

namespace {

quint16 be16(const QByteArray &b, qsizetype at) { return quint16(quint8(b[at]) << 8 | quint8(b[at + 1])); }

// What a JPEG's frame asks of the decoder. A progressive picture, or one whose colours come in separate
// scans, is held whole as coefficients (two bytes each, 64 to a block) whatever size it is decoded at.
struct JpegFrame
{
    qint64 coefficientBytes = 0; // of the whole picture, when the decoder must hold it
    qint64 minimumBits = 0;      // the least entropy-coded data the frame's blocks can take
    qint64 entropyBytes = 0;     // what the file holds
};

JpegFrame jpegFrame(const QByteArray &b)
{
    JpegFrame frame;
    const qsizetype n = b.size();
    qint64 blocks = 0, paddedBlocks = 0;
    bool progressive = false, huffman = false;
    int scans = 0;
    qsizetype i = 2;
    while (i + 3 < n && quint8(b[i]) == 0xFF) {
        const quint8 marker = quint8(b[i + 1]);
        if (marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9)
            break;
        const qsizetype length = be16(b, i + 2);
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof && i + 10 <= n && blocks == 0) {
            const qint64 height = be16(b, i + 5), width = be16(b, i + 7);
            const int count = quint8(b[i + 9]);
            progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            huffman = marker < 0xC8;
            int hMax = 1, vMax = 1;
            for (int c = 0; c < count && i + 12 + 3 * c < n; ++c) {
                hMax = qMax(hMax, quint8(b[i + 11 + 3 * c]) >> 4);
                vMax = qMax(vMax, quint8(b[i + 11 + 3 * c]) & 15);
            }
            for (int c = 0; c < count && i + 12 + 3 * c < n; ++c) {
                const int h = qMax(1, quint8(b[i + 11 + 3 * c]) >> 4), v = qMax(1, quint8(b[i + 11 + 3 * c]) & 15);
                const qint64 across = (width * h + hMax * 8 - 1) / (hMax * 8);
                const qint64 down = (height * v + vMax * 8 - 1) / (vMax * 8);
                blocks += across * down;
                paddedBlocks += (across + h - 1) / h * h * ((down + v - 1) / v * v);
            }
        }
        i += 2 + length;
        if (marker != 0xDA)
            continue;
        ++scans;
        const qsizetype start = i;
        i = jpegScanEnd(b, i);
        frame.entropyBytes += i - start;
    }
    if (progressive || scans > 1)
        frame.coefficientBytes = paddedBlocks * 64 * 2;
    // Each block of a sequential scan takes at least a one-bit DC code and a one-bit end of block; the first
    // scan of a progressive picture at least the DC code.
    if (huffman)
        frame.minimumBits = progressive ? blocks : 2 * blocks;
    return frame;
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    auto u = [&](qsizetype k) { return quint32(quint8(b[at + k])); };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

// RIFF chunks of a WebP: whether its pixels are held whole (lossless, or frames laid over a canvas).
bool webpHoldsCanvas(const QByteArray &b)
{
    const qsizetype end = qMin<qsizetype>(b.size(), qsizetype(le32(b, 4)) + 8);
    // The step is counted in 64 bits: a chunk claiming nearly 4 GB would wrap a 32-bit step round to 0.
    for (qsizetype i = 12; i + 8 <= end; i += 8 + ((qsizetype(le32(b, i + 4)) + 1) & ~qsizetype(1))) {
        const QByteArray fourcc = b.mid(i, 4);
        if (fourcc == "VP8L" || fourcc == "ANMF" || (fourcc == "VP8X" && i + 9 <= end && (quint8(b[i + 8]) & 0x02)))
            return true;
    }
    return false;
}

struct HeifContext
{
    heif_context *context = heif_context_alloc();
    heif_image_handle *handle = nullptr;
    ~HeifContext()
    {
        if (handle)
            heif_image_handle_release(handle);
        heif_context_free(context);
    }
    // The primary picture's structure, read without decoding a pixel.
    bool open(const QByteArray &bytes, QString *error)
    {
        heif_context_set_maximum_image_size_limit(context, 65535);
        heif_error e = heif_context_read_from_memory_without_copy(context, bytes.constData(), size_t(bytes.size()),
                                                                  nullptr);
        if (e.code == heif_error_Ok)
            e = heif_context_get_primary_image_handle(context, &handle);
        if (e.code != heif_error_Ok && error)
            *error = QStringLiteral("Het HEIF-bestand is onleesbaar (%1).").arg(QString::fromUtf8(e.message));
        return e.code == heif_error_Ok;
    }
};

bool isHeif(const QByteArray &bytes)
{
    return bytes.size() >= 12 && bytes.mid(4, 4) == "ftyp"
           && heif_check_filetype(reinterpret_cast<const uint8_t *>(bytes.constData()), int(qMin<qsizetype>(bytes.size(), 1 << 20)))
                  == heif_filetype_yes_supported;
}

std::optional<PhotoHeader> peekHeif(const QByteArray &bytes, QString *error)
{
    HeifContext heif;
    if (!heif.open(bytes, error))
        return std::nullopt;
    const QSize size(heif_image_handle_get_width(heif.handle), heif_image_handle_get_height(heif.handle));
    if (size.isEmpty()) {
        if (error)
            *error = QStringLiteral("De afmetingen van de afbeelding zijn onleesbaar.");
        return std::nullopt;
    }
    // The colour planes before conversion, at worst full-resolution chroma, wider than 8 bits when the
    // picture is, and the alpha plane.
    const qint64 pixels = qint64(size.width()) * size.height();
    const int sampleBytes = heif_image_handle_get_luma_bits_per_pixel(heif.handle) > 8 ? 2 : 1;
    const qint64 planes = pixels * sampleBytes * (3 + (heif_image_handle_has_alpha_channel(heif.handle) ? 1 : 0));
    return PhotoHeader{"heif", size, 1, planes};
}

// libheif delivers R, G, B, A bytes; turned into Qt's 0xAARRGGBB words in place, the decoded buffer becomes the
// picture without a copy, and is freed with it.
PictureLoad decodeHeif(const QByteArray &bytes)
{
    PictureLoad result;
    HeifContext heif;
    if (!heif.open(bytes, &result.error))
        return result;
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options *)> options(heif_decoding_options_alloc(),
                                                                                     heif_decoding_options_free);
    options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error e = heif_decode_image(heif.handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                                           options.get());
    if (e.code != heif_error_Ok) {
        result.error = QStringLiteral("Het HEIF-bestand is onvolledig of beschadigd (%1).").arg(QString::fromUtf8(e.message));
        return result;
    }
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    int stride = 0;
    uint8_t *pixels = heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    const bool alpha = heif_image_handle_has_alpha_channel(heif.handle);
    if (!pixels || width <= 0 || height <= 0 || stride % 4) {
        heif_image_release(decoded);
        result.error = QStringLiteral("Het HEIF-bestand is onleesbaar.");
        return result;
    }
    for (int y = 0; y < height; ++y) {
        uint8_t *p = pixels + qsizetype(y) * stride;
        auto *word = reinterpret_cast<QRgb *>(p);
        for (int x = 0; x < width; ++x, p += 4)
            word[x] = qRgba(p[0], p[1], p[2], alpha ? p[3] : 255);
    }
    result.image = QImage(
        pixels, width, height, stride, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32,
        [](void *image) { heif_image_release(static_cast<heif_image *>(image)); }, decoded);
    return result;
}

bool acceptedPhotoFormat(const QByteArray &format)
{
    return format == "bmp" || format == "jpeg" || format == "gif" || format == "png" || format == "webp";
}

// Qt's transformation flags by EXIF orientation, and the reverse.
int orientationOf(QImageIOHandler::Transformations t)
{
    static constexpr int byFlags[8] = {1, 2, 4, 3, 6, 7, 5, 8};
    return byFlags[int(t) & 7];
}

} // namespace

QImage turnUpright(QImage stored, int orientation)
{
    // mirror left-right, mirror top-bottom, then a quarter turn clockwise
    static constexpr bool steps[9][3] = {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                         {0, 1, 1}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}};
    if (orientation < 1 || orientation > 8 || stored.isNull())
        return stored;
    const bool *s = steps[orientation];
    if (s[0] || s[1])
        stored = std::move(stored).mirrored(s[0], s[1]); // in place
    if (s[2])
        stored = stored.transformed(QTransform().rotate(90));
    return stored;
}

std::optional<PhotoHeader> PhotoFile::peek(const QByteArray &bytes, QString *error)
{
    if (isHeif(bytes))
        return peekHeif(bytes, error);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    PhotoHeader header;
    header.format = reader.format();
    if (!acceptedPhotoFormat(header.format)) {
        if (error)
            *error = QStringLiteral("Geen BMP-, JPEG-, GIF-, PNG-, WebP- of HEIC-afbeelding.");
        return std::nullopt;
    }
    header.size = reader.size();
    if (header.format == "bmp" && header.size.height() < 0)
        header.size.setHeight(-header.size.height());
    // A GIF's frames are laid on its logical screen, which is what the decoder allocates.
    if (header.format == "gif" && bytes.size() >= 10)
        header.size = header.size.expandedTo(QSize(quint8(bytes[6]) | quint8(bytes[7]) << 8,
                                                   quint8(bytes[8]) | quint8(bytes[9]) << 8));
    if (!header.size.isValid() || header.size.isEmpty()) {
        if (error)
            *error = QStringLiteral("De afmetingen van de afbeelding zijn onleesbaar.");
        return std::nullopt;
    }
    const qint64 pixels = qint64(header.size.width()) * header.size.height();
    if (header.format == "jpeg") {
        header.orientation = orientationOf(reader.transformation());
        header.decoderBytes = jpegFrame(bytes).coefficientBytes;
    } else if (header.format == "png" && bytes.size() > 24 && quint8(bytes[24]) == 16) {
        header.decoderBytes = pixels * 8; // sixteen bits a channel come as a picture of 8 bytes a pixel first
    } else if (header.format == "webp") {
        // The decoder keeps its own copy of the file, and lossless or animated pictures whole.
        header.decoderBytes = bytes.size() + (webpHoldsCanvas(bytes) ? pixels * 4 : 0);
    }
    return header;
}

PictureLoad PhotoFile::decode(const QByteArray &bytes, const PhotoHeader &header, QSize decodedSize,
                              qint64 maxBytes)
{
    PictureLoad result;
    if (header.format == "heif") {
        result = decodeHeif(bytes);
        if (result.ok() && result.image.size() != header.size)
            result = {QImage(), QStringLiteral("De afbeelding heeft een andere grootte dan haar kop zegt.")};
        return result;
    }
    if (!pictureIsComplete(header.format, bytes)) {
        result.error = QStringLiteral("Het bestand is onvolledig.");
        return result;
    }
    if (header.format == "jpeg") {
        const JpegFrame frame = jpegFrame(bytes);
        if (frame.entropyBytes * 8 < frame.minimumBits) {
            result.error = QStringLiteral("Het bestand is onvolledig.");
            return result;
        }
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.format);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(int((qMax(maxBytes, header.decoderBytes) + (1 << 20) - 1) >> 20));
    if (decodedSize != header.size)
        reader.setScaledSize(decodedSize);
    QImage image;
    if (!reader.read(&image) || image.size() != decodedSize) {
        result.error = reader.errorString();
        return result;
    }
    result.image = turnUpright(std::move(image), header.orientation);
    return result;
}

} // namespace vellora
