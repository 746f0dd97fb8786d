#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Opens documents and web pages with the desktop's default handlers, without
// waiting for them.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void openDocument(const QString& path) = 0;
    virtual void openWebPage(const QUrl& url) = 0;
};

class DesktopLauncher final : public Launcher {
public:
    void openDocument(const QString& path) override;
    void openWebPage(const QUrl& url) override;
};

} // namespace platform
