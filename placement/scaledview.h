#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace vellora {

// A photo seen at another size without ever making the scaled picture. Any rectangle of the scaled picture
// is computed from the photo on its own, and gives exactly the pixels the same rectangle of the whole scaled
// picture would have: each scaled pixel depends only on its own position, never on the rectangle asked for.
// So a 48-megapixel photo at 250 % costs no more memory than the photo, and only what is shown is computed.
//
// Each axis is filtered on its own: shrinking averages the source pixels a scaled pixel covers, weighted by
// how much of each it covers (so nothing is skipped however small the zoom); enlarging interpolates between
// the two nearest source pixels. At equal size both come down to a plain copy. Integer arithmetic keeps the
// result the same on every machine and in every build.
class ScaledView
{
public:
    ScaledView() = default;
    // Shares the photo's pixels (QImage is implicitly shared); a photo not in a 32-bit format is converted once.
    ScaledView(const QImage &photo, QSize scaledSize);

    QSize size() const { return m_size; }
    bool isEmpty() const { return m_size.isEmpty() || m_photo.isNull(); }

    // The part of the scaled picture at area (scaled pixels), drawn into target with its top-left at `at`.
    // Whatever of area lies outside the scaled picture or the target is left alone.
    void render(const QRect &area, QImage &target, QPoint at) const;

    // The part of the scaled picture at area, as a picture of its own (RGB32); outside the scaled picture the
    // pixels are `outside`.
    QImage region(const QRect &area, QRgb outside = 0xff000000) const;

    // Weights are fixed point with this many fraction bits; one axis' taps for a pixel add up to exactly 1.
    static constexpr int kWeightBits = 14;

private:
    struct Taps
    {
        // For scaled coordinate o: source indices first[o] .. first[o] + count[o] - 1, their weights starting
        // at weights[offset[o]].
        std::vector<int> first;
        std::vector<int> count;
        std::vector<int> offset;
        std::vector<std::uint16_t> weights;
    };
    static Taps taps(int sourceLength, int scaledLength);

    QImage m_photo;
    QSize m_size;
    Taps m_x;
    Taps m_y;
};

} // namespace vellora
