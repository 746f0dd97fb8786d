#pragma once

#include <QString>

namespace display {

// The short note at the foot of a show: a sign that a key did something,
// which fades out by itself, or the picture's name and place, which stays
// until it is asked away or the picture changes. Times are milliseconds of
// whatever steady clock the caller reads.
class ShowNote {
public:
    // How long a note stands at full strength, and how long it then takes to fade.
    static constexpr qint64 holdMs = 1500;
    static constexpr qint64 fadeMs = 400;

    void flash(const QString& text, qint64 now);
    // The name and place: shown when absent, taken away when showing.
    void toggleInfo(const QString& text);
    // The name and place belonged to the picture that went.
    void pictureChanged();

    // What is on screen at that moment; empty for nothing.
    QString textAt(qint64 now) const;
    // 1 at full strength down to 0 at the end of the fade.
    qreal opacityAt(qint64 now) const;
    // Whether the note still changes after now, so that it must be drawn again.
    bool fadingAt(qint64 now) const
    {
        return !sticky_ && !text_.isEmpty() && now < shownAt_ + holdMs + fadeMs;
    }

private:
    QString text_;
    qint64 shownAt_ = 0;
    bool sticky_ = false;
};

} // namespace display
