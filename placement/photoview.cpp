#include "placement/photoview.h"

#include "placement/scaledview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace vellora {

namespace {
const QColor kSlideBackground(192, 192, 192);
}

PhotoView::PhotoView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::SizeAllCursor);
}

void PhotoView::setView(const ScaledView *view)
{
    m_view = view;
    m_tile = QImage();
    m_tileRect = QRect();
    m_computed = 0;
    update();
}

void PhotoView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), kSlideBackground);
    if (!m_view || m_view->isEmpty())
        return;
    const QRect picture(QPoint(0, 0), m_view->size());
    const QRect needed = event->rect().intersected(picture);
    if (needed.isEmpty())
        return;
    if (!m_tileRect.contains(needed)) {
        // Right after a zoom only what shows is computed, so the zoom answers at once; once the picture is
        // dragged past that, a margin of half a view on every side saves recomputing on each small move.
        QRect wanted = needed;
        if (!m_tileRect.isNull()) {
            const QRect visible = visibleRegion().boundingRect();
            wanted = visible.adjusted(-visible.width() / 2, -visible.height() / 2, visible.width() / 2,
                                      visible.height() / 2)
                         .united(needed)
                         .intersected(picture);
        }
        m_tile = m_view->region(wanted);
        m_tileRect = wanted;
        m_computed += qint64(wanted.width()) * wanted.height();
    }
    painter.drawImage(needed.topLeft(), m_tile, needed.translated(-m_tileRect.topLeft()));
}

void PhotoView::mousePressEvent(QMouseEvent *event) { Q_EMIT mousePressed(event); }
void PhotoView::mouseMoveEvent(QMouseEvent *event) { Q_EMIT mouseMoved(event); }

} // namespace vellora
