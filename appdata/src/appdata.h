#pragma once

// The generator of the program's data folders. Every picture is drawn from code and SVG text, so the
// folders are rebuilt from source and come out byte for byte the same on every run.

#include "surface/outcome.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace appdata {

using vellora::Outcome;
using vellora::Result;

// Blank card sheet: 4 rows of 14 cells, one white card per cell.
constexpr int kCellWidth = 285;
constexpr int kCellHeight = 400;
constexpr int kSheetColumns = 14;
constexpr int kSheetRows = 4;
constexpr int kCardInset = 10;           // background between the cell edge and the card, every side
constexpr QRgb kFeltColour = 0xff2f6b47; // what shows around the cards on screen

// At `scale` times the pixels for the print master, the middle rows and columns still a perfect mirror axis.
QImage renderCardCell(int scale = 1);
QImage renderCardSheet();

// Symbol sets: 50 x 200, four 50 x 50 pips from the top: hearts, clubs, diamonds, spades.
constexpr int kSymbolStyles = 10;
constexpr int kPipSize = 50;
QString symbolStyleCaption(int style);
QImage renderSymbolSet(int style, int scale = 1);
// One suit symbol (0 hearts, 1 clubs, 2 diamonds, 3 spades) in the given style, at any square size.
QImage renderPip(int style, int suit, int size);

constexpr int kJokers = 12;
constexpr int kJokerWidth = 240;
constexpr int kJokerHeight = 330;
QImage renderJoker(int index, int scale = 1);

// The court figures, double-headed, filling a card's picture area: suit 0 to 3 as the pips, rank kJack,
// kQueen or kKing. Beside the jokers as "Data/<courtFileName>.bmp" with its master drawing.
constexpr int kCourtRanks = 3;
constexpr int kJack = 0;
constexpr int kQueen = 1;
constexpr int kKing = 2;
constexpr int kCourtWidth = 165;
constexpr int kCourtHeight = 280;
// "court-h-k" for the Koning of Harten: suit h, k, r, s, rank b, v, k.
QString courtFileName(int suit, int rank);
QImage renderCourt(int suit, int rank, int scale = 1);

// The print master's drawings are three times the size of the file they belong to, beside it as
// "<name>@3x.png", naming that file by the SHA-256 of its bytes under this PNG text key.
constexpr int kMasterScale = 3;
constexpr char kMasterKey[] = "Vellora-1x";

constexpr int kBacks = 8;
constexpr int kBackWidth = 1240;
constexpr int kBackHeight = 1754;
QImage renderBack(int index);
// The same back for a print shop, at 300 dpi without margin or frame: the largest card with the largest bleed
// (poker's 63.5 mm and 57 x 90's 90 mm, with 10 mm on every side) is cut from its middle. The page lies on it
// as on a 63 x 88 card, whose 744 pixels take the page's 1240. Beside the back as
// "Backgrounds/Background-<n>@bleed.png", naming it by its hash as a print master drawing does.
constexpr int kBleedBackWidth = 986;
constexpr int kBleedBackHeight = 1299;
constexpr double kBleedBackScale = 744.0 / kBackWidth;
QImage renderBleedBack(int index);

// The display guide, a PDF with the dates and ids Qt stamps into it made fixed: "Help/Beeldscherm.pdf" in
// Dutch and "Help/Display.pdf" in English, the program opening the one of its language.
enum class GuideLanguage
{
    Dutch,
    English
};
struct GuideText
{
    const char *title; // UTF-8, also the PDF's title
    const char *html;
};
GuideText guideText(GuideLanguage language);
Outcome writeDisplayGuide(const QString &path, GuideLanguage language);

struct ArtworkItem {
    QString name;  // file name inside Artwork/
    QSize size;
};
QList<ArtworkItem> artworkItems();
// At `scale` times the item's size: the program picks the @2x drawing on a scaled screen.
QImage renderArtwork(const QString &name, int scale = 1);
// "logo.png" -> "logo@2x.png"
QString doubleSizeName(const QString &name);

// The desktop's icon of the program: the same drawing as Artwork/icon.png, as SVG text and at any square size.
QString iconSvg();
QImage renderIcon(int size);
// Writes vellora.svg and vellora-<n>.png for n = 32, 64, 128 and 256 into `folder`.
Outcome writeDesktopIcons(const QString &folder);

// Writes the whole tree below `root`: the written files, relative to root, or where it stopped.
Result<QStringList> generateAll(const QString &root);

} // namespace appdata
