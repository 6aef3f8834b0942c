#pragma once

#include "print/cardimages.h"
#include "print/deckexport.h"
#include "print/pdfdocument.h"
#include "print/printjobs.h"
#include "print/printpage.h"
#include "print/shoppdf.h"
#include "sheet/decksnapshot.h"
#include "surface/regularfile.h"

#include <QByteArray>
#include <QString>
#include <stop_token>

namespace vellora::print {

// Every file the deck leaves the program as, from the deck window and the command line alike: they gather
// the choices and show the outcome, and everything between is made here, under one set of checks.
enum class ExportKind
{
    DeckPdf,     // the whole deck in the chosen layout, "Serie 1" to "Serie 6" or whole cards
    CardImages,  // a PNG per card and one of the back, into a folder
    Calibration, // the alignment page for duplex printing
    ShopPdf,     // a page per card side with its bleed, for a print shop; in CMYK for the press when asked
};

// Where an output goes: a PDF file, or the folder for the card images, named exactly as the file system
// holds it (the command line's names need not be valid UTF-8).
struct ExportTarget
{
    ExportKind kind = ExportKind::DeckPdf;
    QByteArray path;
};

struct ExportOptions
{
    DeckOptions deck; // the alignment page takes only its paper
    BackChoice back;
    double bleedMm = kDefaultBleedMm; // around each card image and each page of the print-shop file
    PressChoice press;                // the print-shop file's colours; its order is deck.order
    FaceCut cut = kDefaultCut;        // where the card images and the print-shop file cut each face
};

inline const DocumentKind kPdfDocument{QByteArrayLiteral("%PDF-"), QStringLiteral("PDF")};

// Whether the output may go to `target`, or the refusal, in Dutch. A PDF replaces only a free name or a
// regular file that is a PDF already, never the file the deck was read from; card images go into a new or
// empty folder, or over card images written before. Asked again just before a file takes the name.
Outcome exportRefusal(const DeckSnapshot &deck, const ExportTarget &target);

// Draws the deck's print master (the first part of `progress`), makes the output from it and writes it,
// whole or not at all. For a worker thread; a stop before the output takes its name leaves everything as
// it was. A failure says how far it got: refused (nothing was read or made), not made (the text is the
// whole story), or not written (whatever had the name still has it).
Outcome exportDeck(const DeckSnapshot &deck, const ExportOptions &options, const ExportTarget &target,
                   const PageProgress &progress = {}, std::stop_token stop = {});

// The whole deck as one job on `printer`, drawn from its master as exportDeck draws it; see printDeck().
Result<int> printSnapshot(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                          const DeckSnapshot &deck, const BackChoice &back, const DeckOptions &options,
                          const PageProgress &progress = {}, std::stop_token stop = {});

// "Serie n", face page `page`, as one job for the default printer, drawn from the master as exportDeck
// draws it; see facePageJob(). Called off: a failure that nobody is shown.
Result<PrintJob> seriesPageJob(const DeckSnapshot &deck, int page, const QString &topMargin,
                               const QString &leftMargin, const PageProgress &progress = {},
                               std::stop_token stop = {});

} // namespace vellora::print
