#pragma once

#include "display/geometry.h"
#include "display/picturejobs.h"

#include <QVector>

#include <tuple>

namespace catalogue {
class ImageCollection;
}

namespace display {

// One thumbnail of the page on screen: the list position and the path of
// its picture. The thumbnail's tool tip only shows the path.
struct PageEntry {
    qint32 position = 0;
    QString path; // empty once the picture was deleted from its menu
};

// The pages of thumbnails apart from the window that draws them: the grid,
// the decodes of the page being drawn, the page after it prepared once
// this one is full, what each thumbnail shows, and the stop requests that
// end a page still loading.
class ThumbPager {
public:
    ThumbPager(PictureJobs& jobs, const platform::PictureLoader& thumbnails)
        : jobs_(jobs), thumbnails_(thumbnails)
    {
    }
    ~ThumbPager();
    ThumbPager(const ThumbPager&) = delete;
    ThumbPager& operator=(const ThumbPager&) = delete;

    // The grid for a screen (in twips) and its pixel ratio.
    void layOut(QSizeF screen, const QString& thumbSize, qreal devicePixelRatio);
    const ThumbGrid& grid() const { return grid_; }
    qint32 mintPageSize() const { return grid_.pageSize(); }

    // A page beginning at first: its decodes start, taking over those
    // prepared for it. Returns the page's number, which a later page or
    // clear() supersedes.
    int begin(const catalogue::ImageCollection* list, qint32 first);
    bool superseded(int page) const { return page != page_; }
    // The picture for the page's next slot, recorded as showing position.
    // A picture that is gone or cannot be decoded gets a marked cell, so the
    // page, and every page after it, still fills; other failures throw.
    platform::LoadedPicture take(qint32 position, const QString& path);
    // After the last slot: a full page that was not stopped prepares the next.
    void finish(const catalogue::ImageCollection* list, qint32 next);
    // Starts the decodes of the page beginning at first, for begin() to take over.
    void prepare(const catalogue::ImageCollection* list, qint32 first);
    // The page's decodes stop; what it shows stays.
    void stopDecoding() { cancel(pageJobs_); }
    // Ends the page: its decodes stop and its entries go.
    void clear();
    // Ends the prepared page too.
    void clearAll();

    const QVector<PageEntry>& entries() const { return entries_; }
    QString pathOf(int slot) const
    {
        return slot >= 0 && slot < entries_.size() ? entries_[slot].path : QString();
    }
    void select(int slot);
    void rename(int slot, const QString& path);
    void markDeleted(int slot);
    // The thumbnail size in device pixels for a picture of its own size.
    platform::ShownSizeFor sizeFor() const;

    qint32 mintSelected = 0; // the position of the thumbnail last clicked; 0 for none
    bool mbolAbort = false;  // a stop request for the page still loading

private:
    using Cell = std::tuple<qint32, qint32, qreal>;
    Cell cell() const { return {grid_.cellWidth, grid_.cellHeight, ratio_}; }
    QVector<PictureJob> startJobs(const catalogue::ImageCollection* list, qint32 first,
                                  QVector<PictureJob> reusable);
    platform::LoadedPicture decode(int slot, const QString& path) const;
    static void cancel(QVector<PictureJob>& jobs);

    PictureJobs& jobs_;
    const platform::PictureLoader& thumbnails_;
    ThumbGrid grid_;
    qreal ratio_ = 1.0;
    int page_ = 0;
    QVector<PictureJob> pageJobs_;
    QVector<PageEntry> entries_;
    // The page after the one shown and the cell it was decoded for; only
    // one page waits like this, which bounds what it holds.
    QVector<PictureJob> prepared_;
    Cell preparedCell_{};
};

} // namespace display
