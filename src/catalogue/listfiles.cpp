#include "catalogue/listfiles.h"

#include "catalogue/imagecollection.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/pacer.h"

#include <QLocale>

#include <algorithm>
#include <cstring>

namespace catalogue {

namespace {

void reportFileFailure(platform::Dialogs& dialogs, const platform::AppError& error, const QString& fileName)
{
    basUI::ReportError(dialogs, error);
    dialogs.msgBox(fileName, platform::mb::OkOnly);
}

// A name typed without an extension gets the list files' own.
QString withListExtension(const QString& fileName)
{
    return platform::fileNameOf(fileName).lastIndexOf(QLatin1Char('.')) > 0
               ? fileName
               : fileName + QStringLiteral(".lum");
}

// Whether an existing file may be replaced by a list: text, and neither a
// picture nor a FIFO, a device or a folder. The dialog carries the name of
// any file it was last used for, often a picture's.
bool mayHoldAList(platform::FileSystem& fileSystem, const QString& fileName)
{
    constexpr qint64 HeadBytes = 4096;
    QByteArray head;
    try {
        head = fileSystem.readFileHead(fileName, HeadBytes);
    } catch (const platform::AppError& error) {
        if (error.number() == platform::err::PathFileAccess)
            return false;
        throw;
    }
    return !head.startsWith(QByteArrayView("\xff\xd8\xff", 3)) && !head.contains('\0');
}

// The file name the user settles on, or "" when the dialog was closed or
// the overwrite question cancelled.
QString chooseSaveName(platform::FileDialogState& cdlMain, const QString& initialFolder,
                       platform::Dialogs& dialogs, platform::FileSystem& fileSystem)
{
    for (;;) {
        cdlMain.title = QStringLiteral("Lumarine file name:");
        cdlMain.initialFolder = initialFolder;
        cdlMain.filter = ListFileFilter;
        const QString chosen = dialogs.saveFile(cdlMain);
        if (chosen.isEmpty())
            return chosen;
        const QString fileName = withListExtension(chosen);
        // A hidden file counts: writing past it unasked would lose it.
        if (!fileSystem.exists(fileName))
            return fileName;
        if (!mayHoldAList(fileSystem, fileName)) {
            dialogs.msgBox(QStringLiteral("%1 is not a Lumarine list file, so it was not replaced.")
                               .arg(platform::fileNameOf(fileName)),
                           platform::mb::OkOnly | platform::mb::Exclamation);
            continue;
        }
        const int answer = dialogs.msgBox(QStringLiteral("That file already exists! Overwrite?"),
                                          platform::mb::YesNoCancel | platform::mb::Question);
        if (answer == platform::mb::Yes)
            return fileName;
        if (answer == platform::mb::Cancel)
            return {};
    }
}

[[noreturn]] void throwTooLarge(const QString& description)
{
    throw platform::AppError(platform::err::OutOfMemory, description);
}

QByteArray readListFile(platform::FileSystem& fileSystem, const QString& fileName,
                        const ListFileLimits& limits)
{
    try {
        return fileSystem.readFile(fileName, limits.fileBytes);
    } catch (const platform::AppError& error) {
        if (error.number() != platform::err::OutOfMemory)
            throw;
        throwTooLarge(QStringLiteral("The list file is larger than %1.")
                          .arg(QLocale::c().formattedDataSize(limits.fileBytes, 0,
                                                              QLocale::DataSizeTraditionalFormat)));
    }
}

QStringList linesThatFit(const ImageCollection& lines)
{
    QStringList fitting;
    for (const QString& line : lines)
        if (FitsOnOneLine(line))
            fitting << line;
    return fitting;
}

// The paths as a message can show them, a line break drawn as a sign.
QString namesForMessage(const QStringList& paths)
{
    constexpr qsizetype Shown = 10;
    QStringList names;
    for (QString path : paths.first(qMin(paths.size(), Shown)))
        names << path.replace(QLatin1Char('\r'), QChar(0x21b5)).replace(QLatin1Char('\n'), QChar(0x21b5));
    if (paths.size() > Shown)
        names << QStringLiteral("and %1 more").arg(paths.size() - Shown);
    return names.join(QStringLiteral("\r\n"));
}

void reportLeftOut(platform::Dialogs& dialogs, const ImageCollection& lines)
{
    QStringList leftOut;
    for (const QString& line : lines)
        if (!FitsOnOneLine(line))
            leftOut << line;
    if (leftOut.isEmpty())
        return;
    dialogs.msgBox(QStringLiteral("Not saved, since a name with a line break cannot be one line of a list "
                                  "file:\r\n\r\n") +
                       namesForMessage(leftOut),
                   platform::mb::OkOnly | platform::mb::Exclamation);
}

void reportLeftOutLines(platform::Dialogs& dialogs, qsizetype lines)
{
    const QString text = lines == 1
                             ? QStringLiteral("1 line of the list file was left out: it is not text in the "
                                              "system's encoding, or longer than a path can be.")
                             : QStringLiteral("%1 lines of the list file were left out: they are not text "
                                              "in the system's encoding, or longer than a path can be.")
                                   .arg(lines);
    dialogs.msgBox(text, platform::mb::OkOnly | platform::mb::Exclamation);
}

// The line as a path, or a null string for one no file can have: bytes that
// are no text decode to a stand-in character, so the path would name another
// file or none, and a line longer than a path cannot be opened.
QString pathOfLine(QByteArrayView raw, const ListFileLimits& limits)
{
    if (raw.size() > limits.lineBytes)
        return {};
    // ASCII reads the same in every encoding a system uses for file names.
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(raw);
    QString line = QString::fromLocal8Bit(raw);
    return line.toLocal8Bit() == raw ? line : QString();
}

// Calls use(line) for each line of the content that is not empty. A line
// ends at CR LF, CR or LF.
template <typename Use> void forEachLine(const QByteArray& content, Use use)
{
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start < size) {
        // The content holds no NUL: strpbrk stops at its terminator at the latest.
        const char* const found = std::strpbrk(content.constData() + start, "\r\n");
        const qsizetype end = found ? found - content.constData() : size;
        if (end > start)
            use(QByteArrayView(content.constData() + start, end - start));
        start = end + 1;
        if (end < size && content[end] == '\r' && start < size && content[start] == '\n')
            ++start;
    }
}

// The number of lines of a list file that are not empty. Throws for content
// that is no list, so that a file refused is refused before any path is used.
qsizetype checkedLineCount(const QByteArray& content, const ListFileLimits& limits)
{
    if (content.contains('\0'))
        platform::throwError(platform::err::InvalidFileFormat);
    qsizetype lines = 0;
    forEachLine(content, [&lines](QByteArrayView) { ++lines; });
    if (lines > limits.lines)
        throwTooLarge(QStringLiteral("The list file has more than %1 lines.").arg(limits.lines));
    return lines;
}

// Calls use(path) for each line that names a path, in order.
template <typename Use>
void forEachPath(const QByteArray& content, const ListFileLimits& limits, qsizetype* leftOut, Use use)
{
    forEachLine(content, [&](QByteArrayView raw) {
        QString path = pathOfLine(raw, limits);
        if (!path.isNull())
            use(std::move(path));
        else if (leftOut)
            ++*leftOut;
    });
}

} // namespace

bool FitsOnOneLine(const QString& path)
{
    return !path.contains(QLatin1Char('\r')) && !path.contains(QLatin1Char('\n'));
}

QByteArray FormatListFile(const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines) {
        content += line.toLocal8Bit();
        content += "\r\n";
    }
    return content;
}

QStringList ParseListFile(const QByteArray& content, const ListFileLimits& limits, qsizetype* leftOut)
{
    QStringList paths;
    paths.reserve(checkedLineCount(content, limits));
    forEachPath(content, limits, leftOut, [&paths](QString&& path) { paths << std::move(path); });
    return paths;
}

void OpenList(const std::optional<QString>& fileName, platform::FileDialogState& cdlMain,
              ImageCollection& mainImages, Context& context, const ListFileLimits& limits)
{
    QString chosen;
    if (fileName) {
        chosen = *fileName;
    } else {
        cdlMain.title = QStringLiteral("Open Lumarine file:");
        cdlMain.filter = ListFileFilter;
        chosen = context.dialogs.openFile(cdlMain);
        if (chosen.isEmpty())
            return;
    }
    if (!mainImages.isEmpty() &&
        context.dialogs.msgBox(QStringLiteral("Clear existing main file list?"),
                               platform::mb::YesNo | platform::mb::Question) == platform::mb::Yes)
        mainImages.Clear();
    basUI::BusyCursorOn();
    qsizetype leftOut = 0;
    try {
        const QByteArray content = readListFile(context.fileSystem, chosen, limits);
        // Each path goes straight into the list, with no list of lines between.
        mainImages.reserve(checkedLineCount(content, limits));
        const ImageCollection::Batch batch(mainImages);
        forEachPath(content, limits, &leftOut, [&](QString&& path) {
            // Adding one image to a saved list writes such repeats; they are
            // not a reason to stop reading.
            mainImages.AddIfAbsent(path);
            if (context.pacer.due())
                context.pacer.yield();
        });
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        reportFileFailure(context.dialogs, error, chosen);
    }
    context.labels.setCountText(QString::number(mainImages.Count()));
    basUI::BusyCursorOff();
    if (leftOut > 0)
        reportLeftOutLines(context.dialogs, leftOut);
}

void SaveList(const ImageCollection& list, platform::FileDialogState& cdlMain, const QString& initialFolder,
              platform::Dialogs& dialogs, platform::FileSystem& fileSystem)
{
    QString fileName;
    try {
        fileName = chooseSaveName(cdlMain, initialFolder, dialogs, fileSystem);
        if (fileName.isEmpty())
            return;
        basUI::BusyCursorOn();
        fileSystem.writeFile(fileName, FormatListFile(linesThatFit(list)));
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        reportFileFailure(dialogs, error, fileName);
        return;
    }
    basUI::BusyCursorOff();
    reportLeftOut(dialogs, list);
}

} // namespace catalogue
