#pragma once

#include "surface/surface.h"

#include <QColor>
#include <QWidget>

namespace vellora {

// A window's picture surface on screen: shows the surface's persistent image at 1:1 from its top-left,
// the background colour elsewhere. Callers paint through surface() and call refresh().
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr, Surface::Units units = Surface::Units::Twips);

    Surface &surface() { return m_surface; }
    const Surface &surface() const { return m_surface; }
    const QImage &image() const { return m_surface.image(); }

    // With automatic sizing the widget takes the picture's size.
    void setPicture(const QImage &picture);
    void setAutoSize(bool on) { m_autoSize = on; }
    void clear();
    void refresh() { update(); }

Q_SIGNALS:
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    void doubleClicked(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Surface m_surface;
    bool m_autoSize = false;
};

// A line or rectangle laid over a picture, as the design draws guides and frames.
class ShapeWidget : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Line, Rectangle };
    ShapeWidget(Kind kind, QColor color, QWidget *parent = nullptr);
    // Line end points in twips of the parent; the widget covers them.
    void setLine(QPoint fromTwips, QPoint toTwips);
    void setColor(QColor color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_color;
};

} // namespace vellora
