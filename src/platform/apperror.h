#pragma once

#include <QString>

#include <exception>

namespace platform {

// The classic error numbers that the program's operations handle by number.
namespace err {
inline constexpr int TypeMismatch = 13;
inline constexpr int InvalidCall = 5;
inline constexpr int OutOfMemory = 7;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int InvalidFileFormat = 321;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int MissingObject = 91;
inline constexpr int PropertyReadOnly = 383;
inline constexpr int DuplicateKey = 457;
inline constexpr int InvalidPicture = 481;
} // namespace err

// A failure with its classic number. Operations catch it and react by number;
// anything they do not expect goes to the shared error report.
class AppError : public std::exception {
public:
    explicit AppError(int number);
    AppError(int number, QString description);

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString description_;
    QByteArray what_;
};

// The platform's own wording for a number ("File not found" for 53).
QString standardDescription(int number);

// What a failed path operation means. ENOENT is 53 for the file itself but 76
// when a folder on the way is missing, which the caller knows best.
enum class MissingPart { File, Folder };
int errorNumberForErrno(int errnoValue, MissingPart missing = MissingPart::File);

[[noreturn]] void throwError(int number);
[[noreturn]] void throwErrno(int errnoValue, MissingPart missing = MissingPart::File);
// throwErrno for a call on path: ENOENT is 53 when the path's folder is there,
// 76 when it is missing too.
[[noreturn]] void throwErrnoFor(int errnoValue, const QString& path);

} // namespace platform
