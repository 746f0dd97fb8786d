#include "settings/settingsfile.h"

#include "platform/apperror.h"
#include "platform/filesystem.h"
#include "platform/regularfile.h"
#include "settings/profile.h"

#include <QDir>
#include <QFileInfo>

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
    // The per-user folder may not exist yet.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    try {
        platform::LocalFileSystem().writeFile(path_, updated);
    } catch (const platform::AppError& error) {
        if (writeFailed_)
            writeFailed_(platform::AppError(error.number(),
                                            QStringLiteral("The settings could not be written to %1: %2")
                                                .arg(path_, error.description())));
        return;
    }
    content_ = updated;
}

} // namespace settings
