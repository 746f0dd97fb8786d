#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform {
class AppError;
}

namespace settings {

// The settings file "lumarine.ini": one value read or written at a time.
// The file is read once, at the first value asked for; later reads and
// writes work on that copy, so that a start-up's many reads cost one.
class SettingsFile {
public:
    // The program writes a few hundred bytes. A larger file, or anything that
    // is not a regular file, is none it wrote: it reads as empty, so every
    // setting takes its default, and the first write replaces it.
    static constexpr qint64 MaxFileBytes = qint64(1) << 20;

    // Told of every write that fails, with the file named in its description.
    using WriteFailed = std::function<void(const platform::AppError&)>;

    explicit SettingsFile(QString path, WriteFailed writeFailed = {}, qint64 maxBytes = MaxFileBytes)
        : path_(std::move(path)), writeFailed_(std::move(writeFailed)), maxBytes_(maxBytes)
    {
    }

    const QString& path() const { return path_; }

    // The stored value, or "" when the key is missing, empty or "NONE".
    // A missing or unreadable file reads as all keys missing.
    QString ReadSetting(const QString& section, const QString& key) const;

    // Stores the value, creating key, section, file and its folder as needed.
    // The file is replaced whole, so an interrupted write leaves the old one;
    // a write that fails changes nothing and goes to writeFailed.
    void WriteSetting(const QString& section, const QString& key, const QString& value);

private:
    const QByteArray& content() const;

    QString path_;
    WriteFailed writeFailed_;
    qint64 maxBytes_;
    mutable std::optional<QByteArray> content_;
};

} // namespace settings
