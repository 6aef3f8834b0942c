#pragma once

#include <QString>

namespace vellora {

// Where the photo dialog opens: in the folder of the last photo chosen during this run of the program; before
// that in the user's Pictures folder when there is one, else in the home folder. The main window keeps one for
// the run and hands it to every opening.
class PhotoPlace
{
public:
    PhotoPlace(); // the desktop's own Pictures and home folders
    PhotoPlace(QString pictures, QString home);

    QString startFolder() const;
    // The volume the drive list puts first.
    const QString &home() const { return m_home; }
    void chosen(const QString &folder) { m_last = folder; }

private:
    QString m_pictures;
    QString m_home;
    QString m_last;
};

} // namespace vellora
