#include "placement/scaledview.h"

#include <algorithm>
#include <cmath>

namespace vellora {

namespace {

constexpr int kOne = 1 << ScaledView::kWeightBits;

bool is32Bit(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

} // namespace

ScaledView::ScaledView(const QImage &photo, QSize scaledSize)
    : m_photo(is32Bit(photo) ? photo : photo.convertToFormat(QImage::Format_RGB32)),
      m_size(photo.isNull() ? QSize(0, 0) : scaledSize.expandedTo(QSize(0, 0)))
{
    if (isEmpty())
        return;
    m_x = taps(m_photo.width(), m_size.width());
    m_y = taps(m_photo.height(), m_size.height());
}

ScaledView::Taps ScaledView::taps(int n, int zn)
{
    Taps t;
    t.first.resize(zn);
    t.count.resize(zn);
    t.offset.resize(zn);
    std::vector<double> w;
    for (int o = 0; o < zn; ++o) {
        w.clear();
        int first = 0;
        if (zn >= n) {
            // Centres of scaled pixels mapped onto the source; at equal size this lands on whole pixels.
            const double c = std::clamp((o + 0.5) * n / zn - 0.5, 0.0, double(n - 1));
            first = int(std::floor(c));
            const double f = c - first;
            if (f == 0)
                w = {1.0};
            else
                w = {1.0 - f, f};
        } else {
            const double lo = double(o) * n / zn;
            const double hi = std::min(double(o + 1) * n / zn, double(n));
            first = int(std::floor(lo));
            const int last = std::min(n - 1, int(std::ceil(hi)) - 1);
            for (int i = first; i <= last; ++i)
                w.push_back(std::min(double(i + 1), hi) - std::max(double(i), lo));
        }
        double total = 0;
        for (double v : w)
            total += v;
        // Rounded weights must still add up to exactly one, or flat colours would drift by a step.
        int sum = 0;
        std::size_t largest = 0;
        const int start = int(t.weights.size());
        for (std::size_t i = 0; i < w.size(); ++i) {
            const int fixed = int(std::lround(w[i] / total * kOne));
            t.weights.push_back(std::uint16_t(fixed));
            sum += fixed;
            if (w[i] > w[largest])
                largest = i;
        }
        t.weights[start + largest] = std::uint16_t(t.weights[start + largest] + (kOne - sum));
        t.first[o] = first;
        t.count[o] = int(w.size());
        t.offset[o] = start;
    }
    return t;
}

void ScaledView::render(const QRect &area, QImage &target, QPoint at) const
{
    if (isEmpty() || target.isNull() || target.depth() != 32)
        return;
    const QPoint shift = area.topLeft() - at; // scaled coordinates minus target coordinates
    const QRect a = area.intersected(QRect(QPoint(0, 0), m_size)).intersected(target.rect().translated(shift));
    if (a.isEmpty())
        return;
    const int width = a.width();
    std::vector<std::uint32_t> acc(std::size_t(width) * 3);
    for (int oy = a.top(); oy <= a.bottom(); ++oy) {
        std::fill(acc.begin(), acc.end(), 0u);
        const int yFirst = m_y.first[oy];
        const std::uint16_t *yWeights = m_y.weights.data() + m_y.offset[oy];
        for (int ky = 0; ky < m_y.count[oy]; ++ky) {
            const std::uint32_t wy = yWeights[ky];
            if (wy == 0)
                continue;
            const auto *row = reinterpret_cast<const QRgb *>(m_photo.constScanLine(yFirst + ky));
            std::uint32_t *out = acc.data();
            for (int ox = a.left(); ox <= a.right(); ++ox, out += 3) {
                const QRgb *p = row + m_x.first[ox];
                const std::uint16_t *xWeights = m_x.weights.data() + m_x.offset[ox];
                // Red and blue ride in the two halves of one 64-bit sum: each stays below 2^22, so they never
                // meet, and a shrink far below 100 % (a hundred taps a pixel) needs two products a tap, not three.
                std::uint64_t redBlue = 0;
                std::uint32_t g = 0;
                for (int kx = 0; kx < m_x.count[ox]; ++kx) {
                    const std::uint32_t wx = xWeights[kx];
                    const QRgb pixel = p[kx];
                    redBlue += ((std::uint64_t(pixel & 0xff0000u) << 16) | (pixel & 0xffu)) * wx;
                    g += ((pixel >> 8) & 0xffu) * wx;
                }
                const auto r = std::uint32_t(redBlue >> 32);
                const auto b = std::uint32_t(redBlue & 0xffffffffu);
                // Eight fraction bits are kept, so that the second axis still fits in 32 bits.
                out[0] += wy * ((r + 32) >> 6);
                out[1] += wy * ((g + 32) >> 6);
                out[2] += wy * ((b + 32) >> 6);
            }
        }
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(oy - shift.y())) + (a.left() - shift.x());
        constexpr std::uint32_t half = 1u << 21;
        for (int i = 0; i < width; ++i)
            line[i] = qRgb(int((acc[3 * i] + half) >> 22), int((acc[3 * i + 1] + half) >> 22),
                           int((acc[3 * i + 2] + half) >> 22));
    }
}

QImage ScaledView::region(const QRect &area, QRgb outside) const
{
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(outside);
    render(area, image, QPoint(0, 0));
    return image;
}

} // namespace vellora
