#include "print/exportpath.h"

#include "print/calibration.h"
#include "print/masterpicture.h"
#include "surface/regularfile.h"
#include "surface/surface.h"

#include <QCoreApplication>
#include <QFile>

namespace vellora::print {

namespace {

// The made document written over the target, unless a stop came first.
Outcome written(const Result<QByteArray> &pdf, const ExportTarget &target, const std::stop_token &stop)
{
    if (stop.stop_requested())
        return Outcome::calledOff();
    if (!pdf)
        return pdf.outcome().as(Outcome::Failure::NotMade);
    // Refused only now, the name has changed since it was asked: to the user the file was not written.
    return writeWhole(target.path, *pdf, kPdfDocument).as(Outcome::Failure::NotWritten);
}

} // namespace

Outcome exportRefusal(const DeckSnapshot &deck, const ExportTarget &target)
{
    if (!deck.file.isEmpty() && sameFile(target.path, deck.file))
        return Outcome::refusal(deck.name.isEmpty()
                                    ? QCoreApplication::translate("Print", "Dit is het lege blad.")
                                    : QCoreApplication::translate("Print", "Dit is het project zelf."));
    if (target.kind == ExportKind::CardImages)
        return cardFolderRefusal(QFile::decodeName(target.path));
    return replaceRefusal(target.path, kPdfDocument);
}

Outcome exportDeck(const DeckSnapshot &deck, const ExportOptions &options, const ExportTarget &target,
                   const PageProgress &progress, std::stop_token stop)
{
    if (Outcome why = exportRefusal(deck, target); !why)
        return why;
    if (target.kind == ExportKind::Calibration)
        return written(calibrationPdf(options.deck.paper), target, stop);
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return Outcome::calledOff();
    if (target.kind == ExportKind::DeckPdf)
        return written(deckPdf(picture, options.back, options.deck, afterMaster(progress), stop), target, stop);
    if (target.kind == ExportKind::ShopPdf) {
        const ShopRequest shop{options.deck.cardSize, options.bleedMm, options.deck.order, options.press,
                               deck.name, options.cut};
        return written(shopPdf(picture, options.back, shop, afterMaster(progress), stop), target, stop);
    }
    const Outcome cards =
        writeCardImages(picture, options.back, QFile::decodeName(target.path), options.deck.cardSize,
                        options.bleedMm, options.cut, afterMaster(progress), stop);
    return stop.stop_requested() && !cards ? Outcome::calledOff() : cards;
}

Result<PrintJob> seriesPageJob(const DeckSnapshot &deck, int page, const QString &topMargin,
                               const QString &leftMargin, const PageProgress &progress, std::stop_token stop)
{
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return Outcome::calledOff();
    Surface working;
    return facePageJob(picture, facePage(page), topMargin, leftMargin, working);
}

Result<int> printSnapshot(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                          const DeckSnapshot &deck, const BackChoice &back, const DeckOptions &options,
                          const PageProgress &progress, std::stop_token stop)
{
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return Result<int>::calledOff();
    return printDeck(action, printer, jobOptions, picture, back, options, afterMaster(progress), stop);
}

} // namespace vellora::print
