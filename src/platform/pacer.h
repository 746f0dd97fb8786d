#pragma once

#include <QElapsedTimer>

#include <functional>

namespace platform {

// Keeps a long loop on the user-interface thread from freezing the window:
// at most every Interval milliseconds it lets pending events run, all but the
// user's input, so the window repaints and answers the window manager while no
// command can start. Tests drive it with their own clock and yield.
class Pacer {
public:
    static constexpr qint64 Interval = 50;
    using Clock = std::function<qint64()>; // milliseconds from any start
    using Yield = std::function<void()>;

    Pacer();
    Pacer(Clock clock, Yield yield);

    // True when the interval has passed since the last yield; the caller then
    // brings what it shows up to date and calls yield().
    bool due();
    void yield();

private:
    Clock clock_;
    Yield yield_;
    QElapsedTimer timer_;
    qint64 last_ = 0;
};

} // namespace platform
