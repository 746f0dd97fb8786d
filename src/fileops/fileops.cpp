// Copy, clipboard, rename and delete of one image file.
#include "catalogue/appstate.h"
#include "fileops/imageops.h"
#include "fileops/movesteps.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/picture.h"
#include "platform/thumbnailcache.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>

namespace fileops {

using namespace platform;

namespace {

bool sameFile(FileSystem& fileSystem, const QString& a, const QString& b)
{
    return fileSystem.exists(b) && fileSystem.identity(a) == fileSystem.identity(b);
}

// The new name as the user typed it, with ".jpg" unless it ends so exactly.
QString withJpegSuffix(const QString& answer)
{
    return answer.endsWith(QLatin1String(".jpg")) ? answer : answer + QStringLiteral(".jpg");
}

} // namespace

void CopyImageFile(ImageOps& ops, const QString& path)
{
    ops.cdlMain.title = QStringLiteral("Copy image to file:");
    ops.cdlMain.initialFolder = ops.programFolder;
    ops.cdlMain.filter = QStringLiteral("JPG Files (*.jpg)|*.jpg");
    const QString file = ops.dialogs.saveFile(ops.cdlMain);
    if (file.isEmpty())
        return;
    // Replacing a file with itself would first empty it.
    if (sameFile(ops.fileSystem, path, file)) {
        ops.dialogs.msgBox(QStringLiteral("The image cannot be copied onto itself."),
                           mb::OkOnly + mb::Information);
        return;
    }
    // The dialog does not warn about a taken name, and the file there is
    // usually another picture.
    if (ops.fileSystem.exists(file) && !AllowsReplacing(ops.dialogs, file))
        return;
    BusyCursor busy;
    ops.fileSystem.copyFile(path, file, CopyMode::Replace);
}

void CopyImageToClipboard(ImageOps& ops, const QString& path)
{
    BusyCursor busy;
    // The clipboard takes the file whole, so a file beyond any picture's size
    // is refused before it is read, and the decode keeps the loader's bounds
    // on pixels and scans.
    constexpr qint64 MaxClipboardFileBytes = qint64(256) << 20;
    QByteArray bytes = ops.fileSystem.readFile(path, MaxClipboardFileBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QImage picture = decodePicture(buffer, {}).image;
    if (ops.imgClipBoard)
        ops.imgClipBoard->setPixmap(QPixmap::fromImage(picture));
    // The file's own bytes beside the decoded picture: a paste into a program
    // that takes JPEG keeps the original instead of a re-encoded copy.
    auto* data = new QMimeData;
    data->setImageData(picture);
    // A picture that only carries a .jpg name is offered decoded alone.
    if (bytes.startsWith("\xFF\xD8\xFF"))
        data->setData(QStringLiteral("image/jpeg"), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void ForgetThumbnails(const ImageOps& ops, const QString& path)
{
    if (ops.thumbnails)
        ops.thumbnails->forget(path);
}

void RenameImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path)
{
    const QString name = fileNameOf(path);
    const QString folder = parentFolderOf(path);
    const QString prompt =
        QStringLiteral("Enter the new file name for this image (") + path + QStringLiteral("):");
    QString newPath;
    for (;;) {
        const QString answer = ops.dialogs.inputBox(prompt, AppTitle, name);
        if (answer.isEmpty())
            return;
        const QString newName = withJpegSuffix(answer);
        try {
            checkPlainName(newName);
            // A path read from a list file may name no folder; the new
            // name stays beside the old one rather than going to the root.
            newPath = folder.isEmpty() ? newName : joinPath(folder, newName);
            ops.fileSystem.rename(path, newPath);
            ForgetThumbnails(ops, path);
            break;
        } catch (const AppError& error) {
            switch (error.number()) {
            case err::BadFileName:
                ops.dialogs.msgBox(QStringLiteral("That is not a valid file name!"),
                                   mb::OkOnly + mb::Exclamation);
                continue;
            case err::FileNotFound:
                ops.dialogs.msgBox(QStringLiteral("That file no longer exists at that location."),
                                   mb::OkOnly + mb::Exclamation);
                if (ops.dialogs.msgBox(QStringLiteral("Do you want to remove it from this list?"),
                                       mb::YesNo + mb::Question) == mb::Yes &&
                    target.Contains(path))
                    target.Remove(path);
                return;
            case err::FileExists:
                ops.dialogs.msgBox(QStringLiteral("That file already exists!"), mb::OkOnly + mb::Exclamation);
                continue;
            case err::PathFileAccess:
                ops.dialogs.msgBox(QStringLiteral("Disk access error."), mb::OkOnly + mb::Exclamation);
                return;
            default:
                basUI::ReportError(ops.dialogs, error);
                return;
            }
        }
    }
    ReplaceInList(target, path, newPath);
    ops.state.ContextImage = newPath;
}

void DeleteImage(ImageOps& ops, catalogue::ImageCollection& target, const QString& path)
{
    if (ops.dialogs.msgBox(QStringLiteral("Permanently remove image?"), mb::YesNo + mb::Question) != mb::Yes)
        return;
    try {
        ops.fileSystem.removeFile(path);
    } catch (const AppError& error) {
        // Permission denied is how Linux refuses a protected file.
        if (error.number() == err::PathFileAccess || error.number() == err::PermissionDenied) {
            ops.dialogs.msgBox(
                QStringLiteral("Cannot delete this image!  It may be read only or write protected."),
                mb::OkOnly + mb::Information);
            return;
        }
        basUI::ReportError(ops.dialogs, error);
        // An image whose file is still there stays listed: taking it out
        // would tell the user it was deleted.
        if (ops.fileSystem.exists(path))
            return;
    }
    ForgetThumbnails(ops, path);
    try {
        target.Remove(path);
    } catch (const AppError& error) {
        basUI::ReportError(ops.dialogs, error);
    }
    ops.state.ContextImage = QStringLiteral("DELETE");
}

} // namespace fileops
