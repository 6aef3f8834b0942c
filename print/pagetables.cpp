#include "print/pagetables.h"

#include <QCoreApplication>
#include <algorithm>

namespace vellora::print {

namespace {

FacePage page(int number, int workingWidth, int sheetX, int sheetY, int sheetWidth, int printedWidth, int previewX,
              int previewWidth)
{
    return FacePage{number,
                    QCoreApplication::translate("Print", "Serie %1").arg(number),
                    workingWidth,
                    QRect(sheetX, sheetY, sheetWidth, kWorkingHeight),
                    QSize(printedWidth, 10200),
                    QRect(previewX, sheetY, sheetWidth, kWorkingHeight),
                    QRect(45, 180, previewWidth, 2220)};
}

} // namespace

const std::array<FacePage, kPageCount> &facePages()
{
    // Pages 2 and 5 copy 21450 twips into a working picture 21390 wide, and preview from 60 twips further
    // left than they print; pages 3 and 6 preview from 42750 but print from 42810.
    static const std::array<FacePage, kPageCount> pages{
        page(1, 21450, 0, 0, 21450, 16200, 0, 3990),
        page(2, 21390, 21430, 0, 21450, 16200, 21390, 3990),
        page(3, 17010, 42810, 0, 17010, 12860, 42750, 3165),
        page(4, 21450, 0, 12000, 21450, 16200, 0, 3990),
        page(5, 21390, 21430, 12000, 21450, 16200, 21390, 3990),
        page(6, 17010, 42810, 12000, 17010, 12860, 42750, 3165),
    };
    return pages;
}

const FacePage &facePage(int number)
{
    return facePages()[std::clamp(number, 1, kPageCount) - 1];
}

} // namespace vellora::print
