#include "placement/photopyramid.h"

#include <cstdint>

namespace vellora {

PhotoPyramid::PhotoPyramid(QImage photo) : m_levels{std::move(photo)} {}

const QImage &PhotoPyramid::sourceFor(QSize scaled)
{
    if (scaled.isEmpty())
        return photo();
    std::size_t level = 0;
    for (;;) {
        const QImage &current = m_levels[level];
        const QSize next((current.width() + 1) / 2, (current.height() + 1) / 2);
        if (current.width() < 2 || current.height() < 2 || next.width() < 2 * scaled.width()
            || next.height() < 2 * scaled.height())
            return m_levels[level];
        if (level + 1 == m_levels.size()) {
            QImage smaller = half(current);
            if (smaller.isNull())
                return m_levels[level];
            m_levels.push_back(std::move(smaller));
        }
        ++level;
    }
}

QImage PhotoPyramid::half(const QImage &image)
{
    const int w = (image.width() + 1) / 2, h = (image.height() + 1) / 2;
    QImage out(w, h, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    // Red and blue add up side by side in one word, green in another: four 8-bit values never reach bit 10.
    auto mean = [](QRgb a, QRgb b, QRgb c, QRgb d) {
        const std::uint32_t rb = (a & 0xff00ffu) + (b & 0xff00ffu) + (c & 0xff00ffu) + (d & 0xff00ffu) + 0x20002u;
        const std::uint32_t g = (a & 0xff00u) + (b & 0xff00u) + (c & 0xff00u) + (d & 0xff00u) + 0x200u;
        return 0xff000000u | ((rb >> 2) & 0xff00ffu) | ((g >> 2) & 0xff00u);
    };
    for (int y = 0; y < h; ++y) {
        const auto *top = reinterpret_cast<const QRgb *>(image.constScanLine(2 * y));
        const auto *bottom = reinterpret_cast<const QRgb *>(image.constScanLine(qMin(2 * y + 1, image.height() - 1)));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const int pairs = image.width() / 2;
        for (int x = 0; x < pairs; ++x)
            line[x] = mean(top[2 * x], top[2 * x + 1], bottom[2 * x], bottom[2 * x + 1]);
        if (w > pairs)
            line[pairs] = mean(top[2 * pairs], top[2 * pairs], bottom[2 * pairs], bottom[2 * pairs]);
    }
    return out;
}

} // namespace vellora
