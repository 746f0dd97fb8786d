#include "opsfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

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

OpsFixture::OpsFixture() = default;

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
    lstImages.setStringList(lstImages.stringList() << fullPath);
    if (favourite) {
        state.Favorites.Add(fullPath);
        lstFavorites.setStringList(lstFavorites.stringList() << fullPath);
    }
}

fileops::ImageOps OpsFixture::ops()
{
    return {state,
            dialogs,
            fileSystem,
            lstImages,
            lstFavorites,
            cdlMain,
            dir.path(),
            [this] { return std::make_unique<ScriptedPrompt>(*this); },
            [this](const QString& p) { displayed << p; },
            &imgClipBoard};
}

QStringList collectionOf(const catalogue::ImageCollection& collection)
{
    QStringList items;
    for (const QString& item : collection)
        items << item;
    return items;
}
