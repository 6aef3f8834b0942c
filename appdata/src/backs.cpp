#include "appdata/src/appdata.h"
#include "appdata/src/backparts.h"
#include "appdata/src/common.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>
#include <functional>

// Card backs, one A4 page each. The pattern runs right up to a white margin and a frame, as on a bought
// deck, so whatever part of the page a card is cut from still shows a whole, even design.
//
// A print shop cuts every card from a sheet with bleed, so each back is also drawn without margin or frame,
// the pattern running past every edge of the largest card and bleed. A frame or rim near the cut would show
// a miscut of a millimetre as uneven borders; an all-over pattern shows none.

namespace appdata {

namespace {

using namespace backparts;

void blueGuilloche(QPainter &p, const Canvas &c)
{
    const QRectF a = c.area;
    p.fillRect(a, QColor(0x14, 0x2f, 0x6b));
    // Horizontal waves, each a little out of phase with the last: the moiré of banknote paper.
    p.setPen(QPen(QColor(120, 160, 230, 150), 1.6));
    for (int row = firstStep(c, a.top(), 15, 0); row < endStep(c, a.bottom(), 15, 120); ++row) {
        const double y0 = row * 15.0;
        p.drawPolyline(curve(samples(c, 400), [=](double t) {
            const double x = a.left() + t * a.width();
            return QPointF(x, y0 + 9 * std::sin(x / 38.0 + row * 0.35) + 4 * std::sin(x / 13.0));
        }));
    }
    const QPointF m = centre();
    for (int i = 0; i < 8; ++i) {
        p.setPen(QPen(QColor(235, 242, 255, 210 - i * 12), 1.8));
        p.drawPolyline(rosette(m, 330 - i * 8, 18, 90 - i * 6, i * M_PI / 72));
    }
    p.setPen(QPen(QColor(235, 242, 255, 220), 2.2));
    p.drawPolyline(rosette(m, 150, 12, 40));
    p.drawPolyline(rosette(m, 150, 12, 40, M_PI / 12));
    for (QPointF q : {QPointF(kW * 0.25, kH * 0.17), QPointF(kW * 0.75, kH * 0.17), QPointF(kW * 0.25, kH * 0.83),
                      QPointF(kW * 0.75, kH * 0.83)}) {
        p.setPen(QPen(QColor(235, 242, 255, 190), 1.6));
        p.drawPolyline(rosette(q, 120, 10, 38));
        p.drawPolyline(rosette(q, 120, 10, 38, M_PI / 10));
    }
    if (c.page)
        frame(p, QColor(235, 242, 255), QColor(0x14, 0x2f, 0x6b));
}

void redLattice(QPainter &p, const Canvas &c)
{
    const QColor light(0xc8, 0x10, 0x2e), dark(0x8e, 0x0c, 0x22);
    const QRectF a = c.area;
    p.fillRect(a, dark);
    const double w = 124, h = 168;
    for (int row = firstStep(c, a.top(), h / 2, -1); row * h / 2 < a.bottom() + h; ++row)
        for (int col = firstStep(c, a.left(), w, -1); col * w < a.right() + w; ++col) {
            const QPointF at(col * w + (row % 2 ? w / 2 : 0), row * h / 2);
            QPolygonF dia;
            dia << at + QPointF(0, -h / 2) << at + QPointF(w / 2, 0) << at + QPointF(0, h / 2)
                << at + QPointF(-w / 2, 0);
            p.setPen(Qt::NoPen);
            p.setBrush((floorDiv(row + 4, 2) + col) % 2 ? light : QColor(0xb0, 0x0e, 0x28));
            p.drawPolygon(dia);
            p.fillPath(placedSuit(row % 2 ? 2 : 0, at, 34), QColor(255, 255, 255, 70));
        }
    // The thin white diagonals of an argyle, on the page from its top edge, beyond it over the whole area.
    p.setPen(QPen(QColor(255, 235, 235, 170), 2.2, Qt::DashLine));
    const double top = c.page ? 0 : a.top(), bottom = c.page ? kH : a.bottom();
    const int more = c.page ? 0 : int(std::ceil((a.height() - a.left()) / w)) + 1;
    for (double k = -kH - more * w; k < a.right() + a.height() + more * w; k += w) {
        p.drawLine(QPointF(k + top * w / h, top), QPointF(k + bottom * w / h, bottom));
        p.drawLine(QPointF(k - top * w / h, top), QPointF(k - bottom * w / h, bottom));
    }
    if (c.page)
        frame(p, QColor(255, 246, 236), dark);
}

void greenRosettes(QPainter &p, const Canvas &canvas)
{
    const QRectF a = canvas.area;
    p.fillRect(a, QColor(0x1d, 0x5c, 0x3a));
    const double step = 118;
    for (int row = firstStep(canvas, a.top(), step * 0.87, 0); row * step * 0.87 < a.bottom() + step; ++row)
        for (int col = firstStep(canvas, a.left(), step, 0); col * step < a.right() + step; ++col) {
            const QPointF c(gridX(step, col) + (row % 2 ? step / 2 : 0), row * step * 0.87);
            for (int petal = 0; petal < 8; ++petal) {
                p.save();
                p.translate(c);
                p.rotate(petal * 45);
                QPainterPath leaf;
                leaf.moveTo(0, 0);
                leaf.cubicTo(14, -18, 14, -40, 0, -50);
                leaf.cubicTo(-14, -40, -14, -18, 0, 0);
                p.setPen(QPen(QColor(220, 240, 200, 200), 1.6));
                p.setBrush(petal % 2 ? QColor(0x2f, 0x8a, 0x55) : QColor(0x3f, 0xa0, 0x66));
                p.drawPath(leaf);
                p.restore();
            }
            p.setPen(QPen(QColor(0xf2, 0xd0, 0x6b), 2));
            p.setBrush(QColor(0xf2, 0xd0, 0x6b, 200));
            p.drawEllipse(c, 8, 8);
        }
    medallion(p, 210, QColor(0xf2, 0xd0, 0x6b), QColor(0x1d, 0x5c, 0x3a), QColor(0xf7, 0xf1, 0xdc));
    if (canvas.page)
        frame(p, QColor(0xf2, 0xd0, 0x6b), QColor(0x1d, 0x5c, 0x3a));
}

void decoFans(QPainter &p, const Canvas &canvas)
{
    const QColor ground(0x5a, 0x10, 0x22), gold(0xd9, 0xb2, 0x4c);
    const QRectF a = canvas.area;
    p.fillRect(a, ground);
    // Overlapping fans in rows, each row shifted half a fan: a scallop pattern.
    const double r = 80;
    const int topRow = firstStep(canvas, a.top(), r * 0.6, 0);
    for (int row = int(a.bottom() / (r * 0.6)) + 2; row >= topRow; --row)
        for (int col = firstStep(canvas, a.left(), 2 * r, -1); col * 2 * r < a.right() + 2 * r; ++col) {
            const QPointF c(gridX(2 * r, col) + (row % 2 ? r : 0), row * r * 0.6);
            p.setPen(QPen(gold, 2));
            p.setBrush(row % 2 ? QColor(0x6e, 0x16, 0x2c) : ground);
            p.drawPie(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180 * 16);
            for (int ray = 1; ray < 8; ++ray) {
                const double a = M_PI * ray / 8;
                p.drawLine(c, c + QPointF(-r * 0.92 * std::cos(a), -r * 0.92 * std::sin(a)));
            }
            p.drawArc(QRectF(c.x() - r * 0.45, c.y() - r * 0.45, r * 0.9, r * 0.9), 0, 180 * 16);
        }
    // Sunburst in the middle.
    const QPointF c = centre();
    for (int i = 0; i < 48; ++i) {
        const double a0 = 2 * M_PI * i / 48, a1 = 2 * M_PI * (i + 0.5) / 48;
        QPolygonF tri;
        tri << c << c + 330 * QPointF(std::cos(a0), std::sin(a0)) << c + 330 * QPointF(std::cos(a1), std::sin(a1));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd9, 0xb2, 0x4c, 110));
        p.drawPolygon(tri);
    }
    medallion(p, 190, gold, ground, gold);
    if (canvas.page)
        frame(p, gold, ground);
}

void starryNight(QPainter &p, const Canvas &canvas)
{
    const QRectF a = canvas.area;
    // Beyond the page the gradient's ends carry on, and both ends are the same blue.
    QLinearGradient g(0, 0, 0, kH);
    g.setColorAt(0, QColor(0x0b, 0x1a, 0x40));
    g.setColorAt(0.5, QColor(0x18, 0x2c, 0x66));
    g.setColorAt(1, QColor(0x0b, 0x1a, 0x40));
    p.fillRect(a, g);
    auto star = [](QPointF c, double r, int points = 5) {
        QPolygonF poly;
        for (int k = 0; k < 2 * points; ++k) {
            const double a = -M_PI / 2 + k * M_PI / points, rr = k % 2 ? r * 0.45 : r;
            poly << c + rr * QPointF(std::cos(a), std::sin(a));
        }
        return poly;
    };
    const double step = 96;
    p.setPen(Qt::NoPen);
    for (int row = firstStep(canvas, a.top(), step, 0); row * step < a.bottom() + step; ++row)
        for (int col = firstStep(canvas, a.left(), step, 0); col * step < a.right() + step; ++col) {
            const QPointF c(gridX(step, col) + (row % 2 ? step / 2 : 0), row * step);
            p.setBrush(QColor(0xf5, 0xd7, 0x6e));
            p.drawPolygon(star(c, 16));
            p.setBrush(QColor(200, 215, 255, 120));
            p.drawEllipse(c + QPointF(step / 2, step / 2), 3, 3);
        }
    Rng rng(0x57a55u);
    p.setBrush(QColor(255, 255, 255, 170));
    for (int i = 0; i < 400; ++i)
        p.drawEllipse(QPointF(rng.range(0, kW), rng.range(0, kH)), rng.range(0.8, 2.2), rng.range(0.8, 2.2));
    // The page's stars stay where they are; around it as many again to the pixel.
    Rng around(0xb1eedu);
    const int more = canvas.page ? 0 : int(400 * (a.width() * a.height() / (kW * kH) - 1));
    for (int i = 0; i < more; ++i) {
        const QPointF at(around.range(a.left(), a.right()), around.range(a.top(), a.bottom()));
        const double rx = around.range(0.8, 2.2), ry = around.range(0.8, 2.2);
        if (!QRectF(0, 0, kW, kH).contains(at))
            p.drawEllipse(at, rx, ry);
    }
    const QPointF c = centre();
    p.setBrush(QColor(0xf5, 0xd7, 0x6e));
    p.drawPolygon(star(c, 330, 8));
    medallion(p, 180, QColor(0xf5, 0xd7, 0x6e), QColor(0x0b, 0x1a, 0x40), QColor(0xf5, 0xd7, 0x6e));
    if (canvas.page)
        frame(p, QColor(0xf5, 0xd7, 0x6e), QColor(0x0b, 0x1a, 0x40));
}

void tealWaves(QPainter &p, const Canvas &canvas)
{
    const QRectF a = canvas.area;
    p.fillRect(a, QColor(0x0d, 0x5c, 0x56));
    // Bands of interlaced sine curves, alternately light and dark, as in engraved security patterns.
    for (int band = firstStep(canvas, a.top(), 130, 0); band < endStep(canvas, a.bottom(), 130, 14); ++band) {
        const double y0 = band * 130.0 + 40;
        for (int k = 0; k < 9; ++k) {
            p.setPen(QPen(band % 2 ? QColor(180, 240, 230, 170) : QColor(255, 255, 255, 200), 1.8));
            p.drawPolyline(curve(samples(canvas, 600), [=](double t) {
                const double x = a.left() + t * a.width();
                return QPointF(x, y0 + 48 * std::sin(x / 60.0 + k * 0.7) * std::cos(x / 410.0 + band));
            }));
        }
    }
    const QPointF c = centre();
    p.setPen(QPen(QColor(0xe6, 0xfa, 0xf5), 6));
    p.setBrush(QColor(0x0d, 0x5c, 0x56));
    p.drawEllipse(c, 300, 300);
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 230 - i * 20), 1.6));
        p.drawPolyline(rosette(c, 250, 24, 60 - i * 8, i * M_PI / 48));
    }
    p.setPen(QPen(QColor(180, 240, 230, 220), 1.6));
    p.drawPolyline(rosette(c, 120, 8, 46));
    p.drawPolyline(rosette(c, 120, 8, 46, M_PI / 8));
    if (canvas.page)
        frame(p, QColor(0xe6, 0xfa, 0xf5), QColor(0x0d, 0x5c, 0x56));
}

void purpleQuatrefoils(QPainter &p, const Canvas &canvas)
{
    const QColor ground(0x4a, 0x1c, 0x68), light(0xe9, 0xd8, 0xf4);
    const QRectF a = canvas.area;
    p.fillRect(a, ground);
    const double step = 104;
    for (int row = firstStep(canvas, a.top(), step, 0); row * step < a.bottom() + step; ++row)
        for (int col = firstStep(canvas, a.left(), step, 0); col * step < a.right() + step; ++col) {
            const QPointF c(gridX(step, col), row * step);
            QPainterPath q;
            for (int i = 0; i < 4; ++i)
                q.addEllipse(c + 20 * QPointF(std::cos(i * M_PI / 2), std::sin(i * M_PI / 2)), 22, 22);
            q = q.simplified();
            p.setPen(QPen(light, 3));
            p.setBrush((row + col) % 2 ? QColor(0x6a, 0x2c, 0x91) : QColor(0x5a, 0x22, 0x7c));
            p.drawPath(q);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xe3, 0xb5, 0x3b));
            p.drawEllipse(c, 7, 7);
            // A small diamond where four tiles meet.
            const QPointF m = c + QPointF(step / 2, step / 2);
            QPolygonF dia;
            dia << m + QPointF(0, -12) << m + QPointF(9, 0) << m + QPointF(0, 12) << m + QPointF(-9, 0);
            p.setBrush(light);
            p.drawPolygon(dia);
        }
    if (canvas.page)
        frame(p, light, ground);
}

void blackGold(QPainter &p, const Canvas &canvas)
{
    const QColor gold(0xd4, 0xaf, 0x37);
    const QRectF a = canvas.area;
    p.fillRect(a, QColor(0x12, 0x12, 0x14));
    // Nested rounded frames shrinking towards the centre, like an engraved plate; beyond the page they
    // carry on outward at the same pitch.
    p.setBrush(Qt::NoBrush);
    for (int i = firstStep(canvas, a.left() - 60, 14, 0); i < 44; ++i) {
        const double inset = 60 + i * 14;
        QColor c = gold;
        c.setAlpha(i % 4 == 0 ? 220 : 90);
        p.setPen(QPen(c, i % 4 == 0 ? 2.6 : 1.2));
        p.drawRoundedRect(QRectF(inset, inset * kH / kW, kW - 2 * inset, kH - 2 * inset * kH / kW), 40, 40);
    }
    // Diagonal fine hatching under a central emblem.
    const QPointF c = centre();
    QRadialGradient glow(c, 420);
    glow.setColorAt(0, QColor(0x3a, 0x30, 0x14));
    glow.setColorAt(1, QColor(0x12, 0x12, 0x14, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, 420, 420);
    p.setPen(QPen(gold, 2));
    for (int i = 0; i < 4; ++i)
        p.drawPolyline(rosette(c, 260, 16, 50 + i * 10, i * M_PI / 32));
    medallion(p, 170, gold, QColor(0x12, 0x12, 0x14), gold);
    if (canvas.page)
        frame(p, gold, QColor(0x12, 0x12, 0x14));
}

void drawBack(QPainter &p, int index, const Canvas &c)
{
    switch (index) {
    case 0: blueGuilloche(p, c); break;
    case 1: redLattice(p, c); break;
    case 2: greenRosettes(p, c); break;
    case 3: decoFans(p, c); break;
    case 4: starryNight(p, c); break;
    case 5: tealWaves(p, c); break;
    case 6: purpleQuatrefoils(p, c); break;
    default: blackGold(p, c); break;
    }
}

} // namespace

QImage renderBack(int index)
{
    if (index < 0 || index >= kBacks)
        return QImage();
    QImage img = blankImage(kBackWidth, kBackHeight, Qt::white);
    img.setDotsPerMeterX(5906); // 150 dpi: a full A4 page
    img.setDotsPerMeterY(5906);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.addRoundedRect(QRectF(kMargin, kMargin, kW - 2 * kMargin, kH - 2 * kMargin), 36, 36);
    p.setClipPath(page);
    drawBack(p, index, {QRectF(0, 0, kW, kH), true});
    return img;
}

QImage renderBleedBack(int index)
{
    if (index < 0 || index >= kBacks)
        return QImage();
    QImage img = blankImage(kBleedBackWidth, kBleedBackHeight, Qt::white);
    img.setDotsPerMeterX(11811); // 300 dpi
    img.setDotsPerMeterY(11811);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The page's centre on the drawing's, at the scale at which the page covers a 63 x 88 card.
    const QTransform toDrawing = QTransform()
                                     .translate(kBleedBackWidth / 2.0, kBleedBackHeight / 2.0)
                                     .scale(kBleedBackScale, kBleedBackScale)
                                     .translate(-kW / 2, -kH / 2);
    p.setTransform(toDrawing);
    drawBack(p, index, {toDrawing.inverted().mapRect(QRectF(img.rect())), false});
    return img;
}

} // namespace appdata
