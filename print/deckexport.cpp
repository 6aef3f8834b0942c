#include "print/deckexport.h"

#include "print/log.h"

namespace vellora::print {

namespace {

DeckOutcome failed(const QString &text) { return {DeckOutcome::End::Failed, text, 0}; }

} // namespace

Result<QByteArray> deckPdf(const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                           const PageProgress &progress, std::stop_token stop)
{
    const Result<std::vector<PrintPage>> pages = deckPages(sheet, back, options);
    if (!pages)
        return pages.outcome();
    return pdfDocument(*pages, progress, std::move(stop));
}

DeckOutcome printDeck(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                      const ScaledPicture &sheet, const BackChoice &back, const DeckOptions &options,
                      const PageProgress &progress, std::stop_token stop)
{
    // The printer first: a printer that cannot print is the failure the user hears of, whatever the margins.
    // The user hears only that the printer failed; the log keeps why.
    if (const QString problem = queueProblem(action, printer); !problem.isEmpty()) {
        qCWarning(lcPrint).noquote() << "deck not printed:" << problem;
        return {DeckOutcome::End::PrinterFailed, {}, 0};
    }
    Result<std::vector<PrintPage>> pages = deckPages(sheet, back, options);
    if (!pages)
        return failed(pages.outcome().text());
    // The deck's own paper and turn, whatever the dialog's were: its back pages are laid out for them.
    JobOptions deckJob = jobOptions;
    deckJob.media = mediaFor(options.layout == DeckLayout::Pages ? Paper::A4 : options.paper);
    if (!back.image.isNull() && options.order == DeckOrder::Duplex)
        deckJob.sides = sidesFor(options.turn);
    if (const QString refused = action.submit(PrintJob{printer, std::move(*pages), deckJob}, progress, stop);
        !refused.isEmpty()) {
        if (stop.stop_requested())
            return {DeckOutcome::End::CalledOff, {}, 0};
        qCWarning(lcPrint).noquote() << "deck not printed on" << printer << "-" << refused;
        return {DeckOutcome::End::PrinterFailed, {}, 0};
    }
    return {DeckOutcome::End::Done, {}, action.lastJob()};
}

} // namespace vellora::print
