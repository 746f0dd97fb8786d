#pragma once

#include "display/classicrandom.h"
#include "display/picturejobs.h"

#include <optional>

namespace catalogue {
class ImageCollection;
}

namespace display {

// Where a show stands and where it goes next, apart from the window that
// draws it: the position in the list, the ticks counted towards the delay,
// the pause, the random draw, and the next picture decoded ahead.
class ShowSequence {
public:
    explicit ShowSequence(PictureJobs& jobs) : jobs_(jobs) {}
    ~ShowSequence() { cancelAhead(); }
    ShowSequence(const ShowSequence&) = delete;
    ShowSequence& operator=(const ShowSequence&) = delete;

    // The caller's own list, not a copy: what is added or removed during the
    // show is seen at once.
    void setList(catalogue::ImageCollection& list) { list_ = &list; }
    catalogue::ImageCollection* list() const { return list_; }
    qint32 count() const;
    std::optional<QString> pathAt(qint32 position) const;

    // Position 1, and the whole delay for the first picture whatever the
    // last show or its pause left counted.
    void start();
    // One tick of the timer; true when the show moved on to mintIndex.
    bool tick(bool random);
    // N, P and the buttons. In the page view mintIndex already names the
    // picture after the page, so Next keeps it and Previous goes back two pages.
    void next(bool pageView);
    void previous(bool pageView, qint32 pageSize);
    // Home and End.
    void first() { mintIndex = 1; }
    void last() { mintIndex = qMax(1, count()); }
    // W: a pause leaves the count one short, so the first tick after it
    // changes the picture.
    void togglePause();

    // Starts decoding the picture the next tick shows, while this one is looked at.
    void decodeAhead(bool random, const platform::ShownSizeFor& sizeFor);
    // Starts decoding the picture a show will begin with, before it is asked
    // for. Like the next picture, it is the only one held ahead.
    void decodeFirst(const QString& path, const platform::ShownSizeFor& sizeFor);
    // The picture at path: the one decoded ahead when it is that file as it
    // is now, otherwise loaded here. Throws the load's failure.
    platform::LoadedPicture load(const QString& path, const platform::ShownSizeFor& sizeFor);
    void cancelAhead();
    // The decode begun ahead has finished (or none is running).
    bool aheadDone() const { return !ahead_.isValid() || ahead_.future.isFinished(); }

    qint32 mintIndex = 0;        // 1-based position in the list
    qint32 mintDelay = 0;        // seconds between pictures; kept from show to show
    qint32 mintDelayCurrent = 0; // ticks since the last change of picture
    bool mbolPaused = false;
    bool mbolStarted = false; // the scroll bar displays only once the show has started

private:
    double takeRandom();
    void decode(const QString& path, const platform::ShownSizeFor& sizeFor);

    PictureJobs& jobs_;
    catalogue::ImageCollection* list_ = nullptr;
    ClassicRandom random_;
    // A value drawn a tick early, for the decode ahead; the tick then uses it.
    std::optional<double> pendingRandom_;
    PictureJob ahead_;
};

} // namespace display
