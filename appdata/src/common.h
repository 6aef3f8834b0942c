#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <cstdint>

namespace appdata {

// A small xorshift generator with a fixed seed per use, so spots and textures repeat exactly.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_state(seed ? seed : 0x9e3779b9u) {}
    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); } // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint32_t m_state;
};

// Turns SVG path data (M L H V C S Q T A Z, absolute and relative) into a painter path, so the same
// path text serves QSvgRenderer documents and direct QPainter effects alike.
QPainterPath pathFromSvgData(const QString &data);

// Suit paths in a 100 x 100 box: 0 hearts, 1 clubs, 2 diamonds, 3 spades.
QString suitPathData(int suit);
QPainterPath suitPath(int suit);
bool suitIsRed(int suit);
QColor suitColour(int suit);

constexpr QRgb kRed = 0xffc8102e;
constexpr QRgb kBlack = 0xff161616;

// A transparent ARGB image with no physical resolution stamped on it beyond 96 dpi.
QImage blankImage(int width, int height, QColor fill = Qt::transparent);

// Box blur of the alpha channel and colours, a few passes give a soft shadow.
QImage blurred(const QImage &source, int radius, int passes = 2);

QImage renderSvg(const QString &svg, QSize size);

// The figures' shared SVG vocabulary: numbers with one decimal, skin and outline colours, and the
// gold gradient "url(#gold)" for bells, crowns and trim (the text goes inside a <defs> element).
QString n(double v);
inline constexpr char kSkin[] = "#f6d2b5";
inline constexpr char kInk[] = "#2a1d1d";
QString goldGradient();
// A suit symbol as SVG, its 100 x 100 box scaled to `size` with the top-left corner at (x, y).
QString suitSymbolSvg(int suit, double x, double y, double size, const char *fill);

bool writeImage(const QImage &image, const QString &path, const char *format, int quality = -1);

} // namespace appdata
