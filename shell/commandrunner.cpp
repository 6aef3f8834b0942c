#include "print/backgallery.h"
#include "print/deckdialogs.h"
#include "print/exportpath.h"
#include "project/mastercompanion.h"
#include "project/projectfolder.h"
#include "sheet/cardsheet.h"
#include "shell/commandline.h"
#include "surface/appfolder.h"
#include "surface/photoloader.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"
#include "surface/userfolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <utility>

namespace vellora {

namespace {

CommandRunner::Exit refused(const QString &why)
{
    return {CommandLine::kExitRefused, {}, QStringLiteral("vellora: ") + why};
}

print::ExportKind kindOf(Command command)
{
    return command == Command::ExportCards     ? print::ExportKind::CardImages
           : command == Command::Calibration   ? print::ExportKind::Calibration
           : command == Command::ExportShopPdf ? print::ExportKind::ShopPdf
                                               : print::ExportKind::DeckPdf;
}

// The command line's words for an export that did not happen; a card folder's reasons say it all.
CommandRunner::Exit told(Command command, const QByteArray &output, const Outcome &outcome)
{
    using Failure = Outcome::Failure;
    const QString name = QFile::decodeName(output);
    if (outcome)
        return {};
    if (command == Command::ExportCards)
        return refused(outcome.text());
    if (outcome.how() == Failure::Refused)
        return refused(QCoreApplication::translate("CommandLine", "%1 wordt niet overschreven: %2")
                           .arg(name, outcome.text()));
    if (outcome.how() == Failure::NotMade && command != Command::Calibration)
        return refused(outcome.text());
    return refused(QCoreApplication::translate("CommandLine", "%1 kan niet worden geschreven: %2")
                       .arg(name, outcome.text()));
}

} // namespace

CommandRunner::CommandRunner(const AppFolder &program, QString userFolder)
    : m_program(program), m_userFolder(std::move(userFolder))
{
}

CommandRunner::Exit CommandRunner::run(const CommandLineRequest &request) const
{
    switch (request.command) {
    case Command::Help:
        return {0, CommandLine::usage(), {}};
    case Command::ExportPdf:
    case Command::ExportCards:
    case Command::Calibration:
    case Command::ExportShopPdf:
        return exportDeck(request.command, request.exportPdf);
    case Command::Compose:
        return composeProject(request.exportPdf.output, request.compose);
    case Command::Window:
        break;
    }
    return refused(QCoreApplication::translate("CommandLine", "het venster start niet vanuit een opdracht"));
}

QByteArray CommandRunner::projectPath(const QByteArray &given) const
{
    if (given.contains('/'))
        return given;
    const QByteArray folder = QFile::encodeName(ProjectFolder::choose(m_program, m_userFolder).path) + '/';
    // The chooser lists projects without their extension; such a name finds its project too.
    if (entryKind(folder + given) == EntryKind::Missing &&
        entryKind(folder + given + ".krt") != EntryKind::Missing)
        return folder + given + ".krt";
    return folder + given;
}

QByteArray CommandRunner::sheetPath(const PdfExportRequest &request) const
{
    return request.project.isEmpty() ? QFile::encodeName(m_program.resolve(u"\\Data\\Kaarten.krt"))
                                     : projectPath(request.project);
}

Result<DeckSnapshot> CommandRunner::deckOf(const PdfExportRequest &request) const
{
    DeckSnapshot deck;
    deck.file = sheetPath(request);
    deck.name = QFile::decodeName(request.project);
    const Result<QImage> loaded =
        PictureFile::loadExactly(deck.file, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!loaded)
        return Outcome::refusal(QCoreApplication::translate("CommandLine", "%1 is geen Vellora-project: %2")
                                    .arg(QFile::decodeName(deck.file), loaded.outcome().text()));
    deck.sheet = *loaded;
    // A project's companion, when it belongs to it, gives the print master. Drawing it takes fonts, which
    // only a GUI application has; where there is none, the deck prints from the sheet, as it always did.
    const bool canDraw = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (!request.project.isEmpty() && canDraw)
        deck.record = companion::read(deck.file).value_or(PrintRecord());
    return deck;
}

Result<print::BackChoice> CommandRunner::backOf(const PdfExportRequest &request, bool forShop) const
{
    print::BackChoice chosen;
    if (!request.backPicture.isEmpty()) {
        // Taken as "Eigen rug…" takes it, so that the window and the command line print the same back.
        const PhotoLoad photo = PhotoLoader::load(QFile::decodeName(request.backPicture));
        const Result<print::BackChoice> own =
            photo.ok() ? BackGallery::ownForm(photo->image) : photo.outcome();
        if (!own)
            return Outcome::refusal(
                QCoreApplication::translate("CommandLine", "%1 kan geen rugzijde zijn: %2")
                    .arg(QFile::decodeName(request.backPicture), own.outcome().text()));
        return own;
    }
    // Numbered as the deck window numbers them: the program's backs, then the user's own.
    const BackGallery gallery(m_program, UserFolders::ofThisUser().backgrounds());
    const int back = request.back.value_or(std::min(1, gallery.count()));
    if (back > gallery.count())
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "rugzijde %1 bestaat niet (Backgrounds heeft er %2)")
                .arg(back)
                .arg(gallery.count()));
    if (back > 0) {
        chosen = gallery.choice(back - 1, forShop);
        if (chosen.image.isNull())
            return Outcome::refusal(
                QCoreApplication::translate("CommandLine", "rugzijde %1 kan niet worden gelezen").arg(back));
    }
    return chosen;
}

CommandRunner::Exit CommandRunner::exportDeck(Command command, const PdfExportRequest &request) const
{
    const print::ExportTarget target{kindOf(command), request.output};
    print::ExportOptions options{request.options, {}, request.bleedMm, {request.cmyk, request.inkPercent},
                                 request.cut};
    // The alignment page reads no deck; only the target is checked before it is made.
    DeckSnapshot deck;
    if (command != Command::Calibration) {
        // Refused before anything is read, by the same check that exportDeck makes.
        deck.file = sheetPath(request);
        deck.name = QFile::decodeName(request.project);
        if (const Outcome why = print::exportRefusal(deck, target); !why)
            return told(command, request.output, why);
        Result<DeckSnapshot> read = deckOf(request);
        if (!read)
            return refused(read.outcome().text());
        deck = std::move(*read);
        Result<print::BackChoice> back =
            backOf(request, command == Command::ExportCards || command == Command::ExportShopPdf);
        if (!back)
            return refused(back.outcome().text());
        options.back = std::move(*back);
    }
    Exit exit = told(command, request.output, print::exportDeck(deck, options, target));
    // A project whose companion is missing, refused or not drawn here prints from its sheet alone.
    const bool screenResolution = command != Command::Calibration && !request.project.isEmpty() &&
                                  (deck.record.isEmpty() || deck.record.isSheetEnlarged());
    if (screenResolution) {
        const QString line = print::screenResolutionText();
        exit.message = exit.message.isEmpty() ? line : line + u'\n' + exit.message;
    }
    return exit;
}

} // namespace vellora
