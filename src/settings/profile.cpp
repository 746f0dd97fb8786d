#include "settings/profile.h"

#include <QList>

namespace profile {

namespace {

// One line of the file: [begin, end) excludes its line end, next starts the
// following line.
struct Line {
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

QList<Line> splitLines(const QByteArray& content)
{
    QList<Line> lines;
    qsizetype begin = 0;
    while (begin < content.size()) {
        qsizetype lf = content.indexOf('\n', begin);
        const qsizetype next = lf < 0 ? content.size() : lf + 1;
        qsizetype end = lf < 0 ? content.size() : lf;
        // A CR belongs to the line end only in front of an LF.
        if (lf >= 0 && end > begin && content.at(end - 1) == '\r')
            --end;
        lines.append({begin, end, next});
        begin = next;
    }
    return lines;
}

QString decode(const QByteArray& content, const Line& line)
{
    return QString::fromUtf8(content.constData() + line.begin, line.end - line.begin);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimmedBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.sliced(first, last - first).toString();
}

// The name of a section header line, or a null string for any other line.
QString sectionName(const QString& text)
{
    const QString trimmed = trimmedBlanks(text);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    const QString name = trimmedBlanks(QStringView(trimmed).sliced(1, close - 1));
    return name.isNull() ? QStringLiteral("") : name;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines are: its header, the last line that holds anything,
// and the end of the section (the next header or the end of the file).
struct SectionPlace {
    qsizetype header = -1;
    qsizetype lastFilled = -1;
    qsizetype keyLine = -1;
};

SectionPlace findSection(const QByteArray& content, const QList<Line>& lines, const QString& section,
                         const QString& key)
{
    SectionPlace place;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = decode(content, lines.at(i));
        const QString name = sectionName(text);
        if (!name.isNull()) {
            if (inside)
                break;
            inside = sameName(name, section);
            if (inside)
                place.header = place.lastFilled = i;
            continue;
        }
        if (!inside)
            continue;
        if (!trimmedBlanks(text).isEmpty())
            place.lastFilled = i;
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (place.keyLine < 0 && equals >= 0 && sameName(trimmedBlanks(QStringView(text).first(equals)), key))
            place.keyLine = i;
    }
    return place;
}

QByteArray lineEndOf(const QByteArray& content, const QList<Line>& lines)
{
    for (const Line& line : lines)
        if (line.next > line.end)
            return content.mid(line.end, line.next - line.end);
    return QByteArrayLiteral("\n");
}

// A value that held a line break would end its line early and could forge
// another key; it is stored on one line instead.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The line end that closes a last line which has none. A CR at the end of
// that line is part of its text, so an LF alone would turn it into a line end.
QByteArray endOfLastLine(const QByteArray& content, const QByteArray& eol)
{
    return content.endsWith('\r') ? QByteArrayLiteral("\r\n") : eol;
}

} // namespace

QString readValue(const QByteArray& content, const QString& section, const QString& key,
                  const QString& fallback)
{
    const QList<Line> lines = splitLines(content);
    const SectionPlace place = findSection(content, lines, section, key);
    if (place.keyLine < 0)
        return fallback.left(MaxValueLength);
    const QString text = decode(content, lines.at(place.keyLine));
    const QString value = trimmedBlanks(QStringView(text).sliced(text.indexOf(QLatin1Char('=')) + 1));
    return value.left(MaxValueLength);
}

QByteArray writeValue(const QByteArray& content, const QString& section, const QString& key,
                      const QString& value)
{
    const QList<Line> lines = splitLines(content);
    const SectionPlace place = findSection(content, lines, section, key);
    const QByteArray eol = lineEndOf(content, lines);
    const QByteArray entry = oneLine(key).toUtf8() + '=' + oneLine(value).toUtf8();

    QByteArray result = content;
    if (place.keyLine >= 0) {
        const Line& line = lines.at(place.keyLine);
        result.replace(line.begin, line.end - line.begin, entry);
    } else if (place.header >= 0) {
        const Line& after = lines.at(place.lastFilled);
        const bool hasEnd = after.next > after.end;
        result.insert(after.next, hasEnd ? entry + eol : endOfLastLine(result, eol) + entry);
    } else {
        if (!result.isEmpty() && !result.endsWith('\n'))
            result += endOfLastLine(result, eol);
        result += '[' + oneLine(section).toUtf8() + ']' + eol + entry + eol;
    }
    return result;
}

} // namespace profile
