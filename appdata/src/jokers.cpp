#include "appdata/src/appdata.h"
#include "appdata/src/common.h"
#include "appdata/src/jokerdesigns.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

#include <cmath>

// Twelve jesters built from one set of SVG parts. Each design picks a colour scheme, a hat, a face, a prop,
// a way of lettering "JOKER" and a background, so that no two jokers in a deck look alike.

namespace appdata {

namespace {

using namespace joker;

QString bell(double x, double y, double r = 6.5)
{
    return QStringLiteral(
               R"J(<circle cx="%1" cy="%2" r="%3" fill="url(#gold)" stroke="#6d5312" stroke-width="1.2"/>)J"
               R"J(<path d="M%4,%5 L%6,%5" stroke="#4a380c" stroke-width="1.3" stroke-linecap="round"/>)J"
               R"J(<circle cx="%7" cy="%8" r="%9" fill="#fff7d0" fill-opacity="0.8"/>)J")
        .arg(n(x), n(y), n(r), n(x - r * 0.55), n(y + r * 0.3), n(x + r * 0.55), n(x - r * 0.35), n(y - r * 0.35),
             n(r * 0.25));
}

// One lobe of the hat: rises from the band at b1..b2, arcs over and ends in a bell at the tip.
QString lobe(QPointF b1, QPointF b2, QPointF tip, QPointF upper, QPointF lower, const char *colour)
{
    return QStringLiteral(R"J(<path d="M%1,%2 Q%3,%4 %5,%6 Q%7,%8 %9,%10 Z" fill="%11" stroke="%12" stroke-width="2.2" stroke-linejoin="round"/>)J")
               .arg(n(b2.x()), n(b2.y()), n(upper.x()), n(upper.y()), n(tip.x()), n(tip.y()), n(lower.x()),
                    n(lower.y()), n(b1.x()), n(b1.y()))
               .arg(QLatin1String(colour), QLatin1String(kInk)) +
           QStringLiteral(R"J(<path d="M%1,%2 Q%3,%4 %5,%6" fill="none" stroke="#ffffff" stroke-opacity="0.35" stroke-width="3" stroke-linecap="round"/>)J")
               .arg(n((b2.x() * 3 + tip.x()) / 4), n((b2.y() * 3 + tip.y()) / 4 - 4), n(upper.x()), n(upper.y() + 8),
                    n((tip.x() * 3 + upper.x()) / 4), n((tip.y() * 3 + upper.y()) / 4 + 4));
}

QString hatSvg(const Design &d)
{
    const Scheme &c = d.colours;
    QString s;
    switch (d.hat) {
    case Hat::ThreePoints:
        s += lobe({82, 146}, {118, 140}, {34, 96}, {76, 64}, {66, 110}, c.a);
        s += lobe({158, 146}, {122, 140}, {206, 96}, {164, 64}, {174, 110}, c.a);
        s += lobe({98, 142}, {142, 142}, {126, 40}, {152, 84}, {94, 80}, c.b);
        s += bell(34, 96) + bell(206, 96) + bell(126, 40);
        break;
    case Hat::TwoPoints:
        s += lobe({82, 146}, {122, 138}, {28, 108}, {70, 52}, {62, 118}, c.a);
        s += lobe({158, 146}, {118, 138}, {212, 108}, {170, 52}, {178, 118}, c.b);
        s += bell(28, 108, 7.5) + bell(212, 108, 7.5);
        break;
    case Hat::Drooping:
        // Long soft points that fall beside the face, the tips resting on the shoulders.
        s += lobe({84, 148}, {120, 136}, {54, 214}, {40, 96}, {78, 176}, c.a);
        s += lobe({156, 148}, {120, 136}, {186, 214}, {200, 96}, {162, 176}, c.b);
        s += QStringLiteral(R"J(<path d="M100,140 Q120,96 140,140 Z" fill="%1" stroke="%2" stroke-width="2.2"/>)J")
                 .arg(QLatin1String(c.collar), QLatin1String(kInk));
        s += bell(54, 214) + bell(186, 214) + bell(120, 104, 5.5);
        break;
    }
    // The band across the forehead, with a row of studs.
    s += QStringLiteral(R"J(<rect x="80" y="136" width="80" height="17" rx="8" fill="%1" stroke="%2" stroke-width="2"/>)J")
             .arg(QLatin1String(qstrcmp(c.accent, c.a) == 0 ? c.b : c.accent), QLatin1String(kInk));
    for (int i = 0; i < 5; ++i)
        s += QStringLiteral(R"J(<circle cx="%1" cy="144.5" r="2.6" fill="#fff3c4" stroke="%2" stroke-width="0.8"/>)J")
                 .arg(n(92 + i * 14), QLatin1String(kInk));
    return s;
}

QString collarSvg(const Design &d)
{
    const Scheme &c = d.colours;
    const QPointF centre(120, 228);
    // A ruff: a round base, a back row of points offset by half a point, then the front row with bells.
    QString s = QStringLiteral(R"J(<ellipse cx="120" cy="232" rx="36" ry="20" fill="%1" stroke="%2" stroke-width="1.8"/>)J")
                    .arg(QLatin1String(c.collar), QLatin1String(kInk));
    for (int row = 0; row < 2; ++row) {
        const int points = row == 0 ? 6 : 5;
        const double from = row == 0 ? 5 : 20, to = row == 0 ? 175 : 160;
        const double outer = row == 0 ? 62 : 58, inner = 26;
        const double step = (to - from) / (points - 1);
        for (int i = 0; i < points; ++i) {
            const double a = qDegreesToRadians(from + i * step);
            const double half = qDegreesToRadians(row == 0 ? step * 0.5 : step * 0.55);
            auto at = [&](double r, double ang) { return centre + r * QPointF(std::cos(ang), std::sin(ang) * 0.75); };
            const QPointF tip = at(outer, a), l = at(inner, a - half), r = at(inner, a + half);
            const QPointF lc = at((inner + outer) / 2 + 2, a - half * 0.75), rc = at((inner + outer) / 2 + 2, a + half * 0.75);
            const char *fill = row == 0 ? c.collar : (i % 2 ? c.b : c.a);
            s += QStringLiteral(R"J(<path d="M%1,%2 Q%3,%4 %5,%6 Q%7,%8 %9,%10 Z" fill="%11" stroke="%12" stroke-width="1.8" stroke-linejoin="round"/>)J")
                     .arg(n(l.x()), n(l.y()), n(lc.x()), n(lc.y()), n(tip.x()), n(tip.y()), n(rc.x()), n(rc.y()),
                          n(r.x()), n(r.y()))
                     .arg(QLatin1String(fill), QLatin1String(kInk));
            if (row == 1)
                s += bell(tip.x(), tip.y(), 4.8);
        }
    }
    return s;
}

QString bodySvg(const Design &d)
{
    const Scheme &c = d.colours;
    QString s;
    s += QStringLiteral(R"J(<path d="M120,232 L120,340 L36,340 C36,296 54,262 96,244 Z" fill="%1" stroke="%3" stroke-width="2.2"/>)J"
                        R"J(<path d="M120,232 L120,340 L204,340 C204,296 186,262 144,244 Z" fill="%2" stroke="%3" stroke-width="2.2"/>)J")
             .arg(QLatin1String(c.b), QLatin1String(c.a), QLatin1String(kInk));
    // Diamonds down each half, in the other colour: the motley pattern.
    for (int i = 0; i < 3; ++i) {
        const double y = 268 + i * 26;
        s += QStringLiteral(R"J(<path d="M%1,%2 l8,12 l-8,12 l-8,-12 Z" fill="%3" stroke="%4" stroke-width="1.2"/>)J")
                 .arg(n(88 - i * 6), n(y), QLatin1String(c.a), QLatin1String(kInk));
        s += QStringLiteral(R"J(<path d="M%1,%2 l8,12 l-8,12 l-8,-12 Z" fill="%3" stroke="%4" stroke-width="1.2"/>)J")
                 .arg(n(152 + i * 6), n(y), QLatin1String(c.b), QLatin1String(kInk));
    }
    for (int i = 0; i < 3; ++i)
        s += QStringLiteral(R"J(<circle cx="120" cy="%1" r="4.5" fill="url(#gold)" stroke="#6d5312" stroke-width="1"/>)J").arg(n(262 + i * 22));
    s += QStringLiteral(R"J(<rect x="110" y="206" width="20" height="26" fill="%1" stroke="%2" stroke-width="2"/>)J")
             .arg(QLatin1String(d.face == Face::Clown ? "#fbf7f0" : kSkin), QLatin1String(kInk));
    return s;
}

QString hand(double x, double y)
{
    return QStringLiteral(R"J(<ellipse cx="%1" cy="%2" rx="10" ry="9" fill="%3" stroke="%4" stroke-width="2"/>)J"
                          R"J(<path d="M%5,%6 l8,0 M%5,%7 l8,0" stroke="%4" stroke-width="1.2" stroke-linecap="round"/>)J")
        .arg(n(x), n(y), QLatin1String(kSkin), QLatin1String(kInk), n(x - 4), n(y - 2), n(y + 3));
}

QString sleeve(int side, const char *colour)
{
    // From the shoulder down and inwards to a hand held up in front of the chest.
    const double sx = 120 + side * 58;
    return QStringLiteral(R"J(<path d="M%1,262 Q%2,300 %3,300 L%4,284 Q%5,276 %6,250 Z" fill="%7" stroke="%8" stroke-width="2" stroke-linejoin="round"/>)J")
        .arg(n(sx + side * 6), n(sx + side * 4), n(120 + side * 44), n(120 + side * 40), n(sx - side * 4),
             n(sx - side * 18), QLatin1String(colour), QLatin1String(kInk));
}

QString propSvg(const Design &d)
{
    const Scheme &c = d.colours;
    QString s;
    switch (d.prop) {
    case Prop::None:
        break;
    case Prop::Marotte: {
        // The jester's stick with a little jester's head of its own.
        s += sleeve(1, c.a);
        s += QStringLiteral(R"J(<path d="M168,300 L200,150" stroke="#6b3f1d" stroke-width="5" stroke-linecap="round"/>)J"
                            R"J(<path d="M168,300 L200,150" stroke="#b07a45" stroke-width="2" stroke-linecap="round"/>)J");
        s += QStringLiteral(R"J(<path d="M190,140 Q196,114 212,110 Q204,124 206,140 Z" fill="%1" stroke="%3" stroke-width="1.5"/>)J"
                            R"J(<path d="M194,140 Q180,116 184,104 Q196,118 204,140 Z" fill="%2" stroke="%3" stroke-width="1.5"/>)J"
                            R"J(<circle cx="200" cy="148" r="11" fill="%4" stroke="%3" stroke-width="1.8"/>)J"
                            R"J(<circle cx="196" cy="146" r="1.5" fill="%3"/><circle cx="204" cy="146" r="1.5" fill="%3"/>)J"
                            R"J(<path d="M195,152 Q200,157 205,152" fill="none" stroke="%3" stroke-width="1.4" stroke-linecap="round"/>)J")
                 .arg(QLatin1String(c.b), QLatin1String(c.a), QLatin1String(kInk), QLatin1String(kSkin));
        s += bell(212, 110, 3.8) + bell(184, 104, 3.8);
        s += hand(166, 296);
        break;
    }
    case Prop::Cards: {
        // A fan of three cards held up in the left hand.
        s += sleeve(-1, c.b);
        const char *const suits[3] = {"$S$", "$H$", "$D$"};
        for (int i = 0; i < 3; ++i) {
            const double angle = -30 + i * 18;
            QString suitPath = QLatin1String(suits[i]);
            const bool red = i > 0;
            s += QStringLiteral(R"J(<g transform="rotate(%1 72 300)"><rect x="58" y="236" width="28" height="40" rx="3" fill="#ffffff" stroke="%2" stroke-width="1.5"/>)J"
                                R"J(<path transform="translate(62,246) scale(0.2)" d="%3" fill="%4"/></g>)J")
                     .arg(n(angle), QLatin1String(kInk), suitPath, QLatin1String(red ? "#c8102e" : "#161616"));
        }
        s += hand(74, 296);
        break;
    }
    case Prop::Balls: {
        // Three balls in the air, with faint arcs of their flight.
        s += QStringLiteral(R"J(<path d="M40,150 Q60,40 120,26 Q180,40 200,150" fill="none" stroke="%1" stroke-opacity="0.35" stroke-width="2" stroke-dasharray="5,5"/>)J")
                 .arg(QLatin1String(kInk));
        const char *const balls[3] = {c.a, c.b, c.collar};
        const QPointF at[3] = {{46, 112}, {120, 30}, {194, 112}};
        for (int i = 0; i < 3; ++i)
            s += QStringLiteral(R"J(<circle cx="%1" cy="%2" r="11" fill="%3" stroke="%4" stroke-width="1.8"/>)J"
                                R"J(<circle cx="%5" cy="%6" r="3.5" fill="#ffffff" fill-opacity="0.6"/>)J")
                     .arg(n(at[i].x()), n(at[i].y()), QLatin1String(balls[i]), QLatin1String(kInk), n(at[i].x() - 3.5),
                          n(at[i].y() - 3.5));
        break;
    }
    }
    return s;
}

QString letter(QChar ch, double x, double y, double size, double rotate, const char *fill, const char *family,
               const char *stroke = nullptr)
{
    QString s = QStringLiteral(R"J(<text x="0" y="0" text-anchor="middle" font-family="%1" font-weight="bold" font-size="%2" fill="%3")J")
                    .arg(QLatin1String(family), n(size), QLatin1String(fill));
    if (stroke)
        s += QStringLiteral(R"J( stroke="%1" stroke-width="1.2")J").arg(QLatin1String(stroke));
    s += QStringLiteral(R"J( transform="translate(%1,%2) rotate(%3)">%4</text>)J").arg(n(x), n(y), n(rotate), QString(ch));
    return s;
}

QString letteringSvg(const Design &d)
{
    const Scheme &c = d.colours;
    const QString word = QStringLiteral("JOKER");
    QString s;
    switch (d.lettering) {
    case Lettering::Banner: {
        s += QStringLiteral(R"J(<path d="M14,288 L40,288 L40,322 L14,322 L24,305 Z" fill="%1" stroke="%3" stroke-width="1.5"/>)J"
                            R"J(<path d="M226,288 L200,288 L200,322 L226,322 L216,305 Z" fill="%1" stroke="%3" stroke-width="1.5"/>)J"
                            R"J(<path d="M32,282 Q120,270 208,282 L208,314 Q120,302 32,314 Z" fill="%2" stroke="%3" stroke-width="2"/>)J")
                 .arg(QLatin1String(c.frame), QLatin1String(c.accent), QLatin1String(kInk));
        for (int i = 0; i < 5; ++i) {
            const double x = 68 + i * 26;
            const double y = 306 - 4 * (1 - std::pow((x - 120) / 88, 2));
            s += letter(word[i], x, y, 27, 0, "#ffffff", "Liberation Sans", kInk);
        }
        break;
    }
    case Lettering::Arch:
        for (int i = 0; i < 5; ++i) {
            const double deg = -90 + (i - 2) * 15;
            const double a = qDegreesToRadians(deg);
            const QPointF p = QPointF(120, 200) + 166 * QPointF(std::cos(a), std::sin(a));
            s += letter(word[i], p.x(), p.y() + 12, 34, deg + 90, c.frame, "Comic Neue", "#ffffff");
        }
        break;
    case Lettering::Sides:
        for (int i = 0; i < 5; ++i) {
            s += letter(word[i], 23, 36 + i * 19, 18, 0, c.frame, "Liberation Sans");
            s += QStringLiteral(R"J(<g transform="rotate(180 120 165)">%1</g>)J")
                     .arg(letter(word[i], 23, 36 + i * 19, 18, 0, c.frame, "Liberation Sans"));
        }
        break;
    case Lettering::BigWord:
        s += QStringLiteral(R"J(<rect x="22" y="22" width="196" height="46" rx="10" fill="%1" stroke="%2" stroke-width="2"/>)J")
                 .arg(QLatin1String(c.frame), QLatin1String(kInk));
        for (int i = 0; i < 5; ++i)
            s += letter(word[i], 52 + i * 34, 58, 38, (i % 2 ? 6 : -6), i % 2 ? c.accent : "#ffffff", "Comic Neue");
        break;
    }
    return s;
}

QString defs(const Design &d)
{
    Q_UNUSED(d)
    return QStringLiteral("<defs>") + goldGradient() +
           QStringLiteral(
               R"J(<radialGradient id="nose" cx="0.35" cy="0.35" r="0.7">)J"
               R"J(<stop offset="0" stop-color="#ff8080"/><stop offset="1" stop-color="#b0101e"/></radialGradient></defs>)J");
}

QString withCardSuits(QString s)
{
    s.replace(QLatin1String("$S$"), suitPathData(3));
    s.replace(QLatin1String("$H$"), suitPathData(0));
    s.replace(QLatin1String("$D$"), suitPathData(2));
    return s;
}

// The figure and backdrop, drawn inside the frame; the frame's clip keeps the shoulders off the margin.
QString figureDocument(int index)
{
    const Design &d = design(index);
    const double cx = 120, cy = 330;
    QString figure;
    figure += bodySvg(d) + collarSvg(d);
    QString head = hatSvg(d) + faceSvg(d);
    if (d.hat == Hat::Drooping) // the long points hang in front of the shoulders
        head = faceSvg(d) + hatSvg(d);
    figure += QStringLiteral(R"J(<g transform="rotate(%1 120 228)">%2</g>)J").arg(n(d.tilt), head);
    figure += propSvg(d);
    return withCardSuits(QStringLiteral(R"J(<svg xmlns="http://www.w3.org/2000/svg" width="240" height="330" viewBox="0 0 240 330">)J") +
                         defs(d) + backdropSvg(d, index) +
                         QStringLiteral(R"J(<g transform="translate(%1,%2) scale(%3) translate(%4,%5)">%6</g></svg>)J")
                             .arg(n(cx), n(cy + d.dy), QString::number(d.scale, 'f', 3), n(-cx), n(-cy), figure));
}

QString decorationDocument(int index)
{
    const Design &d = design(index);
    return QStringLiteral(R"J(<svg xmlns="http://www.w3.org/2000/svg" width="240" height="330" viewBox="0 0 240 330">)J"
                          R"J(<rect x="7.5" y="7.5" width="225" height="315" rx="11" fill="none" stroke="%1" stroke-width="3"/>)J"
                          R"J(<rect x="12" y="12" width="216" height="306" rx="8" fill="none" stroke="%1" stroke-width="0.8"/>)J")
               .arg(QLatin1String(d.colours.frame)) +
           letteringSvg(d) + QStringLiteral("</svg>");
}

} // namespace

QImage renderJoker(int index, int scale)
{
    if (index < 0 || index >= kJokers || scale < 1)
        return QImage();
    const Design &d = design(index);
    QImage img = blankImage(kJokerWidth * scale, kJokerHeight * scale, Qt::white);
    QPainter p(&img);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF bounds(0, 0, kJokerWidth, kJokerHeight);
    QPainterPath inside;
    inside.addRoundedRect(QRectF(9, 9, 222, 312), 10, 10);
    p.save();
    p.setClipPath(inside);
    p.fillRect(bounds, QColor(QLatin1String(d.colours.ground)));
    QSvgRenderer(figureDocument(index).toUtf8()).render(&p, bounds);
    p.restore();
    QSvgRenderer(decorationDocument(index).toUtf8()).render(&p, bounds);
    return img;
}

} // namespace appdata
