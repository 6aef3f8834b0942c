#pragma once

#include "print/cardimages.h"
#include "print/printpage.h"
#include "sheet/decksnapshot.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace vellora {

class AppFolder;

// What the program is asked to do: open its window, or a command that needs none.
enum class Command
{
    Window,
    Help,
    ExportPdf,
    ExportCards,
    Calibration,
    ExportShopPdf,
    Compose
};

// "--export-pdf": the whole deck as one PDF file; "--export-cards": each card as a picture in a folder;
// "--calibration": the alignment sheet; "--export-shop-pdf": a page per card side, for a print shop.
struct PdfExportRequest
{
    QByteArray output;          // the name exactly as given, bytes and all; the folder for the cards
    QByteArray project;         // likewise; empty for the blank sheet
    std::optional<int> back;    // 0 for none; unset for the window's first choice or a picture
    QByteArray backPicture;     // a picture of the user's own as the back, when given
    print::DeckOptions options; // the window's first-run choices unless asked otherwise
    double bleedMm = print::kDefaultBleedMm;
    print::FaceCut cut = print::kDefaultCut; // of the card images and the print-shop PDF
    bool cmyk = false;     // the print-shop PDF for the press
    int inkPercent = 300;  // its total ink at most
};

// "--compose": a project made as the window makes it, from the blank deck.
struct ComposeChoices
{
    int style = 0;        // the symbol style, Option1(0) to Option1(9)
    bool classic = false; // "Klassieke kaarten"
    bool courts = false;  // "Hofkaarten plaatsen"
    int joker = 0;        // the joker picture on all four jokers, from 1; 0 for none
};

struct CommandLineRequest
{
    Command command = Command::Window;
    PdfExportRequest exportPdf; // for every command that writes
    ComposeChoices compose;
};

// The program's command line, read from a table: a new option is a row there, a new command a row and the
// reading of its request.
class CommandLine
{
public:
    static constexpr int kExitRefused = 2;

    // argv as the system hands it over, the program's name first. The request, or why the command line is
    // refused, as one line. Qt's own options pass for the window, which leaves them to Qt.
    static Result<CommandLineRequest> parse(const QList<QByteArray> &argv);

    // Every option on a line of its own, in the language installed.
    static QString usage();
    // The manual page (troff) of the same options, in the language installed.
    static QString manualPage(const QString &version);
};

// Carries out a request that needs no window. Nothing is written before everything has been checked.
class CommandRunner
{
public:
    // What the process ends with.
    struct Exit
    {
        int exitCode = 0;
        QString output;  // for stdout
        QString message; // one line for stderr; empty on success
    };

    // The blank sheet and the backs come from the program's folder. A project named without a folder is
    // looked up where the window keeps its projects, which depends on the user's data folder too.
    CommandRunner(const AppFolder &program, QString userFolder);

    Exit run(const CommandLineRequest &request) const;

private:
    // Every command that writes goes through print::exportDeck, as the deck window's buttons do.
    Exit exportDeck(Command command, const PdfExportRequest &request) const;
    // The blank deck with the choices made, saved as a new project with its companion.
    Exit composeProject(const QByteArray &output, const ComposeChoices &choices) const;
    // The sheet and print record a request names, or the refusal.
    Result<DeckSnapshot> deckOf(const PdfExportRequest &request) const;
    // `forShop`: with a built-in back's full-bleed drawing.
    Result<print::BackChoice> backOf(const PdfExportRequest &request, bool forShop) const;
    QByteArray sheetPath(const PdfExportRequest &request) const;
    QByteArray projectPath(const QByteArray &given) const;

    const AppFolder &m_program;
    QString m_userFolder;
};

} // namespace vellora
