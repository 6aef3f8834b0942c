// Arbitrary bytes through the reader of the print master's companion file. The hash is taken from the bytes
// themselves, so that inputs get past it to the pictures and operations behind; whatever is accepted must
// keep to the reader's limits.
#include "project/mastercompanion.h"

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
    const auto record = vellora::companion::decode(bytes, bytes.mid(8, 64));
    if (!record)
        return 0;
    if (record->operations().size() > std::size_t(vellora::companion::kMaxOperations)
        || record->bytes() > vellora::companion::kMaxPictureBytes + record->start().sizeInBytes())
        __builtin_trap();
    // Every run draws the whole master, so their number is what the drawing budget must hold.
    constexpr qint64 kMasterPixels = qint64(vellora::master::kWidthPixels) * vellora::master::kHeightPixels;
    qint64 runs = 1;
    for (const auto &operation : record->operations())
        runs += std::holds_alternative<vellora::PrintRecord::Compose>(operation) ? 1 : 0;
    if (runs * kMasterPixels > vellora::companion::kMaxDrawnPixels)
        __builtin_trap();
    return 0;
}
