#pragma once

#include <QImage>
#include <QSize>

namespace vellora {

// A picture of many megabytes in memory the kernel may map in 2 MB pages. Written for the first time, every
// 4 KB page of fresh memory costs a page fault; for a 48-megapixel photo those faults take longer than
// decoding it, while 2 MB pages take a few hundred faults in all. Small pictures, and systems without such
// pages, get an ordinary QImage. Null when the memory is not there.
QImage largePicture(QSize size, QImage::Format format);

} // namespace vellora
