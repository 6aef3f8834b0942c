#pragma once

#include <QString>

namespace vellora {

// The user's own folders that Vellora starts in, reads from and writes to, as the desktop names them
// (XDG_PICTURES_DIR, XDG_DATA_HOME and their kin). Worked out here only; the application's name must be set
// first, since the data folders carry it.
struct UserFolders
{
    QString home;
    QString pictures;  // where the photo and back choosers start
    QString documents; // where a PDF is offered first; home while a fresh account has none
    QString data;      // ~/.local/share/Vellora: projects when the program folder is not the user's to write
    QString localData; // the copies of unsaved work

    // The user's own backs, beside the ones the program brings.
    QString backgrounds() const { return data + QStringLiteral("/Backgrounds"); }

    static UserFolders ofThisUser();
};

} // namespace vellora
