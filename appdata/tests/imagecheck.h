#pragma once

// Small pixel measures shared by the data-folder tests.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>

#include <cstdlib>

namespace imagecheck {

inline QString appFile(const QString &relative)
{
    return QDir(QStringLiteral(VELLORA_APPDATA_DIR)).filePath(relative);
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Bits per pixel from a BMP file header.
inline int bmpBitsPerPixel(const QByteArray &bytes)
{
    if (bytes.size() < 30 || !bytes.startsWith("BM"))
        return -1;
    return quint8(bytes[28]) | (quint8(bytes[29]) << 8);
}

inline bool isReddish(QRgb p) { return qRed(p) > qGreen(p) + 50 && qRed(p) > qBlue(p) + 40; }

inline int channelDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Pixels that differ clearly from the given background: the "ink" of a symbol.
struct Ink {
    int count = 0;
    int red = 0;  // strongly red pixels
    int dark = 0; // near-black pixels
    QRect box;
};

inline Ink measureInk(const QImage &img, QRgb background, int threshold = 90)
{
    Ink ink;
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (channelDistance(p, background) < threshold)
                continue;
            ++ink.count;
            if (isReddish(p))
                ++ink.red;
            if (qMax(qRed(p), qMax(qGreen(p), qBlue(p))) < 90)
                ++ink.dark;
            x0 = qMin(x0, x);
            y0 = qMin(y0, y);
            x1 = qMax(x1, x);
            y1 = qMax(y1, y);
        }
    }
    if (x1 >= 0)
        ink.box = QRect(QPoint(x0, y0), QPoint(x1, y1));
    return ink;
}

// Mean absolute difference per channel, 0..255.
inline double meanDifference(const QImage &a, const QImage &b)
{
    const QImage ca = a.convertToFormat(QImage::Format_RGB32), cb = b.convertToFormat(QImage::Format_RGB32);
    if (ca.size() != cb.size())
        return 255;
    qint64 sum = 0;
    for (int y = 0; y < ca.height(); ++y) {
        const QRgb *la = reinterpret_cast<const QRgb *>(ca.constScanLine(y));
        const QRgb *lb = reinterpret_cast<const QRgb *>(cb.constScanLine(y));
        for (int x = 0; x < ca.width(); ++x)
            sum += channelDistance(la[x], lb[x]);
    }
    return double(sum) / (3.0 * ca.width() * ca.height());
}

// How many distinct colours, quantised to 4 bits per channel: a flat placeholder has one or two.
inline int colourVariety(const QImage &img)
{
    QSet<int> seen;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            const QRgb p = img.pixel(x, y);
            seen.insert(((qRed(p) >> 4) << 8) | ((qGreen(p) >> 4) << 4) | (qBlue(p) >> 4));
        }
    return int(seen.size());
}

} // namespace imagecheck
