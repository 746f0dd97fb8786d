#pragma once

#include <QList>
#include <QString>

namespace platform {

// The file system calls a failure can be planned for.
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

// Failures that tests plan for file system calls, since permission bits stop
// nothing for root and devices cannot be unplugged on demand. A failure names
// its call, optionally the one path it applies to, and its classic number; it
// strikes once or every time. The program itself never plans any.
class FailurePlan {
public:
    void failOnce(FsCall call, int number, const QString& path = {});
    void failAlways(FsCall call, int number, const QString& path = {});
    void clear() { planned_.clear(); }

    // Throws the planned failure for this call and path, if there is one.
    void check(FsCall call, const QString& path);
    int struck() const { return struck_; }

private:
    struct Planned {
        FsCall call;
        int number;
        QString path;
        bool once;
    };
    QList<Planned> planned_;
    int struck_ = 0;
};

} // namespace platform
