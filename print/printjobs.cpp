#include "print/printjobs.h"

#include "print/margins.h"
#include "print/printpage.h"
#include "surface/surface.h"

namespace vellora::print {

namespace {

// Margins are read before the job is made: a margin that cannot be used must not cost a blank sheet.
template <typename MakePage>
Result<PrintJob> onePageJob(const QImage &picture, const QString &topMargin, const QString &leftMargin,
                            MakePage &&makePage)
{
    // Every print failure reaches the user as the one failure text; the reason is for the log.
    const auto refuse = [](const char *why) {
        return Outcome::failure(QString::fromUtf16(kFailureText), QString::fromLatin1(why));
    };
    const std::optional<int> top = marginTwips(topMargin);
    const std::optional<int> left = marginTwips(leftMargin);
    if (!top || !left)
        return refuse("margin too large to be a position on the page");
    if (picture.isNull())
        return refuse("nothing to print");
    PrintJob job;
    job.pages.push_back(makePage(QPoint(*left, *top)));
    return job;
}

// A job that could not be made is told as the printer's failure too, with the reason kept for the log.
Outcome refused(const Outcome &outcome)
{
    return outcome.isCalledOff() ? outcome : unreached(outcome.reason());
}

} // namespace

Result<PrintJob> facePageJob(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                             const QString &leftMargin, Surface &workingPicture)
{
    composeFacePage(sheet, page, workingPicture);
    return onePageJob(workingPicture.image(), topMargin, leftMargin,
                      [&](QPoint origin) { return facePrintPage(workingPicture.image(), page, origin); });
}

Result<PrintJob> backJob(const QImage &back, const QString &topMargin, const QString &leftMargin)
{
    if (back.isNull())
        return Outcome::failure(noBackText());
    return onePageJob(back, topMargin, leftMargin, [&](QPoint origin) { return backPrintPage(back, origin); });
}

Result<QString> readyDefaultPrinter(const PrintQueues &queues, std::stop_token stop)
{
    return readyDefaultQueue(*queues.action(std::move(stop)));
}

Result<PrintedJob> printOnDefault(const PrintQueues &action, PrintJob job, std::stop_token stop,
                                  const PageProgress &progress)
{
    const Result<QString> printer = readyDefaultQueue(action);
    if (!printer)
        return printer.outcome();
    job.printer = *printer;
    if (Outcome problem = action.submit(job, progress, stop); !problem)
        return problem;
    return PrintedJob{job.printer, action.lastJob()};
}

Result<PrintedJob> printFacePage(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                                 const QString &leftMargin, Surface &workingPicture,
                                 const PrintQueues &queues)
{
    Result<PrintJob> job = facePageJob(sheet, page, topMargin, leftMargin, workingPicture);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(job.outcome());
}

Result<PrintedJob> printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                             const PrintQueues &queues)
{
    Result<PrintJob> job = backJob(back, topMargin, leftMargin);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(job.outcome());
}

} // namespace vellora::print
