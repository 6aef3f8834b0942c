#include "backgallery.h"

#include "appfolder.h"
#include "picturefile.h"

#include <QDir>

namespace vellora {

BackGallery::BackGallery(const AppFolder &folder) : m_folder(folder)
{
    // The folder is listed once, when the window opens, as its file list is; later changes are not seen.
    const QDir backgrounds(folder.resolve(u"\\Backgrounds"));
    if (backgrounds.exists()) {
        m_count = int(backgrounds
                          .entryList({QStringLiteral("*.jpg")}, QDir::Files,
                                     QDir::NoSort)
                          .size());
    }
}

QImage BackGallery::load(int n) const
{
    return PictureFile::load(m_folder.resolve(QStringLiteral("\\Backgrounds\\Background-%1.jpg").arg(n))).image;
}

QString BackGallery::counterText(int n, int count)
{
    return QStringLiteral("Rugzijde %1 / %2").arg(n + 1).arg(count);
}

} // namespace vellora
