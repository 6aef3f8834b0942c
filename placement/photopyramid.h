#pragma once

#include <QImage>
#include <QSize>

#include <vector>

namespace vellora {

// The photo and its successive halves, each made once, the first time a zoom small enough asks for it. A zoom
// far below 100 % then averages a few pixels of a half instead of hundreds of the photo's own, so every zoom
// step repaints at once; all the halves together take a third of the photo again at most.
class PhotoPyramid
{
public:
    PhotoPyramid() = default;
    explicit PhotoPyramid(QImage photo); // RGB32 expected

    const QImage &photo() const { return m_levels.front(); }
    // The smallest of the photo and its halves that is still at least twice `scaled` in each direction, so
    // that zooms down to a half come from the photo itself.
    const QImage &sourceFor(QSize scaled);
    // The halves made so far, not counting the photo.
    int halves() const { return int(m_levels.size()) - 1; }

    // Each pixel the rounded mean of the two by two pixels it covers; an odd last row or column is its own.
    static QImage half(const QImage &image);

private:
    std::vector<QImage> m_levels{QImage()};
};

} // namespace vellora
