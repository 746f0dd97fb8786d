#include "settings/settingsfile.h"

#include "platform/apperror.h"
#include "platform/regularfile.h"
#include "settings/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace settings {

namespace {

const QString Sentinel = QStringLiteral("NONE");

} // namespace

const QByteArray& SettingsFile::content() const
{
    if (!content_) {
        try {
            content_ = platform::readRegularFile(path_, maxBytes_);
        } catch (const platform::AppError&) {
            content_ = QByteArray();
        }
    }
    return *content_;
}

QString SettingsFile::ReadSetting(const QString& section, const QString& key) const
{
    const QString value = profile::readValue(content(), section, key, Sentinel);
    return value == Sentinel ? QString() : value;
}

void SettingsFile::WriteSetting(const QString& section, const QString& key, const QString& value)
{
    const QByteArray updated = profile::writeValue(content(), section, key, value);
    // The per-user fallback folder may not exist yet.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(updated);
    if (file.commit())
        content_ = updated;
}

} // namespace settings
