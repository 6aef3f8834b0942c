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
// as that file. Nothing, with the reason, when the document could not be made or a stop called it off
// between two pages.
std::optional<QByteArray> pdfDocument(const std::vector<PrintPage> &pages, QString *error,
                                      const PageProgress &progress = {}, std::stop_token stop = {});

// Writes the document as a whole or not at all: an older file of that name stays as it was on failure, and
// on a stop that comes before the new file takes the name.
bool savePdf(const QByteArray &pdf, const QString &path, QString *error, std::stop_token stop = {});

inline constexpr char16_t kPdfCalledOff[] = u"called off";

} // namespace vellora::print
