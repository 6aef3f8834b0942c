#pragma once

#include "surface/appfolder.h"
#include "surface/outcome.h"
#include "project/projectfolder.h"
#include "sheet/printmaster.h"
#include "surface/regularfile.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace vellora {

// Project files: card sheets saved as BMP pictures under Projecten\<name>.krt, in the application folder or,
// when the user may not write there, in the user's data folder (see ProjectFolder). The name is kept exactly as typed, blanks at its ends and letter case included; ".krt" is always appended.
class ProjectStore
{
public:
    explicit ProjectStore(AppFolder folder, QString userFolder = QString())
        : m_folder(std::move(folder)), m_userFolder(std::move(userFolder))
    {
    }

    enum class Name { Blank, Unusable, Usable };
    // Blank: nothing to save, silently. Unusable: the name would leave Projecten or no file system takes it.
    static Name judge(const QString &typed);

    // The file the name stands for: an existing entry whose name matches without regard to case, or the
    // new file to create.
    QString pathFor(const QString &typed) const;

    // What the name's file is now: nothing yet, a project to overwrite, or something that must never be
    // written over or through (a link, a folder, a device).
    enum class Occupant { None, Project, Other };
    Occupant occupant(const QString &typed) const;

    // The old file is replaced only once the new one is complete. Refused when the occupant is Other.
    Outcome save(const QImage &sheet, const QString &typed) const;

    // The print master's record beside the project just saved under that name from `sheet` (see
    // companion::write): it belongs to the bytes that Save wrote.
    Outcome saveCompanion(const PrintRecord &record, const QString &typed, const QImage &sheet) const;
    // The record beside the project, when there is one that belongs to its sheet; one that is there but
    // refused is logged with why.
    std::optional<PrintRecord> openCompanion(const QString &name) const;

    // Only a complete picture of exactly the sheet's size is a project.
    Result<QImage> open(const QString &name) const;

    // The names of the project files, without their extension, in the order of their whole file names
    // (letter case aside), as a file list shows them: "a b.krt", "a-b.krt", "a.krt". Names that are not valid
    // UTF-8 are listed as they are shown and still open.
    QStringList names() const;

private:
    QString projectFolder() const;
    // The entry that stands for the file name, the exact name first, else one that differs only in case.
    std::optional<FolderEntry> find(const QString &fileName, bool regularOnly) const;
    AppFolder m_folder;
    QString m_userFolder;
};

} // namespace vellora
