#include "surface/picturefile.h"

#include "surface/bmprows.h"
#include "surface/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace vellora {

namespace {

bool acceptedFormat(const QByteArray &format)
{
    return format == "bmp" || format == "jpeg" || format == "gif";
}

QString incomplete()
{
    return QCoreApplication::translate("Surface", "Het bestand is onvolledig.");
}
QString noMemory()
{
    return QCoreApplication::translate("Surface", "Er is te weinig geheugen voor de afbeelding.");
}

// A plain BMP is read a band of rows at a time straight into the picture, never whole into memory first.
Result<QImage> readRows(RegularFile &file, const bmprows::Layout &layout)
{
    bool stoppedShort = false;
    QImage image = bmprows::read(layout, [&](char *into, qint64 length) {
        while (length > 0) {
            const qint64 n = file.read(into, length);
            if (n <= 0) {
                stoppedShort = true;
                return false;
            }
            into += n;
            length -= n;
        }
        return true;
    });
    if (image.isNull())
        return Outcome::failure(stoppedShort ? incomplete() : noMemory());
    return image;
}

} // namespace

Result<PictureHeader> PictureFile::peek(const QByteArray &bytes)
{
    PictureHeader header = pictureHeader(bytes);
    if (!acceptedFormat(header.format))
        return Outcome::failure(
            QCoreApplication::translate("Surface", "Geen BMP-, JPEG- of GIF-afbeelding."));
    if (!header.size.isValid() || header.size.isEmpty())
        return Outcome::failure(
            QCoreApplication::translate("Surface", "De afmetingen van de afbeelding zijn onleesbaar."));
    return header;
}

Result<QImage> PictureFile::decode(const QByteArray &bytes, qint64 maxBytes, QSize scaledSize)
{
    const Result<PictureHeader> header = peek(bytes);
    if (!header)
        return header.outcome();
    const QSize size = scaledSize.isValid() ? scaledSize : header->size;
    if (qint64(size.width()) * size.height() * 4 > maxBytes) {
        return Outcome::failure(
            QCoreApplication::translate("Surface", "De afbeelding is te groot (%1 x %2 pixels).")
                .arg(header->size.width())
                .arg(header->size.height()));
    }
    if (!pictureIsComplete(header->format, bytes))
        return Outcome::failure(incomplete());
    if (const auto layout = header->format == "bmp" && !scaledSize.isValid() ? bmprows::layoutOf(bytes)
                                                                             : std::nullopt) {
        QImage image = bmprows::decode(bytes, *layout);
        if (image.isNull())
            return Outcome::failure(noMemory());
        return image;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header->format);
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return Outcome::failure(reader.errorString());
    return image;
}

Result<QImage> PictureFile::load(const QString &path, qint64 maxBytes)
{
    RegularFile file(path, filelimits::forDecodedBytes(maxBytes));
    if (!file.isOpen())
        return Outcome::failure(file.error());
    // A picture the budget refuses is refused from its header, without reading the rest of the file. Where the
    // header lies beyond the first block (large metadata segments), the whole file is read as usual.
    const QByteArray head = file.peek(64 * 1024);
    const Result<PictureHeader> header = peek(head);
    if (header && qint64(header->size.width()) * header->size.height() * 4 > maxBytes)
        return decode(head, maxBytes);
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return Outcome::failure(file.error());
    return decode(bytes, maxBytes);
}

namespace {

QString wrongSize(QSize size, QSize required)
{
    return QCoreApplication::translate("Surface", "De afbeelding is %1 x %2 pixels in plaats van %3 x %4.")
        .arg(size.width())
        .arg(size.height())
        .arg(required.width())
        .arg(required.height());
}

} // namespace

Result<QImage> PictureFile::decodeExactly(const QByteArray &bytes, QSize required)
{
    const Result<PictureHeader> header = peek(bytes);
    if (!header)
        return header.outcome();
    if (header->size != required)
        return Outcome::failure(wrongSize(header->size, required));
    Result<QImage> result =
        decode(bytes, qMax(kDefaultMaxBytes, qint64(required.width()) * required.height() * 4));
    if (result && result->size() != required)
        return Outcome::failure(wrongSize(result->size(), required));
    return result;
}

Result<QImage> PictureFile::loadExactly(const QString &path, QSize required)
{
    return loadExactly(QFile::encodeName(path), required);
}

Result<QImage> PictureFile::loadExactly(const QByteArray &nativePath, QSize required)
{
    RegularFile file(nativePath, filelimits::forDecodedBytes(qint64(required.width()) * required.height() * 4));
    if (!file.isOpen())
        return Outcome::failure(file.error());
    // A file claiming another size is refused before it is read whole.
    const QByteArray head = file.peek(64 * 1024);
    const Result<PictureHeader> header = peek(head);
    if (header && header->size != required)
        return Outcome::failure(wrongSize(header->size, required));
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return Outcome::failure(file.error());
    return decodeExactly(bytes, required);
}

namespace {

// Takes the bytes a writer gives and keeps only their hash.
class HashSink final : public QIODevice
{
public:
    HashSink() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    QByteArray hex() const { return m_hash.result().toHex(); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        m_hash.addData(QByteArrayView(data, length));
        return length;
    }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

} // namespace

QByteArray PictureFile::bmpHash(const QImage &image)
{
    HashSink sink;
    QImageWriter writer(&sink, "bmp");
    if (!(bmprows::writes(image) ? bmprows::write(image, sink) : writer.write(image)))
        return {};
    return sink.hex();
}

Outcome PictureFile::saveBmp(const QImage &image, const QString &path)
{
    // A sheet's rows go from its pixels to the file a band at a time, with nothing buffered twice; other
    // pictures take Qt's writer, which gives the same bytes.
    const bool byRows = bmprows::writes(image);
    QSaveFile file(path);
    if (!file.open(byRows ? QIODevice::WriteOnly | QIODevice::Unbuffered : QIODevice::WriteOnly))
        return Outcome::failure(writeFailureReason(file.errorString()));
    QImageWriter writer(&file, "bmp");
    if (!(byRows ? bmprows::write(image, file) : writer.write(image))) {
        // The writer only knows that a write failed; writing out what is still buffered brings the system's
        // reason (a full disk) to light.
        file.flush();
        const QString system =
            file.error() != QFileDevice::NoError || byRows ? file.errorString() : writer.errorString();
        file.cancelWriting();
        return Outcome::failure(writeFailureReason(system));
    }
    if (!file.commit())
        return Outcome::failure(writeFailureReason(file.errorString()));
    return {};
}

} // namespace vellora
