#include "print/backgallery.h"

#include "placement/photoloader.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"

#include <QDir>
#include <QFile>

namespace vellora {

BackGallery::BackGallery(const AppFolder &folder) : m_folder(folder)
{
    // The folder is listed once, when the window opens, as its file list is; later changes are not seen.
    const QDir backgrounds(folder.resolve(u"\\Backgrounds"));
    if (backgrounds.exists()) {
        m_count = int(backgrounds.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::NoSort).size());
    }
}

QString BackGallery::path(int n) const
{
    return m_folder.resolve(QStringLiteral("\\Backgrounds\\Background-%1.jpg").arg(n));
}

QImage BackGallery::load(int n) const
{
    return PictureFile::load(path(n)).image;
}

print::BackChoice BackGallery::choice(int n) const
{
    QFile file(path(n));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    print::BackChoice back{PictureFile::decode(bytes).image, {}};
    const std::optional<PictureHeader> header = PictureFile::peek(bytes);
    if (!back.image.isNull() && header && header->format == "jpeg" && header->size == back.image.size())
        back.jpeg = bytes;
    return back;
}

print::BackChoice BackGallery::ownBack(const QString &path, QString *error)
{
    const PhotoLoad photo = PhotoLoader::load(path);
    if (!photo.ok() && error)
        *error = photo.error;
    return {photo.image, {}};
}

QString BackGallery::counterText(int n, int count)
{
    return QStringLiteral("Rugzijde %1 / %2").arg(n + 1).arg(count);
}

} // namespace vellora
