#pragma once

// What the card backs are drawn with: the page's geometry, where a back is drawn, and the shapes every
// pattern takes. For backs.cpp alone.

#include "appdata/src/appdata.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <functional>

namespace appdata::backparts {

constexpr double kW = kBackWidth;
constexpr double kH = kBackHeight;
constexpr double kMargin = 46;

// Where a back is drawn, in the page's coordinates: the A4 page itself, clipped to its margin and framed, or
// the larger area of the full-bleed drawing around the same centre.
struct Canvas {
    QRectF area;
    bool page;
};

QPointF centre();

// The first step of a repeating pattern: on the page as it has always been drawn, so the page keeps its
// bytes; beyond it from a step before `edge`.
int firstStep(const Canvas &c, double edge, double pitch, int onPage);

// Past the last step, the same way.
int endStep(const Canvas &c, double edge, double pitch, int onPage);

// Division that rounds down, so a checker keeps its order left of and above the page too.
int floorDiv(int a, int b);

// Samples for a curve across the area, as many per pixel as across the page.
int samples(const Canvas &c, int onPage);

// Column positions of a repeating pattern, placed so that the page centre falls on a column: the
// pattern then mirrors about the middle, and the back looks the same either way round.
double gridX(double step, int col);

// `steps` + 1 points of f over 0 to 1.
QPolygonF curve(int steps, const std::function<QPointF(double)> &f);

// A spirograph rosette, the basis of guilloche work: a circle of radius/lobes rolling inside one of
// `radius`, traced by a pen `pen` from its centre. A whole number of lobes closes the curve in one turn.
QPolygonF rosette(QPointF c, double radius, int lobes, double pen, double phase = 0);

QPainterPath placedSuit(int suit, QPointF c, double size, double degrees = 0);

// Border: double line with corner suits, drawn over the pattern.
void frame(QPainter &p, QColor line, QColor corner, bool suits = true);

void medallion(QPainter &p, double radius, QColor ring, QColor fill, QColor ink);

} // namespace appdata::backparts
