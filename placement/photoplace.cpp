#include "placement/photoplace.h"

#include "placement/folderlisting.h"
#include "surface/userfolders.h"

#include <QDir>

namespace vellora {

PhotoPlace::PhotoPlace() : PhotoPlace(UserFolders::ofThisUser().pictures, UserFolders::ofThisUser().home) {}

PhotoPlace::PhotoPlace(QString pictures, QString home) : m_pictures(std::move(pictures)), m_home(std::move(home)) {}

QString PhotoPlace::startFolder() const
{
    // A folder that has gone since (a card reader taken out) is passed over.
    for (const QString &folder : {m_last, m_pictures})
        if (!folder.isEmpty() && folders::canList(folder))
            return QDir::cleanPath(folder);
    return m_home;
}

} // namespace vellora
