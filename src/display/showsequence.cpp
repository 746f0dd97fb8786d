#include "display/showsequence.h"

#include "catalogue/imagecollection.h"

namespace display {

qint32 ShowSequence::count() const
{
    return list_ ? qint32(list_->Count()) : 0;
}

std::optional<QString> ShowSequence::pathAt(qint32 position) const
{
    if (position < 1 || position > count())
        return std::nullopt;
    return list_->Item(position);
}

void ShowSequence::start()
{
    mintIndex = 1;
    mintDelayCurrent = 0;
}

bool ShowSequence::tick(bool random)
{
    if (mbolPaused)
        return false;
    if (++mintDelayCurrent < mintDelay)
        return false;
    mintDelayCurrent = 0;
    if (random) {
        mintIndex = ClassicRandom::positionFor(takeRandom(), count());
    } else if (++mintIndex > count()) {
        mintIndex = 1;
    }
    return true;
}

double ShowSequence::takeRandom()
{
    if (pendingRandom_)
        return *std::exchange(pendingRandom_, std::nullopt);
    return random_.next();
}

void ShowSequence::next(bool pageView)
{
    if (!pageView)
        ++mintIndex;
    if (mintIndex > count())
        mintIndex = 1;
}

void ShowSequence::previous(bool pageView, qint32 pageSize)
{
    if (pageView) {
        mintIndex -= 2 * pageSize;
        if (mintIndex < 1)
            mintIndex = count() - pageSize;
        // A list shorter than a page has no page before the first.
        if (mintIndex < 1)
            mintIndex = 1;
    } else if (--mintIndex < 1) {
        mintIndex = qMax(1, count());
    }
}

void ShowSequence::togglePause()
{
    mbolPaused = !mbolPaused;
    if (mbolPaused)
        mintDelayCurrent = mintDelay - 1;
}

void ShowSequence::decodeAhead(bool random, const platform::ShownSizeFor& sizeFor)
{
    if (count() == 0)
        return;
    qint32 next = mintIndex + 1;
    if (random) {
        if (!pendingRandom_)
            pendingRandom_ = random_.next();
        next = ClassicRandom::positionFor(*pendingRandom_, count());
    } else if (next > count()) {
        next = 1;
    }
    decode(list_->Item(next), sizeFor);
}

void ShowSequence::decodeFirst(const QString& path, const platform::ShownSizeFor& sizeFor)
{
    decode(path, sizeFor);
}

void ShowSequence::decode(const QString& path, const platform::ShownSizeFor& sizeFor)
{
    if (ahead_.isValid() && ahead_.path == path)
        return;
    ahead_.cancel();
    ahead_ = jobs_.start(path, sizeFor);
}

platform::LoadedPicture ShowSequence::load(const QString& path, const platform::ShownSizeFor& sizeFor)
{
    if (ahead_.isValid() && ahead_.path == path) {
        if (std::optional<platform::LoadedPicture> decoded =
                UnchangedResult(std::exchange(ahead_, {}), sizeFor))
            return *std::move(decoded);
    }
    return jobs_.loader().load(path, sizeFor);
}

void ShowSequence::cancelAhead()
{
    ahead_.cancel();
    ahead_ = {};
}

} // namespace display
