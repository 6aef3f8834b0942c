#include "print/printpage.h"

#include "print/margins.h"
#include "sheet/cardsheet.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace vellora::print {

namespace {

constexpr int mm(double millimetres)
{
    return mmTwips(millimetres);
}

constexpr int kBarHeight = mm(1.2);

int onPaper(int sheetOffset, int sheetSpan, int paperStart, int paperSpan)
{
    return paperStart + int(std::lround(double(sheetOffset) * paperSpan / sheetSpan));
}

// The edges of the cells of size `cell` that lie mostly within [start, end), clamped to it.
std::vector<int> edgesWithin(int start, int end, int cell)
{
    std::vector<int> edges;
    for (int c = start / cell; c * cell < end; ++c) {
        const int lo = std::max(c * cell, start), hi = std::min((c + 1) * cell, end);
        if (2 * (hi - lo) <= cell)
            continue;
        if (edges.empty() || edges.back() != lo)
            edges.push_back(lo);
        edges.push_back(hi);
    }
    return edges;
}

} // namespace

QSize PrintPage::paperTwips() const
{
    return print::paperTwips(paper, orientation);
}

void composeFacePage(const ScaledPicture &picture, const FacePage &page, Surface &workingPicture)
{
    // The print master has three times the sheet's pixels: the same twips, five to its pixel.
    const QImage &sheet = picture.image;
    workingPicture.scale = picture.scale;
    workingPicture.setPicture(QImage());
    const QSize working(page.workingWidth, kWorkingHeight);
    const QRect within = workingPicture.toPixels(QRectF(page.sheetRect.topLeft(), working));
    if (workingPicture.scale > 1 && sheet.rect().contains(within) && sheet.depth() == 32) {
        // The master's page is a part of it as it is: shared rather than copied, as six copies would hold
        // as much memory again. The view keeps the master alive and is read only.
        const auto release = [](void *kept) { delete static_cast<QImage *>(kept); };
        workingPicture.image() = QImage(sheet.constScanLine(within.y()) + within.x() * 4, within.width(),
                                        within.height(), sheet.bytesPerLine(), sheet.format(), release,
                                        new QImage(sheet));
        return;
    }
    workingPicture.resize(workingPicture.toPixels(working.width()),
                          workingPicture.toPixels(working.height()));
    workingPicture.paintPicture(sheet, QRectF(0, 0, page.sheetRect.width(), page.sheetRect.height()),
                                QRectF(page.sheetRect));
}

PrintPage facePrintPage(const QImage &workingPicture, const FacePage &page, QPoint origin)
{
    PrintPage p;
    p.orientation = QPageLayout::Landscape;
    p.faceNumber = page.number;
    p.picture = {workingPicture, QRect(origin, page.printedSize), {}};
    return p;
}

PrintPage backPrintPage(const QImage &back, QPoint origin, const QByteArray &jpeg)
{
    PrintPage p;
    p.orientation = QPageLayout::Portrait;
    p.picture = {back, QRect(origin, kBackPrintedSize), jpeg};
    return p;
}

CardEdges cardEdges(const FacePage &page, const QRect &printed)
{
    const int sheetX = page.sheetRect.x(), sheetY = page.sheetRect.y();
    CardEdges edges;
    for (const int x : edgesWithin(sheetX, sheetX + page.workingWidth, sheet::kCellWidth))
        edges.x.push_back(onPaper(x - sheetX, page.workingWidth, printed.x(), printed.width()));
    for (const int y : edgesWithin(sheetY, sheetY + kWorkingHeight, sheet::kCellHeight))
        edges.y.push_back(onPaper(y - sheetY, kWorkingHeight, printed.y(), printed.height()));
    return edges;
}

std::vector<QLine> cutMarks(const FacePage &page, const QRect &printed, QSize paper)
{
    const CardEdges edges = cardEdges(page, printed);
    return marksAround(edges.x, edges.y, printed, paper);
}

std::optional<ScaleBar> scaleBar(const QRect &printed, QSize paper)
{
    const int top = printed.y() + printed.height() + kMarkGap + kMarkLength + mm(1.5);
    // Printers rarely reach the edge band of a sheet; a bar there would be half lost.
    if (top + kBarHeight > paper.height() - kEdgeBand)
        return std::nullopt;
    const int left = std::max(printed.x(), mm(5));
    const QRect bar(left, top, mm(kScaleBarMm), kBarHeight);
    return ScaleBar{bar, QPoint(bar.x() + bar.width() + mm(3), bar.y() + bar.height()),
                    // Printed for whoever measures the sheet, so in the language of the window that printed.
                    QCoreApplication::translate("Print", "50 mm: meet na het afdrukken")};
}

std::vector<int> deckSequence(DeckOrder order, bool withBacks, int faces)
{
    std::vector<int> pages;
    for (int n = 1; n <= faces; ++n) {
        pages.push_back(n);
        if (withBacks && order == DeckOrder::Duplex)
            pages.push_back(0);
    }
    if (withBacks && order == DeckOrder::FacesFirst)
        pages.insert(pages.end(), faces, 0);
    return pages;
}

namespace {

// Face page n as "Serie n" prints it, its working picture taken from the sheet through sheetPiece.
PrintPage pagesFace(const ScaledPicture &sheet, int n, QPoint origin, const DeckOptions &options)
{
    const FacePage &face = facePage(n);
    const QImage working =
        sheetPiece(sheet, QRect(face.sheetRect.topLeft(), QSize(face.workingWidth, kWorkingHeight)));
    PrintPage page = facePrintPage(working, face, origin);
    const CardEdges edges = cardEdges(face, page.picture.twips);
    for (size_t j = 0; j + 1 < edges.y.size(); ++j)
        for (size_t i = 0; i + 1 < edges.x.size(); ++i)
            page.cardCuts.emplace_back(QPoint(edges.x[i], edges.y[j]),
                                       QPoint(edges.x[i + 1] - 1, edges.y[j + 1] - 1));
    if (options.cutMarks)
        page.cutMarks = marksAround(edges.x, edges.y, page.picture.twips, page.paperTwips());
    if (options.scaleBar)
        page.scaleBar = scaleBar(page.picture.twips, page.paperTwips());
    return page;
}

// Face page n of the cards layout: the cards from (n - 1) x the grid's count on, row by row.
PrintPage cardsFace(const ScaledPicture &sheet, const CardGrid &grid, int n, const DeckOptions &options)
{
    PrintPage page;
    page.orientation = grid.orientation;
    page.paper = options.paper;
    page.faceNumber = n;
    for (int slot = 0, cell = (n - 1) * grid.perPage(); slot < grid.perPage() && cell < sheet::kCardCount;
         ++slot, ++cell) {
        page.cards.push_back({sheetPiece(sheet, sheet::cardCell(cell)), grid.slot(slot), {}});
        page.cardCuts.push_back(grid.slot(slot));
    }
    const QRect extent(grid.origin, QSize(grid.columns * grid.card.width(), grid.rows * grid.card.height()));
    std::vector<int> xs, ys;
    for (int c = 0; c <= grid.columns; ++c)
        xs.push_back(grid.origin.x() + c * grid.card.width());
    for (int r = 0; r <= grid.rows; ++r)
        ys.push_back(grid.origin.y() + r * grid.card.height());
    if (options.cutMarks)
        page.cutMarks = marksAround(xs, ys, extent, grid.paper);
    if (options.scaleBar)
        page.scaleBar = scaleBar(extent, grid.paper);
    return page;
}

// The back of a face page: the back picture behind every card, or over the whole paper.
PrintPage backOf(const PrintPage &face, const BackChoice &back, const DeckOptions &options)
{
    if (options.wholePageBack && options.layout == DeckLayout::Pages)
        return backPrintPage(back.image, QPoint(0, 0), back.jpeg); // as "Rugzijde" prints it
    PrintPage page;
    page.orientation = face.orientation;
    page.paper = face.paper;
    const QSize paper = page.paperTwips();
    if (options.wholePageBack) {
        page.picture = {back.image, QRect(QPoint(0, 0), paper), back.jpeg};
        return page;
    }
    for (const QRect &card : face.cardCuts) {
        const QRect at = behind(card, paper, options.turn, options.backShiftMm);
        page.cards.push_back({back.image, at, back.jpeg, coverCrop(back.image.size(), at.size())});
        page.cardCuts.push_back(at);
    }
    return page;
}

} // namespace

Result<std::vector<PrintPage>> deckPages(const ScaledPicture &sheet, const BackChoice &back,
                                         const DeckOptions &options)
{
    const std::optional<int> top = marginTwips(options.topMargin);
    const std::optional<int> left = marginTwips(options.leftMargin);
    if (!top || !left)
        return Outcome::failure(QCoreApplication::translate(
            "Print", "De marge is te groot om een plaats op het papier te zijn."));
    const CardGrid grid = cardGrid(options.paper, options.cardSize);
    const int faces = options.layout == DeckLayout::Pages ? kPageCount : grid.pageCount();
    std::vector<PrintPage> faceSides;
    for (int n = 1; n <= faces; ++n)
        faceSides.push_back(options.layout == DeckLayout::Pages
                                ? pagesFace(sheet, n, QPoint(*left, *top), options)
                                : cardsFace(sheet, grid, n, options));
    std::vector<PrintPage> pages;
    int lastFace = 0;
    for (const int n : deckSequence(options.order, !back.image.isNull(), faces)) {
        if (n != 0)
            lastFace = n;
        // Faces first, the backs follow in the faces' order.
        const int behindFace = options.order == DeckOrder::Duplex ? lastFace : int(pages.size()) - faces + 1;
        pages.push_back(n ? faceSides[n - 1] : backOf(faceSides[behindFace - 1], back, options));
    }
    return pages;
}

bool clearOfEdgeBand(const PrintPage &page)
{
    const QSize paper = page.paperTwips();
    const QRect onPaper(QPoint(0, 0), paper);
    std::vector<QRect> inked = page.fills;
    if (!page.picture.image.isNull())
        inked.push_back(page.picture.twips.intersected(onPaper));
    for (const PagePicture &card : page.cards)
        inked.push_back(card.twips.intersected(onPaper));
    // A line from a to b covers b - a twips, however thin.
    for (const QLine &line : page.cutMarks)
        inked.emplace_back(QPoint(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2())),
                           QSize(std::max(1, std::abs(line.dx())), std::max(1, std::abs(line.dy()))));
    if (page.scaleBar)
        inked.push_back(page.scaleBar->twips);
    return std::ranges::all_of(inked, [&](const QRect &r) { return r.isEmpty() || clearOfBand(r, paper); });
}

QString edgeBandWarning(const DeckOptions &options)
{
    DeckOptions probe = options;
    probe.wholePageBack = false; // a back over the whole page is meant to reach its edges
    QImage anyBack(1, 1, QImage::Format_RGB32);
    anyBack.fill(Qt::white);
    const auto pages = deckPages(ScaledPicture(), BackChoice{anyBack, {}, {}}, probe);
    if (!pages || std::ranges::all_of(*pages, clearOfEdgeBand))
        return {};
    return edgeBandText();
}

} // namespace vellora::print
