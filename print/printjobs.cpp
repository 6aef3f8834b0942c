#include "print/printjobs.h"

#include "print/margins.h"
#include "surface/platform.h"
#include "print/printpage.h"
#include "surface/surface.h"
#include "surface/twips.h"

namespace vellora::print {

namespace {

// Lays the page out through the one page geometry that the PDF and the command line use too.
template <typename MakePage>
PrintOutcome printOnePage(const QImage &picture, const QString &topMargin, const QString &leftMargin,
                          PrintTarget &target, MakePage &&makePage)
{
    // Margins are read before the document starts: a margin that cannot be used must not cost a blank sheet.
    const std::optional<int> top = marginTwips(topMargin);
    const std::optional<int> left = marginTwips(leftMargin);
    if (!top || !left)
        return {false, QStringLiteral("margin too large to be a position on the page")};
    if (picture.isNull())
        return {false, QStringLiteral("nothing to print")};

    const PrintPage page = makePage(QPoint(*left, *top));
    QString error;
    if (!target.begin(page.orientation, &error))
        return {false, error};
    target.paintPicture(page.picture.image, page.picture.twips);
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
    return printOnePage(workingPicture.image(), topMargin, leftMargin, target,
                        [&](QPoint origin) { return facePrintPage(workingPicture.image(), page, origin); });
}

PrintOutcome printBack(const QImage &back, const QString &topMargin, const QString &leftMargin, PrintTarget &target)
{
    if (back.isNull())
        return {false, QString::fromUtf16(kNoBackText)};
    return printOnePage(back, topMargin, leftMargin, target,
                        [&](QPoint origin) { return backPrintPage(back, origin); });
}

} // namespace vellora::print
