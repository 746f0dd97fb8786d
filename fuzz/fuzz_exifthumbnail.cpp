// The EXIF thumbnail parser on arbitrary file starts: it reads the offsets and
// lengths a file claims, so every one of them must be checked before use. A
// thumbnail it returns is a decoded picture; anything else is no thumbnail.
#include "platform/exifthumbnail.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The JPEG plugin is found through the application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A warning for each broken embedded JPEG would drown the fuzzer's own.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio.jpeg=false");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QImage> thumbnail = platform::exifThumbnail(bytes);
    if (thumbnail && thumbnail->isNull())
        std::abort();
    return 0;
}
