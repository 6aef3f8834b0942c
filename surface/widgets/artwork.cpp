#include "surface/widgets/artwork.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QWidget>

namespace vellora {

namespace {

// The artwork is PNG: read as such first, without the search through every picture plugin that a reader
// deciding by itself makes the first time, which costs more than all the artwork together. A file of
// another kind is still read, by its content.
QImage readArtwork(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader png(&file, "png");
    png.setAutoDetectImageFormat(false);
    QImage image = png.read();
    if (image.isNull() && file.seek(0))
        image = QImageReader(&file).read();
    return image;
}

} // namespace

QPixmap artworkPixmap(const AppFolder &folder, const QString &name, qreal scale)
{
    const QString plainPath = folder.resolve(QStringLiteral("\\Artwork\\") + name);
    const QImage plain = readArtwork(plainPath);
    if (plain.isNull() || scale <= 1.0)
        return QPixmap::fromImage(plain);

    QString sharpName = name;
    sharpName.insert(sharpName.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    QImage sharp = readArtwork(folder.resolve(QStringLiteral("\\Artwork\\") + sharpName));
    if (sharp.size() != plain.size() * 2)
        return QPixmap::fromImage(plain);
    // Qt 6.4 cannot smooth-scale every format it reads (a one-bit picture crashes it).
    sharp.convertTo(QImage::Format_ARGB32_Premultiplied);

    // Bring the drawing to whole screen pixels here, once and smoothly, rather than leave the painter to
    // stretch it with every repaint.
    const QSize device = (QSizeF(plain.size()) * scale).toSize();
    if (sharp.size() != device)
        sharp = sharp.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    sharp.setDevicePixelRatio(scale);
    return QPixmap::fromImage(sharp);
}

QPixmap artworkPixmap(const AppFolder &folder, const QString &name, const QWidget *where)
{
    return artworkPixmap(folder, name, where->devicePixelRatioF());
}

} // namespace vellora
