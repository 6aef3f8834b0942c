#include "surface/widgets/artwork.h"

#include <QImage>
#include <QWidget>

namespace vellora {

QPixmap artworkPixmap(const AppFolder &folder, const QString &name, qreal scale)
{
    const QString plainPath = folder.resolve(QStringLiteral("\\Artwork\\") + name);
    const QImage plain(plainPath);
    if (plain.isNull() || scale <= 1.0)
        return QPixmap::fromImage(plain);

    QString sharpName = name;
    sharpName.insert(sharpName.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    QImage sharp(folder.resolve(QStringLiteral("\\Artwork\\") + sharpName));
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
