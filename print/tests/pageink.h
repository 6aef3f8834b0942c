#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

// Sheets and backs whose parts can be told apart, and checks of printed pages as a reader sees them.
namespace vellora::printtest {

// A 3990 x 1600 sheet in which every pixel differs from every other, so a copy shows where it came from.
QImage addressedSheet();
// A 3990 x 1600 sheet, each of its 4 x 14 card cells one solid colour of its own.
QImage colouredSheet();
// A back in four solid quadrants of different colours.
QImage quadrantBack(QSize size);
// The largest difference in any one channel.
int colourDistance(QColor a, QColor b);

// One page of a PDF rendered by pdftoppm; a null image, with the reason, when that fails.
QImage renderPdf(const QString &pdf, QString *error, int page = 1, int dpi = 72);
// The number of pages pdfinfo reports; 0 for no PDF.
int pdfPages(const QString &pdf);

// Differences from where face page `pageNumber` (0: a back) belongs on a page rendered at 72 dpi, one line
// each; empty when it is right. `origin` is (left margin, top margin) in twips.
QString checkPrintedPage(const QImage &page, int pageNumber, QPoint origin);

} // namespace vellora::printtest
