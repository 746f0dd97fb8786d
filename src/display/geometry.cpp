#include "display/geometry.h"

#include "platform/twips.h"

#include <QScreen>
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

constexpr double ColumnGap = 240.0;
constexpr double RowGap = 480.0;
constexpr QPointF GridOrigin(2250.0, 900.0);

// The picture shapes a page is laid out for: landscape ones up to 4:3 take
// the cell's width, portrait ones up to 3:4 its height. Cells flatter than
// that would shrink the commonest photographs, so such a grid is reshaped.
constexpr double LeastWide = 3.0 / 4.0;

void placeSlots(ThumbGrid& grid, double stepX)
{
    const double stepY = grid.cellHeight + RowGap;
    grid.positions.clear();
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            grid.positions.append(QPointF(c * stepX + GridOrigin.x(), r * stepY + GridOrigin.y()));
}

// Whether every guarded thumbnail lies on screen and clear of its neighbours.
bool fitsOnScreen(const ThumbGrid& grid, QSizeF screen, double stepX)
{
    const double tallest = qMax(double(grid.cellHeight), grid.cellWidth * LeastWide);
    const double widest = qMax(double(grid.cellWidth), grid.cellHeight * LeastWide);
    const QPointF last = grid.positions.last();
    return tallest <= grid.cellHeight + RowGap && widest <= stepX && last.y() + tallest <= screen.height() &&
           last.x() + widest <= screen.width();
}

// Cells between 4:3 and 3:4 hold every guarded shape; they are made as
// large as the column's width and the screen's height allow.
void shrinkCells(ThumbGrid& grid, QSizeF screen)
{
    const double proportion = qBound(LeastWide, screen.height() / screen.width(), 1.0 / LeastWide);
    const double heightLeft = screen.height() - GridOrigin.y() - (grid.rows - 1) * RowGap;
    const qint32 tallestCell = qint32(std::floor(heightLeft / grid.rows));
    grid.cellWidth = qMin(grid.cellWidth, qint32(std::floor(tallestCell / proportion)));
    // Rounded up, so that a 4:3 picture never outgrows the cell; the width
    // above keeps it within the height left.
    grid.cellHeight = qint32(std::ceil(grid.cellWidth * proportion));
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

QSizeF OwnSizeTwips(QSize pixels, qreal devicePixelRatio)
{
    return twips::fromPixels(QSizeF(pixels) / (devicePixelRatio > 0 ? devicePixelRatio : 1.0));
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
    const double stepX = grid.cellWidth + ColumnGap;
    placeSlots(grid, stepX);
    if (!fitsOnScreen(grid, screen, stepX)) {
        shrinkCells(grid, screen);
        placeSlots(grid, stepX);
    }
    return grid;
}

QSizeF FitThumbnail(QSizeF picture, qint32 cellWidth, qint32 cellHeight)
{
    if (picture.isEmpty())
        return {double(cellWidth), double(cellHeight)};
    if (picture.height() * cellWidth > picture.width() * double(cellHeight))
        return {float(picture.width() * (double(cellHeight) / picture.height())), double(cellHeight)};
    return {double(cellWidth), float(picture.height() * (double(cellWidth) / picture.width()))};
}

QSize DevicePixels(QSizeF twipsSize, qreal devicePixelRatio)
{
    const QSizeF pixels = twips::toPixels(twipsSize) * devicePixelRatio;
    return {qMax(1, qRound(pixels.width())), qMax(1, qRound(pixels.height()))};
}

platform::ShownSizeFor ShownSizeOnScreen(QSizeF screenTwips, qreal devicePixelRatio)
{
    return [screenTwips, devicePixelRatio](QSize own) {
        return DevicePixels(FitToScreen(OwnSizeTwips(own, devicePixelRatio), screenTwips), devicePixelRatio);
    };
}

QSizeF ScreenTwips(const QScreen* screen)
{
    return twips::fromPixels(QSizeF(screen ? screen->geometry().size() : QSize(800, 600)));
}

} // namespace display
