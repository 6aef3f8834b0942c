#pragma once

#include "print/pdfdocument.h"
#include "print/printpage.h"

#include <QImage>
#include <QString>

#include <optional>

namespace vellora {
namespace print {

// The whole deck as one PDF document: the pages of deckPages(), made in memory.
std::optional<QByteArray> deckPdf(const QImage &sheet, const BackChoice &back, const DeckOptions &options,
                                  QString *error, const PageProgress &progress = {});

} // namespace print
} // namespace vellora
