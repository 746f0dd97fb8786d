#include "catalogue/folderscan.h"

#include "catalogue/folderprefetch.h"
#include "catalogue/imagecollection.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/pacer.h"

#include <algorithm>
#include <optional>
#include <thread>
#include <unordered_set>

namespace catalogue {

namespace {

struct FileIdHash {
    size_t operator()(const platform::FileId& id) const
    {
        return std::hash<quint64>()(id.device * 31 + id.inode);
    }
};

// One search of a tree. The labels' texts are kept here and reach the window
// only when the pacer says so, since setting a label per image would cost
// more than finding the image.
class FolderSearch {
public:
    FolderSearch(ImageCollection& mainImages, Context& context)
        : images_(mainImages), context_(context),
          listings_(context.fileSystem, Filter, context.fileSystem.listsConcurrently() ? listers() : 0)
    {
    }

    // False when a stop request ended the search early.
    bool run(const QString& path)
    {
        try {
            const platform::FileId base = context_.fileSystem.identity(path);
            visited_.insert(base);
            if (context_.fileSystem.isPseudoFolder(path))
                setStatus(QStringLiteral("Ready."), false);
            else
                searchFolder(path, base.device);
        } catch (const platform::AppError&) {
            // A base that cannot be looked at lists as empty below.
            searchFolder(path, 0);
        }
        if (stopped_)
            status_ = QStringLiteral("Search stopped");
        showProgress(status_);
        return !stopped_;
    }

private:
    void searchFolder(QString path, quint64 device)
    {
        path = platform::withSeparator(path);
        setStatus(QStringLiteral("Searching ") + path, true);
        try {
            const FolderListing listing = listings_.list(path);
            listAhead(path, listing.folders);
            for (const QString& folder : listing.folders)
                searchSubFolder(path + folder, device);
            addImages(listing.images);
            setStatus(QStringLiteral("Ready."), false);
        } catch (const platform::AppError& error) {
            // A folder that fails ends its own search; the one above goes on.
            if (error.number() == platform::err::BadFileName) {
                showProgress(status_);
                context_.dialogs.msgBox(QStringLiteral("Can't read from ") + path,
                                        platform::mb::OkOnly | platform::mb::Information);
            }
        }
    }

    void listAhead(const QString& path, const QStringList& names)
    {
        QStringList folders;
        for (const QString& name : names)
            folders << platform::withSeparator(path + name);
        listings_.ahead(folders);
    }

    // A folder reached again through a link is not entered twice, so a link
    // that points up the tree cannot make the search go round for ever.
    void searchSubFolder(const QString& path, quint64 parentDevice)
    {
        // Once stopped, no folder is listed any more; the images of the
        // folders listed already are still added, since they cost no reading.
        if (stopped_ || (context_.stopRequested && context_.stopRequested())) {
            stopped_ = true;
            return;
        }
        if (const std::optional<quint64> device = deviceToEnter(path, parentDevice))
            searchFolder(path, *device);
        else
            listings_.skip(platform::withSeparator(path));
    }

    // The sub-folder's device when the search enters it; none when it was
    // entered before, lies on a pseudo file system, or is gone.
    std::optional<quint64> deviceToEnter(const QString& path, quint64 parentDevice)
    {
        try {
            const platform::FileId id = context_.fileSystem.identity(path);
            if (!visited_.insert(id).second)
                return std::nullopt;
            if (id.device != parentDevice && context_.fileSystem.isPseudoFolder(path))
                return std::nullopt;
            return id.device;
        } catch (const platform::AppError& error) {
            // A path too long to look at is read as one that cannot be
            // listed, so the search says which folder it could not read.
            if (error.number() != platform::err::BadFileName)
                return std::nullopt; // gone since its folder was listed
            return parentDevice;
        }
    }

    void addImages(const std::vector<PathKey>& images)
    {
        // An image the list has already (a second Count answered No) is
        // skipped; the folder's other images still count.
        for (const PathKey& image : images)
            countChanged_ = images_.AddIfAbsent(image) || countChanged_;
        paceIfDue();
    }

    // A folder's "Ready." is not shown while the search goes on: only the
    // "Searching" of the folder being read is, so the status line never says
    // the search has ended before it has.
    void setStatus(const QString& text, bool showAtOnce)
    {
        status_ = text;
        if (showAtOnce)
            shownStatus_ = text;
        paceIfDue();
    }

    void paceIfDue()
    {
        if (!context_.pacer.due())
            return;
        showProgress(shownStatus_);
        context_.pacer.yield();
    }

    void showProgress(const QString& status)
    {
        if (status != onWindow_) {
            context_.labels.setStatusText(status);
            onWindow_ = status;
        }
        if (countChanged_)
            context_.labels.setCountText(QString::number(images_.Count()));
        countChanged_ = false;
    }

    // Threads listing folders ahead of the walk, which lists too while it
    // would wait: one a processor besides the walk's, so that none stands
    // idle and none is shared (on two processors, two listers made the search
    // a tenth slower than one, three nearly twice as slow); at least one, so
    // that a slow file system still has two folders read at once; and a few
    // at most, since they all take their folders under one lock.
    static int listers()
    {
        const int processors = int(std::thread::hardware_concurrency());
        return std::clamp(processors - 1, 1, MaxListers);
    }

    static constexpr platform::ListFilter Filter{true, platform::FileMatch::Jpeg};
    static constexpr int MaxListers = 3;

    ImageCollection& images_;
    Context& context_;
    FolderPrefetch listings_;
    std::unordered_set<platform::FileId, FileIdHash> visited_;
    QString status_;
    QString shownStatus_;
    // What the status line shows; null before the search first writes it.
    QString onWindow_;
    bool countChanged_ = false;
    bool stopped_ = false;
};

} // namespace

bool SearchFolder(const QString& path, ImageCollection& mainImages, Context& context)
{
    const ImageCollection::Batch batch(mainImages);
    return FolderSearch(mainImages, context).run(path);
}

void Count(const QString& baseText, ImageCollection& mainImages, Context& context)
{
    if (baseText.isEmpty()) {
        context.dialogs.msgBox(QStringLiteral("You must select a base to count from."),
                               platform::mb::OkOnly | platform::mb::Information);
        return;
    }
    basUI::BusyCursorOn();
    if (!mainImages.isEmpty() &&
        context.dialogs.msgBox(QStringLiteral("Clear current list?"),
                               platform::mb::YesNo | platform::mb::Question) == platform::mb::Yes)
        mainImages.Clear();
    SearchFolder(baseText, mainImages, context);
    context.labels.setCountText(QString::number(mainImages.Count()));
    basUI::BusyCursorOff();
}

QStringList BaseComboEntries(platform::FileSystem& fileSystem)
{
    QStringList entries;
    for (const platform::Volume& volume : fileSystem.volumes())
        entries << platform::volumeLabel(volume);
    return entries;
}

} // namespace catalogue
