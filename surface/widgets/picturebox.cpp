#include "surface/widgets/picturebox.h"

#include "surface/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vellora {

PictureBox::PictureBox(QWidget *parent, Surface::Units units) : QWidget(parent), m_surface(units)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_surface.setPicture(picture);
    if (m_autoSize && !picture.isNull())
        resize(picture.size());
    update();
}

void PictureBox::clear()
{
    m_surface.setPicture(QImage());
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_surface.backColor);
    // Whole-number scales double pixels exactly; at 125 or 150 % stretching to the nearest pixel would draw
    // some rows of a card twice and others once, so the picture is smoothed there instead.
    const qreal scale = devicePixelRatioF();
    if (scale != std::floor(scale))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_surface.isEmpty())
        painter.drawImage(0, 0, m_surface.image());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event);
}
void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event);
}
void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event);
}
void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_EMIT doubleClicked(event);
}

ShapeWidget::ShapeWidget(Kind kind, QColor color, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setLine(QPoint fromTwips, QPoint toTwips)
{
    const QPoint a = px(fromTwips), b = px(toTwips);
    // QRect(a, b) already includes both end points: a line is one pixel wide.
    setGeometry(QRect(a, b).normalized());
}

void ShapeWidget::setColor(QColor color)
{
    m_color = color;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_kind == Kind::Line)
        painter.fillRect(rect(), m_color);
    else {
        // Four filled edges rather than a pen: on a scaled screen a one-pixel pen at the widget's own top
        // and left edge falls outside the pixels it covers, and only the right and bottom would show.
        const int w = width(), h = height();
        for (const QRect &edge :
             {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h)})
            painter.fillRect(edge, m_color);
    }
}

} // namespace vellora
