#pragma once

#include "project/projectstore.h"
#include "project/recoverykeeper.h"
#include "surface/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <optional>

namespace vellora {

// The conversations of New, Save and Open: what is asked, what is refused and with which words.
// The main window applies the outcome to its controls.
class ProjectCommands
{
public:
    ProjectCommands(const ProjectStore &store, Prompter &prompter) : m_store(store), m_prompter(prompter) {}

    // "Wilt u een nieuw spel kaarten ontwerpen?"
    bool confirmNew();

    // Where a save goes: the name as typed, and whether it replaces a project of that name.
    struct SaveTarget
    {
        QString name;
        bool replaces = false;
    };
    // Asks a name and judges it, overwrite question included; nothing when the user called it off or the
    // name was refused (the user has been told).
    std::optional<SaveTarget> askSaveTarget();
    // After the write: true when it was written (the name becomes the last name), else the user is told why.
    // `error` is empty after a write that succeeded.
    bool finishSave(const SaveTarget &target, const Outcome &written);
    // Asks a name and writes the sheet here and now; true only when a file was written.
    bool save(const QImage &sheet);

    // The chosen project's picture, or nothing after telling the user it is not a card sheet.
    std::optional<QImage> open(const QString &name);
    // The same for a project already read (readProject, on a worker).
    std::optional<QImage> finishOpen(const QString &name, std::optional<QImage> sheet);

    // Before unsaved work is closed: Yes saves first, No leaves it, Cancel keeps the program open.
    Prompter::Answer askToSaveChanges();

    // Offers the copy of unsaved work that a program left when it ended without closing.
    bool confirmRecovery(const QDateTime &written);
    // "zaterdag 5 december 2026 21:14"
    static QString recoveryMoment(const QDateTime &written);
    // A recovery copy that cannot be read is refused as a project file would be.
    void refuseRecovery();
    // Offers the copies that programs left when they ended without closing, newest first, until one is
    // taken: its work. Declined copies are removed, damaged ones refused; older ones wait for the next start.
    std::optional<RecoveryStore::Work> recoverLeftover(RecoveryKeeper &recovery);

    // The project last saved or opened through these commands; empty before either.
    const QString &lastName() const { return m_lastName; }

private:
    const ProjectStore &m_store;
    Prompter &m_prompter;
    QString m_lastName;
};

// Writes the sheet as the project `name`. Safe on any thread.
Outcome writeProject(const ProjectStore &store, const QImage &sheet, const QString &name);
// The card sheet of the project `name`; nothing when no name was chosen or the file is not a sheet. Safe on
// any thread.
std::optional<QImage> readProject(const ProjectStore &store, const QString &name);

namespace texts {
inline QString newQuestion()
{
    return QCoreApplication::translate("Project", "Wilt u een nieuw spel kaarten ontwerpen?");
}
inline QString newTitle()
{
    return QCoreApplication::translate("Project", "Nieuw");
}
inline QString namePrompt()
{
    return QCoreApplication::translate("Project", "Geef de naam voor deze serie Vellora...");
}
inline QString nameTitle()
{
    return QCoreApplication::translate("Project", "Projectnaam");
}
inline QString overwrite()
{
    return QCoreApplication::translate("Project", "Naam bestaat reeds, overschrijven?");
}
inline QString error()
{
    return QCoreApplication::translate("Project", "Error");
}
inline QString notASheet()
{
    return QCoreApplication::translate("Project", "Géén orginele Vellora!");
}
inline QString unusableName()
{
    return QCoreApplication::translate(
        "Project", "Deze naam kan niet als bestandsnaam worden gebruikt.\n"
                   "Gebruik geen / of \\, geen stuurtekens en niet alleen \".\" of \"..\".");
}
inline QString saveFailed()
{
    return QCoreApplication::translate("Project", "De Vellora is niet opgeslagen:\n%1");
}
inline QString unchanged()
{
    return QCoreApplication::translate("Project", "\n\nHet bestaande bestand is ongewijzigd.");
}
inline QString occupied()
{
    return QCoreApplication::translate(
        "Project", "\"%1.krt\" in Projecten is geen gewoon bestand maar een koppeling, map of apparaat.\n"
                   "Er is niets opgeslagen; kies een andere naam.");
}
inline QString changedQuestion()
{
    return QCoreApplication::translate("Project", "De Vellora is gewijzigd. Wijzigingen opslaan?");
}
inline QString changedTitle()
{
    return QCoreApplication::translate("Project", "Vellora");
}
inline QString recoveryQuestion()
{
    return QCoreApplication::translate("Project",
                                       "Er is een niet-opgeslagen Vellora van %1 gevonden. Herstellen?");
}
inline QString recoveryTitle()
{
    return QCoreApplication::translate("Project", "Herstellen");
}
} // namespace texts

} // namespace vellora
