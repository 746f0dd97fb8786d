#pragma once

#include <QString>

namespace settings {

class SettingsFile;

// What LoadSettings and SaveSettings reach in the main window: its setting
// controls and the program-wide values they keep in step. Setting a control
// runs its change handler, as a user's change would.
class SettingsView {
public:
    virtual ~SettingsView() = default;

    virtual QString baseText() const = 0;
    virtual void setBaseText(const QString& text) = 0;
    virtual QString delayText() const = 0;
    virtual void setDelayText(const QString& text) = 0;
    virtual bool randomTicked() const = 0;
    virtual void setRandomTicked(bool ticked) = 0;
    virtual QString thumbSizeText() const = 0;
    // Selects the item of that name (letter case not counting); throws error
    // 383 when there is none.
    virtual void setThumbSizeText(const QString& text) = 0;
    virtual void setShowNamesTicked(bool ticked) = 0;
    virtual void ShowButtonNames(bool names) = 0;

    virtual void setThumbSize(const QString& size) = 0;
    virtual bool thumbPreview() const = 0;
    virtual void setThumbPreview(bool preview) = 0;

    // The first start opens the help document.
    virtual void openHelp() = 0;
};

// Fills the view from the file, in the fixed order that lets a stored value
// the view cannot take stop the steps after it (the error propagates).
void LoadSettings(SettingsFile& file, SettingsView& view);
void SaveSettings(SettingsFile& file, const SettingsView& view);

// The conversion of a stored Boolean: "True"/"False" in any case, or a number
// (0 is False). Throws error 13 for anything else; "" is False.
bool toBoolean(const QString& text);

inline const QString FirstStartSection = QStringLiteral("Settings");
inline const QString FirstStartKey = QStringLiteral("FirstStart");
inline const QString FirstStartDone = QStringLiteral("Done");

} // namespace settings
