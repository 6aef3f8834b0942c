#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vellora {

struct PhotoLoad
{
    QImage image;       // RGB32, null when the load failed
    QSize fileSize;     // the size the file gives, upright, before any reduction
    QString error;      // why, when it failed
    bool ok() const { return !image.isNull(); }
    bool reduced() const { return ok() && image.size() != fileSize; }
};

// Own photos for the cards: BMP, JPEG, GIF, PNG, WebP or HEIC by content, any size, upright and opaque. Phone
// photos of 12 to 48 megapixels load at their natural size; a JPEG beyond the budget is decoded straight at a
// smaller size that fits it instead of being refused, since a card shows at most a few hundred of its pixels in
// each direction. Whatever the decoder itself would hold beside the photo must fit the budget as well.
class PhotoLoader
{
public:
    // Room for 100 megapixels at 4 bytes each.
    static constexpr qint64 kBudgetBytes = 100'000'000ll * 4;

    static PhotoLoad load(const QString &path, qint64 budgetBytes = kBudgetBytes);
    static PhotoLoad decode(const QByteArray &bytes, qint64 budgetBytes = kBudgetBytes);

    // The size a picture of this format and size is decoded at: its own when it fits the budget; for a JPEG
    // beyond it, the first of a half, a quarter or an eighth that fits; empty when nothing fits.
    static QSize reducedSize(const QByteArray &format, QSize size, qint64 budgetBytes);
};

} // namespace vellora
