#include "platform/pacer.h"

#include <QCoreApplication>

namespace platform {

Pacer::Pacer() : yield_([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); })
{
    timer_.start();
    clock_ = [this] { return timer_.elapsed(); };
    last_ = clock_();
}

Pacer::Pacer(Clock clock, Yield yield) : clock_(std::move(clock)), yield_(std::move(yield))
{
    last_ = clock_();
}

bool Pacer::due()
{
    return clock_() - last_ >= Interval;
}

void Pacer::yield()
{
    yield_();
    last_ = clock_();
}

} // namespace platform
