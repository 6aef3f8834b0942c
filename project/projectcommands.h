#pragma once

#include "projectstore.h"

#include <QImage>

#include <optional>

namespace vellora {

class Prompter;

// The conversations of New, Save and Open: what is asked, what is refused and with which words.
// The main window applies the outcome to its controls.
class ProjectCommands
{
public:
    ProjectCommands(const ProjectStore &store, Prompter &prompter) : m_store(store), m_prompter(prompter) {}

    // "Wilt u een nieuw spel kaarten ontwerpen?"
    bool confirmNew();

    // Asks a name and writes the sheet; true only when a file was written.
    bool save(const QImage &sheet);

    // The chosen project's picture, or nothing after telling the user it is not a card sheet.
    std::optional<QImage> open(const QString &name);

    // The project last saved or opened through these commands; empty before either.
    const QString &lastName() const { return m_lastName; }

private:
    const ProjectStore &m_store;
    Prompter &m_prompter;
    QString m_lastName;
};

namespace texts {
inline const QString kNewQuestion = QStringLiteral("Wilt u een nieuw spel kaarten ontwerpen?");
inline const QString kNewTitle = QStringLiteral("Nieuw");
inline const QString kNamePrompt = QStringLiteral("Geef de naam voor deze serie Vellora...");
inline const QString kNameTitle = QStringLiteral("Projectnaam");
inline const QString kOverwrite = QStringLiteral("Naam bestaat reeds, overschrijven?");
inline const QString kError = QStringLiteral("Error");
inline const QString kNotASheet = QStringLiteral("Géén orginele Vellora!");
inline const QString kUnusableName = QStringLiteral(
    "Deze naam kan niet als bestandsnaam worden gebruikt.\n"
    "Gebruik geen / of \\, geen stuurtekens en niet alleen \".\" of \"..\".");
inline const QString kSaveFailed = QStringLiteral("De Vellora is niet opgeslagen:\n%1\n\nHet bestaande bestand is ongewijzigd.");
} // namespace texts

} // namespace vellora
