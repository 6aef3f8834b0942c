#include "print/backgallery.h"

#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vellora {

BackGallery::BackGallery(const AppFolder &folder, QString ownFolder)
    : m_folder(folder), m_ownFolder(std::move(ownFolder))
{
    listOwn();
    // The folder is listed once, when the window opens, as its file list is; later changes are not seen.
    const QDir backgrounds(folder.resolve(u"\\Backgrounds"));
    if (backgrounds.exists()) {
        m_count = int(backgrounds
                          .entryList({QStringLiteral("*.jpg")}, QDir::Files,
                                     QDir::NoSort)
                          .size());
    }
}

void BackGallery::listOwn()
{
    m_own.clear();
    if (!m_ownFolder.isEmpty())
        m_own = QDir(m_ownFolder).entryList(QDir::Files, QDir::Name);
}

QString BackGallery::path(int n) const
{
    if (n >= m_count && n - m_count < m_own.size())
        return QDir(m_ownFolder).filePath(m_own[n - m_count]);
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

std::optional<int> BackGallery::addOwn(const QString &path, const PictureReader &read, QString *error)
{
    const auto fail = [error](const QString &why) -> std::optional<int> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (read(path, error).isNull())
        return std::nullopt;
    RegularFile file(path, PictureFile::kDefaultMaxBytes);
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return fail(file.error());
    if (!QDir().mkpath(m_ownFolder))
        return fail(QStringLiteral("De map %1 kan niet worden gemaakt.").arg(m_ownFolder));
    const QFileInfo info(path);
    QString name = info.fileName();
    for (int i = 2; QFileInfo::exists(QDir(m_ownFolder).filePath(name)); ++i)
        name = QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(i).arg(info.suffix());
    QSaveFile copy(QDir(m_ownFolder).filePath(name));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.commit())
        return fail(writeFailureReason(copy.errorString()));
    listOwn();
    return m_count + int(m_own.indexOf(name));
}

QString BackGallery::counterText(int n, int count)
{
    return QStringLiteral("Rugzijde %1 / %2").arg(n + 1).arg(count);
}

} // namespace vellora
