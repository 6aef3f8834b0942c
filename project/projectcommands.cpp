#include "project/projectcommands.h"

#include "project/log.h"
#include "surface/platform.h"

#include <QCoreApplication>
#include <QLocale>

namespace vellora {

Outcome writeProject(const ProjectStore &store, const QImage &sheet, const QString &name)
{
    return store.save(sheet, name);
}

std::optional<QImage> readProject(const ProjectStore &store, const QString &name)
{
    // No entry chosen means no project; a file called just ".krt" is not one.
    return name.isEmpty() ? std::nullopt : store.open(name).toOptional();
}

bool ProjectCommands::confirmNew()
{
    return m_prompter.question(texts::newQuestion(), texts::newTitle(), Prompter::Icon::Question);
}

std::optional<ProjectCommands::SaveTarget> ProjectCommands::askSaveTarget()
{
    const std::optional<QString> typed = m_prompter.input(texts::namePrompt(), texts::nameTitle(), QString());
    if (!typed)
        return std::nullopt;
    switch (ProjectStore::judge(*typed)) {
    case ProjectStore::Name::Blank:
        return std::nullopt;
    case ProjectStore::Name::Unusable:
        m_prompter.message(texts::unusableName(), texts::error(), Prompter::Icon::Critical);
        return std::nullopt;
    case ProjectStore::Name::Usable:
        break;
    }
    const ProjectStore::Occupant occupant = m_store.occupant(*typed);
    if (occupant == ProjectStore::Occupant::Other) {
        m_prompter.message(texts::occupied().arg(*typed), texts::error(), Prompter::Icon::Critical);
        return std::nullopt;
    }
    const bool existed = occupant == ProjectStore::Occupant::Project;
    if (existed && !m_prompter.question(texts::overwrite(), texts::error(), Prompter::Icon::Question))
        return std::nullopt;
    return SaveTarget{*typed, existed};
}

bool ProjectCommands::finishSave(const SaveTarget &target, const Outcome &written)
{
    if (!written) {
        qCWarning(lcProject).noquote() << "project" << target.name << "not saved:" << written.reason();
        m_prompter.message(texts::saveFailed().arg(written.text()) +
                               (target.replaces ? texts::unchanged() : QString()),
                           texts::error(), Prompter::Icon::Critical);
        return false;
    }
    m_lastName = target.name;
    return true;
}

bool ProjectCommands::save(const QImage &sheet)
{
    const std::optional<SaveTarget> target = askSaveTarget();
    if (!target)
        return false;
    return finishSave(*target, writeProject(m_store, sheet, target->name));
}

std::optional<QImage> ProjectCommands::open(const QString &name)
{
    return finishOpen(name, readProject(m_store, name));
}

std::optional<QImage> ProjectCommands::finishOpen(const QString &name, std::optional<QImage> sheet)
{
    if (!sheet)
        m_prompter.message(texts::notASheet(), texts::error(), Prompter::Icon::Critical);
    else
        m_lastName = name;
    return sheet;
}

Prompter::Answer ProjectCommands::askToSaveChanges()
{
    return m_prompter.ask(texts::changedQuestion(), texts::changedTitle(), Prompter::Icon::Question);
}

QString ProjectCommands::recoveryMoment(const QDateTime &written)
{
    //: The locale whose names of days and months the question about lost work uses
    const QLocale locale(QCoreApplication::translate("Project", "nl_NL"));
    return locale.toString(written, QCoreApplication::translate("Project", "dddd d MMMM yyyy HH:mm"));
}

bool ProjectCommands::confirmRecovery(const QDateTime &written)
{
    return m_prompter.question(texts::recoveryQuestion().arg(recoveryMoment(written)), texts::recoveryTitle(),
                               Prompter::Icon::Question);
}

void ProjectCommands::refuseRecovery()
{
    m_prompter.message(texts::notASheet(), texts::error(), Prompter::Icon::Critical);
}

std::optional<RecoveryStore::Work> ProjectCommands::recoverLeftover(RecoveryKeeper &recovery)
{
    for (RecoveryStore::Leftover &leftover : recovery.leftovers()) {
        if (!confirmRecovery(leftover.written)) {
            RecoveryStore::discard(std::move(leftover));
            continue;
        }
        if (Result<RecoveryStore::Work> copy = recovery.store()->restore(std::move(leftover)))
            return std::move(copy).toOptional();
        refuseRecovery();
    }
    return std::nullopt;
}

} // namespace vellora
