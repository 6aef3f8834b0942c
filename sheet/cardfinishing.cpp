#include "sheet/cardfinishing.h"

#include "sheet/piptables.h"
#include "surface/surface.h"
#include "surface/twips.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace vellora::finishing {

namespace {

// Index label positions in the cell, twips: the text's top-left corner.
constexpr int kLabelLeft = 405;
constexpr int kLabelRight = 3510;
constexpr int kLabelRightOfTen = 3255; // "10" is two digits wide and would run into the corner pip
constexpr int kLabelTop = 300;
constexpr int kTenColumn = 9;

bool isPlain32Bit(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

// Each channel keeps the darker of sheet and ink. On the white card this is exactly the antialiased text, and
// unlike blending it can be repeated: a second run prints the labels over themselves, and blending would
// darken their soft edges a little more every time.
void stampDarker(QImage &target, const QImage &ink, QPoint at)
{
    const QRect area = QRect(at, ink.size()).intersected(target.rect());
    if (area.isEmpty())
        return;
    if (!isPlain32Bit(target.format())) {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Darken);
        painter.drawImage(at, ink);
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *dst = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        const auto *src = reinterpret_cast<const QRgb *>(ink.constScanLine(y - at.y())) + (area.left() - at.x());
        for (int x = 0; x < area.width(); ++x) {
            const QRgb d = dst[x];
            const QRgb s = src[x];
            dst[x] = qRgba(std::min(qRed(d), qRed(s)), std::min(qGreen(d), qGreen(s)), std::min(qBlue(d), qBlue(s)),
                           qAlpha(d));
        }
    }
}

QRect inkBounds(const QImage &image, QRgb background)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

IndexLabels::IndexLabels(const Surface &sheet, const QColor &ink)
{
    QFont font(sheet.fontName);
    font.setPixelSize(fontPixels(sheet.fontSize * sheet.scale));
    font.setBold(sheet.fontBold);
    const QFontMetrics metrics(font);
    // Room around the text for glyphs that reach past their advance or above the ascent.
    const int margin = metrics.height() / 2;
    for (int column = 0; column < sheet::kJokerColumn; ++column) {
        const QString text = sheet::rankLabel(column);
        Surface layer(Surface::Units::Pixels);
        layer.backColor = Qt::white;
        layer.resize(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin);
        layer.fontName = sheet.fontName;
        layer.fontSize = sheet.fontSize;
        layer.fontBold = sheet.fontBold;
        layer.scale = sheet.scale;
        layer.foreColor = ink;
        layer.current = QPointF(margin, margin);
        layer.print(text);
        const QRect ink = inkBounds(layer.image(), layer.image().pixel(0, 0));
        if (ink.isEmpty())
            continue; // nothing to stamp, as with a text colour of white
        m_ink[column] = {layer.image().copy(ink), ink.topLeft() - QPoint(margin, margin)};
    }
}

void IndexLabels::print(Surface &sheet, int column, QPoint topLeftTwips) const
{
    sheet.current = QPointF(topLeftTwips);
    const Ink &ink = m_ink.at(column);
    if (ink.image.isNull() || sheet.isEmpty())
        return;
    stampDarker(sheet.image(), ink.image,
                QPoint(sheet.toPixels(topLeftTwips.x()), sheet.toPixels(topLeftTwips.y())) + ink.offset);
}

Surface makeFlipPic(const Surface &sheet)
{
    // In the sheet's own pixel format, so that both copies of a card's half stay plain row copies.
    Surface flip;
    flip.scale = sheet.scale;
    flip.image() = QImage(sheet.toPixels(sheet::kCellWidth), sheet.toPixels(sheet::kHalfHeight),
                          sheet.isEmpty() ? QImage::Format_RGB32 : sheet.image().format());
    flip.clear();
    return flip;
}

namespace {

// A pip of the second phase that lies wholly in the upper half (the 7's centre pip) is mirrored or turned by
// the next run and would turn up a second time, upside down, in the lower half: an eighth pip on the 7, and in
// the old symbols when another set was chosen. Leaving that image as the sheet has it makes a repeated run
// give the same card. For the pips that straddle the middle the kept part is painted over by the pip itself.
std::vector<QRect> keptBelow(int column, bool turned)
{
    const QRect lowerHalf(0, sheet::kMirrorOffset, sheet::kCellWidth, sheet::kHalfHeight - kTwipsPerPixel);
    std::vector<QRect> kept;
    for (const pips::Step &step : pips::phaseB()) {
        if (std::find(step.columns.begin(), step.columns.end(), column) == step.columns.end())
            continue;
        for (const QPoint offset : step.offsets) {
            const int left = turned ? sheet::kCellWidth - offset.x() - step.size : offset.x();
            const int top = sheet::kMirrorOffset + sheet::kHalfHeight - offset.y() - step.size;
            if (const QRect image = QRect(left, top, step.size, step.size).intersected(lowerHalf); !image.isEmpty())
                kept.push_back(image);
        }
    }
    return kept;
}

} // namespace

std::vector<QRect> keptByMirroring(int column) { return keptBelow(column, false); }

void mirrorCard(Surface &sheet, Surface &flipPic, QPoint cellTwips, std::span<const QRect> keep)
{
    const QRectF half(0, 0, sheet::kCellWidth, sheet::kHalfHeight);
    flipPic.paintPicture(sheet.image(), half, half.translated(cellTwips));
    flipPic.mirrorVertically();
    // What is to be kept goes into the scratch half where it will be painted back from, so the lower half
    // still goes back in one piece.
    for (const QRect &kept : keep)
        flipPic.paintPicture(sheet.image(), kept.translated(0, -sheet::kMirrorOffset), kept.translated(cellTwips));
    // Painted whole at 3015 twips down, the mirrored half's last row (the card's own top row) would land on the
    // top row of the card below and spoil it. Only the 199 rows that belong to this card's lower half are
    // painted back; row 200 stays as the sheet had it.
    const QRectF lower(0, 0, sheet::kCellWidth, sheet::kHalfHeight - kTwipsPerPixel);
    sheet.paintPicture(flipPic.image(), lower.translated(cellTwips + QPoint(0, sheet::kMirrorOffset)), lower);
}

std::vector<QRect> keptByTurning(int column) { return keptBelow(column, true); }

std::vector<QRect> turnedPips(int column)
{
    std::vector<QRect> placed;
    for (const pips::Step &step : pips::phaseA()) {
        if (step.size != pips::kPip ||
            std::find(step.columns.begin(), step.columns.end(), column) == step.columns.end())
            continue;
        for (const QPoint offset : step.offsets)
            placed.emplace_back(offset, QSize(step.size, step.size));
    }
    return placed;
}

void turnCard(Surface &sheet, Surface &flipPic, QPoint cellTwips, std::span<const QRect> keep,
              std::span<const QRect> pips)
{
    const QRectF half(0, 0, sheet::kCellWidth, sheet::kHalfHeight);
    flipPic.paintPicture(sheet.image(), half, half.translated(cellTwips));
    flipPic.image() = flipPic.image().mirrored(true, true);
    QImage &turned = flipPic.image();
    for (const QRect &kept : keep)
        flipPic.paintPicture(sheet.image(), kept.translated(0, -sheet::kMirrorOffset),
                             kept.translated(cellTwips));
    // The pip columns are not symmetric about the card's middle, so a turned pip stands a pixel or more off
    // its column. Each is lifted from where the turn put it, which then keeps what the card has there, and
    // set below its own place, where the mirror would set it.
    const auto origin = [&](QPoint twips) { return sheet.toPixels(QRectF(twips, QSizeF(1, 1))).topLeft(); };
    const QPoint upperOrigin = origin(cellTwips);
    const QPoint lowerOrigin = origin(cellTwips + QPoint(0, sheet::kMirrorOffset));
    struct Lifted
    {
        QRect from;
        QImage pip;
    };
    std::vector<Lifted> lifted;
    for (const QRect &pip : pips) {
        const QRect upper = sheet.toPixels(QRectF(pip.translated(cellTwips))).translated(-upperOrigin);
        const QRect from(turned.width() - 1 - upper.right(), turned.height() - 1 - upper.bottom(),
                         upper.width(), upper.height());
        lifted.push_back({from, turned.copy(from)});
    }
    QPainter painter(&turned);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Lifted &pip : lifted)
        painter.drawImage(pip.from.topLeft(), sheet.image(), pip.from.translated(lowerOrigin));
    for (const Lifted &pip : lifted)
        painter.drawImage(QPoint(turned.width() - pip.from.right() - 1, pip.from.top()), pip.pip);
    painter.end();
    const QRectF lower(0, 0, sheet::kCellWidth, sheet::kHalfHeight - kTwipsPerPixel);
    sheet.paintPicture(flipPic.image(), lower.translated(cellTwips + QPoint(0, sheet::kMirrorOffset)), lower);
}

namespace {

const Surface &withLabelFont(Surface &sheet)
{
    sheet.fontName = QStringLiteral("Arial");
    sheet.fontSize = 28;
    sheet.fontBold = true;
    return sheet;
}

} // namespace

CardFinisher::CardFinisher(Surface &sheet, const KolomX &kolomX, CardStyle style,
                           const std::array<QColor, sheet::kRows> &inks)
    : m_sheet(sheet), m_kolomX(kolomX), m_style(style), m_flipPic(makeFlipPic(sheet))
{
    withLabelFont(sheet);
    for (int row = 0; row < sheet::kRows; ++row) {
        // Rows of one ink share their labels rather than rendering them again.
        const auto *same = std::find(inks.begin(), inks.begin() + row, inks[row]);
        if (same != inks.begin() + row)
            m_labels.push_back(m_labels[std::size_t(same - inks.begin())]);
        else
            m_labels.emplace_back(sheet, inks[row]);
    }
    for (int c = 0; c < sheet::kJokerColumn; ++c) {
        m_kept[c] = style == CardStyle::Classic ? keptByTurning(c) : keptByMirroring(c);
        if (style == CardStyle::Classic)
            m_turnedPips[c] = turnedPips(c);
    }
}

bool CardFinisher::finishNext()
{
    if (m_finished == sheet::kRows * sheet::kJokerColumn)
        return false;
    const int row = m_finished / sheet::kJokerColumn;
    const int c = m_finished % sheet::kJokerColumn;
    const int y = kLabelTop + row * sheet::kCellHeight;
    const IndexLabels &labels = m_labels[std::size_t(row)];
    labels.print(m_sheet, c, {m_kolomX[c] + kLabelLeft, y});
    labels.print(m_sheet, c, {m_kolomX[c] + (c == kTenColumn ? kLabelRightOfTen : kLabelRight), y});
    if (m_style == CardStyle::Classic)
        turnCard(m_sheet, m_flipPic, {m_kolomX[c], y - kLabelTop}, m_kept[c], m_turnedPips[c]);
    else
        mirrorCard(m_sheet, m_flipPic, {m_kolomX[c], y - kLabelTop}, m_kept[c]);
    ++m_finished;
    return true;
}

} // namespace vellora::finishing
