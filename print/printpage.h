#pragma once

#include "print/decklayout.h"
#include "print/pagetables.h"
#include "sheet/scaledpicture.h"
#include "surface/outcome.h"

#include <QByteArray>
#include <QCoreApplication>
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

inline constexpr double kTwipsPerMm = 1440.0 / 25.4;

// One picture stretched over a rectangle of the paper.
struct PagePicture
{
    QImage image;
    QRect twips;
    // The picture's own JPEG file, to be passed on as it is; empty when the pixels must be kept exactly.
    QByteArray jpeg;
    // The part of the picture, in its pixels, that fills `twips`; empty for all of it.
    QRectF source = {};
};

// A line of text on paper, in points, its baseline starting at `at`.
struct PageText
{
    QPoint at;
    QString text;
    double points = 7;
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
    Paper paper = Paper::A4;
    int faceNumber = 0;             // from 1 for a face page, 0 for a back
    PagePicture picture;            // a null image for none
    std::vector<PagePicture> cards; // one picture per card, on top of `picture`
    std::vector<QLine> cutMarks;
    std::optional<ScaleBar> scaleBar;
    std::vector<QRect> fills; // solid black
    std::vector<PageText> texts;
    // Where the page's whole cards are cut, or on a back page the cards' backs lie; empty for a page
    // without cards of its own.
    std::vector<QRect> cardCuts;

    QSize paperTwips() const;
};

// The working picture of a face page: the page's sheet rectangle copied at its own size onto a fresh surface
// of the page's width and 12000 twips high, cut off at its right edge. `sheet` may be the print master, three
// times as fine; the working picture then is too.
void composeFacePage(const ScaledPicture &sheet, const FacePage &page, Surface &workingPicture);

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
// The bar in the margin below the picture, clear of the cut marks; nothing when that margin has no room.
std::optional<ScaleBar> scaleBar(const QRect &printed, QSize paper);

enum class DeckOrder { Duplex, FacesFirst };

// The order of the pages in a whole-deck document: 1 to `faces` for face pages, 0 for a back.
std::vector<int> deckSequence(DeckOrder order, bool withBacks, int faces = kPageCount);

// The window's first choices. The margins place the pages layout, whose cut marks then just keep out of the
// edge band on the left; the cards layout is centred.
struct DeckOptions
{
    DeckOrder order = DeckOrder::Duplex;
    bool cutMarks = true;
    bool scaleBar = true;
    QString topMargin = QStringLiteral("40");
    QString leftMargin = QStringLiteral("27");
    DeckLayout layout = DeckLayout::Pages;
    CardSize cardSize = CardSize::Size63x88;
    Paper paper = Paper::A4; // the cards layout's; the pages are A4
    Turn turn = Turn::ShortEdge;
    QPointF backShiftMm;
    bool wholePageBack = false; // as "Rugzijde" prints it, rather than one back behind every card
};

// The chosen back: its picture, and its file when that can be passed on as JPEG. A null image means no back.
struct BackChoice
{
    QImage image;
    QByteArray jpeg;
    // A built-in back's drawing to its edge for the print shop's files (print/cardsides); null for the
    // user's own.
    QImage fullBleed;
};

// The pages of the whole deck; nothing, with the reason, when a margin is no position on the page. Each back
// page has its face page's paper and carries the back once behind every whole card, covering the card,
// unless the whole-page back is asked for.
Result<std::vector<PrintPage>> deckPages(const ScaledPicture &sheet, const BackChoice &back,
                                         const DeckOptions &options);

inline QString pagesOnA4Only()
{
    return QCoreApplication::translate("Print",
                                       "De pagina's van \"Serie 1\" tot \"Serie 6\" passen alleen op A4.");
}

// Whether everything on the page keeps out of the paper's edge band.
bool clearOfEdgeBand(const PrintPage &page);
inline QString edgeBandText()
{
    return QCoreApplication::translate("Print", "Met deze marges komt er iets binnen 4 mm van de rand van "
                                                "het papier, waar veel printers niets afdrukken.");
}
// edgeBandText() when the options put something of the deck in the edge band; empty when they do not.
QString edgeBandWarning(const DeckOptions &options);

} // namespace print
} // namespace vellora
