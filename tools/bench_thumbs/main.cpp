// Measures a page of 30 thumbnails of 12 MP JPEGs in one run: with an empty
// thumbnail cache, with the cache filled, and Next onto the page prepared
// behind it; against 30 "djpeg -scale 1/8" runs one after another and in two
// parallel streams.
#include "benchsupport/benchsupport.h"
#include "catalogue/appstate.h"
#include "display/frmdisplay.h"
#include "display/thumbbox.h"
#include "platform/picture.h"
#include "platform/thumbnailcache.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <ctime>
#include <memory>

using namespace benchsupport;

namespace {

int drawn(const frmDisplay& window)
{
    return int(std::count_if(window.imgTN.cbegin(), window.imgTN.cend(),
                             [](const auto* box) { return box && box->isVisible(); }));
}

// The time the user looks at a page before pressing Next.
void lookAtThePage(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

double twoStreams(const QString& djpegPath, const QStringList& files)
{
    return timeMs([&] {
        std::unique_ptr<QThread> streams[2];
        for (int s = 0; s < 2; ++s) {
            streams[s].reset(QThread::create([&, s] {
                for (int i = s; i < files.size(); i += 2)
                    djpeg(djpegPath, QStringLiteral("1/8"), files.at(i));
            }));
            streams[s]->start();
        }
        for (auto& stream : streams)
            stream->wait();
    });
}

struct Page {
    double ms = 0;
    double cpuMs = 0; // processor time of all threads while the page filled
    int thumbnails = 0;
};

Page showPage(frmDisplay& window, basLumarine::AppState& state)
{
    state.ThumbPreview = true;
    window.setScreenTwips(QSizeF(1920 * 15, 1080 * 15));
    window.Load();
    window.SetCurrent(state.MainImages);
    window.SetPreview();
    Page page;
    const std::clock_t cpuBefore = std::clock();
    page.ms = timeMs([&] {
        window.Start();
        window.repaint();
    });
    page.cpuMs = (std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
    page.thumbnails = drawn(window);
    return page;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 5;
    const QString djpegPath = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (djpegPath.isEmpty()) {
        std::fprintf(stderr, "djpeg not found (Debian package libjpeg-turbo-progs)\n");
        return 1;
    }

    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("photo01.jpg"));
    {
        QImageWriter writer(first, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photoLike(QSize(4000, 3000)))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(first));
            return 1;
        }
    }
    // Two pages: the one measured and the one Next shows.
    basLumarine::AppState state;
    state.ThumbSize = QStringLiteral("Small");
    QStringList pageFiles;
    for (int i = 1; i <= 60; ++i) {
        const QString file = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        if (i > 1)
            QFile::copy(first, file);
        state.MainImages.Add(file);
        if (i <= 30)
            pageFiles << file;
    }
    const display::ThumbGrid grid = display::TNLayout(QSizeF(1920 * 15, 1080 * 15), state.ThumbSize);
    const QSize cell = display::DevicePixels(QSizeF(grid.cellWidth, grid.cellHeight), 1.0);
    std::printf(
        "test files: 4000 x 3000 JPEG, quality 90, %lld bytes; %s page of %d on 1920 x 1080, cells %d x %d "
        "pixels; %d rounds, medians (lowest-highest)\n",
        QFileInfo(first).size(), qPrintable(state.ThumbSize), grid.pageSize(), cell.width(), cell.height(),
        rounds);
    if (grid.pageSize() != 30)
        std::fprintf(stderr, "the page holds %d thumbnails, not 30\n", grid.pageSize());

    CountingDialogs dialogs;
    platform::FilePictureLoader loader;
    QList<double> cold, warm, warmCpu, warmShown, next, sequential, parallel;
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir cacheHome;
        const QString root = cacheHome.filePath(QStringLiteral("thumbnails"));
        {
            const platform::ThumbnailCache cache(root, true, QStringLiteral("lumarine-bench"));
            const platform::CachedThumbnailLoader thumbnails(loader, cache);
            DisplayServices services{state, dialogs, loader, {}, {}, {}};
            services.thumbnails = &thumbnails;
            frmDisplay window(std::move(services));
            const Page page = showPage(window, state);
            cold << page.ms;
            if (page.thumbnails != 30)
                std::fprintf(stderr, "cold page drew %d thumbnails\n", page.thumbnails);
            lookAtThePage(1500);
            next << timeMs([&] {
                window.cmdControl_Click(2);
                window.repaint();
            });
            const int first = window.pager().entries().value(0).position;
            if (drawn(window) != 30 || first != 31)
                std::fprintf(stderr, "Next drew %d thumbnails from %d\n", drawn(window), first);
            window.Unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        {
            // Another run of the program: only the files of the cache remain.
            const platform::ThumbnailCache cache(root, true, QStringLiteral("lumarine-bench"));
            const platform::CachedThumbnailLoader thumbnails(loader, cache);
            DisplayServices services{state, dialogs, loader, {}, {}, {}};
            services.thumbnails = &thumbnails;
            frmDisplay window(std::move(services));
            const Page page = showPage(window, state);
            warm << page.ms;
            warmCpu << page.cpuMs;
            if (page.thumbnails != 30)
                std::fprintf(stderr, "warm page drew %d thumbnails\n", page.thumbnails);
            window.Unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // The same from the cache again, the window having been shown once.
            warmShown << showPage(window, state).ms;
            window.Unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        sequential << timeMs([&] {
            for (const QString& file : pageFiles)
                djpeg(djpegPath, QStringLiteral("1/8"), file);
        });
        parallel << twoStreams(djpegPath, pageFiles);
    }

    const double c = median(cold), w = median(warm), n = median(next);
    const double s = median(sequential), p = median(parallel);
    std::printf(
        "30 x djpeg -scale 1/8 one after another: %.1f ms (%s); in two parallel streams: %.1f ms (%s)\n", s,
        spread(sequential).constData(), p, spread(parallel).constData());
    std::printf(
        "page of 30, empty cache: %.1f ms (%s); ratio to the two streams %.2f (target 1.00 or less)\n", c,
        spread(cold).constData(), c / p);
    std::printf(
        "page of 30, cache filled: %.1f ms (%s; processor time %.1f ms) (target under 50 ms); again in the "
        "window already shown: %.1f ms (%s)\n",
        w, spread(warm).constData(), median(warmCpu), median(warmShown), spread(warmShown).constData());
    std::printf("Next onto the prepared page: %.1f ms (%s) (target under 20 ms)\n", n,
                spread(next).constData());
    return dialogs.messages == 0 ? 0 : 1;
}
