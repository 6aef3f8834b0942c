#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

namespace appdata {

namespace {

constexpr double kUnit = 50.0; // styles are drawn on a 50 x 50 design grid and scaled to the target size

// The suit path fitted into a square of `box` units centred on the pip, rotated by `degrees`.
QPainterPath placedSuit(int suit, double box, double degrees = 0, QPointF offset = {})
{
    const QPainterPath raw = suitPath(suit);
    const QRectF b = raw.boundingRect();
    const double scale = box / std::max(b.width(), b.height());
    QTransform t;
    t.translate(kUnit / 2 + offset.x(), kUnit / 2 + offset.y());
    t.rotate(degrees);
    t.scale(scale, scale);
    t.translate(-b.center().x(), -b.center().y());
    return t.map(raw);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor lighter(int suit, double t) { return mix(suitColour(suit), Qt::white, t); }
QColor darker(int suit, double t) { return mix(suitColour(suit), Qt::black, t); }

void drawFlat(QPainter &p, int suit)
{
    p.fillPath(placedSuit(suit, 42), suitColour(suit));
}

void drawSlanted(QPainter &p, int suit)
{
    // Red suits lean one way, black the other, as if dealt onto the table.
    const double angle = suitIsRed(suit) ? -20 : 20;
    p.fillPath(placedSuit(suit, 37, angle), suitColour(suit));
}

void drawShadowed(QPainter &p, int suit, int size)
{
    const double s = size / kUnit;
    QImage shadow = blankImage(size, size);
    {
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.scale(s, s);
        sp.fillPath(placedSuit(suit, 39, 0, {1.8, 2.2}), QColor(40, 40, 50, 150));
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, blurred(shadow, std::max(1, qRound(1.2 * s))));
    p.restore();
    p.fillPath(placedSuit(suit, 39, 0, {-1.2, -1.2}), suitColour(suit));
}

void drawLit(QPainter &p, int suit)
{
    const QPainterPath path = placedSuit(suit, 42);
    QRadialGradient g(QPointF(19, 15), 34, QPointF(16, 12));
    g.setColorAt(0, lighter(suit, suitIsRed(suit) ? 0.6 : 0.55));
    g.setColorAt(0.45, suitColour(suit));
    g.setColorAt(1, darker(suit, 0.5));
    p.fillPath(path, g);
    p.strokePath(path, QPen(darker(suit, 0.35), 0.6));
}

void drawTransparent(QPainter &p, int suit, int size)
{
    // The outline carries the colour here, so it must stay at least a pixel wide on small pips.
    const double width = std::max(1.7, 1.3 * kUnit / size);
    const QPainterPath path = placedSuit(suit, 41);
    QColor tint = suitColour(suit);
    tint.setAlpha(suitIsRed(suit) ? 60 : 45);
    p.fillPath(path, tint);
    p.strokePath(path, QPen(suitColour(suit), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void drawSpotted(QPainter &p, int suit)
{
    const QPainterPath path = placedSuit(suit, 42);
    p.fillPath(path, suitColour(suit));
    p.save();
    p.setClipPath(path);
    Rng rng(0x5eed0000u + std::uint32_t(suit) * 7919u);
    for (int i = 0; i < 34; ++i) {
        const QPointF c(rng.range(4, 46), rng.range(4, 46));
        const double r = rng.range(0.7, 2.6);
        const double kind = rng.uniform();
        QColor col = kind < 0.45 ? lighter(suit, suitIsRed(suit) ? 0.45 : 0.35)
                   : kind < 0.8  ? darker(suit, 0.45)
                                 : QColor(255, 255, 255, 220);
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawEllipse(c, r * rng.range(0.8, 1.3), r);
    }
    p.restore();
    p.strokePath(path, QPen(darker(suit, 0.3), 0.5));
}

void drawEmbroidered(QPainter &p, int suit)
{
    // Linen ground with a faint weave, then cross-stitches in thread and a running stitch round the edge.
    p.fillRect(QRectF(0, 0, kUnit, kUnit), QColor(0xf4, 0xee, 0xdc));
    p.setPen(QPen(QColor(0xe2, 0xd8, 0xbf), 0.35));
    for (double v = 0.5; v < kUnit; v += 1.6) {
        p.drawLine(QPointF(0, v), QPointF(kUnit, v));
        p.drawLine(QPointF(v, 0), QPointF(v, kUnit));
    }
    const QPainterPath path = placedSuit(suit, 41);
    p.save();
    p.setClipPath(path);
    p.fillRect(QRectF(0, 0, kUnit, kUnit), lighter(suit, 0.72));
    const QColor thread = suitColour(suit);
    const QColor sheen = lighter(suit, 0.35);
    const double step = 2.6;
    for (double y = 0; y < kUnit; y += step) {
        for (double x = 0; x < kUnit; x += step) {
            const QRectF c(x + 0.3, y + 0.3, step - 0.6, step - 0.6);
            p.setPen(QPen(thread, 0.85, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c.topLeft(), c.bottomRight());
            p.drawLine(c.topRight(), c.bottomLeft());
            p.setPen(QPen(sheen, 0.3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c.topLeft() + QPointF(0.2, 0), c.center());
        }
    }
    p.restore();
    QPen stitch(darker(suit, 0.35), 1.2, Qt::CustomDashLine, Qt::RoundCap);
    stitch.setDashPattern({1.6, 1.1});
    p.strokePath(path, stitch);
}

void drawGlass(QPainter &p, int suit)
{
    const QPainterPath path = placedSuit(suit, 42);
    const QRectF b = path.boundingRect();
    QLinearGradient body(b.topLeft(), b.bottomLeft());
    body.setColorAt(0, lighter(suit, 0.25));
    body.setColorAt(0.55, suitColour(suit));
    body.setColorAt(1, darker(suit, 0.35));
    p.fillPath(path, body);
    p.save();
    p.setClipPath(path);
    // The glossy reflection: a bright band over the upper half with a crisp lower edge.
    QPainterPath gloss;
    gloss.addEllipse(QPointF(25, b.top() + b.height() * 0.12), b.width() * 0.62, b.height() * 0.42);
    QLinearGradient shine(QPointF(0, b.top()), QPointF(0, b.top() + b.height() * 0.5));
    shine.setColorAt(0, QColor(255, 255, 255, 235));
    shine.setColorAt(1, QColor(255, 255, 255, 60));
    p.fillPath(gloss, shine);
    // A soft bounce of light along the bottom edge.
    QRadialGradient bounce(QPointF(25, b.bottom()), b.width() * 0.45);
    bounce.setColorAt(0, QColor(255, 255, 255, 90));
    bounce.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(b, bounce);
    p.restore();
    p.strokePath(path, QPen(darker(suit, 0.45), 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 240));
    p.drawEllipse(QPointF(b.left() + b.width() * 0.3, b.top() + b.height() * 0.27), 1.5, 1.1);
}

void drawDiagonal(QPainter &p, int suit)
{
    const QPainterPath path = placedSuit(suit, 42);
    p.fillPath(path, lighter(suit, 0.8));
    p.save();
    p.setClipPath(path);
    p.setPen(QPen(suitColour(suit), 2.1, Qt::SolidLine, Qt::FlatCap));
    for (double k = -kUnit; k < 2 * kUnit; k += 4.2)
        p.drawLine(QPointF(k, kUnit), QPointF(k + kUnit, 0));
    p.restore();
    p.strokePath(path, QPen(suitColour(suit), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void drawGem(QPainter &p, int suit)
{
    const QPainterPath path = placedSuit(suit, 42);
    const QRectF b = path.boundingRect();
    const QPointF centre = b.center() + QPointF(0, suit == 0 ? -3 : suit == 2 ? 0 : 3);
    p.fillPath(path, suitColour(suit));
    p.save();
    p.setClipPath(path);
    // Facets fan out from the centre; each is lit by how much it faces the light in the top left.
    const int facets = 12;
    for (int i = 0; i < facets; ++i) {
        const double a0 = 2 * M_PI * i / facets, a1 = 2 * M_PI * (i + 1) / facets;
        const double mid = (a0 + a1) / 2;
        const double light = std::cos(mid - qDegreesToRadians(225.0)); // -1 .. 1
        QPolygonF tri;
        tri << centre << centre + 40 * QPointF(std::cos(a0), std::sin(a0))
            << centre + 40 * QPointF(std::cos(a1), std::sin(a1));
        const QColor c = light > 0 ? lighter(suit, 0.55 * light) : darker(suit, -0.5 * light);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(tri);
    }
    // The table: a smaller copy of the suit on top, flat and bright.
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(0.45, 0.45);
    t.translate(-centre.x(), -centre.y());
    const QPainterPath table = t.map(path);
    QLinearGradient tg(table.boundingRect().topLeft(), table.boundingRect().bottomRight());
    tg.setColorAt(0, lighter(suit, 0.5));
    tg.setColorAt(1, suitColour(suit));
    p.fillPath(table, tg);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.45));
    for (int i = 0; i < facets; ++i) {
        const double a = 2 * M_PI * i / facets;
        p.drawLine(centre + 0.45 * 40 * QPointF(std::cos(a), std::sin(a)) * 0.35,
                   centre + 40 * QPointF(std::cos(a), std::sin(a)));
    }
    p.strokePath(table, QPen(QColor(255, 255, 255, 170), 0.5));
    p.restore();
    p.strokePath(path, QPen(darker(suit, 0.5), 0.8));
    // A small four-pointed sparkle.
    const QPointF sp(b.left() + b.width() * 0.3, b.top() + b.height() * 0.3);
    QPainterPath star;
    star.moveTo(sp + QPointF(0, -3.2));
    star.quadTo(sp, sp + QPointF(3.2, 0));
    star.quadTo(sp, sp + QPointF(0, 3.2));
    star.quadTo(sp, sp + QPointF(-3.2, 0));
    star.quadTo(sp, sp + QPointF(0, -3.2));
    p.fillPath(star, QColor(255, 255, 255, 235));
}

} // namespace

QString symbolStyleCaption(int style)
{
    static const char *const captions[kSymbolStyles] = {
        "Default", "Schuingeplaatste", "Randschaduw", "Lichteffect", "Transparante",
        "Gevlekte", "Geborduurde", "Glas", "Diagonale", "Diamanten"};
    return style >= 0 && style < kSymbolStyles ? QString::fromLatin1(captions[style]) : QString();
}

QImage renderPip(int style, int suit, int size)
{
    QImage img = blankImage(size, size, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kUnit, size / kUnit);
    switch (style) {
    case 1: drawSlanted(p, suit); break;
    case 2: drawShadowed(p, suit, size); break;
    case 3: drawLit(p, suit); break;
    case 4: drawTransparent(p, suit, size); break;
    case 5: drawSpotted(p, suit); break;
    case 6: drawEmbroidered(p, suit); break;
    case 7: drawGlass(p, suit); break;
    case 8: drawDiagonal(p, suit); break;
    case 9: drawGem(p, suit); break;
    default: drawFlat(p, suit); break;
    }
    return img;
}

QImage renderSymbolSet(int style, int scale)
{
    const int pip = kPipSize * scale;
    QImage set = blankImage(pip, 4 * pip, Qt::white);
    QPainter p(&set);
    for (int suit = 0; suit < 4; ++suit)
        p.drawImage(0, suit * pip, renderPip(style, suit, pip));
    return set;
}

} // namespace appdata
