#include "display/geometry.h"

#include "platform/twips.h"

#include <QtMath>

namespace display {

namespace {

struct GridShape {
    int columns;
    int rows;
};

GridShape shapeFor(const QString& thumbSize)
{
    const QString size = thumbSize.toUpper();
    if (size == QLatin1String("MEDIUM"))
        return {4, 4};
    if (size == QLatin1String("LARGE"))
        return {3, 3};
    return {6, 5};
}

} // namespace

QSizeF FitToScreen(QSizeF picture, QSizeF screen)
{
    // Single precision, as the sizes have always been reckoned.
    float width = float(picture.width());
    float height = float(picture.height());
    const float screenWidth = float(screen.width());
    const float screenHeight = float(screen.height());
    if (height > screenHeight) {
        const float h0 = std::trunc(height);
        height = screenHeight - screenHeight * 0.1f;
        width = width * (height / h0);
    }
    if (width > screenWidth) {
        const float w0 = std::trunc(width);
        width = screenWidth - screenWidth * 0.1f;
        height = height * (width / w0);
    }
    return {width, height};
}

QPointF CentreOnScreen(QSizeF shown, QSizeF screen)
{
    return {float(screen.width() - shown.width()) / 2.0f, float(screen.height() - shown.height()) / 2.0f};
}

ThumbGrid TNLayout(QSizeF screen, const QString& thumbSize)
{
    const GridShape shape = shapeFor(thumbSize);
    ThumbGrid grid;
    grid.columns = shape.columns;
    grid.rows = shape.rows;
    grid.area = qint32(screen.width() - 2250.0);
    grid.cellWidth = qint32(std::floor(double(grid.area) / grid.columns - 240.0));
    grid.cellHeight = qint32(std::floor(screen.height() / screen.width() * grid.cellWidth));
    const double stepX = grid.cellWidth + 240.0;
    const double stepY = grid.cellHeight + 480.0;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            grid.positions.append(QPointF(c * stepX + 2250.0, r * stepY + 900.0));
    return grid;
}

QSizeF FitThumbnail(QSizeF picture, qint32 cellWidth, qint32 cellHeight)
{
    if (picture.isEmpty())
        return {double(cellWidth), double(cellHeight)};
    if (picture.height() > picture.width())
        return {float(picture.width() * (double(cellHeight) / picture.height())), double(cellHeight)};
    return {double(cellWidth), float(picture.height() * (double(cellWidth) / picture.width()))};
}

QSize DevicePixels(QSizeF twipsSize, qreal devicePixelRatio)
{
    const QSizeF pixels = twips::toPixels(twipsSize) * devicePixelRatio;
    return {qMax(1, qRound(pixels.width())), qMax(1, qRound(pixels.height()))};
}

} // namespace display
