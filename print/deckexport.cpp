#include "print/deckexport.h"

namespace vellora::print {

std::optional<QByteArray> deckPdf(const QImage &sheet, const BackChoice &back, const DeckOptions &options,
                                  QString *error, const PageProgress &progress)
{
    const std::optional<std::vector<PrintPage>> pages = deckPages(sheet, back, options, error);
    if (!pages)
        return std::nullopt;
    return pdfDocument(*pages, error, progress);
}

} // namespace vellora::print
