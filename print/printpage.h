#pragma once

#include "print/pagetables.h"

#include <QByteArray>
#include <QImage>
#include <QLine>
#include <QPageLayout>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace vellora {

class Surface;

namespace print {

// A4 in twips, standing upright.
inline constexpr QSize kA4Portrait{11906, 16838};
inline constexpr double kTwipsPerMm = 1440.0 / 25.4;

// One picture stretched over a rectangle of the paper.
struct PagePicture
{
    QImage image;
    QRect twips;
    // The picture's own JPEG file, to be passed on as it is; empty when the pixels must be kept exactly.
    QByteArray jpeg;
};

// A bar of a known length on paper, so that a print scaled by a dialog shows at once.
struct ScaleBar
{
    QRect twips;   // the bar itself, 50 mm long
    QPoint textAt; // baseline start of the text
    QString text;
};

// Everything one sheet of paper carries, in twips from the paper's corner. Printer, PDF file and command line
// all lay pages out through here, so that a page looks the same whichever way it leaves the program.
struct PrintPage
{
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int faceNumber = 0; // 1 to 6 for a face page, 0 for a back
    PagePicture picture;
    std::vector<QLine> cutMarks;
    std::optional<ScaleBar> scaleBar;

    QSize paperTwips() const;
};

// The working picture of a face page: the page's sheet rectangle copied at its own size onto a fresh surface
// of the page's width and 12000 twips high, cut off at its right edge. `sheet` may be the print master, three
// times as large; the working picture then is too.
void composeFacePage(const QImage &sheet, const FacePage &page, Surface &workingPicture);

// What "Serie n" prints: the working picture stretched to the page's printed size at `origin` (left, top).
PrintPage facePrintPage(const QImage &workingPicture, const FacePage &page, QPoint origin);
// What "Rugzijde" prints: the back stretched to 12000 x 16900 twips at `origin`.
PrintPage backPrintPage(const QImage &back, QPoint origin, const QByteArray &jpeg = {});

// The cards' edges on a face page: where the card cells of the page's columns and rows begin and end, in
// paper twips, the partly cut cards at the picture's sides ending at the picture's edge.
struct CardEdges
{
    std::vector<int> x;
    std::vector<int> y;
};
CardEdges cardEdges(const FacePage &page, const QRect &printed);

// Short lines in line with every card edge, in the margins around the printed picture and never on it; a line
// that would not keep its distance from the picture or would be shorter than 1 mm on the paper is left out.
std::vector<QLine> cutMarks(const FacePage &page, const QRect &printed, QSize paper);

inline constexpr double kScaleBarMm = 50.0;
inline constexpr char16_t kScaleBarText[] = u"50 mm: meet na het afdrukken";
// The bar in the margin below the picture, clear of the cut marks; nothing when that margin has no room.
std::optional<ScaleBar> scaleBar(const QRect &printed, QSize paper);

enum class DeckOrder { Duplex, FacesFirst };

// The order of the pages in a whole-deck document: 1 to 6 for face pages, 0 for a back.
std::vector<int> deckSequence(DeckOrder order, bool withBacks);

struct DeckOptions
{
    DeckOrder order = DeckOrder::Duplex;
    bool cutMarks = true;
    bool scaleBar = true;
    QString topMargin = QStringLiteral("40");
    QString leftMargin = QStringLiteral("10");
};

// The chosen back: its picture, and its file when that can be passed on as JPEG. A null image means no back.
struct BackChoice
{
    QImage image;
    QByteArray jpeg;
};

// The pages of the whole deck; nothing, with the reason, when a margin is no position on the page.
std::optional<std::vector<PrintPage>> deckPages(const QImage &sheet, const BackChoice &back,
                                                const DeckOptions &options, QString *error);

} // namespace print
} // namespace vellora
