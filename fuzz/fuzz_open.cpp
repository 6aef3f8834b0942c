// Arbitrary bytes through the path a project file takes on Open: the header check, the size check, the
// completeness check and the decoders behind them; then once more with a small budget, so that small
// pictures reach the decoders too.
#include "surface/picturefile.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins are found through the application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto sheet = vellora::PictureFile::decodeExactly(bytes, QSize(3990, 1600));
    if (sheet && sheet->size() != QSize(3990, 1600))
        __builtin_trap();
    const auto small = vellora::PictureFile::decode(bytes, 4 * 1024 * 1024);
    if (small && qint64(small->width()) * small->height() * 4 > 4 * 1024 * 1024)
        __builtin_trap();
    return 0;
}
