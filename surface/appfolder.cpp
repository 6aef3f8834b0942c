#include "surface/appfolder.h"

#include <QDir>
#include <QFileInfo>

namespace vellora {

AppFolder::AppFolder(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

QString AppFolder::resolve(QStringView relative) const
{
    QString path = m_root;
    bool existing = true; // below a missing folder nothing can match
    const auto parts = relative.toString().replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QString chosen = part;
        if (existing && !QFileInfo::exists(path + u'/' + part)) {
            const QStringList entries =
                QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            existing = false;
            for (const QString &entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    chosen = entry;
                    existing = true;
                    break;
                }
            }
        }
        path += u'/' + chosen;
    }
    return path;
}

} // namespace vellora
