#include "appdata/src/common.h"
#include "appdata/src/jokerdesigns.h"

// The jester's head, in the order it is painted: hair, ears, the face over them, eyes, cheeks, mouth, nose.

namespace appdata::joker {

namespace {

QString eyesSvg(Eyes eyes)
{
    auto openEye = [](double x) {
        return QStringLiteral(
                   R"J(<ellipse cx="%1" cy="174" rx="5.5" ry="6.5" fill="#ffffff" stroke="%2" stroke-width="1.5"/>)J"
                   R"J(<circle cx="%3" cy="175" r="3.2" fill="#2b4a7a"/><circle cx="%3" cy="175" r="1.6" fill="#111111"/>)J"
                   R"J(<circle cx="%4" cy="173.2" r="1" fill="#ffffff"/>)J")
            .arg(n(x), QLatin1String(kInk), n(x + 0.8), n(x + 1.8));
    };
    auto closedEye = [](double x) {
        return QStringLiteral(
                   R"J(<path d="M%1,176 Q%2,168 %3,176" fill="none" stroke="%4" stroke-width="2.4" stroke-linecap="round"/>)J")
            .arg(n(x - 6), n(x), n(x + 6), QLatin1String(kInk));
    };
    switch (eyes) {
    case Eyes::Open:
        return openEye(107) + openEye(133);
    case Eyes::Happy:
        return closedEye(107) + closedEye(133);
    case Eyes::Wink:
        return openEye(107) + closedEye(133);
    }
    return {};
}

// The mouth, then the nose over it.
QString mouthSvg(const Design &d)
{
    QString s;
    switch (d.mouth) {
    case Mouth::Smile:
        s +=
            QStringLiteral(
                R"J(<path d="M103,200 Q120,218 137,200 Q120,208 103,200 Z" fill="#9b1b30" stroke="%1" stroke-width="1.8" stroke-linejoin="round"/>)J")
                .arg(QLatin1String(kInk));
        break;
    case Mouth::Grin:
        s +=
            QStringLiteral(
                R"J(<path d="M100,198 Q120,226 140,198 Q120,203 100,198 Z" fill="#7a1020" stroke="%1" stroke-width="1.8" stroke-linejoin="round"/>)J"
                R"J(<path d="M104,200 Q120,204 136,200 L134,205 Q120,208 106,205 Z" fill="#ffffff"/>)J"
                R"J(<path d="M111,214 Q120,219 129,214 Q120,210 111,214 Z" fill="#e86a7a"/>)J")
                .arg(QLatin1String(kInk));
        break;
    case Mouth::Smirk:
        s +=
            QStringLiteral(
                R"J(<path d="M104,204 Q122,212 138,197" fill="none" stroke="%1" stroke-width="2.6" stroke-linecap="round"/>)J"
                R"J(<path d="M136,194 Q141,198 138,202" fill="none" stroke="%1" stroke-width="1.6" stroke-linecap="round"/>)J")
                .arg(QLatin1String(kInk));
        break;
    }
    if (d.redNose)
        s += QStringLiteral(
                 R"J(<circle cx="120" cy="188" r="7" fill="url(#nose)" stroke="%1" stroke-width="1.4"/>)J"
                 R"J(<circle cx="117.5" cy="185.5" r="2" fill="#ffffff" fill-opacity="0.8"/>)J")
                 .arg(QLatin1String(kInk));
    else
        s +=
            QStringLiteral(
                R"J(<path d="M119,179 Q113,192 121,193" fill="none" stroke="%1" stroke-width="1.8" stroke-linecap="round"/>)J")
                .arg(QLatin1String(kInk));
    return s;
}

} // namespace

QString faceSvg(const Design &d)
{
    const Scheme &c = d.colours;
    const bool clown = d.face == Face::Clown;
    const char *skin = clown ? "#fbf7f0" : kSkin;
    QString s;
    if (d.hair) {
        for (int side : {-1, 1})
            for (int i = 0; i < 3; ++i)
                s += QStringLiteral(
                         R"J(<circle cx="%1" cy="%2" r="8" fill="#a0522d" stroke="%3" stroke-width="1.5"/>)J")
                         .arg(n(120 + side * (34 - i * 2)), n(156 + i * 11), QLatin1String(kInk));
    }
    // Ears, then the face over them.
    for (int side : {-1, 1})
        s += QStringLiteral(
                 R"J(<ellipse cx="%1" cy="182" rx="7" ry="10" fill="%2" stroke="%3" stroke-width="2"/>)J")
                 .arg(n(120 + side * 32), QLatin1String(skin), QLatin1String(kInk));
    s += QStringLiteral(
             R"J(<ellipse cx="120" cy="180" rx="32" ry="37" fill="%1" stroke="%2" stroke-width="2.2"/>)J")
             .arg(QLatin1String(skin), QLatin1String(kInk));
    if (clown) {
        // Painted diamonds through the eyes.
        for (int side : {-1, 1})
            s += QStringLiteral(
                     R"J(<path d="M%1,160 L%2,174 L%1,189 L%3,174 Z" fill="%4" fill-opacity="0.85"/>)J")
                     .arg(n(120 + side * 13), n(120 + side * 13 + 6), n(120 + side * 13 - 6),
                          QLatin1String(c.b));
    }
    // Brows raised in amusement.
    for (int side : {-1, 1})
        s +=
            QStringLiteral(
                R"J(<path d="M%1,163 Q%2,156 %3,163" fill="none" stroke="%4" stroke-width="2.2" stroke-linecap="round"/>)J")
                .arg(n(120 + side * 7), n(120 + side * 13), n(120 + side * 20), QLatin1String(kInk));
    s += eyesSvg(d.eyes);
    // Rosy cheeks.
    for (int side : {-1, 1})
        s += QStringLiteral(R"J(<circle cx="%1" cy="193" r="6.5" fill="#f06b7a" fill-opacity="0.45"/>)J")
                 .arg(n(120 + side * 19));
    s += mouthSvg(d);
    return s;
}

} // namespace appdata::joker
