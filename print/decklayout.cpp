#include "print/decklayout.h"

#include <algorithm>
#include <cmath>

namespace vellora::print {

namespace {

int nearest(double v)
{
    return int(std::floor(v + 0.5));
}

} // namespace

QSize paperTwips(Paper paper, QPageLayout::Orientation orientation)
{
    // A4 is 210 x 297 mm, US Letter 8.5 x 11 inches.
    const QSize upright = paper == Paper::A4 ? QSize(11906, 16838) : QSize(12240, 15840);
    return orientation == QPageLayout::Landscape ? upright.transposed() : upright;
}

Paper defaultPaper(const QLocale &locale)
{
    if (locale.measurementSystem() == QLocale::ImperialUSSystem)
        return Paper::Letter;
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Philippines:
        return Paper::Letter;
    default:
        return Paper::A4;
    }
}

QSizeF cardMm(CardSize size)
{
    switch (size) {
    case CardSize::Size63x88:
        return {63, 88};
    case CardSize::Size57x90:
        return {57, 90};
    case CardSize::Poker:
        return {2.5 * kMmPerInch, 3.5 * kMmPerInch};
    case CardSize::Bridge:
        return {2.25 * kMmPerInch, 3.5 * kMmPerInch};
    }
    return {63, 88};
}

QSize cardTwips(CardSize size)
{
    const QSizeF mm = cardMm(size);
    return {mmTwips(mm.width()), mmTwips(mm.height())};
}

QRect sheetPixels(const ScaledPicture &sheet, const QRect &twips)
{
    const double perPixel = sheet.twipsPerPixel();
    const int left = nearest(twips.x() / perPixel), top = nearest(twips.y() / perPixel);
    return QRect(left, top, nearest(twips.width() / perPixel), nearest(twips.height() / perPixel));
}

QImage sheetPiece(const ScaledPicture &sheet, const QRect &twips)
{
    const QRect pixels = sheetPixels(sheet, twips);
    const QImage &image = sheet.image;
    if (image.rect().contains(pixels) && image.format() == QImage::Format_RGB32 && !pixels.isEmpty()) {
        // The view keeps its picture alive and is read only: a write would detach it.
        const auto release = [](void *kept) { delete static_cast<QImage *>(kept); };
        return QImage(image.constScanLine(pixels.y()) + pixels.x() * 4, pixels.width(), pixels.height(),
                      image.bytesPerLine(), QImage::Format_RGB32, release, new QImage(image));
    }
    QImage piece(pixels.size(), QImage::Format_RGB32);
    piece.fill(Qt::white);
    const QRect inside = pixels.intersected(image.rect());
    if (inside.isEmpty())
        return piece;
    const QImage part = image.copy(inside).convertToFormat(QImage::Format_RGB32);
    const QPoint at = inside.topLeft() - pixels.topLeft();
    for (int y = 0; y < part.height(); ++y)
        std::copy_n(reinterpret_cast<const QRgb *>(part.constScanLine(y)), part.width(),
                    reinterpret_cast<QRgb *>(piece.scanLine(at.y() + y)) + at.x());
    return piece;
}

QRectF coverCrop(QSize picture, QSizeF target)
{
    if (picture.isEmpty() || target.isEmpty())
        return {};
    const double scale = std::max(target.width() / picture.width(), target.height() / picture.height());
    const QSizeF seen(target.width() / scale, target.height() / scale);
    return QRectF(QPointF((picture.width() - seen.width()) / 2, (picture.height() - seen.height()) / 2),
                  seen);
}

QRect behind(const QRect &card, QSize paper, Turn turn, QPointF shiftMm)
{
    // Turned about its short edge, a sheet lying down swaps left and right, one standing up top and bottom.
    const bool lyingDown = paper.width() > paper.height();
    const bool acrossWidth = (turn == Turn::ShortEdge) == lyingDown;
    QRect back = card;
    if (acrossWidth)
        back.moveLeft(paper.width() - (card.x() + card.width()));
    else
        back.moveTop(paper.height() - (card.y() + card.height()));
    return back.translated(mmTwips(shiftMm.x()), mmTwips(shiftMm.y()));
}

const char *sidesFor(Turn turn)
{
    return turn == Turn::ShortEdge ? "two-sided-short-edge" : "two-sided-long-edge";
}

const char *mediaFor(Paper paper)
{
    return paper == Paper::A4 ? "iso_a4_210x297mm" : "na_letter_8.5x11in";
}

QRect CardGrid::slot(int index) const
{
    return QRect(origin + QPoint(index % columns * card.width(), index / columns * card.height()), card);
}

CardGrid cardGrid(Paper paper, CardSize size)
{
    // Around the cards: the edge band, the marks' distance and at least their shortest length.
    constexpr int kAround = kEdgeBand + kMarkGap + kMarkShortest;
    CardGrid best;
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        CardGrid g;
        g.orientation = orientation;
        g.paper = paperTwips(paper, orientation);
        g.card = cardTwips(size);
        g.columns = (g.paper.width() - 2 * kAround) / g.card.width();
        g.rows = (g.paper.height() - 2 * kAround) / g.card.height();
        if (g.perPage() > best.perPage()) // upright unless lying down holds more
            best = g;
    }
    const QSize grid(best.columns * best.card.width(), best.rows * best.card.height());
    best.origin = QPoint((best.paper.width() - grid.width()) / 2, (best.paper.height() - grid.height()) / 2);
    return best;
}

std::vector<QLine> marksAround(const std::vector<int> &xEdges, const std::vector<int> &yEdges,
                               const QRect &extent, QSize paper)
{
    // Along one axis the cards span [lo, hi); marks run outward from both ends, stopping at the edge band.
    const auto along = [](int lo, int hi, int paperSpan, auto &&line) {
        const int before = std::min(kMarkLength, lo - kMarkGap - kEdgeBand);
        if (before >= kMarkShortest)
            line(lo - kMarkGap - before, lo - kMarkGap);
        const int after = std::min(kMarkLength, paperSpan - kEdgeBand - (hi + kMarkGap));
        if (after >= kMarkShortest)
            line(hi + kMarkGap, hi + kMarkGap + after);
    };
    std::vector<QLine> marks;
    for (const int x : xEdges)
        along(extent.top(), extent.y() + extent.height(), paper.height(),
              [&](int a, int b) { marks.emplace_back(x, a, x, b); });
    for (const int y : yEdges)
        along(extent.left(), extent.x() + extent.width(), paper.width(),
              [&](int a, int b) { marks.emplace_back(a, y, b, y); });
    return marks;
}

} // namespace vellora::print
