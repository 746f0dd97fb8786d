#pragma once

#include "platform/regularfile.h"
#include "platform/volumes.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// One entry of a folder listing: a regular file or a folder, by its own name.
struct DirEntry {
    QString name;
    bool isFolder = false;
};

enum class FileMatch {
    None, // no files, folders only
    All,
    Jpeg, // "*.jpg": names ending ".jpg" or ".jpeg" in any letter case
};

struct ListFilter {
    bool folders = true;
    FileMatch files = FileMatch::All;
};

// Which file a path names, whatever links led there.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

// The classic attribute bits, as the program's operations test them.
namespace attr {
inline constexpr int Normal = 0;
inline constexpr int ReadOnly = 1;
inline constexpr int Hidden = 2;
inline constexpr int Directory = 16;
} // namespace attr

enum class CopyMode { KeepExisting, Replace };

// Everything the program asks of the file system. Failures are AppErrors.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The folder's entries in the order the desktop's file manager shows them,
    // read in one go: there is no cursor to lose to a nested listing. Hidden
    // entries (".name") and anything that is neither a regular file nor a
    // folder are left out; links count as what they point at. A folder that
    // does not exist lists as empty, as the classic listing did.
    virtual QList<DirEntry> list(const QString& folder, ListFilter filter = {}) = 0;
    // Whether list() may run on several threads at once.
    virtual bool listsConcurrently() const { return false; }
    // attr:: bits of the file or folder; 53 or 76 when it is missing.
    virtual int attributes(const QString& path) = 0;
    // Whether anything of that name is there, hidden or not.
    virtual bool exists(const QString& path) = 0;
    virtual void createFolder(const QString& path) = 0;
    virtual FileId identity(const QString& path) = 0;
    // A folder that belongs to a kernel interface (proc, sysfs, devtmpfs and
    // the like) rather than to stored files.
    virtual bool isPseudoFolder(const QString& path) = 0;
    // The mount points that stand for drives, "/" first.
    virtual QList<Volume> volumes() = 0;

    // A regular file's whole content; 75 for a FIFO, a device or a folder,
    // 7 for a file larger than maxBytes.
    virtual QByteArray readFile(const QString& path, qint64 maxBytes = NoSizeLimit) = 0;
    // At most the first maxBytes of a regular file; 75 for a FIFO, a device or
    // a folder, found without waiting on any of them.
    virtual QByteArray readFileHead(const QString& path, qint64 maxBytes) = 0;
    // Replaces the file only once the new content is complete: a failure
    // leaves the old file as it was.
    virtual void writeFile(const QString& path, const QByteArray& content) = 0;
    // Adds to the end of the file, creating it when it is missing.
    virtual void appendFile(const QString& path, const QByteArray& content) = 0;
    // Copies the file under a temporary name beside the target and renames
    // it into place once it is complete, so the target is either the whole
    // copy or untouched. Without Replace an existing target is 58.
    virtual void copyFile(const QString& from, const QString& to, CopyMode mode) = 0;
    // Never replaces: an existing new name is 58, as it was on the platform
    // the program comes from.
    virtual void rename(const QString& from, const QString& to) = 0;
    virtual void removeFile(const QString& path) = 0;
};

// The machine's own file system.
class LocalFileSystem : public FileSystem {
public:
    QList<DirEntry> list(const QString& folder, ListFilter filter = {}) override;
    bool listsConcurrently() const override { return true; }
    int attributes(const QString& path) override;
    bool exists(const QString& path) override;
    void createFolder(const QString& path) override;
    FileId identity(const QString& path) override;
    bool isPseudoFolder(const QString& path) override;
    QList<Volume> volumes() override;
    QByteArray readFile(const QString& path, qint64 maxBytes = NoSizeLimit) override;
    QByteArray readFileHead(const QString& path, qint64 maxBytes) override;
    void writeFile(const QString& path, const QByteArray& content) override;
    void appendFile(const QString& path, const QByteArray& content) override;
    void copyFile(const QString& from, const QString& to, CopyMode mode) override;
    void rename(const QString& from, const QString& to) override;
    void removeFile(const QString& path) override;
};

// Joins a folder and a name with one separator: "/" and "a" give "/a".
QString joinPath(const QString& folder, const QString& name);
// The folder with a final separator, as listings and scans take it.
QString withSeparator(const QString& folder);
// Whether a name the user typed names one entry inside a folder: not empty,
// no separator, not "." or "..". Throws 52 when it does not.
void checkPlainName(const QString& name);

// The last part of a path and the folder before it, as the classic path
// functions gave them: "/a/b.jpg" gives "b.jpg" and "/a"; "/b.jpg" gives "/".
QString fileNameOf(const QString& path);
QString parentFolderOf(const QString& path);

bool matchesJpeg(const QByteArray& fileName);

} // namespace platform
