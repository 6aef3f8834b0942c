#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

namespace vellora {

// The whole program is laid out at 96 dpi: 15 twips to a pixel. Every twip value becomes a pixel here and
// nowhere else, so that one rounding rule holds for windows, the sheet and the printer alike.
inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel, halves away from zero: 785 twips is pixel 52, 7.5 pixels is 8.
constexpr int px(double twips)
{
    const double p = twips / kTwipsPerPixel;
    return static_cast<int>(p < 0 ? p - 0.5 : p + 0.5);
}

constexpr int twipsOf(int pixels) { return pixels * kTwipsPerPixel; }

inline QPoint px(QPoint twips) { return {px(twips.x()), px(twips.y())}; }
inline QSize px(QSize twips) { return {px(twips.width()), px(twips.height())}; }
inline QRect px(const QRect &twips) { return {px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())}; }

// Window geometry as the layout tables give it: left, top, width, height in twips.
inline QRect twipRect(int left, int top, int width, int height) { return px(QRect(left, top, width, height)); }

// Font sizes are points at 96 dpi, whatever the device says its resolution is.
inline int fontPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

} // namespace vellora
