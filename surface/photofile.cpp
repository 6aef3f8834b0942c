#include "surface/photofile.h"

#include "surface/heifboxes.h"
#include "surface/jpegdecoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QTransform>
#include <libheif/heif.h>
#include <limits>
#include <memory>

namespace vellora {

namespace {

// libheif decodes the tiles of a grid on this many threads, each holding a tile's planes and its decoder's.
constexpr int kHeifThreads = 4;

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
    Outcome open(const QByteArray &bytes)
    {
        heif_context_set_maximum_image_size_limit(context, 65535);
        heif_context_set_max_decoding_threads(context, kHeifThreads);
        heif_error e = heif_context_read_from_memory_without_copy(context, bytes.constData(), size_t(bytes.size()),
                                                                  nullptr);
        if (e.code == heif_error_Ok)
            e = heif_context_get_primary_image_handle(context, &handle);
        if (e.code != heif_error_Ok)
            return Outcome::failure(
                QCoreApplication::translate("Surface", "Het HEIF-bestand is onleesbaar (%1).")
                    .arg(QString::fromUtf8(e.message)));
        return {};
    }
};

bool isHeif(const QByteArray &bytes)
{
    return bytes.size() >= 12 && bytes.mid(4, 4) == "ftyp"
           && heif_check_filetype(reinterpret_cast<const uint8_t *>(bytes.constData()), int(qMin<qsizetype>(bytes.size(), 1 << 20)))
                  == heif_filetype_yes_supported;
}

Result<PhotoHeader> peekHeif(const QByteArray &bytes)
{
    // libheif tells the number of tiles only by decoding them all; the boxes tell it at once.
    const std::optional<HeifLayout> layout = heifLayout(bytes);
    if (!layout)
        return Outcome::failure(QCoreApplication::translate("Surface", "Het HEIF-bestand is onleesbaar."));
    if (layout->items > PhotoFile::kMaxHeifItems || layout->codedPictures > PhotoFile::kMaxHeifPieces) {
        const QSize size = layout->composedSize.isEmpty() ? layout->size : layout->composedSize;
        return Outcome::failure(
            QCoreApplication::translate("Surface", "De afbeelding is te groot (%1 x %2 pixels).")
                .arg(size.width())
                .arg(size.height()));
    }
    HeifContext heif;
    if (Outcome opened = heif.open(bytes); !opened)
        return opened;
    const QSize size(heif_image_handle_get_width(heif.handle), heif_image_handle_get_height(heif.handle));
    if (size.isEmpty())
        return Outcome::failure(
            QCoreApplication::translate("Surface", "De afmetingen van de afbeelding zijn onleesbaar."));
    // The colour planes before conversion, in quarter bytes a pixel: luma, chroma as sampled, alpha, twice as
    // wide beyond 8 bits; for a grid, of the size its data gives when that is larger.
    static constexpr int kChromaQuarters[4] = {0, 2, 4, 8};
    const int sampleBytes = heif_image_handle_get_luma_bits_per_pixel(heif.handle) > 8 ? 2 : 1;
    const int quarters = 4 + kChromaQuarters[layout->chroma & 3] + (heif_image_handle_has_alpha_channel(heif.handle) ? 4 : 0);
    auto planes = [&](qint64 pixels) { return pixels * quarters * sampleBytes / 4; };
    // Boxes may claim up to 2^31 - 1 pixels each way; counted up to 2^32 pixels, far beyond any budget, the
    // sums below stay within 64 bits.
    auto counted = [](QSize s) { return qMin(qint64(s.width()) * s.height(), qint64(1) << 32); };
    const qint64 pixels = qMax(counted(size), counted(layout->composedSize));
    const qint64 tile = counted(layout->largestCoded);
    PhotoHeader header{"heif", size};
    // Beside them what the decoder holds of each coded picture being decoded (its own picture, and a filtered
    // copy of it), a grid's tiles on several threads; and for a grid, the planes the tiles are put together
    // in before conversion.
    header.decoderBytes = layout->composedSize.isEmpty()
                              ? 3 * planes(pixels)
                              : 2 * planes(pixels) + qMin<qint64>(kHeifThreads, layout->codedPictures) * 3 * planes(tile);
    // A coded picture whose size no box gives could be any size.
    header.piecePixels = layout->largestCoded.isEmpty()
                             ? std::numeric_limits<qint64>::max()
                             : qMin<qint64>(layout->codedPictures, 1ll << 30) * tile;
    return header;
}

// libheif delivers R, G, B, A bytes; turned into Qt's 0xAARRGGBB words in place, the decoded buffer becomes the
// picture without a copy, and is freed with it.
Result<QImage> decodeHeif(const QByteArray &bytes)
{
    HeifContext heif;
    if (Outcome opened = heif.open(bytes); !opened)
        return opened;
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options *)> options(heif_decoding_options_alloc(),
                                                                                     heif_decoding_options_free);
    options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error e = heif_decode_image(heif.handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                                           options.get());
    if (e.code != heif_error_Ok)
        return Outcome::failure(
            QCoreApplication::translate("Surface", "Het HEIF-bestand is onvolledig of beschadigd (%1).")
                .arg(QString::fromUtf8(e.message)));
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    int stride = 0;
    uint8_t *pixels = heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    const bool alpha = heif_image_handle_has_alpha_channel(heif.handle);
    if (!pixels || width <= 0 || height <= 0 || stride % 4) {
        heif_image_release(decoded);
        return Outcome::failure(QCoreApplication::translate("Surface", "Het HEIF-bestand is onleesbaar."));
    }
    for (int y = 0; y < height; ++y) {
        uint8_t *p = pixels + qsizetype(y) * stride;
        auto *word = reinterpret_cast<QRgb *>(p);
        for (int x = 0; x < width; ++x, p += 4)
            word[x] = qRgba(p[0], p[1], p[2], alpha ? p[3] : 255);
    }
    return QImage(
        pixels, width, height, stride, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32,
        [](void *image) { heif_image_release(static_cast<heif_image *>(image)); }, decoded);
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

qint64 PhotoHeader::decodeBytes(QSize decodedSize) const
{
    const qint64 pixels = qint64(decodedSize.width()) * decodedSize.height();
    const int convert = deliveredBytes == 4 ? 0 : 4, turn = turnsSideways() ? 4 : 0;
    return fileBytes + decoderBytes + pixels * (deliveredBytes + convert + turn);
}

Result<PhotoHeader> PhotoFile::peek(const QByteArray &bytes)
{
    if (isHeif(bytes)) {
        Result<PhotoHeader> header = peekHeif(bytes);
        if (header)
            header->fileBytes = bytes.size();
        return header;
    }
    const PictureHeader picture = pictureHeader(bytes);
    if (!acceptedPhotoFormat(picture.format))
        return Outcome::failure(QCoreApplication::translate(
            "Surface", "Geen BMP-, JPEG-, GIF-, PNG-, WebP- of HEIC-afbeelding."));
    if (!picture.size.isValid() || picture.size.isEmpty())
        return Outcome::failure(
            QCoreApplication::translate("Surface", "De afmetingen van de afbeelding zijn onleesbaar."));
    PhotoHeader header{picture.format, picture.size};
    header.deliveredBytes = picture.deliveredBytes;
    header.fileBytes = bytes.size();
    const qint64 pixels = qint64(header.size.width()) * header.size.height();
    if (header.format == "jpeg") {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        header.orientation = orientationOf(QImageReader(&buffer, "jpeg").transformation());
        header.jpeg = picture.jpeg;
        header.decoderBytes = header.jpeg.coefficientBytes;
    } else if (header.format == "webp") {
        // The decoder keeps its own copy of the file, and lossless or animated pictures whole.
        header.decoderBytes = bytes.size() + (webpLayout(bytes).holdsCanvas ? pixels * 4 : 0);
    } else if (header.format == "gif") {
        header.decoderBytes = pixels * 4; // frames that restore what was under them keep a copy of the screen
    }
    return header;
}

Result<QImage> PhotoFile::decode(const QByteArray &bytes, const PhotoHeader &header, QSize decodedSize)
{
    const QString incomplete = QCoreApplication::translate("Surface", "Het bestand is onvolledig.");
    if (header.format == "heif") {
        Result<QImage> decoded = decodeHeif(bytes);
        if (decoded && decoded->size() != header.size)
            return Outcome::failure(QCoreApplication::translate(
                "Surface", "De afbeelding heeft een andere grootte dan haar kop zegt."));
        return decoded;
    }
    if (header.format == "jpeg") {
        const JpegLayout &frame = header.jpeg;
        if (!frame.complete || frame.entropyBytes * 8 < frame.minimumBits)
            return Outcome::failure(incomplete);
        // Four-colour pictures stay with Qt's reader.
        if (std::optional<Result<QImage>> direct =
                decodeJpegUpright(bytes, decodedSize, header.orientation, kBudgetBytes))
            return *std::move(direct);
    } else if (!pictureIsComplete(header.format, bytes)) {
        return Outcome::failure(incomplete);
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.format);
    reader.setAutoTransform(false);
    if (decodedSize != header.size)
        reader.setScaledSize(decodedSize);
    QImage image;
    if (!reader.read(&image) || image.size() != decodedSize)
        return Outcome::failure(reader.errorString());
    QImage upright = turnUpright(std::move(image), header.orientation);
    // Only a turn that found no memory for its copy leaves nothing.
    if (upright.isNull())
        return Outcome::failure(QCoreApplication::translate(
                                    "Surface", "Er is te veel geheugen nodig om deze afbeelding te lezen."),
                                QStringLiteral("no memory to turn the photo upright"));
    return upright;
}

void limitPictureDecoders()
{
    QImageReader::setAllocationLimit(int(PhotoFile::kBudgetBytes >> 20));
}

} // namespace vellora
