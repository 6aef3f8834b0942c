#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

namespace vellora::print {

// One of the six face pages: two suit rows of the card sheet, copied at their own size into the working
// picture and printed scaled. The preview copies a slightly different sheet rectangle on purpose, so both
// are kept side by side rather than derived from each other.
struct FacePage
{
    int number;           // 1 to 6
    QString caption;      // "Serie 1" .. "Serie 6"
    int workingWidth;     // width of the working picture; its height is always kWorkingHeight
    QRect sheetRect;      // copied from the sheet at its own size; what passes the working width is cut off
    QSize printedSize;    // on paper, from the page origin plus the margins
    QRect previewSheetRect;
    QRect previewDestination; // in the preview surface
};

inline constexpr int kPageCount = 6;
inline constexpr int kWorkingHeight = 12000;

// All values in twips.
const std::array<FacePage, kPageCount> &facePages();
// Page 1 to 6; anything else is clamped, since the option buttons cannot name another page.
const FacePage &facePage(int number);

// The face window's preview surface, in twips.
inline constexpr QSize kFacePreviewSize{4080, 2580};

// A back is stretched over a little more than a whole A4 sheet, whatever its own size.
inline constexpr QSize kBackPrintedSize{12000, 16900};
inline constexpr QSize kBackPreviewSize{2280, 3180};

// The margin lists run from "0" to "99"; any other text can be typed.
inline constexpr int kMarginEntries = 100;

} // namespace vellora::print
