#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>

namespace vellora {

// The deck is one picture: 4 suit rows of 14 rank columns, each card a 285 x 400 pixel cell with no gap.
// All geometry is in twips; the sheet's pixel layout only holds at 15 twips to a pixel.
namespace sheet {

inline constexpr int kRows = 4;
inline constexpr int kColumns = 14;
inline constexpr int kCellWidth = 4275;  // twips
inline constexpr int kCellHeight = 6000; // twips
inline constexpr int kWidth = kColumns * kCellWidth;  // 59850 twips, 3990 pixels
inline constexpr int kHeight = kRows * kCellHeight;   // 24000 twips, 1600 pixels
inline constexpr int kWidthPixels = 3990;
inline constexpr int kHeightPixels = 1600;
inline constexpr int kTwipsPerPixel = kWidth / kWidthPixels; // 15
inline constexpr int kCardCount = kRows * kColumns;
inline constexpr int kJokerColumn = 13;

// The card drawn in every cell: white with rounded corners and a thin outline, on the felt that frames it.
inline constexpr int kCardInset = 150;      // twips from the cell's edge to the outline
inline constexpr int kCardWhiteInset = 225; // to where the white is whole, past the outline even enlarged
inline constexpr int kCardCorner = 195;     // the radius of the card's corners

// The upper half is painted, the lower half is its mirror image 3015 twips lower, so pixel row 200 of a card
// keeps what the sheet had there.
inline constexpr int kHalfHeight = 3000;
inline constexpr int kMirrorOffset = 3015;

enum class Suit { Harten = 0, Klavers = 1, Ruiten = 2, Schoppen = 3 };
constexpr bool isRedSuit(int row)
{
    return row == int(Suit::Harten) || row == int(Suit::Ruiten);
}

} // namespace sheet

// How a placement run finishes a card. Mirrored is the deck as it has always been: black indices, the lower
// half the upper one's mirror image. Classic is the deck a player knows: the index in the suit's colour with
// the suit under it, and the lower half turned round, so that a 6 never reads as a mirrored 6.
enum class CardStyle : std::uint8_t
{
    Mirrored = 0,
    Classic = 1
};

namespace sheet {

constexpr QPoint cellOrigin(int row, int column) { return {column * kCellWidth, row * kCellHeight}; }
constexpr QRect cellRect(int row, int column) { return {cellOrigin(row, column), QSize(kCellWidth, kCellHeight)}; }
// Cell `cell` of the sheet, counted row by row from the ace of Harten.
constexpr QRect cardCell(int cell) { return cellRect(cell / kColumns, cell % kColumns); }
constexpr QRect upperHalf(int row, int column) { return {cellOrigin(row, column), QSize(kCellWidth, kHalfHeight)}; }

// "A", "2" .. "10", "B", "V", "K", "J"
QString rankLabel(int column);
// " Aas ", " Boer ", " Vrouw ", " Koning ", " Joker " for the columns that have one; empty otherwise.
QString rankTooltip(int column);
// "Harten" .. "Schoppen"
QString suitName(int row);
// "Harten (A..J)"
QString suitRowLabel(int row);
// " Rijkeuze Harten "
QString suitRowTooltip(int row);

// The four squares of a symbol set are stacked in suit row order, 750 twips each.
constexpr QRect symbolSquare(int row) { return {0, row * 750, 750, 750}; }

} // namespace sheet

// The X offsets of the rank columns. The placement engine fills entries 1 to 13 on each run; entry 0 is
// never written and stays 0.
struct KolomX
{
    std::array<int, sheet::kColumns> twips{};
    void fill()
    {
        for (int c = 1; c < sheet::kColumns; ++c)
            twips[c] = c * sheet::kCellWidth;
    }
    int operator[](int column) const { return twips[column]; }
};

// The card in the viewer, as twip offsets of its column and row. Only the rank and suit row buttons move it.
struct CardInView
{
    int KaartX = 0;
    int KaartY = 0;
};

// Which picture button was pressed last: the kind of card the photo dialog fills.
enum class KaartSoort : std::uint8_t { Aas = 0, Boer = 1, Vrouw = 2, Koning = 3, Joker = 4 };

} // namespace vellora
