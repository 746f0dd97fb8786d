#pragma once

#include "platform/pacer.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QPushButton;
class QWidget;

namespace app {

// Lets the user stop a folder search that runs on the user-interface thread.
// While it lives, the window's pending events run at each pace, the user's
// input included, but within the window only Escape and a click on the Stop
// button get through: each asks the search to stop, and every other key or
// click there is dropped, so no command starts in the middle of the search.
// Other windows (a message box the search shows) take their input as ever.
// The Stop button stands in the Count button's place once the search has
// run for a double-click's time, so a short search shows no button and the
// second click of a double-click on Count cannot land on Stop; Count is back
// when the guard goes. Tests give the clock, in milliseconds.
class SearchGuard final : public QObject {
public:
    SearchGuard(QWidget& window, QPushButton& countButton, QPushButton& stopButton,
                platform::Pacer::Clock clock = {});
    ~SearchGuard() override;
    SearchGuard(const SearchGuard&) = delete;
    SearchGuard& operator=(const SearchGuard&) = delete;

    platform::Pacer& pacer() { return pacer_; }
    std::function<bool()> stopRequested()
    {
        return [this] { return stopRequested_; };
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void yield();

    QWidget& window_;
    QPushButton& count_;
    QPushButton& stop_;
    QElapsedTimer timer_;
    platform::Pacer::Clock clock_;
    qint64 started_;
    platform::Pacer pacer_;
    bool stopRequested_ = false;
    bool countWasVisible_ = false;
};

} // namespace app
