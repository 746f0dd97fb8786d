#pragma once

#include <QLabel>

namespace display {

// One element of the thumbnail array: a picture that reports its clicks.
class ThumbBox final : public QLabel {
    Q_OBJECT

public:
    ThumbBox(int index, QWidget* parent);
    int index() const { return index_; }

signals:
    void clicked(int index);
    void doubleClicked(int index);
    void mouseDown(int index, Qt::MouseButton button, QPoint globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int index_;
    bool pressed_ = false;
};

// What a slot shows for a picture that cannot be read: a dim frame crossed
// through, of the given size in device pixels, so that the page goes on and
// the image can still be opened from the menu (to delete it, say).
QImage UnreadableThumbnail(QSize pixels);

} // namespace display
