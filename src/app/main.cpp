#include "app/frmlummain.h"
#include "app/version.h"
#include "catalogue/appstate.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "platform/pacer.h"
#include "platform/picture.h"
#include "platform/thumbnailcache.h"
#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QStringList>

namespace {

// Names the folder where the thumbnail cache records the pictures this
// version could not decode.
QString thumbnailSoftware()
{
    return QStringLiteral("lumarine-%1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Revision);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumarine"));
    QApplication::setApplicationVersion(QStringLiteral(LUMARINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Lumarine"));

    platform::QtDialogs dialogs;
    platform::DesktopLauncher launcher;
    platform::LocalFileSystem fileSystem;
    platform::FilePictureLoader pictures;
    const auto thumbnailCache = platform::ThumbnailCache::fromEnvironment(thumbnailSoftware());
    platform::CachedThumbnailLoader thumbnails(pictures, thumbnailCache);
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

    // The command line names an image list file; a path with blanks may come
    // as several arguments, which stand for one text.
    window.Form_Load(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    window.show();
    return QApplication::exec();
}
