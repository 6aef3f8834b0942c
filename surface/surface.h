#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace vellora {

// A picture surface: a raster that keeps what is painted on it, with the drawing state text needs (font,
// colour, current position). Coordinates are twips unless the surface is measured in pixels, as the progress
// bar is. Painting past the edges is clipped.
class Surface
{
public:
    enum class Units { Twips, Pixels };

    explicit Surface(Units units = Units::Twips) : m_units(units) {}

    const QImage &image() const { return m_image; }
    QImage &image() { return m_image; }
    bool isEmpty() const { return m_image.isNull(); }
    Units units() const { return m_units; }

    // Automatic sizing: the surface takes the picture's size.
    void setPicture(const QImage &picture);
    // A fixed-size surface filled with its background colour (its picture cleared).
    void resize(int widthPixels, int heightPixels);
    void clear();

    QColor backColor = Qt::white;
    QColor foreColor = Qt::black;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 8.25; // points
    bool fontBold = false;
    QPointF current;        // CurrentX, CurrentY
    // Pixels for every 15 twips, and font pixels per point at 96 dpi: 1 for the sheet, 3 for the print
    // master, which holds the same deck at three times the pixels. Pixel surfaces ignore it but for fonts.
    int scale = 1;

    // source (in the source's pixels given as twips, i.e. 15 to a pixel times the scale) scaled to
    // destination; pixels replace the destination's. An empty source rectangle means the whole picture; an
    // empty destination size means the source size. Equal sizes copy pixel for pixel.
    void paintPicture(const QImage &source, QRectF destination, QRectF sourceTwips = {});

    // Row y takes the former row height - 1 - y.
    void mirrorVertically();

    void line(QPointF from, QPointF to, QColor color);
    // The box with corners from and to, both included.
    void box(QPointF from, QPointF to, QColor color, bool filled);

    // Draws text with its top-left at the current position, without a background box.
    void print(const QString &text);

    int toPixels(double units) const;
    QRect toPixels(const QRectF &units) const;

private:
    QRect sourcePixels(const QRect &twips) const;

    Units m_units;
    QImage m_image;
};

} // namespace vellora
