#include "shell/cardviewer.h"

#include "deck/deckdocument.h"
#include "shell/mainlayout.h"
#include "surface/twips.h"
#include "surface/widgets/imagebutton.h"
#include "surface/widgets/picturebox.h"

#include <QLabel>

namespace vellora {

void CardViewer::showCell(int kaartX, int kaartY)
{
    PictureBox *viewer = m_layout.viewer;
    viewer->surface().paintPicture(m_deck.sheet().image(), QRectF(0, 0, sheet::kCellWidth, sheet::kCellHeight),
                                   QRectF(kaartX, kaartY, sheet::kCellWidth, sheet::kCellHeight));
    viewer->refresh();
}

void CardViewer::markSuitRow(int row)
{
    m_layout.suitRowMark->move(m_layout.suitRowMark->x(), m_layout.suitRowButtons[row]->y());
}

void CardViewer::markFirstSuitRow() { m_layout.suitRowMark->move(m_layout.suitRowMark->x(), px(270)); }

void CardViewer::showRank(int column)
{
    if (column < 0 || column >= sheet::kColumns)
        return;
    m_card.KaartX = sheet::cellOrigin(0, column).x();
    showCell(m_card.KaartX, m_card.KaartY);
    m_layout.showRankCaption(column);
}

void CardViewer::showSuitRow(int row)
{
    if (row < 0 || row >= sheet::kRows)
        return;
    m_card.KaartY = sheet::cellOrigin(row, 0).y();
    showCell(m_card.KaartX, m_card.KaartY);
    markSuitRow(row);
}

void CardViewer::showChanged(QPoint card, bool wholeSheet)
{
    if (wholeSheet) {
        showAceOfHarten();
        return;
    }
    showRank(card.x());
    showSuitRow(card.y());
}

} // namespace vellora
