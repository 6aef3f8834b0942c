#pragma once

#include "placement/photopyramid.h"
#include "placement/scaledview.h"
#include "sheet/cardpaste.h"
#include "sheet/cardsheet.h"
#include "surface/surface.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace vellora {

// The import dialog's work without its window: the photo at its natural size, the zoom, the dragged picture
// with its frame, and the preview that is pasted. Positions are twips, as the mouse reports them in the
// zoomed picture (15 to a pixel).
//
// The zoomed picture is never made: `view()` computes whatever part of it is asked for, so the viewport draws
// only what it shows and a press takes the preview straight from the photo.
class PhotoFraming
{
public:
    static constexpr QSize kViewport{3675, 5400};   // PicCont
    static constexpr QSize kFrame{2490, 4215};      // LayerW, one pixel wider and higher than the region
    static constexpr QPoint kFrameStart{600, 600};
    static constexpr int kInitialZoom = 100;
    static constexpr int kMaxZoom = 250;

    explicit PhotoFraming(QColor previewBackground = Qt::white);

    // "Importeer (Aas)" .. "Importeer (Joker)"
    static QString caption(KaartSoort soort);
    // caption + " / 640 x 480"
    static QString captionWithSize(KaartSoort soort, QSize photo);
    // "50%  (320 x 240 Pixel)"
    static QString zoomLabel(int zoom, QSize zoomed);
    static QString initialZoomLabel();
    // The zoomed size in pixels of a photo, the fraction of a pixel cut off, as the label shows it.
    static QSize zoomedSize(QSize photo, int zoom);

    // Loading a picture: on success the photo replaces the previous one and is shown at 100 % at (0, 0).
    // A file that cannot be read changes nothing.
    bool load(const QString &path);
    bool setPhoto(QImage photo); // RGB32 expected; the same as a successful load
    const QImage &photo() const { return m_pyramid.photo(); }

    // Zooming to v %, from the photo itself down to 50 %, below that from the smallest of its halves still
    // twice the zoomed size.
    void setZoom(int zoom);
    // The zoom of the picture shown: 100 after a load, the bar's value after a zoom.
    int zoom() const { return m_zoom; }

    const ScaledView &view() const { return m_view; }
    // SlidePic: its size (the zoomed picture's, or the viewport's before any picture) and its position in
    // the viewport, never positive.
    QSize slideSize() const { return m_slideSize; }
    QPoint slidePosition() const { return m_slidePosition; }
    QSize slack() const { return m_slack; }
    // LayerW's top-left in the zoomed picture.
    QPoint framePosition() const { return m_framePosition; }
    QPoint dragStart() const { return m_dragStart; }

    // Mouse down at `at` on the picture: any button sets the drag start; the left button alone also moves
    // the frame there and takes the preview from the region under it.
    void press(Qt::MouseButton button, Qt::MouseButtons buttons, QPointF at);
    // Mouse move at `at` (in the picture, which moves with it): with the left button alone the picture
    // follows the pointer within the drag limits and the frame moves to the pointer. True when it acted.
    bool drag(Qt::MouseButtons buttons, QPointF at);

    // Picture1: exactly the picture area, 165 x 280 pixels.
    const Surface &preview() const { return m_preview; }

    // Double-headed, as a court figure: the frame is half as high, what it holds fills the upper half of
    // the picture area and stands turned by 180 degrees in the lower half. The preview follows at once.
    void setDoubleHeaded(bool on);
    bool isDoubleHeaded() const { return m_doubleHeaded; }
    // LayerW's size: kFrame, or its upper half when double-headed.
    QSize frameSize() const;

    // Ok with a target: the optional border is drawn into the preview, which goes 1:1 into the picture area
    // of the option's rows of the card column of `soort`; the paste's master is the same frame taken from
    // the photo at three times the pixels.
    CardPaste framed(KaartSoort soort, int option, bool border);

private:
    void showAtNaturalSize();
    void takePreview();
    QImage masterCrop(bool border);
    void setSlide(QSize pixels);

    PhotoPyramid m_pyramid;
    ScaledView m_view;
    int m_zoom = kInitialZoom;
    QSize m_slideSize = kViewport;
    QPoint m_slidePosition;
    QSize m_slack;
    QPoint m_framePosition = kFrameStart;
    QPoint m_dragStart;
    Surface m_preview;
    bool m_doubleHeaded = false;
};

} // namespace vellora
