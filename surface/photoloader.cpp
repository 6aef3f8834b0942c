#include "surface/photoloader.h"

#include "surface/regularfile.h"

#include <QCoreApplication>

namespace vellora {

namespace {

// The cards are opaque: transparent parts of a photo show white, as on the window behind them. Laid over
// white in place, so that a picture with alpha needs no second picture of its size.
QImage opaque(QImage image)
{
    if (image.isNull() || image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
        image = std::move(image).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]), white = 255 * (255 - alpha);
            auto over = [&](int c) {
                return premultiplied ? c + 255 - alpha : (c * alpha + white + 127) / 255;
            };
            line[x] = qRgb(over(qRed(line[x])), over(qGreen(line[x])), over(qBlue(line[x])));
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

QString tooLarge(QSize size)
{
    return QCoreApplication::translate("Surface", "De afbeelding is te groot (%1 x %2 pixels).")
        .arg(size.width())
        .arg(size.height());
}

} // namespace

QSize PhotoLoader::decodedSize(const PhotoHeader &header, qint64 shownBytes, qint64 budgetBytes)
{
    // While it loads, beside the photo shown; once shown, with its own halves.
    auto fits = [&](QSize s) {
        return shownBytes + header.decodeBytes(s) <= budgetBytes &&
               qint64(s.width()) * s.height() * 4 / 3 * 4 <= budgetBytes;
    };
    if (fits(header.size))
        return header.size;
    if (header.format != "jpeg")
        return {};
    // The JPEG decoder itself can deliver a half, a quarter or an eighth, rounded up, without ever holding the
    // whole picture; any other size would be decoded whole first and then scaled, at many times the budget.
    for (int d : {2, 4, 8}) {
        const QSize reduced((header.size.width() + d - 1) / d, (header.size.height() + d - 1) / d);
        if (fits(reduced))
            return reduced;
    }
    return {};
}

PhotoLoad PhotoLoader::decode(const QByteArray &bytes, qint64 shownBytes, qint64 budgetBytes)
{
    const Result<PhotoHeader> header = PhotoFile::peek(bytes);
    if (!header)
        return header.outcome();
    const QSize fileSize = header->upright();
    // Time as much as memory: a picture put together from more pixels than a photo of the budget has is
    // refused before any is decoded.
    if (header->piecePixels > budgetBytes / 4)
        return Outcome::refusal(tooLarge(fileSize));
    const QString tooMuchMemory =
        QCoreApplication::translate("Surface", "Er is te veel geheugen nodig om deze afbeelding te lezen.");
    const QSize decoded = decodedSize(*header, shownBytes, budgetBytes);
    if (decoded.isEmpty()) {
        // Alone it would fit: what it needs is taken by the photo shown or by the decoder.
        const bool alone = qint64(header->size.width()) * header->size.height() * 4 / 3 * 4 <= budgetBytes ||
                           header->format == "jpeg";
        return Outcome::refusal(alone ? tooMuchMemory : tooLarge(fileSize));
    }
    Result<QImage> load = PhotoFile::decode(bytes, *header, decoded);
    if (!load)
        return load.outcome();
    QImage image = opaque(*std::move(load).toOptional());
    // Made opaque in a copy that memory may refuse: a photo without pixels is no photo.
    if (image.isNull())
        return Outcome::failure(tooMuchMemory, QStringLiteral("no memory to make the photo opaque"));
    return Photo{std::move(image), fileSize};
}

PhotoLoad PhotoLoader::load(const QString &path, qint64 shownBytes, qint64 budgetBytes)
{
    RegularFile file(path, filelimits::forDecodedBytes(budgetBytes - shownBytes));
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return Outcome::refusal(file.error());
    return decode(bytes, shownBytes, budgetBytes);
}

} // namespace vellora
