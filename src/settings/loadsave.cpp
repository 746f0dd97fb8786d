#include "settings/loadsave.h"

#include "platform/apperror.h"
#include "settings/settingsfile.h"

namespace settings {

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool isFirstStart(const SettingsFile& file)
{
    return file.ReadSetting(FirstStartSection, FirstStartKey).compare(FirstStartDone, Qt::CaseInsensitive) !=
           0;
}

} // namespace

bool toBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    if (!isNumber)
        platform::throwError(platform::err::TypeMismatch);
    return number != 0.0;
}

void LoadSettings(SettingsFile& file, SettingsView& view)
{
    view.setBaseText(file.ReadSetting("PATHS", "BASE"));

    view.setDelayText(file.ReadSetting("SETTINGS", "DELAY"));
    if (view.delayText().isEmpty())
        view.setDelayText(QStringLiteral("3"));

    view.setRandomTicked(file.ReadSetting("SETTINGS", "RANDOM") == QLatin1String("True"));

    if (isFirstStart(file)) {
        view.openHelp();
        file.WriteSetting(FirstStartSection, FirstStartKey, FirstStartDone);
        file.WriteSetting("Settings", "ShowButtonNames", "True");
    }

    QString thumbSize = file.ReadSetting("SETTINGS", "TNSIZE");
    if (thumbSize.isEmpty())
        thumbSize = QStringLiteral("Small");
    view.setThumbSize(thumbSize);
    view.setThumbSizeText(thumbSize);

    view.setThumbPreview(toBoolean(file.ReadSetting("SETTINGS", "TNPREVIEW")));

    const bool names = file.ReadSetting("Settings", "ShowButtonNames").toUpper() == QLatin1String("TRUE");
    if (names)
        view.setShowNamesTicked(true);
    view.ShowButtonNames(names);
}

void SaveSettings(SettingsFile& file, const SettingsView& view)
{
    file.WriteSetting("PATHS", "BASE", view.baseText());
    file.WriteSetting("SETTINGS", "RANDOM", boolText(view.randomTicked()));
    file.WriteSetting("SETTINGS", "DELAY", view.delayText());
    file.WriteSetting("SETTINGS", "TNSIZE", view.thumbSizeText());
    file.WriteSetting("SETTINGS", "TNPREVIEW", boolText(view.thumbPreview()));
}

} // namespace settings
