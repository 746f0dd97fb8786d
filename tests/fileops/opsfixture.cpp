#include "opsfixture.h"

#include <QDirIterator>

namespace {

class ScriptedPrompt final : public fileops::FolderPrompt {
public:
    explicit ScriptedPrompt(OpsFixture& f) : f_(f) {}
    std::optional<QString> showOnce() override
    {
        ++f_.browsersShown;
        if (f_.folders.isEmpty()) {
            QTest::qFail("folder browser shown without an answer", __FILE__, __LINE__);
            return std::nullopt;
        }
        return f_.folders.takeFirst();
    }

private:
    OpsFixture& f_;
};

} // namespace

QString OpsFixture::put(const QString& relative, const QByteArray& bytes)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return full;
}

QMap<QString, QByteArray> OpsFixture::files() const
{
    QMap<QString, QByteArray> found;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString full = it.next();
        QFile file(full);
        file.open(QIODevice::ReadOnly);
        found.insert(QDir(dir.path()).relativeFilePath(full), file.readAll());
    }
    return found;
}

void OpsFixture::list(const QString& fullPath, bool favourite)
{
    state.MainImages.Add(fullPath);
    if (favourite)
        state.Favorites.Add(fullPath);
}

fileops::ImageOps OpsFixture::ops()
{
    return {state,
            dialogs,
            fileSystem,
            cdlMain,
            dir.path(),
            [this] { return std::make_unique<ScriptedPrompt>(*this); },
            [this](const QString& p) { displayed << p; },
            &imgClipBoard,
            &thumbnails};
}

void OpsFixture::runCommand(int entry, bool displayVisible, catalogue::ImageCollection* target)
{
    QList<QAction*> menu;
    for (int i = 0; i < 11; ++i)
        menu << new QAction(QStringLiteral("entry"), &imgClipBoard);
    auto commands = ops();
    fileops::RunImageCommand(commands, menu, entry, target, displayVisible);
}

void OpsFixture::cacheThumbnails(const QString& picture)
{
    // Named while the picture exists: the name is that of its canonical URI.
    const QString name = platform::ThumbnailCache::fileNameFor(QFileInfo(picture).canonicalFilePath());
    for (const char* folder :
         {"normal", "large", "x-large", "xx-large", "fail/lumarine-test", "fail/other-1.0"}) {
        QDir().mkpath(cacheDir.filePath(QStringLiteral("thumbnails/") + folder));
        QFile entry(cacheDir.filePath(QStringLiteral("thumbnails/%1/%2").arg(folder, name)));
        entry.open(QIODevice::WriteOnly);
        cacheEntries_.insert(picture, entry.fileName());
    }
}

int OpsFixture::cachedThumbnails(const QString& picture) const
{
    const QStringList entries = cacheEntries_.values(picture);
    return int(
        std::count_if(entries.begin(), entries.end(), [](const QString& e) { return QFile::exists(e); }));
}
