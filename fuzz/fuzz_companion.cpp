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
    if (record && (record->operations().size() > std::size_t(vellora::companion::kMaxOperations)
                   || record->bytes() > vellora::companion::kMaxPictureBytes + record->start().sizeInBytes()))
        __builtin_trap();
    return 0;
}
