#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Opens documents and web pages with the desktop's default handlers, without
// waiting for them. Each returns false when the desktop has no program for
// what it was given, so that the caller can say so.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openWebPage(const QUrl& url) = 0;
};

class DesktopLauncher final : public Launcher {
public:
    bool openDocument(const QString& path) override;
    bool openWebPage(const QUrl& url) override;
};

} // namespace platform
