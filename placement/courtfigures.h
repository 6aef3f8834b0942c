#pragma once

#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"
#include "surface/appfolder.h"
#include "surface/surface.h"

#include <QString>

#include <vector>

namespace vellora {

// The court figures the program ships, Data\court-<suit>-<rank>.bmp: Boer, Vrouw and Koning of each suit,
// each filling the picture area and with its drawing at the master's size beside it.
namespace courts {

inline constexpr int kSuits = 4;
inline bool isCourt(KaartSoort soort)
{
    return soort == KaartSoort::Boer || soort == KaartSoort::Vrouw || soort == KaartSoort::Koning;
}
// "\Data\court-h-k.bmp" for the Koning of Harten (suit row 0); suit rows as the sheet's: h, k, r, s.
QString relativePath(KaartSoort soort, int suit);
// "Koning Harten"
QString caption(KaartSoort soort, int suit);

// The figure of that suit for the picture area of the given rows of the rank's column, with its own
// drawing as the master's picture when the data folder has one for this very file; empty when the file
// cannot be read.
CardPaste figure(const AppFolder &folder, KaartSoort soort, int suit, std::vector<int> rows);
// Every court card with the figure of its own rank and suit, twelve pastes in all; figures that cannot be
// read are left out.
std::vector<CardPaste> everyCourtCard(const AppFolder &folder);

} // namespace courts

// The court dialog's work without its window: the four figures of one rank, paged by suit, and the one shown
// as it is pasted.
class CourtBrowser
{
public:
    CourtBrowser(AppFolder folder, KaartSoort soort);

    KaartSoort soort() const { return m_soort; }
    int suit() const { return m_suit; }
    // "Koning Harten"
    QString counter() const { return courts::caption(m_soort, m_suit); }
    // The figure of suit row `suit`; a file that cannot be read leaves the previous figure shown. True when
    // the figure was loaded.
    bool show(int suit);
    // 165 x 280 pixels, the picture area; white before any figure could be read.
    const Surface &preview() const { return m_preview; }
    // The figure shown, for the picture area of the option's rows.
    CardPaste chosen(int option) const;

private:
    AppFolder m_folder;
    KaartSoort m_soort;
    int m_suit = 0;
    Surface m_preview;
    QImage m_master;
};

} // namespace vellora
