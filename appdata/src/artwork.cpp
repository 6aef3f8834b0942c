#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QMap>

namespace appdata {

namespace {

// Suit paths are spliced into the documents as $HEART$, $CLUB$, $DIAMOND$ and $SPADE$, so the buttons,
// icons and the cards themselves all share one drawing of each suit.
QString withSuits(QString svg)
{
    svg.replace(QLatin1String("$HEART$"), suitPathData(0));
    svg.replace(QLatin1String("$CLUB$"), suitPathData(1));
    svg.replace(QLatin1String("$DIAMOND$"), suitPathData(2));
    svg.replace(QLatin1String("$SPADE$"), suitPathData(3));
    return svg;
}

const char *const kIcon = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="back" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#3d6fb6"/><stop offset="1" stop-color="#1d3f75"/>
    </linearGradient>
  </defs>
  <g transform="rotate(-28 16 30)">
    <rect x="9" y="4.5" width="14" height="20" rx="2" fill="url(#back)" stroke="#14284a" stroke-width="0.9"/>
    <rect x="11" y="6.5" width="10" height="16" rx="1" fill="none" stroke="#a9c3ea" stroke-width="0.8"/>
  </g>
  <g transform="rotate(-4 16 30)">
    <rect x="9" y="4.5" width="14" height="20" rx="2" fill="#ffffff" stroke="#333c48" stroke-width="0.9"/>
    <path transform="translate(11.6,8) scale(0.09)" d="$SPADE$" fill="#161616"/>
  </g>
  <g transform="rotate(22 16 30)">
    <rect x="9" y="4.5" width="14" height="20" rx="2" fill="#ffffff" stroke="#333c48" stroke-width="0.9"/>
    <path transform="translate(11.3,7.5) scale(0.095)" d="$HEART$" fill="#c8102e"/>
  </g>
</svg>)SVG";

const char *const kLogo = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="195" height="195" viewBox="0 0 195 195">
  <defs>
    <radialGradient id="felt" cx="0.5" cy="0.42" r="0.6">
      <stop offset="0" stop-color="#3f8a5c"/><stop offset="1" stop-color="#1d4d33"/>
    </radialGradient>
    <linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#f5dc8a"/><stop offset="0.5" stop-color="#d2a940"/><stop offset="1" stop-color="#a27a1e"/>
    </linearGradient>
    <linearGradient id="card" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#eef0f3"/>
    </linearGradient>
  </defs>
  <circle cx="97.5" cy="92" r="88" fill="url(#felt)" stroke="url(#gold)" stroke-width="6"/>
  <circle cx="97.5" cy="92" r="80" fill="none" stroke="#f5dc8a" stroke-opacity="0.45" stroke-width="1.2"/>
  <g transform="rotate(-36 97.5 150)">
    <rect x="72" y="34" width="51" height="74" rx="6" fill="url(#card)" stroke="#2c3440" stroke-width="1.6"/>
    <path transform="translate(77,41) scale(0.25)" d="$SPADE$" fill="#161616"/>
  </g>
  <g transform="rotate(-12 97.5 150)">
    <rect x="72" y="34" width="51" height="74" rx="6" fill="url(#card)" stroke="#2c3440" stroke-width="1.6"/>
    <path transform="translate(77,41) scale(0.25)" d="$HEART$" fill="#c8102e"/>
  </g>
  <g transform="rotate(12 97.5 150)">
    <rect x="72" y="34" width="51" height="74" rx="6" fill="url(#card)" stroke="#2c3440" stroke-width="1.6"/>
    <path transform="translate(77,41) scale(0.25)" d="$CLUB$" fill="#161616"/>
  </g>
  <g transform="rotate(36 97.5 150)">
    <rect x="72" y="34" width="51" height="74" rx="6" fill="url(#card)" stroke="#2c3440" stroke-width="1.6"/>
    <path transform="translate(77,41) scale(0.25)" d="$DIAMOND$" fill="#c8102e"/>
  </g>
  <path d="M18,128 L177,128 L170,141 L177,154 L18,154 L25,141 Z" fill="#8e1426" stroke="#5a0b17" stroke-width="1.2"/>
  <rect x="28" y="120" width="139" height="42" rx="8" fill="url(#gold)" stroke="#6d5312" stroke-width="1.5"/>
  <text x="97.5" y="152" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" font-size="31"
        fill="#1d3a2a">Vellora</text>
</svg>)SVG";

const char *const kCheck = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="50" height="50" viewBox="0 0 50 50">
  <defs>
    <linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#5fd35a"/><stop offset="1" stop-color="#1f8a2a"/>
    </linearGradient>
  </defs>
  <path d="M6,27 L19,40 L44,10" fill="none" stroke="#13561b" stroke-width="11" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M6,27 L19,40 L44,10" fill="none" stroke="url(#g)" stroke-width="8" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M7.5,25.5 L19,37" fill="none" stroke="#ffffff" stroke-opacity="0.45" stroke-width="2" stroke-linecap="round"/>
</svg>)SVG";

// The suit buttons share one frame; $SUIT$ and $INK$ pick the symbol.
const char *const kSuitButton = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="50" height="50" viewBox="0 0 50 50">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#dde2e8"/>
    </linearGradient>
  </defs>
  <rect x="1" y="1" width="48" height="48" rx="7" fill="url(#face)" stroke="#7d8996" stroke-width="1.5"/>
  <rect x="3" y="3" width="44" height="22" rx="5" fill="#ffffff" fill-opacity="0.55"/>
  <path transform="translate(9,9) scale(0.32)" d="$SUIT$" fill="$INK$"/>
</svg>)SVG";

// Picture buttons: a small card with its index letter and a photo in front of it.
const char *const kPictureButton = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="50" height="49" viewBox="0 0 50 49">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#5aa7e8"/><stop offset="1" stop-color="#bfe1fb"/>
    </linearGradient>
  </defs>
  <rect x="4" y="1.5" width="31" height="44" rx="3.5" fill="#ffffff" stroke="#3c4652" stroke-width="1.4"/>
  $MARK$
  <g transform="translate(21,22)">
    <rect x="0" y="0" width="26" height="21" rx="1.5" fill="#ffffff" stroke="#3c4652" stroke-width="1.2"/>
    <rect x="2.5" y="2.5" width="21" height="16" fill="url(#sky)"/>
    <circle cx="18" cy="7" r="2.6" fill="#ffd23f"/>
    <path d="M2.5,18.5 L9,10 L13,14.5 L16,11.5 L23.5,18.5 Z" fill="#3f8a3a"/>
    <path d="M9,10 L11,12.6 L9.6,12.2 L8.2,13 Z" fill="#ffffff"/>
  </g>
</svg>)SVG";

const char *const kLetterMark =
    R"SVG(<text x="8" y="17" font-family="Liberation Sans" font-weight="bold" font-size="15" fill="$INK$">$LETTER$</text>
  <path transform="translate(8.5,19.5) scale(0.085)" d="$SUIT$" fill="$INK$"/>)SVG";

const char *const kJokerMark =
    R"SVG(<path d="M8,19 C9,12 12,8 17,6 C15,10 16,13 19,15 C20,10 24,7 30,7 C26,10 25,14 27,19 Z" fill="#c8102e" stroke="#3c4652" stroke-width="0.9"/>
  <path d="M19,15 C17,12 17,9 17,6 C15,10 14,14 13,19 L19,19 Z" fill="#1f5fbf"/>
  <circle cx="17" cy="5.5" r="1.9" fill="#f2c230" stroke="#7a5a0a" stroke-width="0.6"/>
  <circle cx="30" cy="7" r="1.9" fill="#f2c230" stroke="#7a5a0a" stroke-width="0.6"/>
  <rect x="7" y="18.5" width="21" height="3" rx="1.2" fill="#f2c230" stroke="#7a5a0a" stroke-width="0.6"/>)SVG";

const char *const kPushButton = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="51" height="29" viewBox="0 0 51 29">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="0.5" stop-color="#eef1f4"/><stop offset="1" stop-color="#d3d9e0"/>
    </linearGradient>
  </defs>
  <rect x="0.75" y="0.75" width="49.5" height="27.5" rx="5" fill="url(#face)" stroke="$EDGE$" stroke-width="1.5"/>
  <rect x="3" y="2.5" width="45" height="10" rx="3.5" fill="#ffffff" fill-opacity="0.6"/>
  <text x="25.5" y="19" text-anchor="middle" font-family="Liberation Sans" font-weight="bold" font-size="12"
        fill="$INK$">$LABEL$</text>
</svg>)SVG";

// The target choices of the picture dialogs: all four cards, then one card per suit row.
const char *const kTargetAll = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="88" height="21" viewBox="0 0 88 21">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#d9dfe6"/>
    </linearGradient>
  </defs>
  <rect x="0.5" y="0.5" width="87" height="20" rx="4" fill="url(#face)" stroke="#7d8996" stroke-width="1"/>
  $SUITS$
</svg>)SVG";

const char *const kTargetOne = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="22" height="21" viewBox="0 0 22 21">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#d9dfe6"/>
    </linearGradient>
  </defs>
  <rect x="0.5" y="0.5" width="21" height="20" rx="4" fill="url(#face)" stroke="#7d8996" stroke-width="1"/>
  $GLYPH$
</svg>)SVG";

// Hotspot at the fingertip: pixel (12, 1). The shell sets the cursor with exactly these coordinates.
const char *const kPointer = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <path d="M10,3.5 A2.5,2.5 0 0 1 15,3.5 L15,12.2 A2,2 0 0 1 19,12.6 L19,13.4 A2,2 0 0 1 23,13.9
           L23,14.9 A1.8,1.8 0 0 1 26.6,15.4 L26.6,22 C26.6,26 24.6,29 21,30.2 L14.5,30.2
           C12.6,30.2 11.4,29.3 10.4,27.8 L5.4,20.8 C4.6,19.6 5,18.2 6.2,17.6 C7.4,17.1 8.6,17.7 9.5,18.8 L10,19.6 Z"
        fill="#ffffff" stroke="#000000" stroke-width="1.2" stroke-linejoin="round"/>
  <path d="M15,12.2 L15,17 M19,13.4 L19,17.5 M23,14.9 L23,18" stroke="#000000" stroke-width="1" stroke-linecap="round"/>
</svg>)SVG";

QString suitButton(int suit)
{
    QString svg = QString::fromUtf8(kSuitButton);
    svg.replace(QLatin1String("$SUIT$"), suitPathData(suit));
    svg.replace(QLatin1String("$INK$"), suitIsRed(suit) ? QStringLiteral("#c8102e") : QStringLiteral("#161616"));
    return svg;
}

QString pictureButton(int which)
{
    QString mark;
    if (which == 4) {
        mark = QString::fromUtf8(kJokerMark);
    } else {
        // Ace with a heart, Boer with a club, Vrouw with a diamond, Koning with a spade.
        static const char *const letters[4] = {"A", "B", "V", "K"};
        static const int suits[4] = {0, 1, 2, 3};
        mark = QString::fromUtf8(kLetterMark);
        mark.replace(QLatin1String("$LETTER$"), QLatin1String(letters[which]));
        mark.replace(QLatin1String("$SUIT$"), suitPathData(suits[which]));
        mark.replace(QLatin1String("$INK$"), suitIsRed(suits[which]) ? QStringLiteral("#c8102e") : QStringLiteral("#161616"));
    }
    QString svg = QString::fromUtf8(kPictureButton);
    svg.replace(QLatin1String("$MARK$"), mark);
    return svg;
}

QString pushButton(const QString &label, const QString &edge, const QString &ink)
{
    QString svg = QString::fromUtf8(kPushButton);
    svg.replace(QLatin1String("$LABEL$"), label);
    svg.replace(QLatin1String("$EDGE$"), edge);
    svg.replace(QLatin1String("$INK$"), ink);
    return svg;
}

QString suitGlyph(int suit, double x, double y, double size)
{
    return QStringLiteral(R"P(<path transform="translate(%1,%2) scale(%3)" d="%4" fill="%5"/>)P")
        .arg(x)
        .arg(y)
        .arg(size / 100.0)
        .arg(suitPathData(suit), suitIsRed(suit) ? QStringLiteral("#c8102e") : QStringLiteral("#161616"));
}

QString targetButton(int which)
{
    if (which == 0) {
        QString suits;
        for (int suit = 0; suit < 4; ++suit)
            suits += suitGlyph(suit, 8 + 19.5 * suit, 2.5, 16);
        QString svg = QString::fromUtf8(kTargetAll);
        svg.replace(QLatin1String("$SUITS$"), suits);
        return svg;
    }
    QString svg = QString::fromUtf8(kTargetOne);
    svg.replace(QLatin1String("$GLYPH$"), suitGlyph(which - 1, 3, 2.5, 16));
    return svg;
}

QString artworkSvg(const QString &name)
{
    if (name == QLatin1String("icon.png"))
        return iconSvg();
    if (name == QLatin1String("logo.png"))
        return withSuits(QString::fromUtf8(kLogo));
    if (name == QLatin1String("vinkje.png"))
        return QString::fromUtf8(kCheck);
    if (name == QLatin1String("ok.png"))
        return pushButton(QStringLiteral("Ok"), QStringLiteral("#2f7d3a"), QStringLiteral("#1d5a27"));
    if (name == QLatin1String("cancel.png"))
        return pushButton(QStringLiteral("Cancel"), QStringLiteral("#a3303e"), QStringLiteral("#7a1422"));
    if (name == QLatin1String("exit.png"))
        return pushButton(QStringLiteral("Exit"), QStringLiteral("#4a5a6e"), QStringLiteral("#1e2a36"));
    if (name == QLatin1String("pointer.png"))
        return QString::fromUtf8(kPointer);
    const auto numbered = [&](const char *prefix) {
        const QString p = QLatin1String(prefix);
        return name.startsWith(p) ? name.mid(p.size(), name.size() - p.size() - 4).toInt() : -1;
    };
    if (name.startsWith(QLatin1String("suit-")))
        return suitButton(numbered("suit-"));
    if (name.startsWith(QLatin1String("picture-")))
        return pictureButton(numbered("picture-"));
    if (name.startsWith(QLatin1String("import-")))
        return targetButton(numbered("import-"));
    return QString();
}

} // namespace

QList<ArtworkItem> artworkItems()
{
    QList<ArtworkItem> items;
    items.append({QStringLiteral("icon.png"), QSize(32, 32)});
    items.append({QStringLiteral("logo.png"), QSize(195, 195)});
    items.append({QStringLiteral("vinkje.png"), QSize(50, 50)});
    for (int i = 0; i < 4; ++i)
        items.append({QStringLiteral("suit-%1.png").arg(i), QSize(50, 50)});
    for (int i = 0; i < 5; ++i)
        items.append({QStringLiteral("picture-%1.png").arg(i), QSize(50, 49)});
    items.append({QStringLiteral("ok.png"), QSize(51, 29)});
    items.append({QStringLiteral("cancel.png"), QSize(51, 29)});
    items.append({QStringLiteral("exit.png"), QSize(51, 29)});
    items.append({QStringLiteral("import-0.png"), QSize(88, 21)});
    for (int i = 1; i < 5; ++i)
        items.append({QStringLiteral("import-%1.png").arg(i), QSize(22, 21)});
    items.append({QStringLiteral("pointer.png"), QSize(32, 32)});
    return items;
}

QString iconSvg() { return withSuits(QString::fromUtf8(kIcon)); }

QImage renderIcon(int size) { return renderSvg(iconSvg(), QSize(size, size)); }

QImage renderArtwork(const QString &name, int scale)
{
    for (const ArtworkItem &item : artworkItems())
        if (item.name == name)
            return renderSvg(artworkSvg(name), item.size * scale);
    return QImage();
}

QString doubleSizeName(const QString &name)
{
    QString sharp = name;
    return sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
}

} // namespace appdata
