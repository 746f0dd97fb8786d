// The settings file reader and writer on arbitrary bytes: a write followed by
// a read gives the value back, and every other line of the file survives.
#include "settings/profile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

// Section and key names as the program writes them: letters only.
QString nameFrom(const QByteArray& bytes)
{
    QString name;
    for (char c : bytes)
        name += QChar(QLatin1Char('A' + (static_cast<unsigned char>(c) % 26)));
    return name.isEmpty() ? QStringLiteral("K") : name;
}

QString expectedRead(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype first = 0;
    qsizetype last = value.size();
    const auto blank = [&](qsizetype i) {
        return value.at(i) == QLatin1Char(' ') || value.at(i) == QLatin1Char('\t');
    };
    while (first < last && blank(first))
        ++first;
    while (last > first && blank(last - 1))
        --last;
    return value.mid(first, last - first).left(profile::MaxValueLength);
}

QList<QByteArray> linesOf(const QByteArray& content)
{
    // A CR ends a line only in front of an LF, as the reader has it.
    QList<QByteArray> lines = content.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The write changed one place of the file: at most one old line (the key's)
// gave way to at most two new ones (a new section's header and the key);
// every line before and after that place is untouched.
bool othersSurvive(const QList<QByteArray>& before, const QList<QByteArray>& after)
{
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return before.size() - prefix - suffix <= 1 && after.size() - prefix - suffix <= 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: section NUL key NUL value NUL file content.
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\0');
    if (parts.size() < 4)
        return 0;
    const QString section = nameFrom(parts.at(0));
    const QString key = nameFrom(parts.at(1));
    const QString value = QString::fromUtf8(parts.at(2));
    const QByteArray content = input.mid(parts.at(0).size() + parts.at(1).size() + parts.at(2).size() + 3);

    profile::readValue(content, section, key, QStringLiteral("NONE"));
    const QByteArray after = profile::writeValue(content, section, key, value);
    if (profile::readValue(after, section, key, QStringLiteral("NONE")) != expectedRead(value))
        std::abort();
    if (!othersSurvive(linesOf(content), linesOf(after)))
        std::abort();
    return 0;
}
