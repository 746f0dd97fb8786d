#pragma once

#include <QRectF>
#include <QSizeF>

// The program's geometry is reckoned in twips, 15 to a logical pixel, so that
// screen arithmetic reads the same on every display.
namespace twips {

inline constexpr double PerPixel = 15.0;

constexpr double fromPixels(double pixels)
{
    return pixels * PerPixel;
}
constexpr double toPixels(double value)
{
    return value / PerPixel;
}

inline QSizeF fromPixels(QSizeF pixels)
{
    return pixels * PerPixel;
}
inline QSizeF toPixels(QSizeF value)
{
    return value / PerPixel;
}
inline QRectF toPixels(const QRectF& value)
{
    return {value.x() / PerPixel, value.y() / PerPixel, value.width() / PerPixel, value.height() / PerPixel};
}

} // namespace twips
