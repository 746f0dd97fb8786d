#pragma once

#include "platform/failureplan.h"
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

// Everything the program asks of the file system. Each call checks the
// failure plan first, so tests can make any call fail with any classic number;
// implementations override the do* functions. Failures are AppErrors.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The folder's entries in the order the desktop's file manager shows them,
    // read in one go: there is no cursor to lose to a nested listing. Hidden
    // entries (".name") and anything that is neither a regular file nor a
    // folder are left out; links count as what they point at. A folder that
    // does not exist lists as empty, as the classic listing did.
    QList<DirEntry> list(const QString& folder, ListFilter filter = {});
    // attr:: bits of the file or folder; 53 or 76 when it is missing.
    int attributes(const QString& path);
    // Whether anything of that name is there, hidden or not.
    bool exists(const QString& path);
    void createFolder(const QString& path);
    FileId identity(const QString& path);
    // A folder that belongs to a kernel interface (proc, sysfs, devtmpfs and
    // the like) rather than to stored files.
    bool isPseudoFolder(const QString& path);
    // The mount points that stand for drives, "/" first.
    QList<Volume> volumes();

    // A regular file's whole content; 75 for a FIFO, a device or a folder,
    // 7 for a file larger than maxBytes.
    QByteArray readFile(const QString& path, qint64 maxBytes = NoSizeLimit);
    // At most the first maxBytes of a regular file; 75 for a FIFO, a device or
    // a folder, found without waiting on any of them.
    QByteArray readFileHead(const QString& path, qint64 maxBytes);
    // Replaces the file only once the new content is complete: a failure
    // leaves the old file as it was.
    void writeFile(const QString& path, const QByteArray& content);
    // Adds to the end of the file, creating it when it is missing.
    void appendFile(const QString& path, const QByteArray& content);
    // Copies the file under a temporary name beside the target and renames
    // it into place once it is complete, so the target is either the whole
    // copy or untouched. Without Replace an existing target is 58.
    void copyFile(const QString& from, const QString& to, CopyMode mode);
    // Never replaces: an existing new name is 58, as it was on the platform
    // the program comes from.
    void rename(const QString& from, const QString& to);
    void removeFile(const QString& path);

    FailurePlan& failures() { return failures_; }

protected:
    virtual QList<DirEntry> doList(const QString& folder, ListFilter filter) = 0;
    virtual int doAttributes(const QString& path) = 0;
    virtual bool doExists(const QString& path) = 0;
    virtual void doCreateFolder(const QString& path) = 0;
    virtual FileId doIdentity(const QString& path) = 0;
    virtual bool doIsPseudoFolder(const QString& path) = 0;
    virtual QList<Volume> doVolumes() = 0;
    virtual QByteArray doReadFile(const QString& path, qint64 maxBytes) = 0;
    virtual QByteArray doReadFileHead(const QString& path, qint64 maxBytes) = 0;
    virtual void doWriteFile(const QString& path, const QByteArray& content) = 0;
    virtual void doAppendFile(const QString& path, const QByteArray& content) = 0;
    virtual void doCopyFile(const QString& from, const QString& to, CopyMode mode) = 0;
    virtual void doRename(const QString& from, const QString& to) = 0;
    virtual void doRemoveFile(const QString& path) = 0;

private:
    FailurePlan failures_;
};

// The machine's own file system.
class LocalFileSystem : public FileSystem {
protected:
    QList<DirEntry> doList(const QString& folder, ListFilter filter) override;
    int doAttributes(const QString& path) override;
    bool doExists(const QString& path) override;
    void doCreateFolder(const QString& path) override;
    FileId doIdentity(const QString& path) override;
    bool doIsPseudoFolder(const QString& path) override;
    QList<Volume> doVolumes() override;
    QByteArray doReadFile(const QString& path, qint64 maxBytes) override;
    QByteArray doReadFileHead(const QString& path, qint64 maxBytes) override;
    void doWriteFile(const QString& path, const QByteArray& content) override;
    void doAppendFile(const QString& path, const QByteArray& content) override;
    void doCopyFile(const QString& from, const QString& to, CopyMode mode) override;
    void doRename(const QString& from, const QString& to) override;
    void doRemoveFile(const QString& path) override;
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
bool isKernelFileSystem(const QByteArray& fileSystemType);

} // namespace platform
