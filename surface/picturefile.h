#pragma once

#include "surface/outcome.h"
#include "surface/pictureformat.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vellora {

// Picture files as the program reads and writes them. Only BMP, JPEG and GIF are read, whatever the file is
// called: the content decides, so a project saved as .krt may hold a JPEG. A file whose pixel data stops
// short is refused, although Qt's decoders would quietly fill the missing part. A read gives a picture that
// is never null, or why not in words a message box can show.
class PictureFile
{
public:
    // The default budget of 128 MB, as Qt's own; the photo dialog raises it.
    static constexpr qint64 kDefaultMaxBytes = 128ll * 1024 * 1024;

    // Format and size from the header alone.
    static Result<PictureHeader> peek(const QByteArray &bytes);

    // The whole decode of bytes already in memory. A picture whose 32-bit image would exceed maxBytes is
    // refused before anything is allocated. With scaledSize the decoder delivers that size instead (JPEG can
    // do so without ever holding the whole picture); the budget then applies to the scaled picture.
    static Result<QImage> decode(const QByteArray &bytes, qint64 maxBytes = kDefaultMaxBytes,
                                 QSize scaledSize = {});

    // Files are read only when they are regular files no larger than such a picture could be.
    static Result<QImage> load(const QString &path, qint64 maxBytes = kDefaultMaxBytes);

    // Decodes only a picture of exactly the required size, judged from the header before anything is decoded.
    static Result<QImage> decodeExactly(const QByteArray &bytes, QSize required);
    // Loads only a picture of exactly the required size, judged from the header before anything is decoded.
    static Result<QImage> loadExactly(const QString &path, QSize required);
    static Result<QImage> loadExactly(const QByteArray &nativePath, QSize required);

    // Writes a Windows BMP through QSaveFile: an existing file is replaced only once the new one is complete.
    static Outcome saveBmp(const QImage &image, const QString &path);
    // The SHA-256 (hex) of the bytes saveBmp writes for the picture, taken as they are made, without a file:
    // what a Save wrote, whatever another program has put under its name since.
    static QByteArray bmpHash(const QImage &image);
};

} // namespace vellora
