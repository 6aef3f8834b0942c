#include "surface/platform.h"

#include <QScreen>
#include <QTimer>

#include <cmath>

namespace vellora {

void TimerPacer::after(int milliseconds, QObject *context, std::function<void()> then)
{
    // A coarse timer may fire up to 5 % late; 52 of them would stretch a run that the user watches.
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, context, std::move(then));
}

ScreenMetrics ScreenMetrics::of(const QScreen *screen)
{
    if (!screen)
        return ScreenMetrics{};
    const double scale = screen->devicePixelRatio();
    return fromDots(screen->logicalDotsPerInchX() * scale, screen->logicalDotsPerInchY() * scale,
                    (QSizeF(screen->size()) * scale).toSize());
}

ScreenMetrics ScreenMetrics::fromDots(double dotsPerInchX, double dotsPerInchY, QSize pixels)
{
    ScreenMetrics m;
    m.twipsPerPixelX = 1440.0 / dotsPerInchX;
    m.twipsPerPixelY = 1440.0 / dotsPerInchY;
    m.sizeTwips = QSize(qRound(pixels.width() * m.twipsPerPixelX), qRound(pixels.height() * m.twipsPerPixelY));
    return m;
}

int ScreenMetrics::dotsPerInch() const
{
    return int(std::nearbyint(1440.0 / twipsPerPixelX)); // the default rounding mode sends halves to even
}

} // namespace vellora
