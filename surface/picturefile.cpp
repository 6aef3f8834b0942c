#include "surface/picturefile.h"

#include "surface/bmprows.h"
#include "surface/regularfile.h"

#include <QBuffer>
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

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

const QString kIncomplete = QStringLiteral("Het bestand is onvolledig.");
const QString kNoMemory = QStringLiteral("Er is te weinig geheugen voor de afbeelding.");

// A plain BMP is read a band of rows at a time straight into the picture, never whole into memory first.
PictureLoad readRows(RegularFile &file, const bmprows::Layout &layout)
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
        return {QImage(), stoppedShort ? kIncomplete : kNoMemory};
    return {std::move(image), QString()};
}

} // namespace

std::optional<PictureHeader> PictureFile::peek(const QByteArray &bytes, QString *error)
{
    PictureHeader header = pictureHeader(bytes);
    if (!acceptedFormat(header.format)) {
        setError(error, QStringLiteral("Geen BMP-, JPEG- of GIF-afbeelding."));
        return std::nullopt;
    }
    if (!header.size.isValid() || header.size.isEmpty()) {
        setError(error, QStringLiteral("De afmetingen van de afbeelding zijn onleesbaar."));
        return std::nullopt;
    }
    return header;
}

PictureLoad PictureFile::decode(const QByteArray &bytes, qint64 maxBytes, QSize scaledSize)
{
    PictureLoad result;
    const auto header = peek(bytes, &result.error);
    if (!header)
        return result;
    const QSize size = scaledSize.isValid() ? scaledSize : header->size;
    if (qint64(size.width()) * size.height() * 4 > maxBytes) {
        result.error = QStringLiteral("De afbeelding is te groot (%1 x %2 pixels).")
                           .arg(header->size.width())
                           .arg(header->size.height());
        return result;
    }
    if (!pictureIsComplete(header->format, bytes)) {
        result.error = kIncomplete;
        return result;
    }
    if (const auto layout = header->format == "bmp" && !scaledSize.isValid() ? bmprows::layoutOf(bytes)
                                                                             : std::nullopt) {
        result.image = bmprows::decode(bytes, *layout);
        if (result.image.isNull())
            result.error = kNoMemory;
        return result;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header->format);
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    QImage image;
    if (!reader.read(&image) || image.size() != size) {
        result.error = reader.errorString();
        return result;
    }
    result.image = std::move(image);
    return result;
}

PictureLoad PictureFile::load(const QString &path, qint64 maxBytes)
{
    RegularFile file(path, filelimits::forDecodedBytes(maxBytes));
    if (!file.isOpen())
        return {QImage(), file.error()};
    // A picture the budget refuses is refused from its header, without reading the rest of the file. Where the
    // header lies beyond the first block (large metadata segments), the whole file is read as usual.
    const QByteArray head = file.peek(64 * 1024);
    const auto header = peek(head);
    if (header && qint64(header->size.width()) * header->size.height() * 4 > maxBytes)
        return decode(head, maxBytes);
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return {QImage(), file.error()};
    return decode(bytes, maxBytes);
}

namespace {

QString wrongSize(QSize size, QSize required)
{
    return QStringLiteral("De afbeelding is %1 x %2 pixels in plaats van %3 x %4.")
        .arg(size.width())
        .arg(size.height())
        .arg(required.width())
        .arg(required.height());
}

} // namespace

PictureLoad PictureFile::decodeExactly(const QByteArray &bytes, QSize required)
{
    QString error;
    const auto header = peek(bytes, &error);
    if (!header)
        return {QImage(), error};
    if (header->size != required)
        return {QImage(), wrongSize(header->size, required)};
    PictureLoad result = decode(bytes, qMax(kDefaultMaxBytes, qint64(required.width()) * required.height() * 4));
    if (result.ok() && result.image.size() != required)
        return {QImage(), wrongSize(result.image.size(), required)};
    return result;
}

PictureLoad PictureFile::loadExactly(const QString &path, QSize required)
{
    return loadExactly(QFile::encodeName(path), required);
}

PictureLoad PictureFile::loadExactly(const QByteArray &nativePath, QSize required)
{
    RegularFile file(nativePath, filelimits::forDecodedBytes(qint64(required.width()) * required.height() * 4));
    if (!file.isOpen())
        return {QImage(), file.error()};
    // A file claiming another size is refused before it is read whole.
    const QByteArray head = file.peek(64 * 1024);
    const auto header = peek(head);
    if (header && header->size != required)
        return {QImage(), wrongSize(header->size, required)};
    if (const auto layout = header ? bmprows::layoutOf(head) : std::nullopt)
        return readRows(file, *layout);
    const QByteArray bytes = file.readAll();
    if (!file.error().isEmpty())
        return {QImage(), file.error()};
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

bool PictureFile::saveBmp(const QImage &image, const QString &path, QString *error)
{
    // A sheet's rows go from its pixels to the file a band at a time, with nothing buffered twice; other
    // pictures take Qt's writer, which gives the same bytes.
    const bool byRows = bmprows::writes(image);
    QSaveFile file(path);
    if (!file.open(byRows ? QIODevice::WriteOnly | QIODevice::Unbuffered : QIODevice::WriteOnly)) {
        setError(error, writeFailureReason(file.errorString()));
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (!(byRows ? bmprows::write(image, file) : writer.write(image))) {
        // The writer only knows that a write failed; writing out what is still buffered brings the system's
        // reason (a full disk) to light.
        file.flush();
        setError(error, writeFailureReason(file.error() != QFileDevice::NoError || byRows
                                               ? file.errorString()
                                               : writer.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, writeFailureReason(file.errorString()));
        return false;
    }
    return true;
}

} // namespace vellora
