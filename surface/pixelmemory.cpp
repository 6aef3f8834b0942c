#include "surface/pixelmemory.h"

#include <cstdlib>
#include <sys/mman.h>

namespace vellora {

namespace {
constexpr qsizetype kHugePage = qsizetype(2) << 20;
} // namespace

QImage largePicture(QSize size, QImage::Format format)
{
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    if (size.isEmpty() || depth < 8)
        return QImage(size, format);
    const qsizetype bytesPerLine = ((qsizetype(size.width()) * depth / 8) + 3) & ~qsizetype(3);
    const qsizetype bytes = bytesPerLine * size.height();
#ifdef MADV_HUGEPAGE
    if (bytes >= kHugePage && bytes / size.height() == bytesPerLine) {
        const qsizetype rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        void *memory = std::aligned_alloc(std::size_t(kHugePage), std::size_t(rounded));
        if (!memory)
            return QImage();
        // Only advice: where the kernel has no such pages the memory comes in 4 KB pages as usual.
        madvise(memory, std::size_t(rounded), MADV_HUGEPAGE);
        return QImage(static_cast<uchar *>(memory), size.width(), size.height(), bytesPerLine, format,
                      std::free, memory);
    }
#endif
    return QImage(size, format);
}

} // namespace vellora
