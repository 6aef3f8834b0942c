#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace vellora {

class ScaledView;

// SlidePic: the zoomed picture the user drags inside the viewport. The widget is as large as the zoomed
// picture, but only the part the viewport shows is ever computed: it is kept in a tile a little larger than
// the view, so that dragging mostly repaints from the tile.
class PhotoView : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoView(QWidget *parent = nullptr);

    // The picture to show, or none; the view must outlive its use here. Forgets the tile.
    void setView(const ScaledView *view);

    // Pixels of the zoomed picture computed for the screen since the last setView: what zooming cost.
    qint64 computedPixels() const { return m_computed; }

Q_SIGNALS:
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    const ScaledView *m_view = nullptr;
    QImage m_tile;
    QRect m_tileRect;
    qint64 m_computed = 0;
};

} // namespace vellora
