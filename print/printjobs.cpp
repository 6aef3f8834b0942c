#include "print/printjobs.h"

#include "print/margins.h"
#include "print/printpage.h"
#include "print/printqueues.h"
#include "surface/surface.h"

namespace vellora::print {

namespace {

// Lays the page out through the one page geometry that the PDF and the command line use too, and hands it to
// the default printer once its queue says it will print.
template <typename MakePage>
PrintOutcome printOnePage(const QImage &picture, const QString &topMargin, const QString &leftMargin,
                          const PrintQueues &queues, MakePage &&makePage)
{
    // Margins are read before the job is made: a margin that cannot be used must not cost a blank sheet.
    const std::optional<int> top = marginTwips(topMargin);
    const std::optional<int> left = marginTwips(leftMargin);
    if (!top || !left)
        return {false, QStringLiteral("margin too large to be a position on the page")};
    if (picture.isNull())
        return {false, QStringLiteral("nothing to print")};

    PrintJob job;
    if (QString problem = defaultQueueProblem(queues, &job.printer); !problem.isEmpty())
        return {false, problem};
    job.pages.push_back(makePage(QPoint(*left, *top)));
    if (QString problem = queues.submit(job, {}, {}); !problem.isEmpty())
        return {false, problem};
    return {true, {}};
}

} // namespace

PrintOutcome printFacePage(const QImage &sheet, const FacePage &page, const QString &topMargin,
                           const QString &leftMargin, Surface &workingPicture, const PrintQueues &queues)
{
    composeFacePage(sheet, page, workingPicture);
    return printOnePage(workingPicture.image(), topMargin, leftMargin, queues,
                        [&](QPoint origin) { return facePrintPage(workingPicture.image(), page, origin); });
}

PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin,
                       const PrintQueues &queues)
{
    if (back.isNull())
        return {false, QString::fromUtf16(kNoBackText)};
    return printOnePage(back, topMargin, leftMargin, queues,
                        [&](QPoint origin) { return backPrintPage(back, origin); });
}

} // namespace vellora::print
