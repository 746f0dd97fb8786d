#pragma once

#include "catalogue/context.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace platform {
struct FileDialogState;
}

namespace catalogue {

class ImageCollection;

inline const QString ListFileFilter = QStringLiteral("Lumarine files (*.lum)|*.lum");

// Bounds that keep a list file from taking all memory, or a list box from
// answering, whatever the file holds. A real list lies far inside them.
struct ListFileLimits {
    qint64 fileBytes = qint64(64) << 20;
    qsizetype lines = 1'000'000;
    // No longer path can be opened.
    qsizetype lineBytes = 4096;
};

// Whether a path can be written as one line of a list file: a CR or an LF in
// it would read back as a different path, or as two.
bool FitsOnOneLine(const QString& path);

// An image list file: one path per line, every line ending in CR LF, in the
// system's 8-bit encoding. A path that does not fit on one line is written
// as it is; SaveList leaves such paths out.
QByteArray FormatListFile(const QStringList& lines);
// The lines of a list file. A line ends at CR LF, CR or LF, so files written
// on any system read line by line; empty lines are left out. Throws 321 for a file that is not
// text (it holds NUL bytes), 7 for one larger than the limits. Lines that
// are not text in the system's encoding, or longer than a path, are left out
// and counted in leftOut.
QStringList ParseListFile(const QByteArray& content, const ListFileLimits& limits = {},
                          qsizetype* leftOut = nullptr);

// Fills the main list from a list file: the one named, or the one chosen in
// the open dialog when no name is given. Lines that repeat a path of the main
// list are skipped. Whatever happens, the count shows what mainImages holds
// afterwards.
void OpenList(const std::optional<QString>& fileName, platform::FileDialogState& cdlMain,
              ImageCollection& mainImages, Context& context, const ListFileLimits& limits = {});

// Writes the list's paths to a file chosen in the save dialog, asking
// before replacing a file that exists; a name without an extension gets
// ".lum". A file that is no list (a picture, binary data, a FIFO) is never
// replaced: the dialog shows again. The old file is replaced only once the
// new one is complete; a failure is reported and changes nothing. Paths that
// cannot be one line are named in a message after the others are written.
void SaveList(const ImageCollection& list, platform::FileDialogState& cdlMain, const QString& initialFolder,
              platform::Dialogs& dialogs, platform::FileSystem& fileSystem);

} // namespace catalogue
