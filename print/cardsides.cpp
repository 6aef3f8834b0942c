#include "print/cardsides.h"

#include "print/cardimages.h"
#include "sheet/cardsheet.h"
#include "surface/smoothscale.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vellora::print {

namespace {

using sheet::kCellHeight;
using sheet::kCellWidth;

// The cell as the frame cut prints it: its outline kFrameBandMm inside the cut, the felt carried outward.
QImage framedFace(const QImage &cell, CardSize size, QSize card, QSize whole)
{
    const QSizeF mm = cardMm(size);
    const double innerWidth = card.width() * (1 - 2 * kFrameBandMm / mm.width());
    const double innerHeight = card.height() * (1 - 2 * kFrameBandMm / mm.height());
    const QSize drawn(int(std::lround(innerWidth * kCellWidth / (kCellWidth - 2 * sheet::kCardInset))),
                      int(std::lround(innerHeight * kCellHeight / (kCellHeight - 2 * sheet::kCardInset))));
    return bledCard(cell, drawn, whole);
}

// The pixels of row y, [first, last), whose centres lie inside the rounded rectangle: the rows a
// non-antialiased clip to that shape keeps.
std::pair<int, int> roundedSpan(const QRectF &shape, double rx, double ry, int y)
{
    const double centre = y + 0.5;
    if (centre < shape.top() || centre >= shape.bottom())
        return {0, 0};
    rx = std::min(rx, shape.width() / 2);
    ry = std::min(ry, shape.height() / 2);
    const double fromCorner = std::max({shape.top() + ry - centre, centre - (shape.bottom() - ry), 0.0});
    const double inset =
        fromCorner > 0 ? rx - rx * std::sqrt(std::max(0.0, 1 - std::pow(fromCorner / ry, 2))) : 0;
    return {int(std::ceil(shape.left() + inset - 0.5)), int(std::ceil(shape.right() - inset - 0.5))};
}

// The white card as the card cut prints it: everything outside its whole white made white, corners too,
// so that what lies at the cut lies in the bleed as well. Kept row by row rather than painted through a
// clip: for a plain deck the export would spend longer whitening than encoding.
QImage whiteFace(const QImage &cell, QSize card, QSize whole)
{
    const double perTwip = double(cell.width()) / kCellWidth;
    const QRectF cut = QRectF(0, 0, kCellWidth, kCellHeight).adjusted(kCardCutInset, kCardCutInset,
                                                                     -kCardCutInset, -kCardCutInset);
    const QRectF pixels(cut.topLeft() * perTwip, cut.size() * perTwip);
    // Read where it lies rather than copied first, when it can be. Scaled on this thread: Qt's own smooth
    // scaling would share the work out over its global pool.
    const QRect part = pixels.toAlignedRect();
    const QImage source = cell.format() == QImage::Format_RGB32 && cell.rect().contains(part)
                              ? QImage(cell.constScanLine(part.y()) + std::size_t(part.x()) * 4, part.width(),
                                       part.height(), cell.bytesPerLine(), QImage::Format_RGB32)
                              : cell.copy(part).convertToFormat(QImage::Format_RGB32);
    const double sx = card.width() / cut.width(), sy = card.height() / cut.height();
    const double in = sheet::kCardWhiteInset - kCardCutInset;
    const QRectF shape(in * sx, in * sy, card.width() - 2 * in * sx, card.height() - 2 * in * sy);
    QImage out(whole, QImage::Format_RGB32);
    const int left = (whole.width() - card.width()) / 2, top = (whole.height() - card.height()) / 2;
    if (out.isNull() || !smoothScaleInto(source, out, QRect(QPoint(left, top), card)))
        return {};
    // The shape's edge lies in whole white, so the bleed beyond the card is white as well.
    for (int y = 0; y < whole.height(); ++y) {
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        const auto [first, last] =
            y < top || y >= top + card.height()
                ? std::pair(0, 0)
                : roundedSpan(shape, sheet::kCardCorner * sx, sheet::kCardCorner * sy, y - top);
        if (first >= last) {
            std::fill_n(to, whole.width(), QRgb(0xffffffff));
            continue;
        }
        std::fill_n(to, left + first, QRgb(0xffffffff));
        std::fill_n(to + left + last, whole.width() - left - last, QRgb(0xffffffff));
    }
    stampDpi(out, kCardImageDpi);
    return out;
}

} // namespace

QSize fullBleedBackDots()
{
    QSize largest;
    for (const CardSize size : {CardSize::Size63x88, CardSize::Size57x90, CardSize::Poker, CardSize::Bridge})
        largest = largest.expandedTo(bledDots(size, kMaxBleedMm));
    return largest;
}

QImage shopFace(const QImage &cell, FaceCut cut, CardSize size, QSize card, QSize whole)
{
    return cut == FaceCut::Frame ? framedFace(cell, size, card, whole) : whiteFace(cell, card, whole);
}

QImage shopBack(const BackChoice &back, CardSize size, double bleedMm, QSize card, QSize whole)
{
    const QImage &drawing = back.fullBleed;
    const QSize bled = bledDots(size, bleedMm);
    if (drawing.width() < bled.width() || drawing.height() < bled.height())
        return bledCard(back.image, card, whole, true);
    const QPoint corner((drawing.width() - bled.width()) / 2, (drawing.height() - bled.height()) / 2);
    QImage out = drawing.copy(QRect(corner, bled)).convertToFormat(QImage::Format_RGB32);
    stampDpi(out, kCardImageDpi);
    return out;
}

} // namespace vellora::print
