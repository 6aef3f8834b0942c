#pragma once

#include "surface/pictureformat.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace vellora {

struct PictureLoad
{
    QImage image;   // null when the load failed
    QString error;  // why, in words a message box can show
    bool ok() const { return !image.isNull(); }
};

// Picture files as the program reads and writes them. Only BMP, JPEG and GIF are read, whatever the file is
// called: the content decides, so a project saved as .krt may hold a JPEG. A file whose pixel data stops short
// is refused, although Qt's decoders would quietly fill the missing part.
class PictureFile
{
public:
    // The default budget of 128 MB, as Qt's own; the photo dialog raises it.
    static constexpr qint64 kDefaultMaxBytes = 128ll * 1024 * 1024;

    // Format and size from the header alone, or nothing with the reason in *error.
    static std::optional<PictureHeader> peek(const QByteArray &bytes, QString *error = nullptr);

    // The whole decode of bytes already in memory. A picture whose 32-bit image would exceed maxBytes is
    // refused before anything is allocated. With scaledSize the decoder delivers that size instead (JPEG can
    // do so without ever holding the whole picture); the budget then applies to the scaled picture.
    static PictureLoad decode(const QByteArray &bytes, qint64 maxBytes = kDefaultMaxBytes, QSize scaledSize = {});

    // Files are read only when they are regular files no larger than such a picture could be.
    static PictureLoad load(const QString &path, qint64 maxBytes = kDefaultMaxBytes);

    // Decodes only a picture of exactly the required size, judged from the header before anything is decoded.
    static PictureLoad decodeExactly(const QByteArray &bytes, QSize required);
    // Loads only a picture of exactly the required size, judged from the header before anything is decoded.
    static PictureLoad loadExactly(const QString &path, QSize required);
    static PictureLoad loadExactly(const QByteArray &nativePath, QSize required);

    // Writes a Windows BMP through QSaveFile: an existing file is replaced only once the new one is complete.
    static bool saveBmp(const QImage &image, const QString &path, QString *error = nullptr);
    // The SHA-256 (hex) of the bytes saveBmp writes for the picture, taken as they are made, without a file:
    // what a Save wrote, whatever another program has put under its name since.
    static QByteArray bmpHash(const QImage &image);
};

} // namespace vellora
