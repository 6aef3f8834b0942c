#include "surface/masterdrawing.h"

#include "surface/regularfile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <vector>

namespace vellora::masterdrawing {

QString pathBeside(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("@3x.png"));
}

QByteArray fileHash(const QString &path, qint64 maxBytes)
{
    return fileHash(RegularFile(path, maxBytes));
}

QByteArray fileHash(RegularFile &&file)
{
    if (!file.isOpen())
        return {};
    // In pieces through one small buffer: the blank sheet is 19 MB, and a buffer of its size costs more in
    // fresh memory than the hashing itself.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> piece(256 * 1024);
    qint64 total = 0;
    for (;;) {
        const qint64 got = file.read(piece.data(), qint64(piece.size()));
        if (got < 0 || (total += got) > file.maxBytes())
            return {};
        if (got == 0)
            return hash.result().toHex();
        hash.addData(QByteArrayView(piece.data(), got));
    }
}

QByteArray tagFor(const QString &fileName, const QByteArray &bytes)
{
    return fileName.toUtf8() + ' ' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QImage load(const QString &path, const QString &belongsTo, QSize size)
{
    RegularFile file(path, kMaxFileBytes);
    if (!file.isOpen())
        return {};
    QByteArray bytes = file.readAll();
    if (!file.error().isEmpty() || !bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Without this, a reader given its format still asks every picture plugin first, loading them all.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    // The header and the text before the pixels decide; nothing is decoded for a drawing of another file.
    if (reader.size() != size)
        return {};
    const QByteArray tag = reader.text(QString::fromLatin1(kKey)).toUtf8();
    const qsizetype blank = tag.lastIndexOf(' ');
    const QByteArray hash = fileHash(belongsTo);
    if (blank < 0 || hash.isEmpty() || tag.mid(blank + 1) != hash)
        return {};
    QImage image = reader.read();
    if (image.size() != size)
        return {};
    return image;
}

QImage enlarged(const QImage &picture, int scale)
{
    if (picture.isNull())
        return {};
    return picture.scaled(picture.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace vellora::masterdrawing
