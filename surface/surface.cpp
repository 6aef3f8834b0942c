#include "surface/surface.h"

#include "surface/twips.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cstring>

namespace vellora {

namespace {

QImage::Format workingFormat(const QImage &picture)
{
    return picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

} // namespace

int Surface::toPixels(double units) const
{
    if (m_units == Units::Pixels)
        return qRound(units);
    return scale == 1 ? px(units) : px(units * scale);
}

QRect Surface::sourcePixels(const QRect &twips) const
{
    if (scale == 1)
        return px(twips);
    return px(QRect(twips.x() * scale, twips.y() * scale, twips.width() * scale, twips.height() * scale));
}

QRect Surface::toPixels(const QRectF &r) const
{
    return {toPixels(r.x()), toPixels(r.y()), toPixels(r.width()), toPixels(r.height())};
}

void Surface::setPicture(const QImage &picture)
{
    m_image = picture.isNull() ? QImage() : picture.convertToFormat(workingFormat(picture));
}

void Surface::resize(int widthPixels, int heightPixels)
{
    m_image = QImage(widthPixels, heightPixels, QImage::Format_RGB32);
    clear();
}

void Surface::clear()
{
    if (!m_image.isNull())
        m_image.fill(backColor);
}

void Surface::paintPicture(const QImage &source, QRectF destination, QRectF sourceTwips)
{
    if (m_image.isNull() || source.isNull())
        return;
    const QRect from = sourceTwips.isEmpty() ? source.rect() : sourcePixels(sourceTwips.toRect());
    QRect to = toPixels(destination);
    if (destination.width() <= 0 || destination.height() <= 0)
        to.setSize(from.size());
    if (to.isEmpty() || from.isEmpty())
        return;
    if (to.size() == from.size()) {
        // Equal sizes: copy rows directly, so 1:1 copies stay exact and cost no more than the bytes moved.
        const QRect target = to.intersected(m_image.rect());
        const QRect origin = target.translated(from.topLeft() - to.topLeft()).intersected(source.rect());
        const QRect clipped = origin.translated(to.topLeft() - from.topLeft());
        if (clipped.isEmpty())
            return;
        // Only the copied part is converted when the formats differ; the sheet never needs it.
        const bool same = source.format() == m_image.format();
        const QImage part = same ? source : source.copy(origin).convertToFormat(m_image.format());
        const QPoint start = same ? origin.topLeft() : QPoint(0, 0);
        const int bytes = clipped.width() * 4;
        for (int y = 0; y < clipped.height(); ++y) {
            std::memcpy(m_image.scanLine(clipped.y() + y) + clipped.x() * 4,
                        part.constScanLine(start.y() + y) + start.x() * 4, bytes);
        }
        return;
    }
    // An opaque surface takes the source's colours as they are, transparent pixels included.
    const QImage opaque = !m_image.hasAlphaChannel() && source.hasAlphaChannel()
                              ? source.copy(from).convertToFormat(QImage::Format_RGB32)
                              : QImage();
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (opaque.isNull())
        painter.drawImage(to, source, from);
    else
        painter.drawImage(to, opaque);
}

void Surface::mirrorVertically()
{
    const int h = m_image.height();
    const qsizetype bytes = m_image.bytesPerLine();
    QByteArray row(bytes, Qt::Uninitialized);
    for (int y = 0; y < h / 2; ++y) {
        uchar *top = m_image.scanLine(y);
        uchar *bottom = m_image.scanLine(h - 1 - y);
        std::memcpy(row.data(), top, bytes);
        std::memcpy(top, bottom, bytes);
        std::memcpy(bottom, row.constData(), bytes);
    }
}

void Surface::line(QPointF from, QPointF to, QColor color)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setPen(color);
    painter.drawLine(QPoint(toPixels(from.x()), toPixels(from.y())), QPoint(toPixels(to.x()), toPixels(to.y())));
}

void Surface::box(QPointF from, QPointF to, QColor color, bool filled)
{
    if (m_image.isNull())
        return;
    // Both corners are inside the box whichever way round they come (QRect::normalized would drop an edge).
    const int x1 = toPixels(from.x()), y1 = toPixels(from.y()), x2 = toPixels(to.x()), y2 = toPixels(to.y());
    const QRect r(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2)));
    QPainter painter(&m_image);
    if (filled) {
        painter.fillRect(r, color);
    } else {
        painter.setPen(color);
        painter.drawRect(r.adjusted(0, 0, -1, -1).normalized());
        if (r.width() == 1 || r.height() == 1)
            painter.fillRect(r, color);
    }
}

void Surface::print(const QString &text)
{
    if (m_image.isNull())
        return;
    QFont font(fontName);
    font.setPixelSize(fontPixels(fontSize * scale));
    font.setBold(fontBold);
    QPainter painter(&m_image);
    painter.setFont(font);
    painter.setPen(foreColor);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetrics metrics(font, &m_image);
    const QPoint at(toPixels(current.x()), toPixels(current.y()));
    painter.drawText(at.x(), at.y() + metrics.ascent(), text);
}

} // namespace vellora
