#pragma once

#include "catalogue/showassembly.h"

class frmLumMain;

namespace app {

// The main window as the show commands see it.
class MainShowView final : public catalogue::ShowView {
public:
    explicit MainShowView(frmLumMain& window) : window_(window) {}

    bool randomTicked() const override;
    QString delayText() const override;
    QString baseText() const override;
    void setCountText(const QString& text) override;
    int favoritesLines() const override;
    bool SearchFolder(const QString& base) override;
    void pressCount() override;
    catalogue::ShowWindow& displayWindow() override;

private:
    frmLumMain& window_;
};

} // namespace app
