#include "appdata/src/appdata.h"
#include "appdata/src/common.h"

#include <QPainter>

#include <cstring>

namespace appdata {

QImage renderCardCell(int scale)
{
    const int width = kCellWidth * scale, height = kCellHeight * scale;
    QImage cell = blankImage(width, height, QColor::fromRgb(kFeltColour));
    // 200: the row the placement engine mirrors cards about; at three times the size the engine keeps three
    // middle rows (600 to 602), so the axis is the middle one of them.
    const int midRow = kCellHeight / 2 * scale + (scale - 1) / 2;
    const int midColumn = width / 2; // 142
    {
        QPainter p(&cell);
        p.setRenderHint(QPainter::Antialiasing);
        // Centred on the middle pixels (x 142.5, y 200.5) so that mirroring leaves the shape unchanged.
        const int inset = kCardInset * scale;
        const QRectF card(inset, inset, width - 2 * inset, 2 * (midRow - inset) + 1);
        const double pen = 1.5 * scale;
        const QRectF outline = card.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
        p.setPen(QPen(QColor(0x70, 0x74, 0x78), pen));
        p.setBrush(Qt::white);
        p.drawRoundedRect(outline, 13 * scale, 13 * scale);
    }
    // Antialiasing alone is not exactly symmetric, and the placement engine relies on the cell being a
    // perfect mirror image about row 200. Copy the top half down and the left half across.
    const qsizetype bpl = cell.bytesPerLine();
    for (int d = 1; d < height - midRow; ++d)
        std::memcpy(cell.scanLine(midRow + d), cell.constScanLine(midRow - d), size_t(bpl));
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(cell.scanLine(y));
        for (int d = 1; midColumn + d < width; ++d)
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
