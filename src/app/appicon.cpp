#include "app/appicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

QImage AppIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x5f), 2));
    painter.setBrush(QColor(0x3d, 0x7e, 0xc9));
    painter.drawRect(QRectF(2, 5, 28, 22));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xd8, 0x4d));
    painter.drawEllipse(QPointF(22, 11), 3, 3);
    QPainterPath hills;
    hills.moveTo(3, 26);
    hills.lineTo(12, 14);
    hills.lineTo(18, 21);
    hills.lineTo(22, 17);
    hills.lineTo(29, 26);
    hills.closeSubpath();
    painter.setBrush(QColor(0x2e, 0x8b, 0x57));
    painter.drawPath(hills);
    return image;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}

} // namespace app
