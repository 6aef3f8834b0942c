#include "print/printpage.h"

#include "print/margins.h"
#include "sheet/cardsheet.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <algorithm>
#include <cmath>

namespace vellora::print {

namespace {

constexpr int mm(double millimetres) { return int(millimetres * kTwipsPerMm + 0.5); }

// Cut marks keep this far from the picture, so a slightly misplaced sheet still cuts clean.
constexpr int kMarkGap = mm(1.5);
constexpr int kMarkLength = mm(5);
constexpr int kMarkShortest = mm(1);
constexpr int kBarHeight = mm(1.2);

constexpr int kCardWidth = 4275;
constexpr int kCardHeight = 6000;

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
    return orientation == QPageLayout::Landscape ? kA4Portrait.transposed() : kA4Portrait;
}

void composeFacePage(const QImage &sheet, const FacePage &page, Surface &workingPicture)
{
    // The print master has three times the sheet's pixels: the same twips, five to its pixel.
    workingPicture.scale = std::max(1, sheet.width() / sheet::kWidthPixels);
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
    for (const int x : edgesWithin(sheetX, sheetX + page.workingWidth, kCardWidth))
        edges.x.push_back(onPaper(x - sheetX, page.workingWidth, printed.x(), printed.width()));
    for (const int y : edgesWithin(sheetY, sheetY + kWorkingHeight, kCardHeight))
        edges.y.push_back(onPaper(y - sheetY, kWorkingHeight, printed.y(), printed.height()));
    return edges;
}

std::vector<QLine> cutMarks(const FacePage &page, const QRect &printed, QSize paper)
{
    // Paper coordinates with the picture spanning [lo, hi) along one axis; marks run outward from both ends.
    const auto along = [](int lo, int hi, int paperSpan, auto &&line) {
        const int before = std::min(kMarkLength, lo - kMarkGap);
        if (before >= kMarkShortest)
            line(lo - kMarkGap - before, lo - kMarkGap);
        const int after = std::min(kMarkLength, paperSpan - (hi + kMarkGap));
        if (after >= kMarkShortest)
            line(hi + kMarkGap, hi + kMarkGap + after);
    };
    const CardEdges edges = cardEdges(page, printed);
    std::vector<QLine> marks;
    for (const int x : edges.x)
        along(printed.top(), printed.y() + printed.height(), paper.height(),
              [&](int a, int b) { marks.emplace_back(x, a, x, b); });
    for (const int y : edges.y)
        along(printed.left(), printed.x() + printed.width(), paper.width(),
              [&](int a, int b) { marks.emplace_back(a, y, b, y); });
    return marks;
}

std::optional<ScaleBar> scaleBar(const QRect &printed, QSize paper)
{
    const int top = printed.y() + printed.height() + kMarkGap + kMarkLength + mm(1.5);
    // Printers rarely reach the last 4 mm of a sheet; a bar there would be half lost.
    if (top + kBarHeight > paper.height() - mm(4))
        return std::nullopt;
    const int left = std::max(printed.x(), mm(5));
    const QRect bar(left, top, mm(kScaleBarMm), kBarHeight);
    return ScaleBar{bar, QPoint(bar.x() + bar.width() + mm(3), bar.y() + bar.height()),
                    QString::fromUtf16(kScaleBarText)};
}

std::vector<int> deckSequence(DeckOrder order, bool withBacks)
{
    std::vector<int> pages;
    for (int n = 1; n <= kPageCount; ++n) {
        pages.push_back(n);
        if (withBacks && order == DeckOrder::Duplex)
            pages.push_back(0);
    }
    if (withBacks && order == DeckOrder::FacesFirst)
        pages.insert(pages.end(), kPageCount, 0);
    return pages;
}

std::optional<std::vector<PrintPage>> deckPages(const QImage &sheet, const BackChoice &back,
                                                const DeckOptions &options, QString *error)
{
    const std::optional<int> top = marginTwips(options.topMargin);
    const std::optional<int> left = marginTwips(options.leftMargin);
    if (!top || !left) {
        if (error)
            *error = QStringLiteral("De marge is te groot om een plaats op het papier te zijn.");
        return std::nullopt;
    }
    std::vector<PrintPage> pages;
    Surface working;
    for (const int n : deckSequence(options.order, !back.image.isNull())) {
        if (n == 0) {
            // As "Rugzijde" prints it with its own margins left at "0".
            pages.push_back(backPrintPage(back.image, QPoint(0, 0), back.jpeg));
            continue;
        }
        const FacePage &face = facePage(n);
        composeFacePage(sheet, face, working);
        PrintPage page = facePrintPage(working.image(), face, QPoint(*left, *top));
        if (options.cutMarks)
            page.cutMarks = cutMarks(face, page.picture.twips, page.paperTwips());
        if (options.scaleBar)
            page.scaleBar = scaleBar(page.picture.twips, page.paperTwips());
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace vellora::print
