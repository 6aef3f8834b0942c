#pragma once

#include <QImage>
#include <QSize>

namespace vellora {

// `picture` as RGB32 of `size` pixels, made on the calling thread alone: Qt 6.4's smooth scaled() splits a
// large picture over the global pool's threads and waits for them, so on a worker of our own it would hold
// up whatever else waits there. Enlarged, each pixel lies linearly between its nearest neighbours; reduced,
// it is the weighted mean of the pixels it covers. At its own size the picture is returned as it is;
// nothing, or no size, gives a null picture.
QImage smoothScaled(const QImage &picture, QSize size);

// The same pixels written straight into `target`'s RGB32 rectangle `where`, which lies wholly inside it, so a
// picture that frames the result needs no second copy. False, and nothing written, when it does not fit.
bool smoothScaleInto(const QImage &picture, QImage &target, const QRect &where);

} // namespace vellora
