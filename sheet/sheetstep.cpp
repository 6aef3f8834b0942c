#include "sheet/sheetstep.h"

#include "sheet/cardsheet.h"

#include <zstd.h>
#include <zstd_errors.h>

#include <cstring>

namespace vellora {

namespace {

// The fastest level: the sheet is mostly flat colour, and an undo must not wait for a better ratio.
constexpr int kCompressionLevel = 1;

// Changes larger than this share of the sheet are kept as whole sheets: rectangles would save nothing.
constexpr qint64 kPatchShareDivisor = 4;

constexpr int kCellWidthPixels = sheet::kWidthPixels / sheet::kColumns;
constexpr int kCellHeightPixels = sheet::kHeightPixels / sheet::kRows;

bool samePixel(const uchar *a, const uchar *b, int bytesPerPixel) { return std::memcmp(a, b, bytesPerPixel) == 0; }

// The smallest rectangle inside `cell` that holds every pixel in which the two pictures differ.
QRect changedWithin(const QImage &before, const QImage &after, const QRect &cell, int bytesPerPixel)
{
    int top = -1, bottom = -1, left = cell.right() + 1, right = cell.left() - 1;
    const qsizetype rowBytes = qsizetype(cell.width()) * bytesPerPixel;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        const uchar *a = before.constScanLine(y) + qsizetype(cell.left()) * bytesPerPixel;
        const uchar *b = after.constScanLine(y) + qsizetype(cell.left()) * bytesPerPixel;
        if (std::memcmp(a, b, size_t(rowBytes)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (samePixel(a + x * bytesPerPixel, b + x * bytesPerPixel, bytesPerPixel))
            ++x;
        left = std::min(left, cell.left() + x);
        x = cell.width() - 1;
        while (samePixel(a + x * bytesPerPixel, b + x * bytesPerPixel, bytesPerPixel))
            --x;
        right = std::max(right, cell.left() + x);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool patchable(const QImage &before, const QImage &after)
{
    return !before.isNull() && before.size() == after.size() && before.format() == after.format() &&
           before.size() == QSize(sheet::kWidthPixels, sheet::kHeightPixels) && before.depth() % 8 == 0 &&
           before.colorTable() == after.colorTable();
}

} // namespace

PackedPicture::PackedPicture(const QImage &image)
    : m_size(image.size()), m_format(image.format()), m_colours(image.colorTable()),
      m_dotsPerMeterX(image.dotsPerMeterX()), m_dotsPerMeterY(image.dotsPerMeterY())
{
    if (image.isNull())
        return;
    const size_t size = size_t(image.sizeInBytes());
    // Card faces pack to a small part of their size; only a sheet that does not needs the full bound.
    m_data.resize(qsizetype(size / 8));
    size_t packed = ZSTD_compress(m_data.data(), size_t(m_data.size()), image.constBits(), size, kCompressionLevel);
    if (ZSTD_isError(packed) && ZSTD_getErrorCode(packed) == ZSTD_error_dstSize_tooSmall) {
        m_data.resize(qsizetype(ZSTD_compressBound(size)));
        packed = ZSTD_compress(m_data.data(), size_t(m_data.size()), image.constBits(), size, kCompressionLevel);
    }
    if (ZSTD_isError(packed)) {
        // Never with a buffer of the bound's size; keep the bytes as they are rather than lose the step.
        m_data = QByteArray(reinterpret_cast<const char *>(image.constBits()), qsizetype(size));
        m_raw = true;
        return;
    }
    m_data.resize(qsizetype(packed));
    m_data.squeeze();
}

QImage PackedPicture::unpack() const
{
    if (m_size.isEmpty())
        return {};
    QImage image(m_size, m_format);
    if (image.isNull())
        return {};
    image.setColorTable(m_colours);
    image.setDotsPerMeterX(m_dotsPerMeterX);
    image.setDotsPerMeterY(m_dotsPerMeterY);
    const size_t size = size_t(image.sizeInBytes());
    if (m_raw) {
        if (size_t(m_data.size()) != size)
            return {};
        std::memcpy(image.bits(), m_data.constData(), size);
        return image;
    }
    const size_t unpacked = ZSTD_decompress(image.bits(), size, m_data.constData(), size_t(m_data.size()));
    if (ZSTD_isError(unpacked) || unpacked != size)
        return {};
    return image;
}

SheetStep SheetStep::between(const QImage &before, const QImage &after)
{
    SheetStep step;
    if (before.isNull() && after.isNull())
        return step;
    if (patchable(before, after)) {
        const int bytesPerPixel = before.depth() / 8;
        qint64 area = 0;
        for (int row = 0; row < sheet::kRows; ++row) {
            for (int column = 0; column < sheet::kColumns; ++column) {
                const QRect cell(column * kCellWidthPixels, row * kCellHeightPixels, kCellWidthPixels,
                                 kCellHeightPixels);
                const QRect changed = changedWithin(before, after, cell, bytesPerPixel);
                if (changed.isEmpty())
                    continue;
                if (step.m_patches.empty())
                    step.m_card = QPoint(column, row);
                step.m_patches.push_back({changed.topLeft(), before.copy(changed), after.copy(changed)});
                area += qint64(changed.width()) * changed.height();
            }
        }
        if (area * kPatchShareDivisor <= qint64(before.width()) * before.height())
            return step;
        step.m_patches.clear();
    } else if (before == after && before.format() == after.format()) {
        return step;
    }
    step.m_whole = true;
    step.m_card = QPoint(0, 0);
    step.m_before = PackedPicture(before);
    step.m_after = PackedPicture(after);
    return step;
}

bool SheetStep::paste(QImage &sheet, bool before) const
{
    if (m_whole) {
        const PackedPicture &packed = before ? m_before : m_after;
        QImage image = packed.unpack();
        if (image.isNull() && packed.bytes() > 0)
            return false;
        sheet = std::move(image);
        return true;
    }
    if (sheet.size() != QSize(sheet::kWidthPixels, sheet::kHeightPixels) ||
        (!m_patches.empty() && sheet.format() != m_patches.front().before.format()))
        return false;
    const int bytesPerPixel = sheet.depth() / 8;
    for (const Patch &patch : m_patches) {
        const QImage &block = before ? patch.before : patch.after;
        const size_t rowBytes = size_t(block.width()) * size_t(bytesPerPixel);
        for (int y = 0; y < block.height(); ++y)
            std::memcpy(sheet.scanLine(patch.at.y() + y) + qsizetype(patch.at.x()) * bytesPerPixel,
                        block.constScanLine(y), rowBytes);
    }
    return true;
}

bool SheetStep::undo(QImage &sheet) const { return paste(sheet, true); }

bool SheetStep::redo(QImage &sheet) const { return paste(sheet, false); }

qint64 SheetStep::bytes() const
{
    qint64 total = m_before.bytes() + m_after.bytes();
    for (const Patch &patch : m_patches)
        total += patch.before.sizeInBytes() + patch.after.sizeInBytes();
    return total;
}

} // namespace vellora
