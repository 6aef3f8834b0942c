#include "deck/deckdocument.h"
#include "placement/courtfigures.h"
#include "placement/jokerbrowser.h"
#include "project/mastercompanion.h"
#include "project/projectfolder.h"
#include "shell/commandline.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/platform.h"
#include "surface/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vellora {

namespace {

CommandRunner::Exit refused(const QString &why)
{
    return {CommandLine::kExitRefused, {}, QStringLiteral("vellora: ") + why};
}

// The window's Save always gives a project its extension; a name without a folder goes where it keeps them.
QByteArray composedPath(const QByteArray &given, const AppFolder &program, const QString &userFolder)
{
    QByteArray path = given;
    if (!path.toLower().endsWith(".krt"))
        path += ".krt";
    if (path.contains('/'))
        return path;
    const ProjectFolder folder = ProjectFolder::choose(program, userFolder);
    if (folder.inUserFolder)
        QDir().mkpath(folder.path);
    return QFile::encodeName(folder.path) + '/' + path;
}

} // namespace

// The deck is made by the very document and picture sources the window uses, step for step as its buttons
// make it, so that a project from here and one from the window are the same bytes.
CommandRunner::Exit CommandRunner::composeProject(const QByteArray &output,
                                                  const ComposeChoices &choices) const
{
    const QByteArray path = composedPath(output, m_program, m_userFolder);
    const QString shown = QFile::decodeName(path);
    if (entryKind(path) != EntryKind::Missing)
        return refused(
            QCoreApplication::translate("CommandLine", "%1 bestaat al en wordt niet vervangen").arg(shown));
    NoPacer pacer;
    DeckDocument deck(m_program, pacer);
    deck.loadBlank();
    if (deck.sheet().isEmpty())
        return refused(QCoreApplication::translate("CommandLine",
                                                   "het lege blad Data/Kaarten.krt kan niet worden gelezen"));
    if (!deck.chooseSymbolStyle(choices.style))
        return refused(QCoreApplication::translate("CommandLine", "symboolstijl %1 kan niet worden gelezen")
                           .arg(choices.style));
    deck.composeDeck(choices.classic ? CardStyle::Classic : CardStyle::Mirrored);
    if (choices.courts)
        deck.pasteOnCards(QStringLiteral("Hofkaarten plaatsen"), courts::everyCourtCard(m_program));
    if (choices.joker > 0) {
        JokerBrowser jokers(m_program);
        if (choices.joker > jokers.count())
            return refused(
                QCoreApplication::translate("CommandLine", "joker %1 bestaat niet (Data heeft er %2)")
                    .arg(choices.joker)
                    .arg(jokers.count()));
        if (!jokers.show(choices.joker))
            return refused(QCoreApplication::translate("CommandLine", "joker %1 kan niet worden gelezen")
                               .arg(choices.joker));
        deck.pasteOnCards(QStringLiteral("Joker plaatsen"), jokers.chosen(0));
    }
    const DeckSnapshot made = deck.snapshot();
    // Checked again: the deck took a moment, and something may have taken the name meanwhile.
    if (entryKind(path) != EntryKind::Missing)
        return refused(
            QCoreApplication::translate("CommandLine", "%1 bestaat al en wordt niet vervangen").arg(shown));
    if (const Outcome written = PictureFile::saveBmp(made.sheet, shown); !written)
        return refused(QCoreApplication::translate("CommandLine", "%1 kan niet worden geschreven: %2")
                           .arg(shown, written.text()));
    const Outcome beside = companion::write(shown, made.record, PictureFile::bmpHash(made.sheet));
    if (!beside) {
        // A project without its companion would print coarsely without a word: none at all, then.
        QFile::remove(shown);
        return refused(QCoreApplication::translate("CommandLine", "%1 kan niet worden geschreven: %2")
                           .arg(companion::pathBeside(shown),
                                beside.text().isEmpty() ? beside.reason() : beside.text()));
    }
    return {};
}

} // namespace vellora
