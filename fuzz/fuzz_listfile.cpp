// The image list file reader on arbitrary bytes: it never crashes, and what
// it reads, written again and read back, gives the same lines.
#include "catalogue/listfiles.h"
#include "platform/apperror.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines;
    try {
        lines = catalogue::ParseListFile(content);
    } catch (const platform::AppError& error) {
        // A file that is not text is refused, and only that.
        if (error.number() != 321 || !content.contains('\0'))
            std::abort();
        return 0;
    }
    for (const QString& line : lines)
        if (line.isEmpty() || line.contains(QLatin1Char('\r')))
            std::abort();
    if (catalogue::ParseListFile(catalogue::FormatListFile(lines)) != lines)
        std::abort();
    return 0;
}
