#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vellora {

// What the drive, folder and file lists of the import dialog show, read straight from the file system so
// that the lists are complete the moment they are filled.
namespace folders {

// The names photos go by (JPEG in its four spellings, GIF, BMP, PNG, WebP, HEIC and HEIF) without regard to
// case, so that a camera's IMG_0001.JPG and a phone's IMG_0002.Heic show.
bool isPictureName(const QString &name);
// The picture files of a folder by name, case ignored; empty when the folder cannot be listed.
QStringList pictureFiles(const QString &folder);

// The root of every mounted volume that can be read, the volume of `first` at the front.
QStringList drives(const QString &first);
// The volume root that holds path.
QString driveOf(const QString &path);

// One line of the folder list: the folders from the root down to the current one, then its subfolders.
struct Entry
{
    QString path;
    QString name;
    int depth = 0;
    bool open = false; // the root, an ancestor or the current folder
};
std::vector<Entry> folderTree(const QString &folder);
// Whether a folder can be listed at all: the lists move there only then.
bool canList(const QString &folder);

} // namespace folders

} // namespace vellora
