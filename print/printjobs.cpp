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

PrintOutcome refused(const QString &reason) { return {false, reason, {}, 0}; }
PrintOutcome refused(const Outcome &outcome) { return refused(outcome.reason()); }

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

PrintOutcome readyDefaultPrinter(const PrintQueues &queues, std::stop_token stop)
{
    PrintOutcome outcome;
    outcome.reason = defaultQueueProblem(*queues.action(std::move(stop)), &outcome.printer);
    outcome.printed = outcome.reason.isEmpty();
    return outcome;
}

PrintOutcome printOnDefault(const PrintQueues &action, PrintJob job, std::stop_token stop,
                            const PageProgress &progress)
{
    if (QString problem = defaultQueueProblem(action, &job.printer); !problem.isEmpty())
        return refused(problem);
    if (QString problem = action.submit(job, progress, stop); !problem.isEmpty())
        return refused(problem);
    return {true, {}, job.printer, action.lastJob()};
}

PrintOutcome printFacePage(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                           const QString &leftMargin, Surface &workingPicture, const PrintQueues &queues)
{
    Result<PrintJob> job = facePageJob(sheet, page, topMargin, leftMargin, workingPicture);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(job.outcome());
}

PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                       const PrintQueues &queues)
{
    Result<PrintJob> job = backJob(back, topMargin, leftMargin);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(job.outcome());
}

} // namespace vellora::print
