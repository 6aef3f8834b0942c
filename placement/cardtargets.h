#pragma once

#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace vellora {

// Where the picture dialogs paste: the five target options shared by both dialogs, and the areas of a cell.
namespace targets {

inline constexpr int kOptions = 5;
// Option 0 is all four cards; option i (1 to 4) the card of suit row i - 1.
std::vector<int> rowsOf(int option);
// " Alle 4 kaarten ", " Op Harten kaart " ..
QString tooltip(int option);
// Artwork of the option pictures: import-0.png (all four) .. import-4.png.
QString artwork(int option);

// The picture area of aces, court cards and own-photo jokers: (900, 900), 2475 x 4200 twips within a cell.
inline constexpr QSize kPictureArea{2475, 4200};
inline constexpr int kPictureInset = 900;
// The joker area of the shipped joker pictures: (360, 510), 3600 x 4950 twips within a cell.
inline constexpr QSize kJokerArea{3600, 4950};
inline constexpr QPoint kJokerInset{360, 510};

// The rank column a picture button fills, and the left edge of its picture area on the sheet in twips.
int rankColumn(KaartSoort soort);
int pictureAreaLeft(KaartSoort soort);

// The picture for the area (left, inset + row x 6000, size) of every row of the option, in row order.
CardPaste paste(const QImage &picture, int option, int left, int insetTop, QSize size);

} // namespace targets

} // namespace vellora
