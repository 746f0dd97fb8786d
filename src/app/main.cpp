#include "app/arguments.h"
#include "app/frmlummain.h"
#include "catalogue/appstate.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QStringList>

#include <optional>

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

    platform::QtDialogs dialogs;
    platform::DesktopLauncher launcher;
    platform::LocalFileSystem fileSystem;
    basLumarine::AppState state;
    frmLumMain window(state, {dialogs, launcher, fileSystem, [] { QApplication::exit(0); }});

    window.Form_Load(arguments);
    window.show();
    return QApplication::exec();
}
