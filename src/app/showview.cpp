#include "app/showview.h"

#include "app/frmlummain.h"
#include "catalogue/imagelistmodel.h"
#include "display/frmdisplay.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace app {

bool MainShowView::randomTicked() const
{
    return window_.chkRandom->isChecked();
}

QString MainShowView::delayText() const
{
    return window_.txtDelay->text();
}

QString MainShowView::baseText() const
{
    return window_.txtBase->currentText();
}

void MainShowView::setCountText(const QString& text)
{
    window_.lblCount->setText(text);
}

int MainShowView::favoritesLines() const
{
    return window_.lstFavoritesModel->rowCount();
}

bool MainShowView::SearchFolder(const QString& base)
{
    return window_.SearchFolder(base);
}

void MainShowView::pressCount()
{
    window_.cmdCount->click();
}

catalogue::ShowWindow& MainShowView::displayWindow()
{
    return window_.DisplayWindow();
}

} // namespace app
