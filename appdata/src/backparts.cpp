#include "appdata/src/backparts.h"
#include "appdata/src/common.h"

#include <QTransform>
#include <QtMath>

#include <cmath>

namespace appdata::backparts {

QPointF centre() { return {kW / 2, kH / 2}; }

int firstStep(const Canvas &c, double edge, double pitch, int onPage)
{
    return c.page ? onPage : int(std::floor(edge / pitch)) - 1;
}

int endStep(const Canvas &c, double edge, double pitch, int onPage)
{
    return c.page ? onPage : int(std::ceil(edge / pitch)) + 2;
}

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int samples(const Canvas &c, int onPage) { return int(std::lround(onPage * c.area.width() / kW)); }

double gridX(double step, int col) { return std::fmod(kW / 2, step) + (col - 1) * step; }

QPolygonF curve(int steps, const std::function<QPointF(double)> &f)
{
    QPolygonF poly;
    poly.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i)
        poly << f(double(i) / steps);
    return poly;
}

QPolygonF rosette(QPointF c, double radius, int lobes, double pen, double phase)
{
    const double small = radius / lobes;
    const double k = lobes - 1;
    return curve(lobes * 240, [=](double t) {
        const double a = t * 2 * M_PI;
        const QPointF p((radius - small) * std::cos(a) + pen * std::cos(k * a),
                        (radius - small) * std::sin(a) - pen * std::sin(k * a));
        return c + QTransform().rotateRadians(phase).map(p);
    });
}

QPainterPath placedSuit(int suit, QPointF c, double size, double degrees)
{
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(degrees);
    t.scale(size / 100, size / 100);
    t.translate(-50, -50);
    return t.map(suitPath(suit));
}

void frame(QPainter &p, QColor line, QColor corner, bool suits)
{
    const QRectF outer(kMargin, kMargin, kW - 2 * kMargin, kH - 2 * kMargin);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 7));
    p.drawRoundedRect(outer.adjusted(22, 22, -22, -22), 26, 26);
    p.setPen(QPen(line, 2.5));
    p.drawRoundedRect(outer.adjusted(38, 38, -38, -38), 18, 18);
    if (!suits)
        return;
    const QPointF corners[4] = {outer.topLeft() + QPointF(60, 60), outer.topRight() + QPointF(-60, 60),
                                outer.bottomLeft() + QPointF(60, -60), outer.bottomRight() + QPointF(-60, -60)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(line);
        p.drawEllipse(corners[i], 34, 34);
        p.fillPath(placedSuit(i, corners[i], 40), corner);
    }
}

void medallion(QPainter &p, double radius, QColor ring, QColor fill, QColor ink)
{
    const QPointF c = centre();
    p.setPen(QPen(ring, 10));
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(ring, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius - 16, radius - 16);
    const double d = radius * 0.38;
    const QPointF at[4] = {c + QPointF(0, -d), c + QPointF(d, 0), c + QPointF(0, d), c + QPointF(-d, 0)};
    for (int i = 0; i < 4; ++i)
        p.fillPath(placedSuit(i, at[i], radius * 0.5), ink);
}

} // namespace appdata::backparts
