#pragma once

#include "platform/filesystem.h"

#include <QList>
#include <QString>

#include <functional>

namespace testsupport {

// The file system calls a failure can be planned for. readFileHead counts as
// ReadFile; a copy is checked for its source and then for its target.
enum class FsCall {
    List,
    Attributes,
    Exists,
    CreateFolder,
    Identity,
    IsPseudoFolder,
    Volumes,
    ReadFile,
    WriteFile,
    AppendFile,
    CopyFile,
    Rename,
    RemoveFile
};

// Another file system (the machine's own by default) with failures planned
// by tests, since permission bits stop nothing for root and devices cannot be
// unplugged on demand. A failure names its call, optionally the one path it
// applies to, and its classic number; it strikes once or every time.
class FailingFileSystem : public platform::FileSystem {
public:
    FailingFileSystem() : inner_(own_) {}
    explicit FailingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    void failOnce(FsCall call, int number, const QString& path = {});
    void failAlways(FsCall call, int number, const QString& path = {});

    QList<platform::DirEntry> list(const QString& folder, platform::ListFilter filter = {}) override;
    int attributes(const QString& path) override;
    bool exists(const QString& path) override;
    void createFolder(const QString& path) override;
    platform::FileId identity(const QString& path) override;
    bool isPseudoFolder(const QString& path) override;
    QList<platform::Volume> volumes() override;
    QByteArray readFile(const QString& path, qint64 maxBytes = platform::NoSizeLimit) override;
    QByteArray readFileHead(const QString& path, qint64 maxBytes) override;
    void writeFile(const QString& path, const QByteArray& content) override;
    void appendFile(const QString& path, const QByteArray& content) override;
    void copyFile(const QString& from, const QString& to, platform::CopyMode mode) override;
    void rename(const QString& from, const QString& to) override;
    void removeFile(const QString& path) override;

private:
    struct Planned {
        FsCall call;
        int number;
        QString path;
        bool once;
    };
    // Throws the planned failure for this call and path, if there is one.
    void check(FsCall call, const QString& path);

    platform::LocalFileSystem own_;
    platform::FileSystem& inner_;
    QList<Planned> planned_;
};

// The classic number action failed with; 0 when it did not fail.
int errorOf(const std::function<void()>& action);

} // namespace testsupport
