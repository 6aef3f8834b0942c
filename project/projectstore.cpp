#include "project/projectstore.h"

#include "project/mastercompanion.h"
#include "sheet/cardsheet.h"
#include "surface/picturefile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vellora {

namespace {

const QString kExtension = QStringLiteral(".krt");

} // namespace

ProjectStore::Name ProjectStore::judge(const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return Name::Blank;
    if (typed == u"." || typed == u"..")
        return Name::Unusable;
    for (const QChar c : typed) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return Name::Unusable;
    }
    return Name::Usable;
}

QString ProjectStore::projectFolder() const { return ProjectFolder::choose(m_folder, m_userFolder).path; }

std::optional<FolderEntry> ProjectStore::find(const QString &fileName, bool regularOnly) const
{
    const std::vector<FolderEntry> entries = folderEntries(projectFolder());
    const FolderEntry *caseless = nullptr;
    for (const FolderEntry &entry : entries) {
        if (regularOnly && !entry.regular)
            continue;
        if (entry.name == fileName)
            return entry;
        if (!caseless && entry.name.compare(fileName, Qt::CaseInsensitive) == 0)
            caseless = &entry;
    }
    return caseless ? std::optional<FolderEntry>(*caseless) : std::nullopt;
}

QString ProjectStore::pathFor(const QString &typed) const
{
    const QString wanted = typed + kExtension;
    const auto entry = find(wanted, false);
    return QDir(projectFolder()).filePath(entry ? entry->name : wanted);
}

ProjectStore::Occupant ProjectStore::occupant(const QString &typed) const
{
    const auto entry = find(typed + kExtension, false);
    if (!entry)
        return Occupant::None;
    // lstat, not stat: a link is refused even when it leads to a project, since the save would write
    // wherever it points.
    switch (entryKind(entry->native)) {
    case EntryKind::Missing:
        return Occupant::None;
    case EntryKind::RegularFile:
        return Occupant::Project;
    case EntryKind::Other:
        break;
    }
    return Occupant::Other;
}

bool ProjectStore::save(const QImage &sheet, const QString &typed, QString *error) const
{
    const ProjectFolder folder = ProjectFolder::choose(m_folder, m_userFolder);
    if (folder.inUserFolder && !QFileInfo(folder.path).isDir())
        QDir().mkpath(folder.path);
    if (!QFileInfo(folder.path).isDir()) {
        if (error)
            *error = QStringLiteral("De map Projecten ontbreekt.");
        return false;
    }
    if (occupant(typed) == Occupant::Other) {
        if (error)
            *error = QStringLiteral("Onder deze naam staat in Projecten iets anders dan een Vellora.");
        return false;
    }
    return PictureFile::saveBmp(sheet, pathFor(typed), error);
}

bool ProjectStore::saveCompanion(const PrintRecord &record, const QString &typed, QString *error) const
{
    return companion::write(pathFor(typed), record, error);
}

std::optional<PrintRecord> ProjectStore::openCompanion(const QString &name) const
{
    const auto entry = find(name + kExtension, true);
    if (!entry)
        return std::nullopt;
    return companion::read(entry->native);
}

std::optional<QImage> ProjectStore::open(const QString &name, QString *error) const
{
    const auto entry = find(name + kExtension, true);
    if (!entry) {
        if (error)
            *error = QStringLiteral("Het bestand bestaat niet.");
        return std::nullopt;
    }
    const PictureLoad load = PictureFile::loadExactly(entry->native, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!load.ok()) {
        if (error)
            *error = load.error;
        return std::nullopt;
    }
    return load.image;
}

QStringList ProjectStore::names() const
{
    QStringList files;
    for (const FolderEntry &entry : folderEntries(projectFolder())) {
        if (entry.regular && entry.name.size() > kExtension.size() && entry.name.endsWith(kExtension, Qt::CaseInsensitive))
            files << entry.name;
    }
    // The whole name decides, extension included: "a b.krt" comes before "a.krt", although "a" is the
    // shorter name.
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        const int caseless = a.compare(b, Qt::CaseInsensitive);
        return caseless != 0 ? caseless < 0 : a < b;
    });
    QStringList result;
    for (const QString &file : files)
        result << file.chopped(kExtension.size());
    return result;
}

} // namespace vellora
