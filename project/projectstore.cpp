#include "project/projectstore.h"

#include "project/log.h"
#include "project/mastercompanion.h"
#include "sheet/cardsheet.h"
#include "surface/picturefile.h"

#include <QCollator>
#include <QCoreApplication>
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

Outcome ProjectStore::save(const QImage &sheet, const QString &typed) const
{
    const ProjectFolder folder = ProjectFolder::choose(m_folder, m_userFolder);
    if (folder.inUserFolder && !QFileInfo(folder.path).isDir())
        QDir().mkpath(folder.path);
    if (!QFileInfo(folder.path).isDir())
        return Outcome::failure(QCoreApplication::translate("Project", "De map Projecten ontbreekt."),
                                folder.path + QStringLiteral(" is no folder"));
    if (occupant(typed) == Occupant::Other) {
        return Outcome::failure(
            QCoreApplication::translate("Project",
                                        "Onder deze naam staat in Projecten iets anders dan een Vellora."),
            pathFor(typed) + QStringLiteral(" is no regular file"));
    }
    if (const Outcome written = PictureFile::saveBmp(sheet, pathFor(typed)); !written)
        return Outcome::failure(written.text(), pathFor(typed) + QStringLiteral(": ") + written.reason());
    return {};
}

Outcome ProjectStore::saveCompanion(const PrintRecord &record, const QString &typed, const QImage &sheet) const
{
    const Outcome written = companion::write(pathFor(typed), record, PictureFile::bmpHash(sheet));
    if (written)
        return {};
    return Outcome::failure(written.text(),
                            companion::pathBeside(pathFor(typed)) + QStringLiteral(": ") + written.reason());
}

std::optional<PrintRecord> ProjectStore::openCompanion(const QString &name) const
{
    const auto entry = find(name + kExtension, true);
    if (!entry)
        return std::nullopt;
    Result<PrintRecord> record = companion::read(entry->native);
    // The project still opens and prints, from its sheet enlarged: the user hears nothing, so the log does.
    // A project saved before there were companions simply has none.
    const QString project = QFile::decodeName(entry->native);
    if (record)
        qCInfo(lcProject).noquote() << "companion of" << project << "taken";
    else if (record.outcome().reason() == u"no companion")
        qCInfo(lcProject).noquote() << project << "has no companion: it prints from its sheet enlarged";
    else
        qCWarning(lcProject).noquote()
            << "companion of" << project << "ignored:" << record.outcome().reason();
    return std::move(record).toOptional();
}

Result<QImage> ProjectStore::open(const QString &name) const
{
    const auto entry = find(name + kExtension, true);
    if (!entry)
        return Outcome::failure(QCoreApplication::translate("Project", "Het bestand bestaat niet."));
    return PictureFile::loadExactly(entry->native, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
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
