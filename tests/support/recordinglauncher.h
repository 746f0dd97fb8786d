#pragma once

#include "platform/launcher.h"

namespace testsupport {

// Records what the program asked the desktop to open; with `opens` false the
// desktop has no program for any of it.
class RecordingLauncher final : public platform::Launcher {
public:
    bool openDocument(const QString& path) override
    {
        documents.append(path);
        return opens;
    }
    bool openWebPage(const QUrl& url) override
    {
        webPages.append(url);
        return opens;
    }

    QStringList documents;
    QList<QUrl> webPages;
    bool opens = true;
};

} // namespace testsupport
