#include "pageink.h"

#include "pagetables.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace vellora::printtest {

QImage addressedSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = qRgb(x & 0xff, ((x >> 8) & 0x0f) | ((y & 0x0f) << 4), y >> 4);
    }
    return sheet;
}

QColor cellColour(int row, int column)
{
    // Neighbouring cells differ in hue by at least 100 degrees or in value by 60, so a misplaced page shows.
    return QColor::fromHsv((column * 137 + row * 61) % 360, 220, 110 + 60 * (row % 2));
}

QImage colouredSheet()
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 14; ++c)
            painter.fillRect(c * 285, r * 400, 285, 400, cellColour(r, c));
    return sheet;
}

QColor quadrantColour(int quadrant)
{
    static const QColor colours[4] = {QColor(200, 30, 30), QColor(30, 160, 30), QColor(30, 30, 200),
                                      QColor(40, 40, 40)};
    return colours[quadrant];
}

QImage quadrantBack(QSize size)
{
    QImage back(size, QImage::Format_RGB32);
    QPainter painter(&back);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, quadrantColour(0));
    painter.fillRect(w, 0, size.width() - w, h, quadrantColour(1));
    painter.fillRect(0, h, w, size.height() - h, quadrantColour(2));
    painter.fillRect(w, h, size.width() - w, size.height() - h, quadrantColour(3));
    return back;
}

std::optional<QImage> renderPdf(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                         QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, base});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("pdftoppm failed on %1: %2 %3")
                         .arg(pdf, p.errorString(), QString::fromLocal8Bit(p.readAllStandardError()));
        return std::nullopt;
    }
    QImage page(base + QStringLiteral(".ppm"));
    if (page.isNull()) {
        if (error)
            *error = QStringLiteral("pdftoppm wrote no readable page for %1").arg(pdf);
        return std::nullopt;
    }
    return page.convertToFormat(QImage::Format_RGB32);
}

QRect inkBox(const QImage &page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = line[x];
            if (qRed(c) < 235 || qGreen(c) < 235 || qBlue(c) < 235) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QColor averageAround(const QImage &page, QPointF at, int radius)
{
    long r = 0, g = 0, b = 0, n = 0;
    const int cx = int(std::floor(at.x())), cy = int(std::floor(at.y()));
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (!page.valid(x, y))
                continue;
            const QRgb c = page.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

namespace {

QString colourText(QColor c) { return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

// Ink must start and stop within a pixel and a half of where the twips put it: a pixel for rounding, half a
// pixel for the renderer's anti-aliasing.
QString checkInkBox(const QImage &page, QRectF expected)
{
    const QRect ink = inkBox(page);
    const QRectF visible = expected.intersected(QRectF(page.rect()));
    const double slack = 1.5;
    if (ink.isNull())
        return QStringLiteral("the page is blank\n");
    if (std::abs(ink.left() - visible.left()) > slack || std::abs(ink.top() - visible.top()) > slack ||
        std::abs(ink.right() + 1 - visible.right()) > slack || std::abs(ink.bottom() + 1 - visible.bottom()) > slack)
        return QStringLiteral("ink covers (%1, %2)-(%3, %4) px, expected (%5, %6)-(%7, %8)\n")
            .arg(ink.left()).arg(ink.top()).arg(ink.right() + 1).arg(ink.bottom() + 1)
            .arg(visible.left()).arg(visible.top()).arg(visible.right()).arg(visible.bottom());
    return {};
}

} // namespace

QString checkFacePage(const QImage &page, int dpi, int pageNumber, QPoint origin)
{
    const print::FacePage &p = print::facePage(pageNumber);
    if (page.width() <= page.height())
        return QStringLiteral("the page is %1 x %2 px, not landscape\n").arg(page.width()).arg(page.height());
    const double sx = double(p.printedSize.width()) / p.workingWidth;
    const double sy = double(p.printedSize.height()) / print::kWorkingHeight;
    const QSizeF printed(p.printedSize.width() * dpi / 1440.0, p.printedSize.height() * dpi / 1440.0);
    QString problems = checkInkBox(page, QRectF(pagePixels(origin, dpi), printed));
    // Every card whose centre lies on the page must show its own colour there.
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 14; ++c) {
            const QPointF centre(c * 4275 + 2137.5 - p.sheetRect.x(), r * 6000 + 3000 - p.sheetRect.y());
            if (centre.x() < 0 || centre.x() >= p.workingWidth || centre.y() < 0 || centre.y() >= print::kWorkingHeight)
                continue;
            const QPointF at = pagePixels(QPointF(origin) + QPointF(centre.x() * sx, centre.y() * sy), dpi);
            const QColor seen = averageAround(page, at);
            if (!near(seen, cellColour(r, c), 40))
                problems += QStringLiteral("card (%1, %2) at (%3, %4) px shows %5, expected %6\n")
                                .arg(r).arg(c).arg(at.x()).arg(at.y())
                                .arg(colourText(seen), colourText(cellColour(r, c)));
        }
    }
    return problems;
}

QString checkBackPage(const QImage &page, int dpi, QPoint origin)
{
    if (page.width() >= page.height())
        return QStringLiteral("the page is %1 x %2 px, not portrait\n").arg(page.width()).arg(page.height());
    const QSizeF size(print::kBackPrintedSize.width() * dpi / 1440.0, print::kBackPrintedSize.height() * dpi / 1440.0);
    const QPointF topLeft = pagePixels(origin, dpi);
    QString problems = checkInkBox(page, QRectF(topLeft, size));
    for (int q = 0; q < 4; ++q) {
        const QPointF at = topLeft + QPointF(size.width() * (q % 2 ? 0.75 : 0.25), size.height() * (q / 2 ? 0.75 : 0.25));
        const QColor seen = averageAround(page, at);
        if (!near(seen, quadrantColour(q), 40))
            problems += QStringLiteral("quarter %1 at (%2, %3) px shows %4, expected %5\n")
                            .arg(q).arg(at.x()).arg(at.y()).arg(colourText(seen), colourText(quadrantColour(q)));
    }
    return problems;
}

} // namespace vellora::printtest
