#pragma once

#include <QLabel>

namespace display {

// One element of the thumbnail array: a picture that reports its clicks.
class ThumbBox final : public QLabel {
    Q_OBJECT

public:
    ThumbBox(int index, QWidget* parent);
    int index() const { return index_; }
    // The list position of its image, as text.
    QString tag;

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

} // namespace display
