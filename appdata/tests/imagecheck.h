#pragma once

// Small pixel measures shared by the data-folder tests.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QString>

#include <cstdlib>

namespace imagecheck {

inline QString appFile(const QString &relative) { return QDir(QStringLiteral(VELLORA_APPDATA_DIR)).filePath(relative); }

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A BMP from the application folder as RGB32; null when it is missing or not 24 bits per pixel, the depth the
// program reads.
inline QImage bmp24(const QString &relative)
{
    const QByteArray bytes = readAll(appFile(relative));
    if (bytes.size() < 30 || !bytes.startsWith("BM") || (quint8(bytes[28]) | quint8(bytes[29]) << 8) != 24)
        return {};
    return QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
}

inline int channelDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Pixels that differ clearly from the given background: the "ink" of a symbol, with its strongly red and its
// near-black pixels counted apart.
struct Ink {
    int count = 0, red = 0, dark = 0;
    QRect box;
};

inline Ink measureInk(const QImage &img, QRgb background, int threshold = 90)
{
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (channelDistance(p, background) < threshold)
                continue;
            ++ink.count;
            ink.red += qRed(p) > qGreen(p) + 50 && qRed(p) > qBlue(p) + 40;
            ink.dark += qMax(qRed(p), qMax(qGreen(p), qBlue(p))) < 90;
            ink.box |= QRect(x, y, 1, 1);
        }
    return ink;
}

// Mean absolute difference per channel, 0..255.
inline double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += channelDistance(a.pixel(x, y), b.pixel(x, y));
    return double(sum) / (3.0 * a.width() * a.height());
}

// The first two pictures (by index) that differ by no more than `least` per channel, as text; empty if none do.
inline QString alikePair(const QList<QImage> &images, double least)
{
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            if (const double d = meanDifference(images[a], images[b]); d <= least)
                return QStringLiteral("%1 and %2 differ by only %3 per channel").arg(a).arg(b).arg(d);
    return {};
}

// How many distinct colours, quantised to 4 bits per channel: a flat placeholder has one or two.
inline int colourVariety(const QImage &img)
{
    QSet<int> seen;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            seen.insert(int((img.pixel(x, y) >> 4) & 0x0f0f0f));
    return int(seen.size());
}

} // namespace imagecheck
