// The settings tab's handlers.
#include "app/frmlummain.h"

#include "catalogue/appstate.h"
#include "catalogue/numbertext.h"
#include "settings/settingsfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

void frmLumMain::chkRandom_Click()
{
    state_.RandomShow = chkRandom->isChecked();
}

void frmLumMain::cboTNSize_Click()
{
    state_.ThumbSize = cboTNSize->currentText();
}

void frmLumMain::chkShowNames_Click()
{
    const bool names = chkShowNames->isChecked();
    ShowButtonNames(names);
    auto file = settingsFile();
    file.WriteSetting("Settings", "ShowButtonNames", names ? "True" : "False");
}

void frmLumMain::txtDelay_LostFocus()
{
    if (checkingDelay_ || catalogue::IsNumeric(txtDelay->text()))
        return;
    // The message takes the focus itself; that is not another attempt.
    checkingDelay_ = true;
    services_.dialogs.msgBox(tr("Delay must be numeric!"), platform::mb::OkOnly | platform::mb::Exclamation);
    checkingDelay_ = false;
    txtDelay->setFocus(Qt::OtherFocusReason);
}
