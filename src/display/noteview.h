#pragma once

#include "display/shownote.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace display {

// Draws a show's note at the foot of the window that holds it: light text on
// a dark, half-clear box, so that it reads over a bright picture as well as on
// black, painted at the screen's own resolution.
class NoteView final : public QWidget {
    Q_OBJECT

public:
    NoteView(const ShowNote& note, std::function<qint64()> clock, QWidget* parent);
    // After the note changed: places the box, shows or hides it, and keeps
    // drawing it again while it fades.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont noteFont(qreal scale) const;

    const ShowNote& note_;
    std::function<qint64()> clock_;
    QTimer fadeTimer_;
};

} // namespace display
