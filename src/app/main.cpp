#include "app/arguments.h"
#include "app/frmlummain.h"
#include "catalogue/appstate.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

int answer(const app::Arguments& arguments)
{
    std::fputs(qPrintable(arguments.output), stdout);
    std::fputs(qPrintable(arguments.errorOutput), stderr);
    return *arguments.exitCode;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Lumarine"));
    QApplication::setApplicationVersion(QStringLiteral(LUMARINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Lumarine"));
    // --help and --version answer without a display. Anything else waits for
    // the application, which takes its own options (-platform) off the list.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (const app::Arguments early = app::parseArguments(given); early.exitCode == 0)
        return answer(early);

    QApplication application(argc, argv);
    const app::Arguments arguments = app::parseArguments(QApplication::arguments());
    if (arguments.exitCode)
        return answer(arguments);

    platform::QtDialogs dialogs;
    platform::DesktopLauncher launcher;
    platform::LocalFileSystem fileSystem;
    basLumarine::AppState state;
    frmLumMain window(state, {dialogs, launcher, fileSystem, [] { QApplication::exit(0); }});

    window.Form_Load(arguments);
    window.show();
    return QApplication::exec();
}
