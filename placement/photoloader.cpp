#include "placement/photoloader.h"

#include "surface/photofile.h"
#include "surface/regularfile.h"

#include <QPainter>


namespace vellora {

namespace {

// The cards are opaque: transparent parts of a photo show white, as on the window behind them.
QImage opaque(QImage image)
{
    if (image.isNull())
        return image;
    if (!image.hasAlphaChannel())
        return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return flat;
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace

QSize PhotoLoader::reducedSize(const QByteArray &format, QSize size, qint64 budgetBytes)
{
    auto fits = [&](QSize s) { return qint64(s.width()) * s.height() * 4 <= budgetBytes; };
    if (fits(size))
        return size;
    if (format != "jpeg")
        return {};
    // The JPEG decoder itself can deliver a half, a quarter or an eighth, rounded up, without ever holding the
    // whole picture; any other size would be decoded whole first and then scaled, at many times the budget.
    for (int d : {2, 4, 8}) {
        const QSize reduced((size.width() + d - 1) / d, (size.height() + d - 1) / d);
        if (fits(reduced))
            return reduced;
    }
    return {};
}

PhotoLoad PhotoLoader::decode(const QByteArray &bytes, qint64 budgetBytes)
{
    PhotoLoad result;
    const auto header = PhotoFile::peek(bytes, &result.error);
    if (!header)
        return result;
    result.fileSize = header->upright();
    const QSize decoded = reducedSize(header->format, header->size, budgetBytes);
    if (decoded.isEmpty()) {
        result.error = QStringLiteral("De afbeelding is te groot (%1 x %2 pixels).")
                           .arg(result.fileSize.width())
                           .arg(result.fileSize.height());
        return result;
    }
    // Judged from the header, before the decoder takes anything: a progressive JPEG, say, is held whole as
    // coefficients even when it is decoded at an eighth.
    if (header->decoderBytes > budgetBytes) {
        result.error = QStringLiteral("Er is te veel geheugen nodig om deze afbeelding te lezen.");
        return result;
    }
    PictureLoad load = PhotoFile::decode(bytes, *header, decoded, budgetBytes);
    result.error = load.error;
    result.image = opaque(std::move(load.image));
    return result;
}

PhotoLoad PhotoLoader::load(const QString &path, qint64 budgetBytes)
{
    RegularFile file(path, filelimits::forDecodedBytes(budgetBytes));
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return {QImage(), QSize(), file.error()};
    return decode(bytes, budgetBytes);
}

} // namespace vellora
