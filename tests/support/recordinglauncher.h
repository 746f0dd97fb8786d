#pragma once

#include "platform/launcher.h"

#include <QList>

namespace testsupport {

// Records what the program asked the desktop to open.
class RecordingLauncher final : public platform::Launcher {
public:
    void openDocument(const QString& path) override { documents.append(path); }
    void openWebPage(const QUrl& url) override { webPages.append(url); }

    QStringList documents;
    QList<QUrl> webPages;
};

} // namespace testsupport
