#include "appdata/src/jokerdesigns.h"

#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QtMath>

#include <cmath>

namespace appdata::joker {

namespace {

const Design kDesigns[kJokers] = {
    {{"#c8102e", "#f2c230", "#1f5fbf", "#fbf4e2", "#8e1426", "#c8102e"},
     Hat::ThreePoints, Face::Natural, Eyes::Open, Mouth::Smile, true, false, Prop::None, Lettering::Banner,
     Backdrop::Rays, 0, 1.0, 0},
    {{"#1f5fbf", "#f2c230", "#c8102e", "#eef4fb", "#183f80", "#1f5fbf"},
     Hat::TwoPoints, Face::Clown, Eyes::Happy, Mouth::Grin, true, false, Prop::Marotte, Lettering::Sides,
     Backdrop::Harlequin, -8, 0.84, 10},
    {{"#2e8b3e", "#7b3fa0", "#f2c230", "#f4f8ef", "#1f5a2a", "#7b3fa0"},
     Hat::ThreePoints, Face::Natural, Eyes::Wink, Mouth::Smirk, false, true, Prop::Cards, Lettering::Arch,
     Backdrop::Stars, 7, 0.86, 22},
    {{"#1b1b1b", "#c8102e", "#e8e8e8", "#fdfbf7", "#1b1b1b", "#c8102e"},
     Hat::Drooping, Face::Clown, Eyes::Open, Mouth::Smile, true, false, Prop::None, Lettering::BigWord,
     Backdrop::Dots, 0, 0.92, -6},
    {{"#f07f1a", "#13877f", "#f6d34a", "#fff6ea", "#9a4a0c", "#13877f"},
     Hat::ThreePoints, Face::Natural, Eyes::Happy, Mouth::Grin, false, true, Prop::Balls, Lettering::Banner,
     Backdrop::Plain, -6, 0.84, 26},
    {{"#6a2c91", "#e3b53b", "#2a9d8f", "#f7f1fb", "#4a1c68", "#e3b53b"},
     Hat::TwoPoints, Face::Natural, Eyes::Open, Mouth::Smirk, true, true, Prop::Marotte, Lettering::Arch,
     Backdrop::Rays, 5, 0.86, 22},
    {{"#c8102e", "#1f5fbf", "#f2c230", "#ffffff", "#1d2a5a", "#c8102e"},
     Hat::ThreePoints, Face::Clown, Eyes::Wink, Mouth::Grin, true, false, Prop::Cards, Lettering::Sides,
     Backdrop::Harlequin, -4, 0.84, 10},
    {{"#d1338a", "#8cc63f", "#f6d34a", "#fbf0f6", "#7d1450", "#8cc63f"},
     Hat::Drooping, Face::Natural, Eyes::Happy, Mouth::Smile, false, true, Prop::None, Lettering::Banner,
     Backdrop::Stars, 8, 1.0, 0},
    {{"#1c2f6b", "#f5f5f5", "#c8102e", "#e9eef8", "#1c2f6b", "#c8102e"},
     Hat::ThreePoints, Face::Natural, Eyes::Open, Mouth::Grin, true, false, Prop::Balls, Lettering::BigWord,
     Backdrop::Dots, 0, 0.84, 0},
    {{"#a3122a", "#1b1b1b", "#f2c230", "#fbf3e8", "#5a0b17", "#a3122a"},
     Hat::TwoPoints, Face::Clown, Eyes::Wink, Mouth::Smirk, true, false, Prop::Cards, Lettering::Banner,
     Backdrop::Rays, -7, 0.96, 2},
    {{"#13877f", "#f0705a", "#f6d34a", "#eefaf8", "#0d5c56", "#f0705a"},
     Hat::Drooping, Face::Clown, Eyes::Happy, Mouth::Grin, true, false, Prop::Marotte, Lettering::Arch,
     Backdrop::Harlequin, 4, 0.86, 22},
    {{"#c8102e", "#f2c230", "#2e8b3e", "#fdf8ec", "#1f5fbf", "#1f5fbf"},
     Hat::ThreePoints, Face::Natural, Eyes::Wink, Mouth::Smile, true, true, Prop::Marotte, Lettering::Sides,
     Backdrop::Stars, -5, 0.84, 10},
};

} // namespace

const Design &design(int index) { return kDesigns[index]; }

QString backdropSvg(const Design &d, int index)
{
    const Scheme &c = d.colours;
    QString s;
    switch (d.backdrop) {
    case Backdrop::Plain:
        break;
    case Backdrop::Rays:
        for (int i = 0; i < 24; i += 2) {
            const double a0 = 2 * M_PI * i / 24, a1 = 2 * M_PI * (i + 1) / 24;
            s += QStringLiteral(R"J(<path d="M120,180 L%1,%2 L%3,%4 Z" fill="%5" fill-opacity="0.12"/>)J")
                     .arg(n(120 + 300 * std::cos(a0)), n(180 + 300 * std::sin(a0)), n(120 + 300 * std::cos(a1)),
                          n(180 + 300 * std::sin(a1)), QLatin1String(c.accent));
        }
        break;
    case Backdrop::Harlequin:
        for (int row = 0; row < 12; ++row)
            for (int col = 0; col < 8; ++col)
                if ((row + col) % 2 == 0)
                    s += QStringLiteral(R"J(<path d="M%1,%2 l16,15 l-16,15 l-16,-15 Z" fill="%3" fill-opacity="0.13"/>)J")
                             .arg(n(col * 32 + (row % 2) * 16), n(row * 30 - 15), QLatin1String(c.a));
        break;
    case Backdrop::Stars: {
        Rng rng(0x70c3e500u + std::uint32_t(index));
        for (int i = 0; i < 26; ++i) {
            const double x = rng.range(14, 226), y = rng.range(14, 316), r = rng.range(3, 7);
            QString pts;
            for (int k = 0; k < 10; ++k) {
                const double a = -M_PI / 2 + k * M_PI / 5, rr = k % 2 ? r * 0.42 : r;
                pts += QStringLiteral("%1,%2 ").arg(n(x + rr * std::cos(a)), n(y + rr * std::sin(a)));
            }
            s += QStringLiteral(R"J(<polygon points="%1" fill="%2" fill-opacity="0.45"/>)J").arg(pts.trimmed(), QLatin1String(i % 3 ? c.collar : c.b));
        }
        break;
    }
    case Backdrop::Dots:
        for (int row = 0; row < 17; ++row)
            for (int col = 0; col < 13; ++col)
                s += QStringLiteral(R"J(<circle cx="%1" cy="%2" r="3" fill="%3" fill-opacity="0.16"/>)J")
                         .arg(n(col * 20 + (row % 2) * 10), n(row * 20), QLatin1String(c.b));
        break;
    }
    return s;
}

} // namespace appdata::joker
