#include "display/thumbbox.h"

#include <QMouseEvent>
#include <QPainter>

namespace display {

ThumbBox::ThumbBox(int index, QWidget* parent) : QLabel(parent), index_(index)
{
    setObjectName(QStringLiteral("imgTN_%1").arg(index));
    setScaledContents(true);
    setFrameShape(QFrame::NoFrame);
    setLineWidth(1);
    hide();
}

void ThumbBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
    emit mouseDown(index_, event->button(), event->globalPosition().toPoint());
}

void ThumbBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    // A click is a press and a release of the left button on the same box.
    if (pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        pressed_ = false;
        emit clicked(index_);
    }
}

void ThumbBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(index_);
}

QImage UnreadableThumbnail(QSize pixels)
{
    QImage image(pixels.expandedTo(QSize(2, 2)), QImage::Format_RGB32);
    image.fill(QColor(40, 40, 40));
    QPainter painter(&image);
    painter.setPen(QColor(110, 110, 110));
    const QRect frame = image.rect().adjusted(0, 0, -1, -1);
    painter.drawRect(frame);
    painter.drawLine(frame.topLeft(), frame.bottomRight());
    painter.drawLine(frame.bottomLeft(), frame.topRight());
    return image;
}

} // namespace display
