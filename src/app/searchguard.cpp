#include "app/searchguard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace app {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

platform::Pacer::Clock startedClock(QElapsedTimer& timer)
{
    timer.start();
    return [&timer] { return timer.elapsed(); };
}

} // namespace

SearchGuard::SearchGuard(QWidget& window, QPushButton& countButton, QPushButton& stopButton,
                         platform::Pacer::Clock clock)
    : window_(window), count_(countButton), stop_(stopButton),
      clock_(clock ? std::move(clock) : startedClock(timer_)), started_(clock_()),
      pacer_(clock_, [this] { yield(); })
{
    connect(&stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
    QCoreApplication::instance()->installEventFilter(this);
}

SearchGuard::~SearchGuard()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (!stop_.isHidden()) {
        stop_.hide();
        count_.setVisible(countWasVisible_);
    }
}

void SearchGuard::yield()
{
    if (stop_.isHidden() && clock_() - started_ >= QApplication::doubleClickInterval()) {
        countWasVisible_ = !count_.isHidden();
        count_.hide();
        stop_.show();
    }
    QCoreApplication::processEvents();
}

bool SearchGuard::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_ || !isUserInput(event->type()))
        return false;
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                       event->type() == QEvent::ShortcutOverride;
    if (widget == &stop_ && !isKey)
        return false; // the Stop button's own click
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        stopRequested_ = true;
    // Taken: a shortcut does not fire and the key reaches no control.
    event->accept();
    return true;
}

} // namespace app
