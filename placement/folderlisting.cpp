#include "placement/folderlisting.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace vellora::folders {

bool isPictureName(const QString &name)
{
    for (const char *extension :
         {".jpg", ".jpeg", ".jpe", ".jfif", ".gif", ".bmp", ".png", ".webp", ".heic", ".heif"}) {
        const QLatin1String ending(extension);
        if (name.endsWith(ending, Qt::CaseInsensitive) && name.size() > ending.size())
            return true;
    }
    return false;
}

QStringList pictureFiles(const QString &folder)
{
    QStringList names;
    const QDir dir(folder);
    const QStringList all = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : all) {
        // The listing counts a link to a FIFO or device as a file; following the link tells.
        if (isPictureName(name) && QFileInfo(dir.filePath(name)).isFile())
            names << name;
    }
    return names;
}

QString driveOf(const QString &path) { return QStorageInfo(path).rootPath(); }

QStringList drives(const QString &first)
{
    QStringList roots;
    const QString own = driveOf(first);
    if (!own.isEmpty())
        roots << own;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    return roots;
}

std::vector<Entry> folderTree(const QString &folder)
{
    std::vector<Entry> entries;
    QDir dir(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    QStringList chain;
    do {
        chain.prepend(dir.absolutePath());
    } while (dir.cdUp());
    for (int i = 0; i < chain.size(); ++i) {
        const QFileInfo info(chain[i]);
        const QString name = info.fileName().isEmpty() ? chain[i] : info.fileName();
        entries.push_back({chain[i], name, i, true});
    }
    const QDir current(chain.last());
    const QStringList children =
        current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &child : children) {
        // The listing counts a link to a FIFO or device as a folder; following the link tells.
        if (QFileInfo(current.filePath(child)).isDir())
            entries.push_back({current.filePath(child), child, int(chain.size()), false});
    }
    return entries;
}

bool canList(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace vellora::folders
