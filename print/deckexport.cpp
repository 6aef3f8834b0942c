#include "print/deckexport.h"

#include "print/log.h"

namespace vellora::print {

Result<QByteArray> deckPdf(const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                           const PageProgress &progress, std::stop_token stop)
{
    const Result<std::vector<PrintPage>> pages = deckPages(sheet, back, options);
    if (!pages)
        return pages.outcome();
    return pdfDocument(*pages, progress, std::move(stop));
}

Result<int> printDeck(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                      const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                      const PageProgress &progress, std::stop_token stop)
{
    // The printer first: a printer that cannot print is the failure the user hears of, whatever the margins.
    if (Outcome problem = queueProblem(action, printer); !problem) {
        qCWarning(lcPrint).noquote() << "deck not printed:" << problem.reason();
        return problem;
    }
    Result<std::vector<PrintPage>> pages = deckPages(sheet, back, options);
    if (!pages)
        return pages.outcome();
    // The deck's own paper and turn, whatever the dialog's were: its back pages are laid out for them.
    JobOptions deckJob = jobOptions;
    deckJob.media = mediaFor(options.layout == DeckLayout::Pages ? Paper::A4 : options.paper);
    if (!back.image.isNull() && options.order == DeckOrder::Duplex)
        deckJob.sides = sidesFor(options.turn);
    if (Outcome refused = action.submit(PrintJob{printer, std::move(*pages), deckJob}, progress, stop);
        !refused) {
        if (stop.stop_requested() || refused.isCalledOff())
            return Result<int>::calledOff();
        qCWarning(lcPrint).noquote() << "deck not printed on" << printer << "-" << refused.reason();
        return refused;
    }
    return action.lastJob();
}

} // namespace vellora::print
