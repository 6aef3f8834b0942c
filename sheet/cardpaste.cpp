#include "sheet/cardpaste.h"

#include "sheet/cardsheet.h"
#include "surface/surface.h"

namespace vellora {

void CardPaste::applyTo(Surface &sheet) const
{
    const QRectF source(QPointF(0, 0), QSizeF(sizeTwips));
    for (const int row : rows) {
        const QPointF top = areaTwips + sheet::cellOrigin(row, 0);
        sheet.paintPicture(picture, QRectF(top, QSizeF(sizeTwips)), source);
    }
}

} // namespace vellora
