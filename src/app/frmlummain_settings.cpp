// The settings tab's handlers, and the controls that loading and saving the
// settings reach.
#include "app/frmlummain.h"

#include "app/help.h"
#include "catalogue/appstate.h"
#include "catalogue/numbertext.h"
#include "platform/apperror.h"
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

QString frmLumMain::baseText() const
{
    return txtBase->currentText();
}

void frmLumMain::setBaseText(const QString& text)
{
    txtBase->setCurrentText(text);
}

QString frmLumMain::delayText() const
{
    return txtDelay->text();
}

void frmLumMain::setDelayText(const QString& text)
{
    txtDelay->setText(text);
}

bool frmLumMain::randomTicked() const
{
    return chkRandom->isChecked();
}

void frmLumMain::setRandomTicked(bool ticked)
{
    chkRandom->setChecked(ticked);
}

QString frmLumMain::thumbSizeText() const
{
    return cboTNSize->currentText();
}

void frmLumMain::setThumbSizeText(const QString& text)
{
    const int item = cboTNSize->findText(text, Qt::MatchFixedString);
    if (item < 0)
        platform::throwError(platform::err::PropertyReadOnly);
    const bool changes = item != cboTNSize->currentIndex();
    cboTNSize->setCurrentIndex(item);
    // Selecting an item runs the click handler even when it was selected.
    if (!changes)
        cboTNSize_Click();
}

void frmLumMain::setShowNamesTicked(bool ticked)
{
    chkShowNames->setChecked(ticked);
}

void frmLumMain::setThumbSize(const QString& size)
{
    state_.ThumbSize = size;
}

bool frmLumMain::thumbPreview() const
{
    return state_.ThumbPreview;
}

void frmLumMain::setThumbPreview(bool preview)
{
    state_.ThumbPreview = preview;
}

void frmLumMain::openHelp()
{
    app::OpenHelp(services_.launcher, services_.dialogs);
}
