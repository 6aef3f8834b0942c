#include "surface/userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vellora {

UserFolders UserFolders::ofThisUser()
{
    UserFolders folders;
    folders.home = QDir::homePath();
    folders.pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    folders.documents = QFileInfo(documents).isDir() ? documents : folders.home;
    folders.data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    folders.localData = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return folders;
}

} // namespace vellora
