#pragma once

#include "platform/picture.h"

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVector>

class QScreen;

// The display window's arithmetic, in twips, apart from any widget.
namespace display {

// A picture's size on the screen: its own size unless it is taller than the
// screen (then 90 % of the screen height, proportions kept) and, after that,
// wider than the screen (then 90 % of the screen width). Never enlarged.
QSizeF FitToScreen(QSizeF picture, QSizeF screen);
// A picture's own size in twips: one picture pixel to one device pixel, so
// that a picture at its own size is as sharp as the screen at any ratio.
QSizeF OwnSizeTwips(QSize pixels, qreal devicePixelRatio);
QPointF CentreOnScreen(QSizeF shown, QSizeF screen);

// The thumbnail grid to the right of the control column and below the
// scroll bar. An unknown size name gives the SMALL grid. Where the classic
// grid, whose rows do not depend on the screen's height, would run off the
// screen or let one thumbnail cover another, its cells shrink: the columns
// keep their places, the rows close up.
struct ThumbGrid {
    int columns = 0;
    int rows = 0;
    qint32 area = 0;
    qint32 cellWidth = 0;
    qint32 cellHeight = 0;
    // Slot i (from 0) at positions[i]: left and top, row by row.
    QVector<QPointF> positions;
    int pageSize() const { return columns * rows; }
};
ThumbGrid TNLayout(QSizeF screen, const QString& thumbSize);

// A thumbnail in its cell, as large as the cell allows with the picture's
// proportions kept: a picture whose shape is taller than the cell's takes
// the cell's height (every portrait picture in a landscape cell), any other
// its width. No thumbnail leaves its cell, so none covers its neighbours.
QSizeF FitThumbnail(QSizeF picture, qint32 cellWidth, qint32 cellHeight);

// Device pixels for a size in twips on a screen of the given pixel ratio.
QSize DevicePixels(QSizeF twipsSize, qreal devicePixelRatio);

// The size a show decodes a picture at: fitted to the screen, in its device
// pixels. Pictures decoded at start-up ask the same, so the show can use them.
platform::ShownSizeFor ShownSizeOnScreen(QSizeF screenTwips, qreal devicePixelRatio);
// A screen's size in twips; that of 800 x 600 pixels when there is none.
QSizeF ScreenTwips(const QScreen* screen);

} // namespace display
