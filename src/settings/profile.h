#pragma once

#include <QByteArray>
#include <QString>

// The initialisation-file format of sections and keys, read and written the
// way the classic private-profile functions do, on the file's bytes.
namespace profile {

// The classic read buffer holds 100 characters with its terminator.
inline constexpr qsizetype MaxValueLength = 99;

// The value of `key` in `section` (both without regard to case), trimmed and
// cut to MaxValueLength characters; `fallback` when the key is missing.
QString readValue(const QByteArray& content, const QString& section, const QString& key,
                  const QString& fallback);

// `content` with the key set to `value`: an existing key's line is replaced,
// a new key goes at the end of its section, a new section at the end of the
// file. Every other byte stays as it was; new lines use the file's own line
// ends (LF for an empty file).
QByteArray writeValue(const QByteArray& content, const QString& section, const QString& key,
                      const QString& value);

} // namespace profile
