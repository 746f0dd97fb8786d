// Runs every JPEG below the folders it is given through the display window
// itself, on a 1920 x 1080 screen: a standard show stepped through each
// picture in turn, then a preview paged through its small thumbnails. Every
// picture is reached, the window stays open and asks nothing, and the pages
// move on past pictures that cannot be shown. Prints what each run did, its
// slowest step and the peak memory.
#include "catalogue/appstate.h"
#include "display/frmdisplay.h"
#include "platform/dialogs.h"
#include "platform/picture.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>

namespace {

class RecordingDialogs final : public platform::Dialogs {
public:
    int msgBox(const QString& text, int, const QString&) override
    {
        messages << text;
        return platform::mb::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(platform::FileDialogState&) override { return {}; }
    QString saveFile(platform::FileDialogState&) override { return {}; }
    QStringList messages;
};

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QStringList corpusFiles(const QStringList& folders)
{
    QStringList files;
    for (const QString& folder : folders) {
        QDirIterator found(folder, {"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (found.hasNext())
            files << found.next();
    }
    files.sort();
    return files;
}

struct Run {
    int steps = 0;
    int reached = 0;
    qint64 slowest = 0;
    bool stayedOpen = true;
};

qint64 timed(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

Run standardShow(frmDisplay& window, basLumarine::AppState& state)
{
    Run run;
    const int count = int(state.MainImages.Count());
    window.SetCurrent(state.MainImages);
    window.SetStandard();
    run.slowest = timed([&] { window.Start(); });
    for (run.steps = 1; run.steps < count && window.isLoaded(); ++run.steps)
        run.slowest = std::max(run.slowest, timed([&] { window.MoveNext(); }));
    run.reached = window.mintIndex();
    run.stayedOpen = window.isLoaded();
    window.Unload();
    return run;
}

// The highest position among the thumbnails on the page, 0 for none.
int lastOnPage(const frmDisplay& window)
{
    const auto& entries = window.pager().entries();
    return entries.isEmpty() ? 0 : entries.last().position;
}

Run preview(frmDisplay& window, basLumarine::AppState& state)
{
    Run run;
    const int count = int(state.MainImages.Count());
    state.ThumbPreview = true;
    window.SetCurrent(state.MainImages);
    window.SetPreview();
    run.slowest = timed([&] { window.Start(); });
    // Next after the last page starts again at the first.
    while (window.isLoaded() && lastOnPage(window) > run.reached && lastOnPage(window) < count) {
        run.reached = lastOnPage(window);
        ++run.steps;
        run.slowest = std::max(run.slowest, timed([&] { window.cmdControl_Click(2); }));
    }
    run.reached = std::max(run.reached, lastOnPage(window));
    ++run.steps;
    run.stayedOpen = window.isLoaded();
    window.Unload();
    return run;
}

bool report(QTextStream& out, const char* name, const Run& run, int count, const char* unit)
{
    const bool whole = run.stayedOpen && run.reached == count;
    out << name << ": " << run.steps << ' ' << unit << ", reached position " << run.reached << " of " << count
        << (run.stayedOpen ? "" : ", the window closed") << ", slowest step " << run.slowest << " ms"
        << (whole ? "" : "  FAILED") << "\n";
    return whole;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTextStream out(stdout);
    basLumarine::AppState state;
    state.ThumbSize = QStringLiteral("Small");
    for (const QString& file : corpusFiles(QApplication::arguments().mid(1)))
        state.MainImages.Add(file);
    const int count = int(state.MainImages.Count());
    if (count == 0) {
        out << "no JPEG files found\n";
        return 1;
    }
    RecordingDialogs dialogs;
    const platform::FilePictureLoader pictures;
    frmDisplay window(DisplayServices{state, dialogs, pictures, {}, {}, {}});
    window.setScreenTwips(QSizeF(1920 * 15, 1080 * 15), 1);
    window.Load();
    window.setDelay(1);
    bool ok = report(out, "standard show", standardShow(window, state), count, "pictures");
    window.Load();
    ok = report(out, "preview thumbnails", preview(window, state), count, "pages") && ok;
    for (const QString& message : dialogs.messages)
        out << "message: " << message << "\n";
    out << "peak memory " << peakMegabytes() << " MB\n";
    return ok && dialogs.messages.isEmpty() ? 0 : 1;
}
