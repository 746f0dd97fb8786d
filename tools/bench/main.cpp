// Measures the folder scan against find(1) on one generated tree, and filling
// and painting the image list box with a million paths, with the memory the
// main list and its box then hold, and opening a list file of a million
// paths. Prints figures; asserts nothing.
#include "catalogue/context.h"
#include "catalogue/folderscan.h"
#include "catalogue/imagecollection.h"
#include "catalogue/imagelistmodel.h"
#include "catalogue/listfiles.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/pacer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int TopFolders = 40;
constexpr int SubFolders = 49;     // 40 + 40 * 49 = 2,000 folders
constexpr int FilesPerFolder = 50; // 100,000 files
constexpr int Runs = 5;

class SilentDialogs final : public platform::Dialogs {
public:
    int msgBox(const QString&, int, const QString&) override { return platform::mb::Ok; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(platform::FileDialogState&) override { return {}; }
    QString saveFile(platform::FileDialogState&) override { return {}; }
};

class NoLabels final : public catalogue::StatusLabels {
public:
    void setStatusText(const QString&) override {}
    void setCountText(const QString&) override {}
};

void fillFolder(const QString& folder)
{
    QDir().mkpath(folder);
    for (int i = 0; i < FilesPerFolder; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
    }
}

void makeTree(const QString& root)
{
    for (int t = 0; t < TopFolders; ++t) {
        const QString top = root + QStringLiteral("/album %1").arg(t);
        fillFolder(top);
        for (int s = 0; s < SubFolders; ++s)
            fillFolder(top + QStringLiteral("/day %1").arg(s));
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeFind(const QString& root)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    find.start(QStringLiteral("find"), {root, "-type", "f", "-iname", "*.jpg"});
    find.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

double timeScan(const QString& root, qsizetype& found)
{
    SilentDialogs dialogs;
    platform::LocalFileSystem fileSystem;
    platform::Pacer pacer;
    NoLabels labels;
    catalogue::Context context{dialogs, fileSystem, pacer, labels};
    catalogue::ImageCollection images;
    QElapsedTimer timer;
    timer.start();
    catalogue::SearchFolder(root, images, context);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    found = images.Count();
    return ms;
}

long statusKilobytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLong();
    return 0;
}

long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}

long peakKilobytes()
{
    return statusKilobytes("VmHWM:");
}

void benchScan(const QString& root)
{
    std::printf("tree: %d folders, %d files in %s\n", TopFolders * (SubFolders + 1),
                TopFolders * (SubFolders + 1) * FilesPerFolder, qPrintable(root));
    qsizetype found = 0;
    timeFind(root); // both runs below read a warm cache
    timeScan(root, found);
    std::vector<double> finds;
    std::vector<double> scans;
    for (int i = 0; i < Runs; ++i) {
        finds.push_back(timeFind(root));
        scans.push_back(timeScan(root, found));
    }
    const double findMs = median(finds);
    const double scanMs = median(scans);
    std::printf("SearchFolder: %.1f ms (%lld images), find -type f -iname '*.jpg': %.1f ms, ratio %.2f "
                "(median of %d)\n",
                scanMs, static_cast<long long>(found), findMs, scanMs / findMs, Runs);
}

void benchListBox()
{
    constexpr int Paths = 1000000;
    const long before = residentKilobytes();
    catalogue::ImageCollection images;
    for (int i = 0; i < Paths; ++i) // 50 characters each
        images.Add(
            QStringLiteral("/home/someone/Pictures/holiday/IMG_%1.jpg").arg(i, 11, 10, QLatin1Char('0')));
    const long withList = residentKilobytes();

    QListView view;
    view.setUniformItemSizes(true);
    view.resize(400, 300);
    view.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    catalogue::ImageListModel model(images);
    view.setModel(&model);
    view.viewport()->repaint();
    QApplication::processEvents();
    const double fillMs = double(timer.nsecsElapsed()) / 1e6;
    const long withBox = residentKilobytes();
    std::printf("lstImages: %d paths of %lld characters filled and painted in %.1f ms\n", Paths,
                static_cast<long long>(images.Item(1).size()), fillMs);
    std::printf("memory: MainImages %.1f MB, lstImages %.1f MB, together %.1f MB\n",
                (withList - before) / 1024.0, (withBox - withList) / 1024.0, (withBox - before) / 1024.0);

    // A scan or a list file adds to a list the box already shows, one row at
    // a time.
    const catalogue::ImageCollection paths = images;
    images.Clear();
    timer.restart();
    for (const QString& path : paths)
        images.Add(path);
    view.viewport()->repaint();
    QApplication::processEvents();
    std::printf("lstImages: %d paths added one by one while shown, painted in %.1f ms\n", Paths,
                double(timer.nsecsElapsed()) / 1e6);
}

// Opening a list file of a million paths, as Open List does, into an empty
// main list: the time and the memory the list then holds. Peak is the most
// the process held at any moment, the transient copies of the file included.
void benchOpenList(const QString& folder)
{
    constexpr int Paths = 1000000;
    const QString fileName = folder + QStringLiteral("/million.lum");
    {
        QFile file(fileName);
        file.open(QIODevice::WriteOnly);
        for (int i = 0; i < Paths; ++i)
            file.write(QStringLiteral("/home/someone/Pictures/holiday/IMG_%1.jpg\r\n")
                           .arg(i, 11, 10, QLatin1Char('0'))
                           .toLatin1());
    }
    SilentDialogs dialogs;
    platform::LocalFileSystem fileSystem;
    platform::Pacer pacer;
    NoLabels labels;
    catalogue::Context context{dialogs, fileSystem, pacer, labels};
    platform::FileDialogState dialog;
    const long before = residentKilobytes();
    catalogue::ImageCollection images;
    QElapsedTimer timer;
    timer.start();
    catalogue::OpenList(fileName, dialog, images, context);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("OpenList: %lld paths in %.1f ms, the list holding %.1f MB; peak of the process %.1f MB\n",
                static_cast<long long>(images.Count()), ms, (residentKilobytes() - before) / 1024.0,
                peakKilobytes() / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Arguments: an optional folder to keep the tree in between runs, and
    // "scan" or "list" to measure one part only; "open" measures opening a
    // list file, alone.
    QStringList arguments = QApplication::arguments().mid(1);
    const bool scanOnly = arguments.removeAll(QStringLiteral("scan")) > 0;
    const bool listOnly = arguments.removeAll(QStringLiteral("list")) > 0;
    QTemporaryDir temporary;
    // Alone, so that the process's peak is the opening's.
    if (arguments.removeAll(QStringLiteral("open")) > 0) {
        benchOpenList(temporary.path());
        return 0;
    }
    const QString root = arguments.isEmpty() ? temporary.path() : arguments.first();
    if (!listOnly) {
        if (!QFileInfo::exists(root + QStringLiteral("/album 0")))
            makeTree(root);
        benchScan(root);
    }
    if (!scanOnly)
        benchListBox();
    return 0;
}
