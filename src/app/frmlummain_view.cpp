// The window as the settings, the catalogue's commands and the shows see it:
// each answer read from, or written to, its control.
#include "app/frmlummain.h"

#include "app/help.h"
#include "catalogue/appstate.h"
#include "catalogue/imagelistmodel.h"
#include "display/frmdisplay.h"
#include "platform/apperror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

void frmLumMain::setStatusText(const QString& text)
{
    lblStatus->setText(text);
}

void frmLumMain::setCountText(const QString& text)
{
    lblCount->setText(text);
}

int frmLumMain::favoritesLines() const
{
    return lstFavoritesModel->rowCount();
}

void frmLumMain::pressCount()
{
    cmdCount->click();
}

catalogue::ShowWindow& frmLumMain::displayWindow()
{
    return DisplayWindow();
}
