#pragma once

#include "print/printpage.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vellora::print {

// How far a duplex printer moves the back: a sheet with a millimetre scale across its middle both ways on
// the front and the same scale on the back, which lies mirrored behind it. Held to the light, the back's
// number under the front's thick zero line is the shift to enter, left-right and up-down.
inline constexpr int kCalibrationReach = 10; // millimetres either side of the middle
std::vector<PrintPage> calibrationPages(Paper paper);
Result<QByteArray> calibrationPdf(Paper paper);

} // namespace vellora::print
