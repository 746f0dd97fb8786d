#include "displayfixture.h"

namespace testsupport {

platform::LoadedPicture InjectingLoader::load(const QString& path,
                                              const platform::ShownSizeFor& shownSizeFor) const
{
    {
        const QMutexLocker lock(&mutex_);
        ++loads_[path];
    }
    if (const auto found = failures.constFind(path); found != failures.constEnd())
        throw platform::AppError(found.value());
    return files_.load(path, shownSizeFor);
}

int InjectingLoader::loadsOf(const QString& path) const
{
    const QMutexLocker lock(&mutex_);
    return loads_.value(path);
}

DisplayFixture::DisplayFixture(int count, QSize size)
{
    state.ThumbSize = QStringLiteral("Small");
    for (int i = 1; i <= count; ++i) {
        const QString file = dir.filePath(QStringLiteral("img%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        writeJpeg(file, size);
        paths << file;
        state.MainImages.Add(file);
    }
    DisplayServices services{
        state, dialogs, loader, [this] { ++unloads; }, [this](int index, QPoint) { menuRequests << index; },
        {}};
    services.clock = [this] { return now; };
    window = std::make_unique<frmDisplay>(std::move(services));
    window->setScreenTwips(QSizeF(12000, 9000));
}

void DisplayFixture::standardShow(int delay)
{
    window->Load();
    window->setSingle(false);
    window->SetCurrent(state.MainImages);
    window->setDelay(delay);
    window->SetStandard();
    window->Start();
    // Ticks come from the test, not from the clock.
    window->tim1->stop();
}

void DisplayFixture::preview()
{
    window->Load();
    window->SetCurrent(state.MainImages);
    window->SetPreview();
    window->Start();
}

void DisplayFixture::thumbnailPreview()
{
    state.ThumbPreview = true;
    preview();
}

QList<int> DisplayFixture::shownPositions() const
{
    QList<int> positions;
    // A thumbnail on screen with no entry of the page shows as 0.
    for (qsizetype slot = 0; slot < window->imgTN.size(); ++slot)
        if (window->imgTN[slot]->isVisible())
            positions << window->pager().entries().value(slot).position;
    return positions;
}

QList<int> range(int from, int to)
{
    QList<int> numbers;
    for (int i = from; i <= to; ++i)
        numbers << i;
    return numbers;
}

} // namespace testsupport
