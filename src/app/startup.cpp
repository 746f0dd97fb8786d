// Start-up: the main window's loading runs each step in turn; a step that
// fails is reported and the next one runs.
#include "app/frmlummain.h"

#include "catalogue/appstate.h"
#include "platform/basui.h"
#include "platform/inipath.h"
#include "settings/settingsfile.h"

#include <QComboBox>

#include <functional>

namespace {

void runStep(platform::Dialogs& dialogs, const std::function<void()>& step)
{
    try {
        step();
    } catch (const platform::AppError& error) {
        basUI::ReportError(dialogs, error);
    }
}

} // namespace

void frmLumMain::Form_Load(const app::Arguments& arguments)
{
    platform::Dialogs& dialogs = services_.dialogs;
    runStep(dialogs, [&] { state_.IniPath = platform::resolveIniPath(); });
    runStep(dialogs, [&] {
        auto file = settingsFile();
        settings::LoadSettings(file, *this);
    });
    runStep(dialogs, [&] { BuildBaseCombo(); });
    runStep(dialogs, [&] { openArguments(arguments); });
}
