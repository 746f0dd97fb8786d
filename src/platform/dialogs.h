#pragma once

#include <QString>

namespace platform {

// Message box styles and answers keep their classic numbers: callers add a
// button set and an icon ("Yes and No with the question mark" is 4 + 32).
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

inline constexpr int buttonsOf(int style)
{
    return style & 0x0f;
}
inline constexpr int iconOf(int style)
{
    return style & 0x70;
}
} // namespace mb

inline const QString AppTitle = QStringLiteral("Lumarine");

// The state that the main window's file dialog keeps between uses: each
// dialog starts with the file name last chosen in any of them.
struct FileDialogState {
    QString title;
    QString filter; // classic form: "Lumarine files (*.lum)|*.lum"
    QString initialFolder;
    QString fileName;
};

// Every modal question the program asks goes through here, so that tests can
// script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Returns the classic answer number (mb::Ok, mb::Cancel, mb::Yes, mb::No).
    virtual int msgBox(const QString& text, int style = mb::OkOnly, const QString& title = AppTitle) = 0;
    // A message with a longer text the user may unfold. Dialogs that cannot
    // show it show the message alone.
    virtual int msgBoxWithDetails(const QString& text, const QString& details, int style,
                                  const QString& title = AppTitle)
    {
        Q_UNUSED(details);
        return msgBox(text, style, title);
    }
    // Returns "" when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Both return the chosen file name, or "" when the dialog was closed
    // without one; a chosen name is kept in the state for the next dialog.
    virtual QString openFile(FileDialogState& state) = 0;
    virtual QString saveFile(FileDialogState& state) = 0;
};

// "Lumarine files (*.lum)|*.lum|All (*.*)|*.*" in the form Qt's file dialog takes.
QString qtNameFilter(const QString& classicFilter);

} // namespace platform
