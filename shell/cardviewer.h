#pragma once

#include "sheet/cardsheet.h"

#include <QPoint>

namespace vellora {

class DeckDocument;
struct MainLayout;

// The viewer of the main window: which card of the sheet it shows, the rank over it and the mark beside its
// suit row. Only the rank and suit row buttons choose the card in view; after a change of the whole sheet
// the viewer shows the ace of Harten and the card in view stays as it was.
class CardViewer
{
public:
    CardViewer(const DeckDocument &deck, MainLayout &layout) : m_deck(deck), m_layout(layout) {}

    // The card in view, as twip offsets of its column and row.
    const CardInView &card() const { return m_card; }

    void showRank(int column);
    void showSuitRow(int row);
    void showAceOfHarten() { showCell(0, 0); }
    // After undo or redo: the card the step changed, as if its buttons had been pressed, or the ace of
    // Harten after a whole-sheet step.
    void showChanged(QPoint card, bool wholeSheet);
    // New puts the suit row mark back beside Harten.
    void markFirstSuitRow();

private:
    void showCell(int kaartX, int kaartY);
    void markSuitRow(int row);

    const DeckDocument &m_deck;
    MainLayout &m_layout;
    CardInView m_card;
};

} // namespace vellora
