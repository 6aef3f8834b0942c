#include "placement/photoframing.h"

#include "placement/cardtargets.h"
#include "sheet/printmaster.h"
#include "surface/photoloader.h"
#include "surface/twips.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace vellora {

namespace {

// Whole twips, halves to even, as the mouse positions are rounded.
int wholeTwips(double twips) { return int(std::nearbyint(twips)); }

} // namespace

PhotoFraming::PhotoFraming(QColor previewBackground)
{
    m_preview.backColor = previewBackground;
    m_preview.resize(px(targets::kPictureArea.width()), px(targets::kPictureArea.height()));
}

QString PhotoFraming::caption(KaartSoort soort)
{
    switch (soort) {
    case KaartSoort::Aas:
        return QCoreApplication::translate("Placement", "Importeer (Aas)");
    case KaartSoort::Boer:
        return QCoreApplication::translate("Placement", "Importeer (Boer)");
    case KaartSoort::Vrouw:
        return QCoreApplication::translate("Placement", "Importeer (Vrouw)");
    case KaartSoort::Koning:
        return QCoreApplication::translate("Placement", "Importeer (Koning)");
    case KaartSoort::Joker:
        return QCoreApplication::translate("Placement", "Importeer (Joker)");
    }
    return {};
}

QString PhotoFraming::captionWithSize(KaartSoort soort, QSize photo)
{
    return caption(soort) +
           QCoreApplication::translate("Placement", " / %1 x %2").arg(photo.width()).arg(photo.height());
}

QString PhotoFraming::initialZoomLabel()
{
    return QCoreApplication::translate("Placement", "100%  (0 x 0 Pixels)");
}

QString PhotoFraming::zoomLabel(int zoom, QSize zoomed)
{
    return QCoreApplication::translate("Placement", "%1%  (%2 x %3 Pixel)")
        .arg(zoom)
        .arg(zoomed.width())
        .arg(zoomed.height());
}

QSize PhotoFraming::zoomedSize(QSize photo, int zoom)
{
    // twips / 100 x zoom / 15 is pixels x zoom / 100; whole numbers keep a 17 pixel photo 17 pixels at
    // 100 %, where floating point would give 16.99.. and lose the last column.
    auto side = [zoom](int pixels) { return int(qint64(pixels) * qMax(zoom, 0) / 100); };
    return {side(photo.width()), side(photo.height())};
}

bool PhotoFraming::load(const QString &path)
{
    PhotoLoad loaded = PhotoLoader::load(path, PhotoLoader::shownBytes(photo()));
    if (!loaded.ok())
        return false;
    return setPhoto(std::move(loaded->image));
}

bool PhotoFraming::setPhoto(QImage photo)
{
    if (photo.isNull())
        return false;
    m_pyramid = PhotoPyramid(std::move(photo));
    showAtNaturalSize();
    return true;
}

void PhotoFraming::showAtNaturalSize()
{
    m_zoom = kInitialZoom;
    m_view = ScaledView(photo(), photo().size());
    setSlide(photo().size());
}

void PhotoFraming::setZoom(int zoom)
{
    m_zoom = zoom;
    const QSize size = zoomedSize(photo().size(), zoom);
    m_view = ScaledView(m_pyramid.sourceFor(size), size);
    setSlide(size);
}

void PhotoFraming::setSlide(QSize pixels)
{
    m_slideSize = QSize(twipsOf(pixels.width()), twipsOf(pixels.height()));
    m_slidePosition = QPoint(0, 0);
    m_slack = QSize(std::abs(m_slideSize.width() - kViewport.width()),
                    std::abs(m_slideSize.height() - kViewport.height()));
}

void PhotoFraming::press(Qt::MouseButton button, Qt::MouseButtons buttons, QPointF at)
{
    m_dragStart = QPoint(wholeTwips(at.x()), wholeTwips(at.y()));
    if (button != Qt::LeftButton || buttons != Qt::LeftButton)
        return;
    m_framePosition = QPoint(wholeTwips(at.x()), wholeTwips(at.y()));
    takePreview();
}

namespace {

// The upper half of a double-headed picture turned into its lower half, as a court card carries its figure.
void turnIntoLowerHalf(QImage &picture)
{
    const int half = picture.height() / 2;
    const QImage turned = picture.copy(0, 0, picture.width(), half).mirrored(true, true);
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, picture.height() - half, turned);
}

} // namespace

void PhotoFraming::takePreview()
{
    m_preview.clear();
    // Beyond the zoomed picture the region gives nothing and the cleared background stays.
    QSize size = m_preview.image().size();
    if (m_doubleHeaded)
        size.setHeight(size.height() / 2);
    m_view.render(QRect(px(m_framePosition), size), m_preview.image(), QPoint(0, 0));
    if (m_doubleHeaded)
        turnIntoLowerHalf(m_preview.image());
}

void PhotoFraming::setDoubleHeaded(bool on)
{
    if (on == m_doubleHeaded)
        return;
    m_doubleHeaded = on;
    takePreview();
}

QSize PhotoFraming::frameSize() const
{
    return m_doubleHeaded ? QSize(kFrame.width(), (kFrame.height() - kTwipsPerPixel) / 2 + kTwipsPerPixel)
                          : kFrame;
}

bool PhotoFraming::drag(Qt::MouseButtons buttons, QPointF at)
{
    if (buttons != Qt::LeftButton)
        return false;
    int left = wholeTwips(at.x() - m_dragStart.x() + m_slidePosition.x());
    int top = wholeTwips(at.y() - m_dragStart.y() + m_slidePosition.y());
    m_framePosition = QPoint(wholeTwips(at.x()), wholeTwips(at.y()));
    if (left >= 0)
        left = 0;
    if (left <= -m_slack.width())
        left = -m_slack.width();
    if (top >= 0)
        top = 0;
    if (top <= -m_slack.height())
        top = -m_slack.height();
    m_slidePosition = QPoint(left, top);
    return true;
}

QImage PhotoFraming::masterCrop(bool border)
{
    // The same region of the photo at three times the zoomed size, from the photo while it is still here:
    // each of its pixels covers a third of a preview pixel, so the print keeps what the preview had to
    // average away.
    constexpr int scale = master::kScale;
    const QSize size = m_preview.image().size() * scale;
    QImage crop(size, QImage::Format_RGB32);
    crop.fill(m_preview.backColor);
    if (!photo().isNull()) {
        const QSize zoomed = zoomedSize(photo().size(), m_zoom) * scale;
        const ScaledView view(m_pyramid.sourceFor(zoomed), zoomed);
        const QSize taken(size.width(), m_doubleHeaded ? size.height() / 2 : size.height());
        view.render(QRect(px(m_framePosition) * scale, taken), crop, QPoint(0, 0));
    }
    if (m_doubleHeaded)
        turnIntoLowerHalf(crop);
    if (border) {
        // The preview's one-pixel frame, three pixels wide.
        QPainter painter(&crop);
        const QRect box(QPoint(0, 0), QPoint(px(2460) * scale + scale - 1, px(4185) * scale + scale - 1));
        for (const QRect &edge : {QRect(box.left(), box.top(), box.width(), scale),
                                  QRect(box.left(), box.bottom() - scale + 1, box.width(), scale),
                                  QRect(box.left(), box.top(), scale, box.height()),
                                  QRect(box.right() - scale + 1, box.top(), scale, box.height())})
            painter.fillRect(edge, Qt::black);
    }
    return crop;
}

CardPaste PhotoFraming::framed(KaartSoort soort, int option, bool border)
{
    if (border)
        m_preview.box(QPointF(0, 0), QPointF(2460, 4185), Qt::black, false);
    CardPaste paste = targets::paste(m_preview.image(), option, targets::pictureAreaLeft(soort),
                                     targets::kPictureInset, targets::kPictureArea);
    paste.master = masterCrop(border);
    return paste;
}

} // namespace vellora
