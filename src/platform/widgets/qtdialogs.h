#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace platform {

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, each parented
// to the window that is active when it opens.
class QtDialogs final : public Dialogs {
public:
    int msgBox(const QString& text, int style, const QString& title) override;
    int msgBoxWithDetails(const QString& text, const QString& details, int style,
                          const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(FileDialogState& state) override;
    QString saveFile(FileDialogState& state) override;
};

} // namespace platform
