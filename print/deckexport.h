#pragma once

#include "print/pdfdocument.h"
#include "print/printpage.h"
#include "print/printqueues.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <optional>
#include <stop_token>

namespace vellora {
namespace print {

// A PDF that was made but not written, or not replaced: `why` is the reason alone.
inline QString pdfFailedText(const QString &why)
{
    return QCoreApplication::translate(
               "Print", "De PDF is niet opgeslagen:\n%1\n\nEen bestaand bestand met die naam is ongewijzigd.")
        .arg(why);
}

// The whole deck as one PDF document: the pages of deckPages(), made in memory.
Result<QByteArray> deckPdf(const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                           const PageProgress &progress = {}, std::stop_token stop = {});

// The whole deck as one job on `printer`, once its queue says it will print. `action` is one print action of
// the queues (PrintQueues::action), made when the user pressed; it is used on the calling thread, which may
// be a worker. The print server's number for the job (0 when it gave none); a failed printer is an unreached
// failure, which the user hears of only as the printer's failure.
Result<int> printDeck(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                      const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                      const PageProgress &progress = {}, std::stop_token stop = {});

} // namespace print
} // namespace vellora
