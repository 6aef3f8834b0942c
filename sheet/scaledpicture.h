#pragma once

#include "sheet/cardsheet.h"

#include <QImage>

namespace vellora {

// A picture of the sheet or of a part of it, with how fine it is: the sheet as it is kept (scale 1, 15 twips
// to a pixel) or the print master (scale 3, 5 twips). Page making reads the scale from here; a picture's
// width says nothing, as a part of the sheet has a width of its own.
struct ScaledPicture
{
    QImage image;
    int scale = 1;

    int twipsPerPixel() const { return sheet::kTwipsPerPixel / scale; }
    bool isNull() const { return image.isNull(); }
};

} // namespace vellora
