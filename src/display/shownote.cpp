#include "display/shownote.h"

namespace display {

void ShowNote::flash(const QString& text, qint64 now)
{
    text_ = text;
    shownAt_ = now;
    sticky_ = false;
}

void ShowNote::toggleInfo(const QString& text)
{
    const bool showing = sticky_ && !text_.isEmpty();
    text_ = showing ? QString() : text;
    sticky_ = !showing;
}

void ShowNote::pictureChanged()
{
    if (sticky_)
        text_.clear();
}

QString ShowNote::textAt(qint64 now) const
{
    return opacityAt(now) > 0 ? text_ : QString();
}

qreal ShowNote::opacityAt(qint64 now) const
{
    if (text_.isEmpty())
        return 0;
    if (sticky_)
        return 1;
    const qint64 fading = now - shownAt_ - holdMs;
    if (fading <= 0)
        return 1;
    return fading >= fadeMs ? 0 : 1 - qreal(fading) / fadeMs;
}

} // namespace display
