#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>

// Helpers for checking printed output: a card sheet and a back whose parts can be told apart by colour, and a
// PDF page rendered the way a reader sees it.
namespace vellora::printtest {

// A 3990 x 1600 sheet in which every pixel differs from every other, so a copy shows exactly where it came from.
QImage addressedSheet();

// A 3990 x 1600 sheet, each card cell one solid colour of its own.
QColor cellColour(int row, int column);
QImage colouredSheet();

// A back of the given pixel size in four solid quadrants: top-left, top-right, bottom-left, bottom-right.
QColor quadrantColour(int quadrant);
QImage quadrantBack(QSize size);

// The first page of a PDF rendered by pdftoppm at `dpi`; nothing, with the reason, when that fails.
std::optional<QImage> renderPdf(const QString &pdf, int dpi, QString *error);

// The smallest rectangle holding every pixel that is not paper white.
QRect inkBox(const QImage &page);

// The average colour of a small square around a point.
QColor averageAround(const QImage &page, QPointF at, int radius = 3);
bool near(QColor a, QColor b, int tolerance);

// Twips on the paper to pixels of a page rendered at dpi.
inline QPointF pagePixels(QPointF twips, int dpi) { return twips * dpi / 1440.0; }

// Differences from the expected placement of a face page or a back, one line each; empty when it is right.
// `origin` is (left margin, top margin) in twips.
QString checkFacePage(const QImage &page, int dpi, int pageNumber, QPoint origin);
QString checkBackPage(const QImage &page, int dpi, QPoint origin);

} // namespace vellora::printtest
