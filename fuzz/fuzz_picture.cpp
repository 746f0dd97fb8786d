// Picture loading on arbitrary bytes: a picture is decoded at the size it is
// shown at or refused with 481, and nothing else may happen.
#include "platform/apperror.h"
#include "platform/picture.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image format plugins are found through the application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize screen(1024, 768);
    try {
        const platform::LoadedPicture picture = platform::decodePicture(
            buffer, [&](QSize own) { return own.scaled(screen, Qt::KeepAspectRatio); });
        if (picture.image.isNull() || picture.ownSize.isEmpty())
            std::abort();
        // Decoded no larger than the screen asks for, give or take rounding.
        if (picture.image.width() > screen.width() + 1 && picture.image.height() > screen.height() + 1)
            std::abort();
    } catch (const platform::AppError& error) {
        if (error.number() != 481)
            std::abort();
    }
    return 0;
}
