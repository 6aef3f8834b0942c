#include "project/projectcommands.h"

#include "surface/platform.h"

#include <QLocale>

namespace vellora {

bool ProjectCommands::confirmNew()
{
    return m_prompter.question(texts::kNewQuestion, texts::kNewTitle, Prompter::Icon::Question);
}

bool ProjectCommands::save(const QImage &sheet)
{
    const std::optional<QString> typed = m_prompter.input(texts::kNamePrompt, texts::kNameTitle, QString());
    if (!typed)
        return false;
    switch (ProjectStore::judge(*typed)) {
    case ProjectStore::Name::Blank:
        return false;
    case ProjectStore::Name::Unusable:
        m_prompter.message(texts::kUnusableName, texts::kError, Prompter::Icon::Critical);
        return false;
    case ProjectStore::Name::Usable:
        break;
    }
    const ProjectStore::Occupant occupant = m_store.occupant(*typed);
    if (occupant == ProjectStore::Occupant::Other) {
        m_prompter.message(texts::kOccupied.arg(*typed), texts::kError, Prompter::Icon::Critical);
        return false;
    }
    const bool existed = occupant == ProjectStore::Occupant::Project;
    if (existed && !m_prompter.question(texts::kOverwrite, texts::kError, Prompter::Icon::Question))
        return false;
    QString error;
    if (!m_store.save(sheet, *typed, &error)) {
        m_prompter.message(texts::kSaveFailed.arg(error) + (existed ? texts::kUnchanged : QString()), texts::kError,
                           Prompter::Icon::Critical);
        return false;
    }
    m_lastName = *typed;
    return true;
}

std::optional<QImage> ProjectCommands::open(const QString &name)
{
    // No entry chosen means no project; a file called just ".krt" is not one.
    std::optional<QImage> sheet = name.isEmpty() ? std::nullopt : m_store.open(name);
    if (!sheet)
        m_prompter.message(texts::kNotASheet, texts::kError, Prompter::Icon::Critical);
    else
        m_lastName = name;
    return sheet;
}

Prompter::Answer ProjectCommands::askToSaveChanges()
{
    return m_prompter.ask(texts::kChangedQuestion, texts::kChangedTitle, Prompter::Icon::Question);
}

QString ProjectCommands::recoveryMoment(const QDateTime &written)
{
    return QLocale(QLocale::Dutch).toString(written, QStringLiteral("dddd d MMMM yyyy HH:mm"));
}

bool ProjectCommands::confirmRecovery(const QDateTime &written)
{
    return m_prompter.question(texts::kRecoveryQuestion.arg(recoveryMoment(written)), texts::kRecoveryTitle,
                               Prompter::Icon::Question);
}

void ProjectCommands::refuseRecovery()
{
    m_prompter.message(texts::kNotASheet, texts::kError, Prompter::Icon::Critical);
}

} // namespace vellora
