#pragma once

#include "print/pagetables.h"
#include "print/pdfdocument.h"
#include "print/printqueues.h"
#include "surface/outcome.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <optional>
#include <stop_token>

namespace vellora {

class Surface;

namespace print {

// A printer that is fine must not be blamed when there is simply no back to print.
inline QString noBackText()
{
    return QCoreApplication::translate("Print", "Geen rugzijde gevonden in Backgrounds.");
}

// Where one press of Ok sent its job. Any failure is shown as the printer's; its reason is for the log.
struct PrintedJob
{
    QString printer;
    int job = 0; // the print server's number for the job; 0 when it gave none
};

// The job of one face page for the default printer: the working picture is rebuilt from the sheet, then
// painted stretched to the page's printed size at (left margin, top margin). Margins are the texts of the two
// margin boxes. A failure, with the reason, when a margin is no position on the page.
Result<PrintJob> facePageJob(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                             const QString &leftMargin, Surface &workingPicture);
// The job of a back, stretched to 12000 x 16900 twips at (left margin, top margin).
Result<PrintJob> backJob(const QImage &back, const QString &topMargin, const QString &leftMargin);

// The default printer, when its queue says it will print: one action of the queues, on any thread.
Result<QString> readyDefaultPrinter(const PrintQueues &queues, std::stop_token stop = {});
// Hands the job to the default printer once its queue says it will print. `action` is the queues as one
// print action sees them (PrintQueues::action), made when the user pressed, so that making the job counted
// against its deadline; the lookups and the job are made on the calling thread, which may be a worker.
Result<PrintedJob> printOnDefault(const PrintQueues &action, PrintJob job, std::stop_token stop = {},
                                  const PageProgress &progress = {});

// A face page and a back as one press of Ok prints them, all on the calling thread.
Result<PrintedJob> printFacePage(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                                 const QString &leftMargin, Surface &workingPicture,
                                 const PrintQueues &queues);
Result<PrintedJob> printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                             const PrintQueues &queues);

} // namespace print
} // namespace vellora
