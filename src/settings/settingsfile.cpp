#include "settings/settingsfile.h"

#include "settings/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace settings {

namespace {

const QString Sentinel = QStringLiteral("NONE");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QString SettingsFile::ReadSetting(const QString& section, const QString& key) const
{
    const QString value = profile::readValue(readAll(path_), section, key, Sentinel);
    return value == Sentinel ? QString() : value;
}

void SettingsFile::WriteSetting(const QString& section, const QString& key, const QString& value)
{
    const QByteArray updated = profile::writeValue(readAll(path_), section, key, value);
    // The per-user fallback folder may not exist yet.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(updated);
    file.commit();
}

} // namespace settings
