#include "appdata/src/common.h"

#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtMath>
#include <cmath>

namespace appdata {

namespace {

// Reads numbers and flags out of path data; SVG allows "1.5.5" and "-1-2" so this goes by character.
class PathLexer {
public:
    explicit PathLexer(const QString &s) : m_s(s) {}

    void skipSeparators()
    {
        while (m_i < m_s.size() && (m_s[m_i].isSpace() || m_s[m_i] == QLatin1Char(',')))
            ++m_i;
    }
    bool atEnd()
    {
        skipSeparators();
        return m_i >= m_s.size();
    }
    bool nextIsNumber()
    {
        skipSeparators();
        if (m_i >= m_s.size())
            return false;
        const QChar c = m_s[m_i];
        return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.');
    }
    QChar command()
    {
        skipSeparators();
        return m_s[m_i++];
    }
    double number()
    {
        skipSeparators();
        const int start = m_i;
        if (m_i < m_s.size() && (m_s[m_i] == QLatin1Char('-') || m_s[m_i] == QLatin1Char('+')))
            ++m_i;
        bool dot = false;
        bool exp = false;
        while (m_i < m_s.size()) {
            const QChar c = m_s[m_i];
            if (c.isDigit()) {
                ++m_i;
            } else if (c == QLatin1Char('.') && !dot && !exp) {
                dot = true;
                ++m_i;
            } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && !exp) {
                exp = true;
                ++m_i;
                if (m_i < m_s.size() && (m_s[m_i] == QLatin1Char('-') || m_s[m_i] == QLatin1Char('+')))
                    ++m_i;
            } else {
                break;
            }
        }
        return m_s.mid(start, m_i - start).toDouble();
    }
    bool flag()
    {
        skipSeparators();
        return m_s[m_i++] == QLatin1Char('1');
    }

private:
    const QString &m_s;
    int m_i = 0;
};

// Endpoint arc to cubic segments, after the conversion in the SVG implementation notes.
void arcTo(QPainterPath &path, QPointF from, double rx, double ry, double angleDeg, bool large, bool sweep,
           QPointF to)
{
    if (from == to)
        return;
    rx = std::abs(rx);
    ry = std::abs(ry);
    if (rx == 0 || ry == 0) {
        path.lineTo(to);
        return;
    }
    const double phi = qDegreesToRadians(angleDeg);
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double dx = (from.x() - to.x()) / 2, dy = (from.y() - to.y()) / 2;
    const double x1 = cp * dx + sp * dy, y1 = -sp * dx + cp * dy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = std::sqrt(std::max(0.0, num / den));
    if (large == sweep)
        coef = -coef;
    const double cx1 = coef * rx * y1 / ry, cy1 = -coef * ry * x1 / rx;
    const double cx = cp * cx1 - sp * cy1 + (from.x() + to.x()) / 2;
    const double cy = sp * cx1 + cp * cy1 + (from.y() + to.y()) / 2;
    auto angle = [](double ux, double uy, double vx, double vy) {
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    const double theta1 = angle(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    double delta = angle((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry);
    if (!sweep && delta > 0)
        delta -= 2 * M_PI;
    else if (sweep && delta < 0)
        delta += 2 * M_PI;

    const int segments = int(std::ceil(std::abs(delta) / (M_PI / 2) - 1e-9));
    const double step = delta / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto point = [&](double t) {
        const double ex = rx * std::cos(t), ey = ry * std::sin(t);
        return QPointF(cx + cp * ex - sp * ey, cy + sp * ex + cp * ey);
    };
    auto tangent = [&](double t) {
        const double ex = -rx * std::sin(t), ey = ry * std::cos(t);
        return QPointF(cp * ex - sp * ey, sp * ex + cp * ey);
    };
    double t = theta1;
    for (int i = 0; i < segments; ++i) {
        const double t2 = t + step;
        const QPointF p1 = point(t), p2 = i + 1 == segments ? to : point(t2);
        path.cubicTo(p1 + k * tangent(t), point(t2) - k * tangent(t2), p2);
        t = t2;
    }
}

// The pen of an SVG path: where it stands, where its subpath began and the last control point, which the
// smooth curves (S, T) mirror.
struct PathPen
{
    QPainterPath path;
    QPointF current, start, lastControl;
    QChar previous;

    QPointF point(PathLexer &lex, QPointF base)
    {
        const double x = lex.number(), y = lex.number();
        return base + QPointF(x, y);
    }
    // The first control point of a curve: read for C and Q, the last one mirrored for S and T when the
    // previous command was of the same kind.
    QPointF firstControl(PathLexer &lex, QPointF base, QChar up, QChar smooth, QChar plain)
    {
        if (up == plain)
            return point(lex, base);
        const QChar p = previous.toUpper();
        return (p == plain || p == smooth) ? 2 * current - lastControl : current;
    }
    void cubic(PathLexer &lex, QPointF base, QChar up)
    {
        const QPointF c1 = firstControl(lex, base, up, QLatin1Char('S'), QLatin1Char('C'));
        const QPointF c2 = point(lex, base);
        current = point(lex, base);
        path.cubicTo(c1, c2, current);
        lastControl = c2;
    }
    void quadratic(PathLexer &lex, QPointF base, QChar up)
    {
        const QPointF c = firstControl(lex, base, up, QLatin1Char('T'), QLatin1Char('Q'));
        current = point(lex, base);
        path.quadTo(c, current);
        lastControl = c;
    }
    void arc(PathLexer &lex, QPointF base)
    {
        const double rx = lex.number(), ry = lex.number(), angle = lex.number();
        const bool large = lex.flag(), sweep = lex.flag();
        const QPointF to = point(lex, base);
        arcTo(path, current, rx, ry, angle, large, sweep, to);
        current = to;
    }
    // One command with its numbers; false for a command it does not know.
    bool draw(PathLexer &lex, QChar cmd)
    {
        const bool rel = cmd.isLower();
        const QPointF base = rel ? current : QPointF();
        switch (cmd.toUpper().unicode()) {
        case 'Z':
            path.closeSubpath();
            current = start;
            break;
        case 'M':
            current = start = point(lex, base);
            path.moveTo(current);
            break;
        case 'L':
            current = point(lex, base);
            path.lineTo(current);
            break;
        case 'H':
            current.setX((rel ? current.x() : 0) + lex.number());
            path.lineTo(current);
            break;
        case 'V':
            current.setY((rel ? current.y() : 0) + lex.number());
            path.lineTo(current);
            break;
        case 'C':
        case 'S':
            cubic(lex, base, cmd.toUpper());
            break;
        case 'Q':
        case 'T':
            quadratic(lex, base, cmd.toUpper());
            break;
        case 'A':
            arc(lex, base);
            break;
        default:
            return false;
        }
        previous = cmd;
        return true;
    }
};

} // namespace

QPainterPath pathFromSvgData(const QString &data)
{
    PathPen pen;
    pen.path.setFillRule(Qt::WindingFill);
    PathLexer lex(data);
    QChar cmd;
    while (!lex.atEnd()) {
        if (!lex.nextIsNumber())
            cmd = lex.command();
        else if (cmd == QLatin1Char('M'))
            cmd = QLatin1Char('L'); // coordinates after a moveto are implicit linetos
        else if (cmd == QLatin1Char('m'))
            cmd = QLatin1Char('l');
        if (!pen.draw(lex, cmd))
            break; // unknown command: stop rather than guess
    }
    return pen.path;
}

QString suitPathData(int suit)
{
    // All four are drawn on a 100 x 100 box with the same visual weight, so that a row of pips looks even.
    switch (suit) {
    case 0: // hearts
        return QStringLiteral(
            "M50,93 C44,80 7,62 7,34 C7,18 18,8 31,8 C40,8 46.5,14 50,23 C53.5,14 60,8 69,8 "
            "C82,8 93,18 93,34 C93,62 56,80 50,93 Z");
    case 1: // clubs: three leaves and a flared stem
        return QStringLiteral(
            "M50,7 A20.5,20.5 0 1,1 49.9,7 Z "
            "M28,39 A20.5,20.5 0 1,1 27.9,39 Z "
            "M72,39 A20.5,20.5 0 1,1 71.9,39 Z "
            "M50,38 L67,62 L33,62 Z "
            "M52.5,55 C53,74 58,86 69,94 L31,94 C42,86 47,74 47.5,55 Z");
    case 2: // diamonds
        return QStringLiteral("M50,5 C59,22 71,37 85,50 C71,63 59,78 50,95 C41,78 29,63 15,50 C29,37 41,22 50,5 Z");
    default: // spades
        return QStringLiteral(
            "M50,5 C57,21 93,39 93,63 C93,77 83,85 71,85 C62,85 55.5,80 52.5,74 "
            "C53,84 57,90 67,95 L33,95 C43,90 47,84 47.5,74 C44.5,80 38,85 29,85 "
            "C17,85 7,77 7,63 C7,39 43,21 50,5 Z");
    }
}

QPainterPath suitPath(int suit)
{
    QPainterPath p = pathFromSvgData(suitPathData(suit));
    // The club is made of overlapping parts; outlines and clipping want the merged shape.
    return suit == 1 ? p.simplified() : p;
}

bool suitIsRed(int suit) { return suit == 0 || suit == 2; }

QColor suitColour(int suit) { return QColor::fromRgb(suitIsRed(suit) ? kRed : kBlack); }

QString n(double v) { return QString::number(v, 'f', 1); }

QString goldGradient()
{
    return QStringLiteral(
        R"J(<radialGradient id="gold" cx="0.35" cy="0.35" r="0.7">)J"
        R"J(<stop offset="0" stop-color="#fff3b0"/><stop offset="0.5" stop-color="#e8bd3a"/><stop offset="1" stop-color="#9a7416"/></radialGradient>)J");
}

QString suitSymbolSvg(int suit, double x, double y, double size, const char *fill)
{
    return QStringLiteral(R"J(<path transform="translate(%1,%2) scale(%3)" d="%4" fill="%5"/>)J")
        .arg(n(x), n(y), QString::number(size / 100, 'f', 4), suitPathData(suit), QLatin1String(fill));
}

QImage blankImage(int width, int height, QColor fill)
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    // 96 dpi, the resolution the program lays cards out at.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    return img;
}

QImage blurred(const QImage &source, int radius, int passes)
{
    QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    QImage tmp(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < passes; ++pass) {
        for (int dir = 0; dir < 2; ++dir) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    int sum[4] = {0, 0, 0, 0};
                    int n = 0;
                    for (int k = -radius; k <= radius; ++k) {
                        const int sx = dir == 0 ? x + k : x;
                        const int sy = dir == 0 ? y : y + k;
                        ++n;
                        if (sx < 0 || sy < 0 || sx >= w || sy >= h)
                            continue;
                        const QRgb p = reinterpret_cast<const QRgb *>(img.constScanLine(sy))[sx];
                        sum[0] += qAlpha(p);
                        sum[1] += qRed(p);
                        sum[2] += qGreen(p);
                        sum[3] += qBlue(p);
                    }
                    reinterpret_cast<QRgb *>(tmp.scanLine(y))[x] =
                        qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
                }
            }
            std::swap(img, tmp);
        }
    }
    return img;
}

QImage renderSvg(const QString &svg, QSize size)
{
    QImage img = blankImage(size.width(), size.height());
    QSvgRenderer renderer(svg.toUtf8());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&p, QRectF(0, 0, size.width(), size.height()));
    return img;
}

bool writeImage(const QImage &image, const QString &path, const char *format, int quality)
{
    QImage out = image;
    const QByteArray fmt(format);
    if (fmt == "BMP" || fmt == "JPG" || fmt == "JPEG")
        out = image.convertToFormat(QImage::Format_RGB32); // opaque, 24-bit in the file
    else if (out.format() != QImage::Format_ARGB32)
        out = out.convertToFormat(QImage::Format_ARGB32);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && out.save(&file, format, quality) && file.commit();
}

} // namespace appdata
