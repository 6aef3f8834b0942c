// Arbitrary bytes through the path an own photo takes when it is clicked in the import dialog: the header
// checks of every accepted kind, the decoder's memory, the completeness checks, the decoders and the turn;
// then once more with a small budget, so that large claims meet the refusals and small pictures the decoders.
// The HEIF box reader also reads every input straight away, whether libheif would take it or not.
#include "surface/photoloader.h"
#include "surface/heifboxes.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QGuiApplication app(*argc, *argv); // image format plugins are found through the application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto layout = vellora::heifLayout(bytes); layout && layout->codedPictures < 1)
        __builtin_trap();
    for (const qint64 budget : {vellora::PhotoLoader::kBudgetBytes, qint64(4 * 1024 * 1024)}) {
        const auto photo = vellora::PhotoLoader::decode(bytes, 0, budget);
        if (photo.ok() && (photo->image.format() != QImage::Format_RGB32 || photo->image.sizeInBytes() > budget))
            __builtin_trap();
    }
    return 0;
}
