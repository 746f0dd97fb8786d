// Measures the display against libjpeg-turbo's djpeg on the same files, in
// one run: a 6000 x 4000 picture fitted on a 1920 x 1080 screen against
// "djpeg -scale 1/4", and a SMALL page of 30 thumbnails against 30
// back-to-back "djpeg -scale 1/8" runs.
#include "benchsupport/benchsupport.h"
#include "catalogue/appstate.h"
#include "display/frmdisplay.h"
#include "display/thumbbox.h"
#include "platform/dialogs.h"
#include "platform/picture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace benchsupport;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 7;
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
        if (!writer.write(photoLike(QSize(6000, 4000)))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(first));
            return 1;
        }
    }
    basLumarine::AppState state;
    state.ThumbSize = QStringLiteral("Small");
    for (int i = 1; i <= 30; ++i) {
        const QString file = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        if (i > 1)
            QFile::copy(first, file);
        state.MainImages.Add(file);
    }
    std::printf("test file: 6000 x 4000 JPEG, quality 90, %lld bytes; %d rounds, medians\n",
                QFileInfo(first).size(), rounds);

    CountingDialogs dialogs;
    platform::FilePictureLoader loader;
    frmDisplay window(DisplayServices{state, dialogs, loader, {}, {}, {}});
    window.setScreenTwips(QSizeF(1920 * 15, 1080 * 15));

    // One picture: DisplayImage until the fitted picture is in its box.
    window.Load();
    window.SetCurrent(state.MainImages);
    window.setSingle(true);
    window.Start();
    QList<double> display;
    QList<double> djpegQuarter;
    for (int i = 0; i < rounds; ++i) {
        display << timeMs([&] {
            window.DisplayImage(first);
            window.repaint();
        });
        djpegQuarter << timeMs([&] { djpeg(djpegPath, QStringLiteral("1/4"), first); });
    }
    const QSize shown = window.imgMain->size();
    window.Unload();

    // The next picture of a standard show: decoded while the one before was on screen.
    window.Load();
    window.setSingle(false);
    window.setDelay(0);
    window.SetStandard();
    window.Start();
    window.tim1->stop();
    QList<double> next;
    for (int i = 0; i < rounds; ++i) {
        QThread::msleep(400); // the time the current picture is looked at
        next << timeMs([&] {
            window.tim1_Timer();
            window.repaint();
        });
    }
    window.Unload();

    // A page of 30 thumbnails.
    QList<double> page;
    QList<double> djpegEighth;
    QList<double> serial;
    QList<double> pageCpu;
    const display::ThumbGrid grid = display::TNLayout(window.screenTwips(), state.ThumbSize);
    const QSize cell = display::DevicePixels(
        display::FitThumbnail(QSizeF(6000, 4000), grid.cellWidth, grid.cellHeight), 1.0);
    for (int i = 0; i < rounds; ++i) {
        serial << timeMs([&] {
            for (const QString& file : state.MainImages)
                loader.load(file, [&](QSize) { return cell; });
        });
        state.ThumbPreview = true;
        window.Load();
        window.SetCurrent(state.MainImages);
        window.SetPreview();
        const std::clock_t cpuBefore = std::clock();
        page << timeMs([&] { window.Start(); });
        pageCpu << (std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
        const int drawn = int(std::count_if(window.imgTN.cbegin(), window.imgTN.cend(),
                                            [](const auto* box) { return box && box->isVisible(); }));
        if (drawn != 30)
            std::fprintf(stderr, "page drew %d thumbnails\n", drawn);
        window.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        djpegEighth << timeMs([&] {
            for (const QString& file : state.MainImages)
                djpeg(djpegPath, QStringLiteral("1/8"), file);
        });
    }

    const double d = median(display), q = median(djpegQuarter), n = median(next);
    const double p = median(page), e = median(djpegEighth), s = median(serial);
    std::printf("picture on a 1920 x 1080 screen (%d x %d shown): %.1f ms; djpeg -scale 1/4: %.1f ms; "
                "ratio %.2f (target 1.30 or less)\n",
                shown.width(), shown.height(), d, q, d / q);
    std::printf("next picture of a standard show, tick to painted: %.1f ms\n", n);
    std::printf(
        "SMALL page of 30 thumbnails: %.1f ms; 30 x djpeg -scale 1/8: %.1f ms; ratio %.2f (target 0.60 "
        "or less)\n",
        p, e, p / e);
    std::printf("the same 30 decodes one after another on one thread: %.1f ms; the page used %.1f ms of "
                "processor time (%.2f cores)\n",
                s, median(pageCpu), median(pageCpu) / p);
    return dialogs.messages == 0 ? 0 : 1;
}
