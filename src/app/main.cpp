#include "app/frmlummain.h"
#include "catalogue/appstate.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumarine"));
    QApplication::setApplicationVersion(QStringLiteral(LUMARINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Lumarine"));

    platform::QtDialogs dialogs;
    platform::DesktopLauncher launcher;
    platform::LocalFileSystem fileSystem;
    basLumarine::AppState state;
    frmLumMain window(state, {dialogs, launcher, fileSystem, [] { QApplication::exit(0); }});

    // The command line names an image list file; a path with blanks may come
    // as several arguments, which stand for one text.
    window.Form_Load(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    window.show();
    return QApplication::exec();
}
