#include "photoloader.h"

#include "picturefile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>


namespace vellora {

namespace {

// The cards are opaque: transparent parts of a GIF or BMP show white, as on the window behind them.
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
    if (fits(size) || format != "jpeg")
        return size;
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
    const auto header = PictureFile::peek(bytes, &result.error);
    if (!header)
        return result;
    result.fileSize = header->size;
    const QSize reduced = reducedSize(header->format, header->size, budgetBytes);
    if (reduced == header->size || reduced.isEmpty()) {
        // Within the budget, or a format that cannot be decoded smaller: the plain load, which refuses it.
        PictureLoad plain = PictureFile::decode(bytes, budgetBytes);
        result.error = plain.error;
        result.image = opaque(std::move(plain.image));
        return result;
    }
    if (!pictureIsComplete(header->format, bytes)) {
        result.error = QStringLiteral("Het bestand is onvolledig.");
        return result;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header->format);
    reader.setScaledSize(reduced);
    reader.setAllocationLimit(int((budgetBytes + (1 << 20) - 1) >> 20));
    QImage image;
    if (!reader.read(&image) || image.size() != reduced) {
        result.error = reader.errorString();
        return result;
    }
    result.image = opaque(std::move(image));
    return result;
}

PhotoLoad PhotoLoader::load(const QString &path, qint64 budgetBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), QSize(), file.errorString()};
    return decode(file.readAll(), budgetBytes);
}

} // namespace vellora
