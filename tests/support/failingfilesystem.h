#pragma once

#include "platform/filesystem.h"

#include <functional>
#include <mutex>

namespace testsupport {

// The file system calls a failure can be planned for; the others go straight
// through. A copy is checked for its source and then for its target.
enum class FsCall { List, CreateFolder, Identity, WriteFile, CopyFile, Rename, RemoveFile };

using platform::DirEntry, platform::FileId, platform::ListFilter, platform::Volume;

// Another file system (the machine's own by default) with failures planned
// by tests, since permission bits stop nothing for root and devices cannot be
// unplugged on demand. A failure names its call, optionally the one path it
// applies to, and its classic number; it strikes once or every time.
class FailingFileSystem : public platform::FileSystem {
public:
    FailingFileSystem() : inner_(own_) {}
    explicit FailingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    void failOnce(FsCall call, int number, const QString& path = {}) { plan({call, number, path, true}); }
    void failAlways(FsCall call, int number, const QString& path = {}) { plan({call, number, path, false}); }

    QList<DirEntry> list(const QString& folder, ListFilter filter = {}) override
    {
        return after(FsCall::List, folder).list(folder, filter);
    }
    bool listsConcurrently() const override { return inner_.listsConcurrently(); }
    int attributes(const QString& path) override { return inner_.attributes(path); }
    bool exists(const QString& path) override { return inner_.exists(path); }
    void createFolder(const QString& path) override { after(FsCall::CreateFolder, path).createFolder(path); }
    FileId identity(const QString& path) override { return after(FsCall::Identity, path).identity(path); }
    bool isPseudoFolder(const QString& path) override { return inner_.isPseudoFolder(path); }
    QList<Volume> volumes() override { return inner_.volumes(); }
    QByteArray readFile(const QString& p, qint64 max) override { return inner_.readFile(p, max); }
    QByteArray readFileHead(const QString& p, qint64 max) override { return inner_.readFileHead(p, max); }
    void writeFile(const QString& path, const QByteArray& content) override
    {
        after(FsCall::WriteFile, path).writeFile(path, content);
    }
    void appendFile(const QString& p, const QByteArray& b) override { inner_.appendFile(p, b); }
    void copyFile(const QString& from, const QString& to, platform::CopyMode mode) override
    {
        after(FsCall::CopyFile, from);
        after(FsCall::CopyFile, to).copyFile(from, to, mode);
    }
    void rename(const QString& a, const QString& b) override { after(FsCall::Rename, a).rename(a, b); }
    void removeFile(const QString& path) override { after(FsCall::RemoveFile, path).removeFile(path); }

private:
    struct Planned {
        FsCall call;
        int number;
        QString path;
        bool once;
    };
    void plan(const Planned& planned);
    // Throws the planned failure for this call and path, if there is one;
    // otherwise gives the file system that does the call.
    platform::FileSystem& after(FsCall call, const QString& path);

    platform::LocalFileSystem own_;
    platform::FileSystem& inner_;
    QList<Planned> planned_;
    std::mutex mutex_; // a scan lists folders on several threads
};

// The classic number action failed with; 0 when it did not fail.
int errorOf(const std::function<void()>& action);

} // namespace testsupport
