#include "print/printjobs.h"

#include "print/margins.h"
#include "print/printpage.h"
#include "surface/surface.h"

namespace vellora::print {

namespace {

// Margins are read before the job is made: a margin that cannot be used must not cost a blank sheet.
template <typename MakePage>
std::optional<PrintJob> onePageJob(const QImage &picture, const QString &topMargin, const QString &leftMargin,
                                   QString *reason, MakePage &&makePage)
{
    const auto refuse = [reason](const QString &why) -> std::optional<PrintJob> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const std::optional<int> top = marginTwips(topMargin);
    const std::optional<int> left = marginTwips(leftMargin);
    if (!top || !left)
        return refuse(QStringLiteral("margin too large to be a position on the page"));
    if (picture.isNull())
        return refuse(QStringLiteral("nothing to print"));
    PrintJob job;
    job.pages.push_back(makePage(QPoint(*left, *top)));
    return job;
}

PrintOutcome refused(const QString &reason) { return {false, reason, {}, 0}; }

} // namespace

std::optional<PrintJob> facePageJob(const ScaledPicture &sheet, const FacePage &page, const QString &topMargin,
                                    const QString &leftMargin, Surface &workingPicture, QString *reason)
{
    composeFacePage(sheet, page, workingPicture);
    return onePageJob(workingPicture.image(), topMargin, leftMargin, reason,
                      [&](QPoint origin) { return facePrintPage(workingPicture.image(), page, origin); });
}

std::optional<PrintJob> backJob(const QImage &back, const QString &topMargin, const QString &leftMargin,
                                QString *reason)
{
    if (back.isNull()) {
        if (reason)
            *reason = QString::fromUtf16(kNoBackText);
        return std::nullopt;
    }
    return onePageJob(back, topMargin, leftMargin, reason,
                      [&](QPoint origin) { return backPrintPage(back, origin); });
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
    QString reason;
    std::optional<PrintJob> job = facePageJob(sheet, page, topMargin, leftMargin, workingPicture, &reason);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(reason);
}

PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                       const PrintQueues &queues)
{
    QString reason;
    std::optional<PrintJob> job = backJob(back, topMargin, leftMargin, &reason);
    return job ? printOnDefault(*queues.action({}), std::move(*job)) : refused(reason);
}

} // namespace vellora::print
