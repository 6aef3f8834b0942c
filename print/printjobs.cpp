#include "printjobs.h"

#include "margins.h"
#include "platform.h"
#include "surface.h"
#include "twips.h"

namespace vellora::print {

namespace {

PrintOutcome printOnePage(const QImage &picture, QPageLayout::Orientation orientation, const QString &topMargin,
                          const QString &leftMargin, QSize printedSize, PrintTarget &target)
{
    // Margins are read before the document starts: a margin that cannot be used must not cost a blank sheet.
    const std::optional<int> top = marginTwips(topMargin);
    const std::optional<int> left = marginTwips(leftMargin);
    if (!top || !left)
        return {false, QStringLiteral("margin too large to be a position on the page")};
    if (picture.isNull())
        return {false, QStringLiteral("nothing to print")};

    QString error;
    if (!target.begin(orientation, &error))
        return {false, error};
    target.paintPicture(picture, QRect(QPoint(*left, *top), printedSize));
    if (!target.end(&error))
        return {false, error};
    return {true, {}};
}

} // namespace

void composeFacePage(const QImage &sheet, const FacePage &page, Surface &workingPicture)
{
    workingPicture.setPicture(QImage());
    workingPicture.resize(px(page.workingWidth), px(kWorkingHeight));
    workingPicture.paintPicture(sheet, QRectF(0, 0, page.sheetRect.width(), page.sheetRect.height()),
                                QRectF(page.sheetRect));
}

PrintOutcome printFacePage(const QImage &sheet, const FacePage &page, const QString &topMargin,
                           const QString &leftMargin, Surface &workingPicture, PrintTarget &target)
{
    composeFacePage(sheet, page, workingPicture);
    return printOnePage(workingPicture.image(), QPageLayout::Landscape, topMargin, leftMargin, page.printedSize,
                        target);
}

PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin, PrintTarget &target)
{
    return printOnePage(back, QPageLayout::Portrait, topMargin, leftMargin, kBackPrintedSize, target);
}

} // namespace vellora::print
