#pragma once

#include "surface/appfolder.h"

#include <QString>

namespace vellora {

// Where the projects are kept. The program folder's Projecten while its user may write there (the build
// tree, an install in the user's own folders); otherwise Projecten in the user's data folder, since a
// system-wide install lies where only the administrator may write.
struct ProjectFolder
{
    QString path;
    bool inUserFolder = false; // made on the first save, not before

    // `userFolder` is the user's data folder (UserFolders::data in the product); empty keeps the
    // projects in the program folder whatever its rights.
    static ProjectFolder choose(const AppFolder &program, const QString &userFolder);
};

} // namespace vellora
