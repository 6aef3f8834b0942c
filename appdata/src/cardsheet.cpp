#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QPainter>

#include <cstring>

namespace appdata {

QImage renderCardCell()
{
    QImage cell = blankImage(kCellWidth, kCellHeight, QColor::fromRgb(kFeltColour));
    const int midRow = kCellHeight / 2;    // 200: the row the placement engine mirrors cards about
    const int midColumn = kCellWidth / 2;  // 142
    {
        QPainter p(&cell);
        p.setRenderHint(QPainter::Antialiasing);
        // Centred on the middle pixels (x 142.5, y 200.5) so that mirroring leaves the shape unchanged.
        const QRectF card(kCardInset, kCardInset, kCellWidth - 2 * kCardInset,
                          2 * (midRow - kCardInset) + 1);
        const QRectF outline = card.adjusted(0.75, 0.75, -0.75, -0.75);
        p.setPen(QPen(QColor(0x70, 0x74, 0x78), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(outline, 13, 13);
    }
    // Antialiasing alone is not exactly symmetric, and the placement engine relies on the cell being a
    // perfect mirror image about row 200. Copy the top half down and the left half across.
    const qsizetype bpl = cell.bytesPerLine();
    for (int d = 1; d < kCellHeight - midRow; ++d)
        std::memcpy(cell.scanLine(midRow + d), cell.constScanLine(midRow - d), size_t(bpl));
    for (int y = 0; y < kCellHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(cell.scanLine(y));
        for (int d = 1; midColumn + d < kCellWidth; ++d)
            line[midColumn + d] = line[midColumn - d];
    }
    return cell;
}

QImage renderCardSheet()
{
    const QImage cell = renderCardCell();
    QImage sheet = blankImage(kCellWidth * kSheetColumns, kCellHeight * kSheetRows);
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int r = 0; r < kSheetRows; ++r)
        for (int c = 0; c < kSheetColumns; ++c)
            p.drawImage(c * kCellWidth, r * kCellHeight, cell);
    return sheet;
}

} // namespace appdata
