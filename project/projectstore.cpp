#include "projectstore.h"

#include "cardsheet.h"
#include "picturefile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vellora {

namespace {

const QString kExtension = QStringLiteral(".krt");

} // namespace

ProjectStore::Name ProjectStore::judge(const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return Name::Blank;
    if (typed == u"." || typed == u"..")
        return Name::Unusable;
    for (const QChar c : typed) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return Name::Unusable;
    }
    return Name::Usable;
}

QString ProjectStore::projectFolder() const { return m_folder.resolve(u"\\Projecten"); }

QString ProjectStore::pathFor(const QString &typed) const
{
    const QString wanted = typed + kExtension;
    const QDir folder(projectFolder());
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden);
    if (entries.contains(wanted))
        return folder.filePath(wanted);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return folder.filePath(wanted);
}

bool ProjectStore::exists(const QString &typed) const
{
    const QFileInfo info(pathFor(typed));
    return info.exists() && info.isFile();
}

bool ProjectStore::save(const QImage &sheet, const QString &typed, QString *error) const
{
    if (!QFileInfo(projectFolder()).isDir()) {
        if (error)
            *error = QStringLiteral("De map Projecten ontbreekt.");
        return false;
    }
    return PictureFile::saveBmp(sheet, pathFor(typed), error);
}

std::optional<QImage> ProjectStore::open(const QString &name, QString *error) const
{
    const PictureLoad load =
        PictureFile::loadExactly(pathFor(name), QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!load.ok()) {
        if (error)
            *error = load.error;
        return std::nullopt;
    }
    return load.image;
}

QStringList ProjectStore::names() const
{
    QStringList result;
    const QDir folder(projectFolder());
    for (const QString &entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.size() > kExtension.size() && entry.endsWith(kExtension, Qt::CaseInsensitive))
            result << entry.chopped(kExtension.size());
    }
    std::sort(result.begin(), result.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return result;
}

} // namespace vellora
