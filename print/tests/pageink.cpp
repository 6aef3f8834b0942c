#include "pageink.h"

#include "pagetables.h"

#include <QPainter>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vellora::printtest {

namespace {

// Neighbouring cells differ in hue by at least 100 degrees or in value by 60, so a misplaced page shows.
QColor cellColour(int cell)
{
    return QColor::fromHsv((cell % 14 * 137 + cell / 14 * 61) % 360, 220, 110 + 60 * (cell / 14 % 2));
}

// Top-left, top-right, bottom-left, bottom-right.
const QRgb kQuadrants[4] = {qRgb(200, 30, 30), qRgb(30, 160, 30), qRgb(30, 30, 200), qRgb(40, 40, 40)};

} // namespace

QImage addressedSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x & 0xff, ((x >> 8) & 0x0f) | ((y & 0x0f) << 4), y >> 4));
    return sheet;
}

QImage colouredSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int cell = 0; cell < 56; ++cell)
        painter.fillRect(cell % 14 * 285, cell / 14 * 400, 285, 400, cellColour(cell));
    return sheet;
}

QImage quadrantBack(QSize size)
{
    QImage back(size, QImage::Format_RGB32);
    QPainter painter(&back);
    // Each quadrant paints to the bottom-right corner; the later ones cover the rest.
    for (int q = 0; q < 4; ++q)
        painter.fillRect(QRect(QPoint(q % 2 * size.width() / 2, q / 2 * size.height() / 2), size),
                         QColor(kQuadrants[q]));
    return back;
}

int colourDistance(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

QImage renderPdf(const QString &pdf, QString *error, int page, int dpi)
{
    // Beside the PDF rather than in the temporary folder, which a test may have filled on purpose.
    QTemporaryDir dir(QFileInfo(pdf).absolutePath() + QStringLiteral("/render-XXXXXX"));
    const QString base = dir.filePath(QStringLiteral("page")), n = QString::number(page);
    const int status = QProcess::execute(QStringLiteral("pdftoppm"),
                                         {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", pdf, base});
    const QImage image(base + QStringLiteral(".ppm"));
    if (image.isNull())
        *error = QStringLiteral("pdftoppm gave no page for %1 (exit status %2)").arg(pdf).arg(status);
    return image.convertToFormat(QImage::Format_RGB32);
}

int pdfPages(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(60000);
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
        .match(QString::fromLocal8Bit(info.readAllStandardOutput()))
        .captured(1)
        .toInt();
}

QString checkPrintedPage(const QImage &page, int pageNumber, QPoint origin)
{
    if ((page.width() > page.height()) != (pageNumber > 0))
        return QString::asprintf("the page is %d x %d px, turned the wrong way\n", page.width(),
                                 page.height());
    // The picture's own rectangle, points of it with the colour each must show, and its size on paper.
    QRectF picture(0, 0, 2, 2);
    QSizeF paper(print::kBackPrintedSize);
    std::vector<std::pair<QPointF, QColor>> probes;
    for (int q = 0; q < 4 && !pageNumber; ++q)
        probes.emplace_back(QPointF(q % 2 + 0.5, q / 2 + 0.5), QColor(kQuadrants[q]));
    if (pageNumber) {
        // The working picture, in twips of the sheet; every card whose centre lies on it must show its
        // colour.
        const print::FacePage &p = print::facePage(pageNumber);
        picture = QRectF(p.sheetRect.topLeft(), QSizeF(p.workingWidth, print::kWorkingHeight));
        paper = QSizeF(p.printedSize);
        for (int cell = 0; cell < 56; ++cell)
            probes.emplace_back(QPointF(cell % 14 * 4275 + 2137.5, cell / 14 * 6000 + 3000),
                                cellColour(cell));
    }
    // From the picture to pixels of the page, at 72 dpi: 1/20 of a pixel to the twip.
    QTransform onPage;
    onPage.scale(0.05, 0.05).translate(origin.x(), origin.y());
    onPage.scale(paper.width() / picture.width(), paper.height() / picture.height())
        .translate(-picture.x(), -picture.y());
    // Ink must start and stop within a pixel and a half of where the twips put it: a pixel for rounding, half
    // a pixel for anti-aliasing.
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (const QRgb c = page.pixel(x, y); std::min({qRed(c), qGreen(c), qBlue(c)}) < 235)
                ink |= QRect(x, y, 1, 1);
    const QRectF want = onPage.mapRect(picture).intersected(QRectF(page.rect()));
    const QPointF d1 = QRectF(ink).topLeft() - want.topLeft(),
                  d2 = QRectF(ink).bottomRight() - want.bottomRight();
    QString problems;
    if (std::max({std::abs(d1.x()), std::abs(d1.y()), std::abs(d2.x()), std::abs(d2.y())}) > 1.5)
        problems =
            QString::asprintf("ink is off by (%g, %g) px at its top left, (%g, %g) at its bottom right\n",
                              d1.x(), d1.y(), d2.x(), d2.y());
    for (const auto &[point, colour] : probes) {
        // The average of the 7 x 7 pixels around the point, as printing through JPEG moves single pixels.
        const QPoint at = onPage.map(point).toPoint();
        const QColor seen = page.copy(QRect(at - QPoint(3, 3), QSize(7, 7)))
                                .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .pixelColor(0, 0);
        if (picture.contains(point) && colourDistance(seen, colour) > 40)
            problems += QString::asprintf("(%d, %d) px shows %s, expected %s\n", at.x(), at.y(),
                                          qPrintable(seen.name()), qPrintable(colour.name()));
    }
    return problems;
}

} // namespace vellora::printtest
