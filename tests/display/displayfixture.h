#pragma once

#include "catalogue/appstate.h"
#include "display/frmdisplay.h"
#include "display/thumbbox.h"
#include "support/testmain.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <memory>

namespace testsupport {

// Real decoding, with failures injected by path for what a test cannot make
// happen to a file (a medium that fails, access refused).
class InjectingLoader final : public platform::PictureLoader {
public:
    platform::LoadedPicture load(const QString& path,
                                 const platform::ShownSizeFor& shownSizeFor) const override;
    // Set before the window loads anything: workers read it.
    QHash<QString, int> failures;
    // How often each path was loaded, from any thread.
    int loadsOf(const QString& path) const;

private:
    mutable QMutex mutex_;
    mutable QHash<QString, int> loads_;
    platform::FilePictureLoader files_;
};

// A display window on a 12000 x 9000 twip screen (800 x 600 pixels) over a
// list of small JPEGs made in a temporary folder.
struct DisplayFixture {
    explicit DisplayFixture(int count, QSize size = QSize(120, 90));

    QString path(int position) const { return paths.at(position - 1); }
    // The calls of a show of the main list, the timer then driven by hand.
    void standardShow(int delay);
    void preview();
    void thumbnailPreview();
    // The list positions of the thumbnails on the page, in slot order.
    QList<int> shownPositions() const;

    QTemporaryDir dir;
    QStringList paths;
    basLumarine::AppState state;
    ScriptedDialogs dialogs;
    InjectingLoader loader;
    int unloads = 0;
    qint64 now = 0; // the window's clock, in milliseconds

    QList<int> menuRequests;
    std::unique_ptr<frmDisplay> window;
};

QList<int> range(int from, int to);

} // namespace testsupport
