#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::StandardButtons buttonsFor(int style)
{
    switch (mb::buttonsOf(style)) {
    case mb::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case mb::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case mb::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconFor(int style)
{
    switch (mb::iconOf(style)) {
    case mb::Critical:
        return QMessageBox::Critical;
    case mb::Question:
        return QMessageBox::Question;
    case mb::Exclamation:
        return QMessageBox::Warning;
    case mb::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return mb::Yes;
    case QMessageBox::No:
        return mb::No;
    case QMessageBox::Cancel:
        return mb::Cancel;
    default:
        return mb::Ok;
    }
}

// A box is only as wide as its text, and a window manager cuts a title that
// does not fit down to dots: the box is made wide enough for its title, the
// title bar's buttons beside it.
void fitTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int titleBarButtons = 8 * metrics.height();
    const int width = metrics.horizontalAdvance(box.windowTitle()) * 3 / 2 + titleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

QString startPath(const FileDialogState& state)
{
    if (state.fileName.isEmpty())
        return state.initialFolder;
    if (QFileInfo(state.fileName).isAbsolute() || state.initialFolder.isEmpty())
        return state.fileName;
    return QDir(state.initialFolder).filePath(state.fileName);
}

} // namespace

int QtDialogs::msgBox(const QString& text, int style, const QString& title)
{
    return msgBoxWithDetails(text, QString(), style, title);
}

int QtDialogs::msgBoxWithDetails(const QString& text, const QString& details, int style, const QString& title)
{
    QMessageBox box(iconFor(style), title, text, buttonsFor(style), dialogParent());
    box.setDetailedText(details);
    fitTitle(box);
    // Escape answers Cancel where there is one and No for a plain question.
    if (mb::buttonsOf(style) == mb::YesNo)
        box.setEscapeButton(QMessageBox::No);
    return answerFor(box.exec());
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::openFile(FileDialogState& state)
{
    const QString chosen = QFileDialog::getOpenFileName(dialogParent(), state.title, startPath(state),
                                                        qtNameFilter(state.filter));
    if (!chosen.isEmpty())
        state.fileName = chosen;
    return chosen;
}

QString QtDialogs::saveFile(FileDialogState& state)
{
    // The program asks its own overwrite question, so Qt's is switched off.
    const QString chosen =
        QFileDialog::getSaveFileName(dialogParent(), state.title, startPath(state),
                                     qtNameFilter(state.filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        state.fileName = chosen;
    return chosen;
}

} // namespace platform
