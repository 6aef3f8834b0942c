#include "print/exportpath.h"

#include "print/calibration.h"
#include "print/masterpicture.h"
#include "surface/regularfile.h"
#include "surface/surface.h"

#include <QCoreApplication>
#include <QFile>

namespace vellora::print {

namespace {

using End = ExportOutcome::End;

// The made document written over the target, unless a stop came first.
ExportOutcome written(const Result<QByteArray> &pdf, const ExportTarget &target, const std::stop_token &stop)
{
    if (stop.stop_requested())
        return {End::CalledOff, {}};
    if (!pdf)
        return {End::NotMade, pdf.outcome().text()};
    if (const Outcome written = writeWhole(target.path, *pdf, kPdfDocument); !written)
        return {End::NotWritten, written.text()};
    return {};
}

} // namespace

QString exportRefusal(const DeckSnapshot &deck, const ExportTarget &target)
{
    if (!deck.file.isEmpty() && sameFile(target.path, deck.file))
        return deck.name.isEmpty() ? QCoreApplication::translate("Print", "Dit is het lege blad.")
                                   : QCoreApplication::translate("Print", "Dit is het project zelf.");
    if (target.kind == ExportKind::CardImages)
        return cardFolderRefusal(QFile::decodeName(target.path));
    return replaceRefusal(target.path, kPdfDocument);
}

ExportOutcome exportDeck(const DeckSnapshot &deck, const ExportOptions &options, const ExportTarget &target,
                         const PageProgress &progress, std::stop_token stop)
{
    if (const QString why = exportRefusal(deck, target); !why.isEmpty())
        return {End::Refused, why};
    if (target.kind == ExportKind::Calibration)
        return written(calibrationPdf(options.deck.paper), target, stop);
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return {End::CalledOff, {}};
    if (target.kind == ExportKind::DeckPdf)
        return written(deckPdf(picture, options.back, options.deck, afterMaster(progress), stop), target, stop);
    if (target.kind == ExportKind::ShopPdf) {
        const ShopRequest shop{options.deck.cardSize, options.bleedMm, options.deck.order, options.press,
                               deck.name, options.cut};
        return written(shopPdf(picture, options.back, shop, afterMaster(progress), stop), target, stop);
    }
    const QString error = writeCardImages(picture, options.back, QFile::decodeName(target.path),
                            options.deck.cardSize, options.bleedMm, options.cut, afterMaster(progress), stop);
    if (stop.stop_requested() && !error.isEmpty())
        return {End::CalledOff, {}};
    return error.isEmpty() ? ExportOutcome{} : ExportOutcome{End::NotWritten, error};
}

Result<PrintJob> seriesPageJob(const DeckSnapshot &deck, int page, const QString &topMargin,
                               const QString &leftMargin, const PageProgress &progress, std::stop_token stop)
{
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return Outcome::failure(QString::fromUtf16(kPdfCalledOff));
    Surface working;
    return facePageJob(picture, facePage(page), topMargin, leftMargin, working);
}

DeckOutcome printSnapshot(const PrintQueues &action, const QString &printer, const JobOptions &jobOptions,
                          const DeckSnapshot &deck, const BackChoice &back, const DeckOptions &options,
                          const PageProgress &progress, std::stop_token stop)
{
    const ScaledPicture picture = masterPicture(deck.sheet, deck.record, progress, stop);
    if (picture.isNull())
        return {DeckOutcome::End::CalledOff, {}, 0};
    return printDeck(action, printer, jobOptions, picture, back, options, afterMaster(progress), stop);
}

} // namespace vellora::print
