#pragma once

#include "catalogue/context.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

class QStringListModel;

namespace platform {
struct FileDialogState;
}

namespace catalogue {

class ImageCollection;

inline const QString ListFileFilter = QStringLiteral("Lumarine files (*.lum)|*.lum");

// An image list file: one path per line, every line ending in CR LF, in the
// system's 8-bit encoding.
QByteArray FormatListFile(const QStringList& lines);
// The lines of a list file. A line ends at CR or CR LF; a lone LF stays part
// of its line; empty lines are left out. Throws 321 for a file that is not
// text (it holds NUL bytes).
QStringList ParseListFile(const QByteArray& content);

// Fills the main list from a list file: the one named, or the one chosen in
// the open dialog when no name is given. Lines that repeat a path of the main
// list are skipped. Whatever happens, lstImages and the count show what
// mainImages holds afterwards.
void OpenList(const std::optional<QString>& fileName, platform::FileDialogState& cdlMain,
              ImageCollection& mainImages, QStringListModel& lstImages, Context& context);

// Writes the list box's lines to a file chosen in the save dialog, asking
// before replacing a file that exists. The old file is replaced only once the
// new one is complete; a failure is reported and changes nothing.
void SaveList(const QStringListModel& list, platform::FileDialogState& cdlMain, const QString& initialFolder,
              platform::Dialogs& dialogs, platform::FileSystem& fileSystem);

} // namespace catalogue
