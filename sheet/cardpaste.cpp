#include "sheet/cardpaste.h"

#include "sheet/cardsheet.h"
#include "surface/surface.h"

namespace vellora {

void CardPaste::applyTo(Surface &sheet) const
{
    const QRectF source(QPointF(0, 0), QSizeF(sizeTwips));
    const QImage &painted = sheet.scale != 1 && !master.isNull() ? master : picture;
    for (const int row : rows) {
        const QPointF top = areaTwips + sheet::cellOrigin(row, 0);
        sheet.paintPicture(painted, QRectF(top, QSizeF(sizeTwips)), source);
    }
}

} // namespace vellora
