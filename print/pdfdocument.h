#pragma once

#include "print/printpage.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

namespace vellora::print {

// Called after each page is made, with the number of pages done and the total.
using PageProgress = std::function<void(int done, int total)>;

// Pages as one PDF document, made in memory so that nothing half-made ever reaches a file or a printer.
// Face pictures are stored losslessly, pixel for pixel; a picture that brings its own JPEG file is passed on
// as that file. A failure, with the reason, when the document could not be made or a stop called it off
// between two pages.
Result<QByteArray> pdfDocument(const std::vector<PrintPage> &pages, const PageProgress &progress = {},
                               std::stop_token stop = {});

// Writes the document as a whole or not at all: an older file of that name stays as it was on failure, and
// on a stop that comes before the new file takes the name.
Outcome savePdf(const QByteArray &pdf, const QString &path, std::stop_token stop = {});

} // namespace vellora::print
