#include "app/arguments.h"
#include "app/frmlummain.h"
#include "app/version.h"
#include "catalogue/appstate.h"
#include "display/firstpicture.h"
#include "display/geometry.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "platform/pacer.h"
#include "platform/picture.h"
#include "platform/thumbnailcache.h"
#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

#include <optional>

namespace {

// Names the folder where the thumbnail cache records the pictures this
// version could not decode.
QString thumbnailSoftware()
{
    return QStringLiteral("lumarine-%1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Revision);
}

// The picture the arguments show at once; none for the other forms.
QString shownFirst(const app::Arguments& arguments)
{
    return arguments.open == app::Arguments::Open::Pictures ? arguments.paths.first() : QString();
}

// What the show will ask for: the size on the primary screen, where the main
// window opens.
platform::ShownSizeFor primaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return display::ShownSizeOnScreen(display::ScreenTwips(screen),
                                      screen ? screen->devicePixelRatio() : 1.0);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Lumarine"));
    QApplication::setApplicationVersion(QStringLiteral(LUMARINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Lumarine"));
    if (const std::optional<int> answered = app::answerWithoutDisplay(argc, argv))
        return *answered;

    QApplication application(argc, argv);
    const app::Arguments arguments = app::parseArguments(QApplication::arguments());
    if (arguments.exitCode)
        return app::printAnswer(arguments);

    // The picture shown at once decodes while the windows are built.
    const platform::FilePictureLoader files;
    const display::FirstPictureLoader pictures(files, shownFirst(arguments), primaryScreenSize());

    platform::QtDialogs dialogs;
    platform::DesktopLauncher launcher;
    platform::LocalFileSystem fileSystem;
    const auto thumbnailCache = platform::ThumbnailCache::fromEnvironment(thumbnailSoftware());
    platform::CachedThumbnailLoader thumbnails(files, thumbnailCache);
    platform::Pacer pacer;
    basLumarine::AppState state;
    frmLumMain window(state, {.dialogs = dialogs,
                              .launcher = launcher,
                              .fileSystem = fileSystem,
                              .pictures = pictures,
                              .thumbnails = thumbnails,
                              .thumbnailCache = thumbnailCache,
                              .pacer = pacer,
                              .endProgram = [] { QApplication::exit(0); }});

    window.Form_Load(arguments);
    window.show();
    return QApplication::exec();
}
