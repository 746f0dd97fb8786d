#pragma once

#include "platform/dialogs.h"

#include <QList>

namespace testsupport {

// A dialogs double: records every question the program asks and answers from
// a script. A dialog that the script did not expect fails the running test.
class ScriptedDialogs final : public platform::Dialogs {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile };

    struct Asked {
        Kind kind;
        QString text; // the message or the prompt; the dialog title for files
        int style = 0;
        QString title;
        QString details; // the unfolding text of a message
    };

    // Answers are taken in order, one per dialog.
    void answerMessage(int answer) { script_.append({Kind::Message, answer, {}}); }
    void answerInput(const QString& text) { script_.append({Kind::Input, 0, text}); }
    void answerOpenFile(const QString& path) { script_.append({Kind::OpenFile, 0, path}); }
    void answerSaveFile(const QString& path) { script_.append({Kind::SaveFile, 0, path}); }
    // Every message box from now on is answered with its first button,
    // without a script entry.
    void acceptAllMessages(bool accept = true) { acceptAll_ = accept; }

    const QList<Asked>& asked() const { return asked_; }
    QStringList messageTexts() const;
    bool scriptDone() const { return script_.isEmpty(); }
    void clear() { *this = ScriptedDialogs(); }

    int msgBox(const QString& text, int style, const QString& title) override
    {
        return msgBoxWithDetails(text, {}, style, title);
    }
    int msgBoxWithDetails(const QString& text, const QString& details, int style,
                          const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(platform::FileDialogState& state) override { return fileDialog(Kind::OpenFile, state); }
    QString saveFile(platform::FileDialogState& state) override { return fileDialog(Kind::SaveFile, state); }

    // The default text of the last input box and the state each file dialog
    // was shown with.
    QString lastInputDefault;
    QList<platform::FileDialogState> fileDialogs;

private:
    struct Answer {
        Kind kind;
        int number;
        QString text;
    };
    bool take(Kind kind, const QString& what, Answer& answer);
    QString fileDialog(Kind kind, platform::FileDialogState& state);

    QList<Answer> script_;
    QList<Asked> asked_;
    bool acceptAll_ = false;
};

} // namespace testsupport
