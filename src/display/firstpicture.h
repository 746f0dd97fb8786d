#pragma once

#include "display/picturejobs.h"

#include <QMutex>

namespace display {

// The picture a launch shows first, decoded on a worker from the moment the
// loader is made, while the windows are still being built. Its first load
// takes that picture when it asks for the same path at the same size and the
// file is unchanged since; any other load, and every later one, is the
// wrapped loader's. It holds at most that one picture, and lets it go at the
// first load whatever that asks for.
class FirstPictureLoader final : public platform::PictureLoader {
public:
    // Nothing is decoded ahead for an empty path.
    FirstPictureLoader(const platform::PictureLoader& loader, const QString& path,
                       platform::ShownSizeFor shownSizeFor);

    platform::LoadedPicture load(const QString& path,
                                 const platform::ShownSizeFor& shownSizeFor) const override;
    // The decode begun at start has finished, or none was begun.
    bool ready() const;

private:
    std::optional<platform::LoadedPicture> takeFirst(const QString& path,
                                                     const platform::ShownSizeFor& shownSizeFor) const;

    const platform::PictureLoader& loader_;
    // Its destruction waits for the decode: the worker never outlives the loader.
    PictureJobs jobs_;
    mutable QMutex mutex_;
    mutable PictureJob first_;
};

} // namespace display
