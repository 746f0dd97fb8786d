#include "catalogue/listfiles.h"

#include "catalogue/imagecollection.h"
#include "catalogue/listboxes.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/pacer.h"

#include <QStringListModel>

namespace catalogue {

namespace {

void reportFileFailure(platform::Dialogs& dialogs, const platform::AppError& error, const QString& fileName)
{
    basUI::ReportError(dialogs, error);
    dialogs.msgBox(fileName, platform::mb::OkOnly);
}

void addLines(const QStringList& lines, ImageCollection& mainImages, platform::Pacer& pacer)
{
    for (const QString& line : lines) {
        // Adding one image to a saved list writes such repeats; they are not
        // a reason to stop reading.
        mainImages.AddIfAbsent(line);
        if (pacer.due())
            pacer.yield();
    }
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
        const QString fileName = dialogs.saveFile(cdlMain);
        // A hidden file counts: writing past it unasked would lose it.
        if (fileName.isEmpty() || !fileSystem.exists(fileName))
            return fileName;
        const int answer = dialogs.msgBox(QStringLiteral("That file already exists! Overwrite?"),
                                          platform::mb::YesNoCancel | platform::mb::Question);
        if (answer == platform::mb::Yes)
            return fileName;
        if (answer == platform::mb::Cancel)
            return {};
    }
}

} // namespace

QByteArray FormatListFile(const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines) {
        content += line.toLocal8Bit();
        content += "\r\n";
    }
    return content;
}

QStringList ParseListFile(const QByteArray& content)
{
    if (content.contains('\0'))
        platform::throwError(platform::err::InvalidFileFormat);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start < size) {
        qsizetype end = content.indexOf('\r', start);
        if (end < 0)
            end = size;
        if (end > start)
            lines << QString::fromLocal8Bit(content.constData() + start, end - start);
        start = end + 1;
        if (start < size && end < size && content[start] == '\n')
            ++start;
    }
    return lines;
}

void OpenList(const std::optional<QString>& fileName, platform::FileDialogState& cdlMain,
              ImageCollection& mainImages, QStringListModel& lstImages, Context& context)
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
                               platform::mb::YesNo | platform::mb::Question) == platform::mb::Yes) {
        mainImages.Clear();
        lstImages.setStringList({});
    }
    basUI::BusyCursorOn();
    try {
        addLines(ParseListFile(context.fileSystem.readFile(chosen)), mainImages, context.pacer);
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        reportFileFailure(context.dialogs, error, chosen);
    }
    context.labels.setCountText(QString::number(mainImages.Count()));
    ListImages(mainImages, lstImages);
    basUI::BusyCursorOff();
}

void SaveList(const QStringListModel& list, platform::FileDialogState& cdlMain, const QString& initialFolder,
              platform::Dialogs& dialogs, platform::FileSystem& fileSystem)
{
    QString fileName;
    try {
        fileName = chooseSaveName(cdlMain, initialFolder, dialogs, fileSystem);
        if (fileName.isEmpty())
            return;
        basUI::BusyCursorOn();
        fileSystem.writeFile(fileName, FormatListFile(list.stringList()));
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        reportFileFailure(dialogs, error, fileName);
    }
    basUI::BusyCursorOff();
}

} // namespace catalogue
