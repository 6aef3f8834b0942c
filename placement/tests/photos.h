#pragma once

#include "cardsheet.h"
#include "surface.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vellora::test {

// Every pixel says where it is: red and green are x and y modulo 256, blue their high bits. A wrong offset,
// a swapped axis or a stretched copy shows at once.
inline QImage coordinatePhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
    }
    return image;
}

// Smooth colours, as a photo has: scaling filters differ little on it, unlike on the coordinate pattern.
inline QImage smoothPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(40 + 160 * x / width, 30 + 190 * y / height, 120 + 100 * (x + y) / (width + height)));
    return image;
}

inline QImage noisePhoto(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

inline QString writePhoto(const QString &folder, const QString &name, const QImage &image, const char *format,
                          int quality = 95)
{
    const QString path = QDir(folder).filePath(name);
    image.save(path, format, quality);
    return path;
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// An application folder with only the product's button pictures: the dialogs need no more, and copying the
// whole data set for every opening would make the tests slow for nothing.
inline std::unique_ptr<QTemporaryDir> artworkFolder()
{
    auto dir = std::make_unique<QTemporaryDir>();
    QDir(dir->path()).mkpath(QStringLiteral("Artwork"));
    QDir(dir->path()).mkpath(QStringLiteral("Data"));
    QDirIterator it(QStringLiteral(VELLORA_APPDATA_DIR "/Artwork"), QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), dir->path() + QStringLiteral("/Artwork/") + it.fileName());
    }
    return dir;
}

// A card sheet of one colour no test picture contains, so every pasted pixel shows as a change.
inline Surface plainSheet()
{
    Surface sheet;
    sheet.backColor = QColor(1, 254, 3);
    sheet.resize(sheet::kWidthPixels, sheet::kHeightPixels);
    return sheet;
}

} // namespace vellora::test
