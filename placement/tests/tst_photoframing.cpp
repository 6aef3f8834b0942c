#include "placement/photoframing.h"
#include "placement/tests/photos.h"

using vellora::PhotoFraming;
using namespace vellora::test;

namespace {

struct Drag
{
    QSize photo;
    int zoom;
    QPoint pixel; // pressed, in the zoomed picture
    QSize zoomed; // the fraction of a pixel cut off
    QPoint move;  // screen pixels
    QPoint slide; // SlidePic's position in twips after it
};

} // namespace

class TestPhotoFraming : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A press previews from the pressed pixel; a drag moves the picture within its slack, the frame along.
    void pressPreviewsAndDragStaysWithinTheSlack_data()
    {
        QTest::addColumn<Drag>("drag");
        // 640 x 480 at 100 %: the slack is 9600 - 3675 = 5925 wide and 7200 - 5400 = 1800 high.
        const QSize vga(640, 480);
        const QPoint far(-900, -900), none;
        QTest::newRow("100 %, right and down stop at 0") << Drag{vga, 100, {37, 101}, vga, {50, 60}, none};
        QTest::newRow("100 % bottom-right pixel, far up left")
            << Drag{vga, 100, {639, 479}, vga, far, {-5925, -1800}};
        QTest::newRow("50 %") << Drag{vga, 50, {20, 30}, {320, 240}, none, none};
        // Narrower than the viewport, yet still moving left by the difference; at 0 % by the whole viewport.
        QTest::newRow("narrow picture") << Drag{{100, 100}, 100, {100, 100}, {100, 100}, far, {-2175, -3900}};
        QTest::newRow("0 %") << Drag{vga, 0, {100, 100}, {0, 0}, far, {-3675, -5400}};
        // Below 50 % the zoom comes from the halves of the photo, and still shows the same picture.
        QTest::newRow("10 % from a half") << Drag{{2000, 1500}, 10, {20, 10}, {200, 150}, none, none};
        QTest::newRow("250 % at the far corner") << Drag{vga, 250, {1500, 1100}, {1600, 1200}, none, none};
    }

    void pressPreviewsAndDragStaysWithinTheSlack()
    {
        QFETCH(Drag, drag);
        const auto &[photo, zoom, pixel, zoomed, move, slide] = drag;
        // At 100 % the preview is the photo's own pixels; zoomed, it is the region of the whole photo zoomed
        // smoothly. Qt's filter differs a little in colour, but never in place or size.
        const bool natural = zoom == 100;
        const QImage source = (natural ? coordinatePhoto : smoothPhoto)(photo.width(), photo.height());
        const QImage whole =
            natural ? source : source.scaled(zoomed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        PhotoFraming framing(Qt::white);
        QVERIFY(framing.setPhoto(source));
        framing.setZoom(zoom);
        QCOMPARE(framing.view().size(), zoomed);
        framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(pixel * 15));
        QCOMPARE(framing.framePosition(), pixel * 15);
        const QImage &preview = framing.preview().image();
        for (int y = 0; y < 280; ++y)
            for (int x = 0; x < 165; ++x) {
                const QPoint at = pixel + QPoint(x, y);
                const bool inside = whole.rect().contains(at);
                const QRgb want = inside ? whole.pixel(at) : qRgb(255, 255, 255);
                if (channelDifference(preview.pixel(x, y), want) > (inside && !natural ? 3 : 0))
                    QFAIL(qPrintable(QStringLiteral("preview pixel (%1, %2)").arg(x).arg(y)));
            }
        // In steps, as a real drag arrives; every step re-reads where the pointer is in the moved picture.
        QPointF last;
        for (int step = 1; step <= 4; ++step) {
            last = QPointF((pixel + move * step / 4) * 15 - framing.slidePosition());
            QVERIFY(framing.drag(Qt::LeftButton, last));
        }
        QCOMPARE(framing.slidePosition(), slide);
        QCOMPARE(framing.framePosition(), last.toPoint());
    }
};

QTEST_GUILESS_MAIN(TestPhotoFraming)
#include "tst_photoframing.moc"
