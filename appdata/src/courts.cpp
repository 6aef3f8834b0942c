#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QPainter>

#include <cmath>

// The twelve court figures. Only the upper half is drawn; the lower half is the same pixels turned by 180
// degrees, so the picture reads the same from either end of the card and no rounding can make the two
// halves drift apart. The dividing band is half in each, and so symmetric too.

namespace appdata {

namespace {

constexpr int kHalfHeight = kCourtHeight / 2;

struct SuitDress {
    char letter;        // in the file name: Harten, Klavers, Ruiten, Schoppen
    const char *robe;   // the suit's own colour
    const char *panel;  // the front of the dress, and the jack's cap
    const char *ground; // inside the frame
};

const SuitDress kDress[4] = {
    {'h', "#c8102e", "#1f5fbf", "#fdf6ec"},
    {'k', "#161616", "#c8102e", "#f6f7f2"},
    {'r', "#c8102e", "#2e8b3e", "#fdf8ea"},
    {'s', "#161616", "#1f5fbf", "#f4f6fa"},
};

const char kRankLetters[kCourtRanks + 1] = "bvk";

QString shouldersSvg(int suit)
{
    const SuitDress &d = kDress[suit];
    return QStringLiteral(R"J(<path d="M18,140 C18,106 40,90 82.5,86 C125,90 147,106 147,140 Z" fill="%1" stroke="%2" stroke-width="1.6"/>)J"
                          R"J(<path d="M70,88 L95,88 L101,140 L64,140 Z" fill="%3" stroke="url(#gold)" stroke-width="3"/>)J"
                          R"J(<path d="M30,112 Q36,100 52,94 M135,112 Q129,100 113,94" fill="none" stroke="url(#gold)" stroke-width="3" stroke-linecap="round"/>)J"
                          R"J(<circle cx="82.5" cy="114" r="12.5" fill="#ffffff" stroke="url(#gold)" stroke-width="3"/>)J"
                          R"J(<rect x="76" y="72" width="13" height="16" fill="%4" stroke="%2" stroke-width="1.4"/>)J")
               .arg(QLatin1String(d.robe), QLatin1String(kInk), QLatin1String(d.panel), QLatin1String(kSkin)) +
           suitSymbolSvg(suit, 73.5, 105, 18, d.robe);
}

QString collarSvg(int suit, int rank)
{
    QString s;
    if (rank == kKing) {
        // Ermine: white fur with black tails.
        s += QStringLiteral(R"J(<path d="M46,96 Q82.5,112 119,96 L112,84 Q82.5,96 53,84 Z" fill="#ffffff" stroke="%1" stroke-width="1.4"/>)J")
                 .arg(QLatin1String(kInk));
        for (int i = 0; i < 5; ++i)
            s += QStringLiteral(R"J(<path d="M%1,%2 l1.6,4 l-3.2,0 Z" fill="#161616"/>)J").arg(n(58 + i * 12.25), n(93 + (i % 4 ? 2.5 : 0)));
    } else if (rank == kQueen) {
        // A ruff of white scallops.
        for (int i = 0; i < 9; ++i) {
            const double x = 54 + i * 7.1, y = 88 + 5 * (1 - std::abs(i - 4) / 4.0);
            s += QStringLiteral(R"J(<circle cx="%1" cy="%2" r="5.2" fill="#ffffff" stroke="%3" stroke-width="1.1"/>)J")
                     .arg(n(x), n(y), QLatin1String(kInk));
        }
    } else {
        s += QStringLiteral(R"J(<path d="M66,86 L82.5,100 L99,86 L92,84 L82.5,92 L73,84 Z" fill="%1" stroke="%2" stroke-width="1.3"/>)J")
                 .arg(QLatin1String(kDress[suit].panel), QLatin1String(kInk));
    }
    return s;
}

QString hairBehindSvg(int rank)
{
    if (rank == kQueen) // long golden hair falling to the shoulders
        return QStringLiteral(R"J(<path d="M66,40 Q58,70 52,94 Q62,96 70,90 Q66,66 70,46 Z M99,40 Q107,70 113,94 Q103,96 95,90 Q99,66 95,46 Z" fill="#e0a526" stroke="%1" stroke-width="1.2"/>)J")
            .arg(QLatin1String(kInk));
    if (rank == kKing)
        return QStringLiteral(R"J(<path d="M66,42 Q62,60 66,72 L72,66 Z M99,42 Q103,60 99,72 L93,66 Z" fill="#c9c4bb" stroke="%1" stroke-width="1.2"/>)J")
            .arg(QLatin1String(kInk));
    return QStringLiteral(R"J(<path d="M66,36 Q62,54 68,62 L70,44 Z M99,36 Q103,54 97,62 L95,44 Z" fill="#7a4a22" stroke="%1" stroke-width="1.2"/>)J")
        .arg(QLatin1String(kInk));
}

QString faceSvg(int rank)
{
    QString s = QStringLiteral(R"J(<ellipse cx="82.5" cy="53" rx="16.5" ry="21" fill="%1" stroke="%2" stroke-width="1.6"/>)J"
                               R"J(<path d="M72,45 Q76,42 80,45 M85,45 Q89,42 93,45" fill="none" stroke="%2" stroke-width="1.4" stroke-linecap="round"/>)J"
                               R"J(<ellipse cx="76" cy="49.5" rx="2" ry="2.4" fill="#2b4a7a"/><ellipse cx="89" cy="49.5" rx="2" ry="2.4" fill="#2b4a7a"/>)J"
                               R"J(<path d="M82.5,50 Q80,57 83.5,59" fill="none" stroke="%2" stroke-width="1.2" stroke-linecap="round"/>)J"
                               R"J(<circle cx="74" cy="58" r="3.5" fill="#f06b7a" fill-opacity="0.35"/><circle cx="91" cy="58" r="3.5" fill="#f06b7a" fill-opacity="0.35"/>)J")
                    .arg(QLatin1String(kSkin), QLatin1String(kInk));
    if (rank == kKing) // a full beard and moustache, the king's age
        s += QStringLiteral(R"J(<path d="M67,56 Q68,80 82.5,84 Q97,80 98,56 Q92,66 82.5,66 Q73,66 67,56 Z" fill="#c9c4bb" stroke="%1" stroke-width="1.3"/>)J"
                            R"J(<path d="M74,63 Q82.5,58 91,63 Q82.5,62 74,63 Z" fill="#a9a49b" stroke="%1" stroke-width="1"/>)J"
                            R"J(<path d="M79,67.5 Q82.5,69.5 86,67.5" fill="none" stroke="#9b1b30" stroke-width="1.6" stroke-linecap="round"/>)J")
                 .arg(QLatin1String(kInk));
    else
        s += QStringLiteral(R"J(<path d="M77,63 Q82.5,67.5 88,63 Q82.5,64.5 77,63 Z" fill="#b0243a" stroke="#9b1b30" stroke-width="1"/>)J");
    return s;
}

QString headwearSvg(int suit, int rank)
{
    const QLatin1String ink(kInk);
    if (rank == kKing)
        return QStringLiteral(R"J(<path d="M65,35 L62,10 L72,21 L77,5 L82.5,18 L88,5 L93,21 L103,10 L100,35 Z" fill="url(#gold)" stroke="#6d5312" stroke-width="1.4" stroke-linejoin="round"/>)J"
                              R"J(<rect x="64" y="29" width="37" height="7" rx="2" fill="url(#gold)" stroke="#6d5312" stroke-width="1.2"/>)J"
                              R"J(<circle cx="62" cy="9" r="2.6" fill="#fff3c4" stroke="#6d5312"/><circle cx="77" cy="4.5" r="2.6" fill="#fff3c4" stroke="#6d5312"/>)J"
                              R"J(<circle cx="88" cy="4.5" r="2.6" fill="#fff3c4" stroke="#6d5312"/><circle cx="103" cy="9" r="2.6" fill="#fff3c4" stroke="#6d5312"/>)J"
                              R"J(<circle cx="82.5" cy="32.5" r="2.6" fill="#c8102e"/><circle cx="72.5" cy="32.5" r="2" fill="#1f5fbf"/><circle cx="92.5" cy="32.5" r="2" fill="#2e8b3e"/>)J");
    if (rank == kQueen)
        return QStringLiteral(R"J(<path d="M68,34 L67,20 L74,26 L82.5,13 L91,26 L98,20 L97,34 Z" fill="url(#gold)" stroke="#6d5312" stroke-width="1.3" stroke-linejoin="round"/>)J"
                              R"J(<circle cx="82.5" cy="12" r="2.4" fill="#fff3c4" stroke="#6d5312"/><circle cx="82.5" cy="29" r="2.4" fill="#c8102e"/>)J"
                              R"J(<path d="M66,36 Q82.5,30 99,36" fill="none" stroke="%1" stroke-width="2"/>)J")
            .arg(QLatin1String(kDress[suit].panel));
    // The jack's soft cap with a feather.
    return QStringLiteral(R"J(<path d="M60,36 Q58,14 82,12 Q106,12 106,34 Z" fill="%1" stroke="%2" stroke-width="1.4"/>)J"
                          R"J(<path d="M60,36 Q82.5,28 106,34 L106,39 Q82.5,33 60,41 Z" fill="url(#gold)" stroke="#6d5312" stroke-width="1.2"/>)J"
                          R"J(<path d="M100,22 Q110,10 122,7 Q114,15 104,26 Z" fill="#ffffff" stroke="%2" stroke-width="1.2"/>)J"
                          R"J(<path d="M102,24 Q111,13 120,8" fill="none" stroke="%2" stroke-width="0.8"/>)J")
        .arg(QLatin1String(kDress[suit].panel), ink);
}

// A hand held before the chest, with the gold cuff of its sleeve below it.
QString handSvg(double x, double y)
{
    return QStringLiteral(R"J(<rect x="%1" y="%2" width="16" height="6" rx="2.5" fill="url(#gold)" stroke="#6d5312" stroke-width="1.1"/>)J"
                          R"J(<ellipse cx="%3" cy="%4" rx="6.5" ry="6" fill="%5" stroke="%6" stroke-width="1.4"/>)J"
                          R"J(<path d="M%7,%8 q3,-2 6,0" fill="none" stroke="%6" stroke-width="0.9" stroke-linecap="round"/>)J")
        .arg(n(x - 8), n(y + 5), n(x), n(y), QLatin1String(kSkin), QLatin1String(kInk), n(x - 3), n(y - 1));
}

QString propSvg(int rank)
{
    const QLatin1String ink(kInk);
    if (rank == kKing) // a sword held upright
        return QStringLiteral(R"J(<path d="M128,97 L128,22 L130.5,13 L133,22 L133,97 Z" fill="#dfe3ea" stroke="%1" stroke-width="1.1"/>)J"
                              R"J(<path d="M130.5,24 L130.5,94" stroke="#9aa2ad" stroke-width="0.9"/>)J"
                              R"J(<rect x="118" y="96" width="25" height="5" rx="2" fill="url(#gold)" stroke="#6d5312" stroke-width="1.1"/>)J"
                              R"J(<rect x="128.5" y="101" width="4" height="14" fill="#6b3f1d"/><circle cx="130.5" cy="117" r="3.2" fill="url(#gold)" stroke="#6d5312"/>)J")
                   .arg(ink) +
               handSvg(130.5, 106);
    if (rank == kQueen) // a rose held up before the shoulder
        return QStringLiteral(R"J(<path d="M42,104 Q38,88 44,70" fill="none" stroke="#2e7d32" stroke-width="2.2" stroke-linecap="round"/>)J"
                              R"J(<path d="M40,88 Q30,84 30,76 Q38,78 40,88 Z M43,80 Q52,78 54,70 Q46,72 43,80 Z" fill="#43a047" stroke="#1b5e20" stroke-width="0.9"/>)J"
                              R"J(<circle cx="44" cy="64" r="8" fill="#e23a5a" stroke="#8e1426" stroke-width="1.2"/>)J"
                              R"J(<circle cx="44" cy="63" r="2.2" fill="#8e1426"/>)J"
                              R"J(<path d="M39,63 Q44,56 49,63 Q44,70 39,63 Z" fill="#b71c3c"/>)J") +
               handSvg(42, 104);
    // The jack's halberd: a long staff with an axe blade and a spike.
    return QStringLiteral(R"J(<path d="M133,140 L133,20" stroke="#6b3f1d" stroke-width="3.4"/>)J"
                          R"J(<path d="M131.3,20 L133,8 L134.7,20 Z" fill="#dfe3ea" stroke="%1" stroke-width="1"/>)J"
                          R"J(<path d="M134.5,24 Q150,22 153,38 Q144,34 134.5,40 Z" fill="#dfe3ea" stroke="%1" stroke-width="1.1"/>)J"
                          R"J(<path d="M131.5,26 L122,31 L131.5,34 Z" fill="#dfe3ea" stroke="%1" stroke-width="1"/>)J")
               .arg(ink) +
           handSvg(133, 104);
}

// The frame's top and sides, the corner symbol and the half of the band that falls in this half.
QString frameSvg(int suit)
{
    const SuitDress &d = kDress[suit];
    return QStringLiteral(R"J(<rect x="0" y="0" width="165" height="140" fill="%1"/>)J"
                          R"J(<path d="M1.5,140 V9 Q1.5,1.5 9,1.5 H156 Q163.5,1.5 163.5,9 V140" fill="none" stroke="%2" stroke-width="1.6"/>)J")
               .arg(QLatin1String(d.ground), QLatin1String(d.robe)) +
           suitSymbolSvg(suit, 7, 7, 17, d.robe);
}

QString bandSvg(int suit)
{
    return QStringLiteral(R"J(<rect x="0" y="134" width="165" height="6" fill="url(#gold)"/>)J"
                          R"J(<path d="M0,134.5 H165" stroke="%1" stroke-width="1"/>)J")
        .arg(QLatin1String(kDress[suit].robe));
}

QString halfDocument(int suit, int rank)
{
    return QStringLiteral(R"J(<svg xmlns="http://www.w3.org/2000/svg" width="165" height="140" viewBox="0 0 165 140"><defs>)J") +
           goldGradient() + QStringLiteral("</defs>") + frameSvg(suit) + hairBehindSvg(rank) + shouldersSvg(suit) +
           collarSvg(suit, rank) + faceSvg(rank) + headwearSvg(suit, rank) + propSvg(rank) + bandSvg(suit) +
           QStringLiteral("</svg>");
}

} // namespace

QString courtFileName(int suit, int rank)
{
    return QStringLiteral("court-%1-%2").arg(QChar(QLatin1Char(kDress[suit].letter)), QChar(QLatin1Char(kRankLetters[rank])));
}

QImage renderCourt(int suit, int rank, int scale)
{
    if (suit < 0 || suit >= 4 || rank < 0 || rank >= kCourtRanks || scale < 1)
        return QImage();
    const QImage upper = renderSvg(halfDocument(suit, rank), QSize(kCourtWidth, kHalfHeight) * scale);
    QImage img = blankImage(kCourtWidth * scale, kCourtHeight * scale, Qt::white);
    QPainter p(&img);
    p.drawImage(0, 0, upper);
    p.drawImage(0, kHalfHeight * scale, upper.mirrored(true, true));
    return img;
}

} // namespace appdata
