#pragma once

#include <QString>

namespace settings {

// The settings file "lumarine.ini": one value read or written at a time.
class SettingsFile {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The stored value, or "" when the key is missing, empty or "NONE".
    // A missing or unreadable file reads as all keys missing.
    QString ReadSetting(const QString& section, const QString& key) const;

    // Stores the value, creating key, section and file as needed. The file
    // is replaced whole, so an interrupted write leaves the old one; a write
    // that fails is silently ignored.
    void WriteSetting(const QString& section, const QString& key, const QString& value);

private:
    QString path_;
};

} // namespace settings
