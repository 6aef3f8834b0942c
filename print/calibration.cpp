#include "print/calibration.h"

#include "print/pdfdocument.h"

#include <QCoreApplication>

namespace vellora::print {

namespace {

constexpr int kTick = 8; // about 0.15 mm: thin, and still printed

// One scale through the middle of the page, across (`horizontal`) or down; its zero line `zeroLength` long.
void addScale(PrintPage &page, QPoint middle, bool horizontal, int zeroLength)
{
    for (int k = -kCalibrationReach; k <= kCalibrationReach; ++k) {
        const int along = mmTwips(k), length = k == 0 ? zeroLength : mmTwips(k % 5 ? 2 : 4);
        const int width = k == 0 ? 3 * kTick : kTick;
        const QRect tick =
            horizontal ? QRect(middle.x() + along - width / 2, middle.y() - length / 2, width, length)
                       : QRect(middle.x() - length / 2, middle.y() + along - width / 2, length, width);
        page.fills.push_back(tick);
        if (k % 5 == 0 && k != 0) {
            const QPoint at = horizontal ? QPoint(tick.x() - 60, middle.y() - mmTwips(3))
                                         : QPoint(middle.x() + mmTwips(3), tick.y() + 50);
            page.texts.push_back({at, QString::number(k), 6});
        }
    }
}

PrintPage calibrationPage(Paper paper, bool front)
{
    PrintPage page;
    page.paper = paper;
    page.faceNumber = front ? 1 : 0;
    const QSize size = page.paperTwips();
    const QPoint middle(size.width() / 2, size.height() / 2);
    const int zero = front ? mmTwips(2 * kCalibrationReach + 10) : mmTwips(4);
    addScale(page, middle, true, zero);
    addScale(page, middle, false, zero);
    const int left = mmTwips(20);
    if (front) {
        page.texts.push_back(
            {QPoint(left, mmTwips(25)), QCoreApplication::translate("Print", "Uitlijnpagina: voorkant"), 12});
        page.texts.push_back(
            {QPoint(left, mmTwips(32)),
             QCoreApplication::translate("Print", "Druk dubbelzijdig af en houd het blad tegen het licht. "
                                                  "Het getal van de achterkant onder de dikke nullijn"),
             8});
        page.texts.push_back(
            {QPoint(left, mmTwips(36)),
             QCoreApplication::translate(
                 "Print", "is de verschuiving in mm: op de liggende schaal X, op de staande Y."),
             8});
    } else {
        page.texts.push_back({QPoint(left, mmTwips(25)),
                              QCoreApplication::translate("Print", "Uitlijnpagina: achterkant"), 12});
    }
    return page;
}

} // namespace

std::vector<PrintPage> calibrationPages(Paper paper)
{
    return {calibrationPage(paper, true), calibrationPage(paper, false)};
}

Result<QByteArray> calibrationPdf(Paper paper)
{
    return pdfDocument(calibrationPages(paper));
}

} // namespace vellora::print
