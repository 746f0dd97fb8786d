// The image list file reader on arbitrary bytes: it never crashes, and what
// it reads, written again and read back, gives the same lines.
#include "catalogue/listfiles.h"
#include "platform/apperror.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    // Small limits, so that inputs reach them. The file's size is checked
    // when it is read, before this.
    catalogue::ListFileLimits limits;
    limits.lines = 40;
    limits.lineBytes = 64;
    QStringList lines;
    try {
        lines = catalogue::ParseListFile(content, limits);
    } catch (const platform::AppError& error) {
        // A file that is not text is refused, and one of too many lines, and only those.
        const bool binary = error.number() == 321 && content.contains('\0');
        const bool tooLarge =
            error.number() == 7 && content.count('\r') + content.count('\n') >= limits.lines;
        if (!binary && !tooLarge)
            std::abort();
        return 0;
    }
    if (lines.size() > limits.lines)
        std::abort();
    for (const QString& line : lines)
        if (line.isEmpty() || line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')) ||
            line.toLocal8Bit().size() > limits.lineBytes)
            std::abort();
    if (catalogue::ParseListFile(catalogue::FormatListFile(lines), limits) != lines)
        std::abort();
    return 0;
}
