#include "print/cardsides.h"

#include "print/cardimages.h"
#include "sheet/cardsheet.h"
#include "surface/smoothscale.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

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

// The white card as the card cut prints it: everything outside its whole white made white, corners too,
// so that what lies at the cut lies in the bleed as well.
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
    QImage face = smoothScaled(source, card);
    face.setDevicePixelRatio(1); // drawn pixel for pixel, whatever screen the picture was meant for
    const double sx = card.width() / cut.width(), sy = card.height() / cut.height();
    const double in = sheet::kCardWhiteInset - kCardCutInset;
    QPainterPath white;
    white.addRoundedRect(QRectF(in * sx, in * sy, card.width() - 2 * in * sx, card.height() - 2 * in * sy),
                         sheet::kCardCorner * sx, sheet::kCardCorner * sy);
    // Clipped without antialiasing: the shape's edge lies in whole white, where a soft edge shows as a line.
    QImage whitened(card, QImage::Format_RGB32);
    whitened.fill(Qt::white);
    QPainter painter(&whitened);
    painter.setClipPath(white);
    painter.drawImage(0, 0, face);
    painter.end();
    return bledCard(whitened, card, whole);
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
    const int dotsPerMetre = int(std::lround(kCardImageDpi / kMmPerInch * 1000));
    out.setDotsPerMeterX(dotsPerMetre);
    out.setDotsPerMeterY(dotsPerMetre);
    return out;
}

} // namespace vellora::print
