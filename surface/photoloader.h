#pragma once

#include "surface/outcome.h"
#include "surface/photofile.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace vellora {

struct Photo
{
    QImage image;   // RGB32, never null
    QSize fileSize; // the size the file gives, upright, before any reduction
};
using PhotoLoad = Result<Photo>;

// Own photos for the cards: BMP, JPEG, GIF, PNG, WebP or HEIC by content, any size, upright and opaque. Phone
// photos of 12 to 48 megapixels load at their natural size; a JPEG beyond the budget is decoded straight at a
// smaller size that fits it instead of being refused, since a card shows at most a few hundred of its pixels
// in each direction.
//
// One budget bounds the photo memory, whatever was loaded before: the photo still shown (it stays until the
// new one is ready) with the halves zooming makes of it, the file, what the decoder holds, the picture it
// delivers and the copies made to turn it upright and opaque. All of it is counted from the header before the
// decoder takes anything, and so is the new photo with its own halves to come.
class PhotoLoader
{
public:
    static constexpr qint64 kBudgetBytes = PhotoFile::kBudgetBytes;

    // What a photo shown takes: itself and its halves, a third more at most.
    static qint64 shownBytes(const QImage &photo) { return photo.sizeInBytes() / 3 * 4; }

    static PhotoLoad load(const QString &path, qint64 shownBytes = 0, qint64 budgetBytes = kBudgetBytes);
    static PhotoLoad decode(const QByteArray &bytes, qint64 shownBytes = 0,
                            qint64 budgetBytes = kBudgetBytes);

    // The size a photo with this header is decoded at beside what is shown: its own when it fits the budget;
    // for a JPEG beyond it, the first of a half, a quarter or an eighth that fits; empty when nothing fits.
    static QSize decodedSize(const PhotoHeader &header, qint64 shownBytes, qint64 budgetBytes);
};

} // namespace vellora
