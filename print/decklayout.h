#pragma once

#include "sheet/cardsheet.h"
#include "sheet/scaledpicture.h"

#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <vector>

namespace vellora::print {

inline constexpr double kMmPerInch = 25.4;
constexpr int mmTwips(double millimetres)
{
    const double t = millimetres * 1440.0 / kMmPerInch;
    return int(t < 0 ? t - 0.5 : t + 0.5);
}

enum class Paper
{
    A4,
    Letter
};
// "pages": the six pages as "Serie n" prints them, A4 only; "cards": whole cards at a true size.
enum class DeckLayout
{
    Pages,
    Cards
};
// The first two are metric; poker (2.5 x 3.5 inch) and bridge (2.25 x 3.5 inch) are the trade's own sizes.
enum class CardSize
{
    Size63x88,
    Size57x90,
    Poker,
    Bridge
};
// How the sheet is turned over for its back: about its short edge or its long one.
enum class Turn
{
    ShortEdge,
    LongEdge
};

// Letter where the user's locale measures in inches or its country uses it; A4 elsewhere.
Paper defaultPaper(const QLocale &locale);
// The printer's shift of the back is corrected by at most this, in steps of 0.1 mm.
inline constexpr double kMaxBackShiftMm = 5.0;

// The paper in twips, standing upright or lying down.
QSize paperTwips(Paper paper, QPageLayout::Orientation orientation);
QSize cardTwips(CardSize size);
QSizeF cardMm(CardSize size);

// Home printers print nothing in the last few millimetres of a sheet: the deck keeps that band paper white.
inline constexpr int kEdgeBand = mmTwips(4);
// Cut marks keep this far from the cards, so a slightly misplaced sheet still cuts clean.
inline constexpr int kMarkGap = mmTwips(1.5);
inline constexpr int kMarkLength = mmTwips(5);
inline constexpr int kMarkShortest = mmTwips(1);

// The pixels of `sheet` under a rectangle of the sheet in twips, at the picture's own twips to the pixel, so
// the same twips name the same place in the sheet and in the print master.
QRect sheetPixels(const ScaledPicture &sheet, const QRect &twips);
// That part of the sheet, as RGB32; whatever lies beyond the sheet is left out. A part that lies within an
// RGB32 picture shares its pixels, read only, rather than copying them: the master's pages would otherwise
// hold as much memory again.
QImage sheetPiece(const ScaledPicture &sheet, const QRect &twips);

// The part of a picture of `picture` pixels that covers a rectangle of `target`'s proportions, centred.
QRectF coverCrop(QSize picture, QSizeF target);

// Where the back of each card lies on the back page: the card's place seen through the sheet once it has
// been turned over, moved by the printer's shift.
QRect behind(const QRect &card, QSize paper, Turn turn, QPointF shiftMm);
// The duplex setting that turns the sheet as `turn` says, and the media of the paper, as the print server
// names them.
const char *sidesFor(Turn turn);
const char *mediaFor(Paper paper);

// The cards layout: as many whole cards as fit in rows and columns, centred, with room around them for the
// edge band and cut marks.
struct CardGrid
{
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSize paper;
    QSize card;
    int columns = 0, rows = 0;
    QPoint origin; // top left of the first card on the paper
    int perPage() const { return columns * rows; }
    int pageCount() const { return (sheet::kCardCount + perPage() - 1) / std::max(1, perPage()); }
    QRect slot(int index) const; // index on its page, row by row
};
CardGrid cardGrid(Paper paper, CardSize size);

// Short lines in line with every card edge, outside `extent` (what the cards cover) and never on it, kept out
// of the edge band; a line that would be shorter than 1 mm is left out.
std::vector<QLine> marksAround(const std::vector<int> &xEdges, const std::vector<int> &yEdges,
                               const QRect &extent, QSize paper);

// Whether a rectangle keeps out of the edge band of the paper.
inline bool clearOfBand(const QRect &r, QSize paper)
{
    return QRect(QPoint(kEdgeBand, kEdgeBand), paper - QSize(2 * kEdgeBand, 2 * kEdgeBand)).contains(r);
}

} // namespace vellora::print
