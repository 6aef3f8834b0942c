#include "project/projectfolder.h"

#include <QDir>
#include <QFileInfo>

namespace vellora {

ProjectFolder ProjectFolder::choose(const AppFolder &program, const QString &userFolder)
{
    const QString own = program.resolve(u"\\Projecten");
    if (userFolder.isEmpty())
        return {own, false};
    const QFileInfo info(own);
    if (info.isDir() && info.isWritable())
        return {own, false};
    return {QDir(userFolder).filePath(QStringLiteral("Projecten")), true};
}

} // namespace vellora
