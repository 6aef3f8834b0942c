#include "cardtargets.h"
#include "photoframing.h"
#include "photos.h"
#include "testsupport.h"


#include <algorithm>
#include <QTest>

using vellora::KaartSoort;
using vellora::PhotoFraming;
using vellora::Surface;
using namespace vellora::test;

Q_DECLARE_METATYPE(KaartSoort)

namespace {

const QRgb kBackground = qRgb(255, 255, 255);

// The pointer as the screen sees it, turned into the coordinates of the moving picture, as the mouse reports
// them (twips, 15 to a pixel).
QPointF inPicture(const PhotoFraming &framing, QPoint screenPixels)
{
    return QPointF(screenPixels * 15 - framing.slidePosition());
}

} // namespace

class TestPhotoFraming : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void zoomedSizeCutsOffTheFraction_data();
    void zoomedSizeCutsOffTheFraction();
    void pressAt100PercentPreviewsThePhotoFromThatPixel_data();
    void pressAt100PercentPreviewsThePhotoFromThatPixel();
    void pressWhenZoomedMatchesTheWholeZoomedPhoto_data();
    void pressWhenZoomedMatchesTheWholeZoomedPhoto();
    void otherButtonsOnlySetTheDragStart();
    void zeroZoomShowsNothingAndBreaksNothing();
    void dragStaysWithinTheSlack_data();
    void dragStaysWithinTheSlack();
    void dragKeepsThePointUnderThePointer();
    void okPastesOnlyIntoThePictureAreas_data();
    void okPastesOnlyIntoThePictureAreas();
};

void TestPhotoFraming::zoomedSizeCutsOffTheFraction_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("50 %") << QSize(640, 480) << 50 << QSize(320, 240);
    QTest::newRow("odd at 50 %") << QSize(641, 481) << 50 << QSize(320, 240);
    QTest::newRow("250 %") << QSize(640, 480) << 250 << QSize(1600, 1200);
    QTest::newRow("0 %") << QSize(640, 480) << 0 << QSize(0, 0);
    QTest::newRow("1 % of a small one") << QSize(99, 150) << 1 << QSize(0, 1);
    QTest::newRow("17 pixels stay 17 at 100 %") << QSize(17, 29) << 100 << QSize(17, 29);
    QTest::newRow("33 %") << QSize(100, 301) << 33 << QSize(33, 99);
}

void TestPhotoFraming::zoomedSizeCutsOffTheFraction()
{
    QFETCH(QSize, photo);
    QFETCH(int, zoom);
    QFETCH(QSize, expected);
    QCOMPARE(PhotoFraming::zoomedSize(photo, zoom), expected);
}

void TestPhotoFraming::pressAt100PercentPreviewsThePhotoFromThatPixel_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("top-left") << QPoint(0, 0);
    QTest::newRow("inside") << QPoint(37, 101);
    QTest::newRow("last full region") << QPoint(640 - 165, 480 - 280);
    QTest::newRow("near the right edge") << QPoint(600, 50);
    QTest::newRow("near the bottom edge") << QPoint(10, 470);
    QTest::newRow("bottom-right pixel") << QPoint(639, 479);
}

void TestPhotoFraming::pressAt100PercentPreviewsThePhotoFromThatPixel()
{
    QFETCH(QPoint, pixel);
    const QImage photo = coordinatePhoto(640, 480);
    PhotoFraming framing(kBackground);
    QVERIFY(framing.setPhoto(photo));
    framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(pixel * 15));
    QCOMPARE(framing.framePosition(), pixel * 15);
    const QImage &preview = framing.preview().image();
    QCOMPARE(preview.size(), QSize(165, 280));
    for (int y = 0; y < 280; ++y) {
        for (int x = 0; x < 165; ++x) {
            const QPoint at = pixel + QPoint(x, y);
            const QRgb expected = photo.rect().contains(at) ? photo.pixel(at) : kBackground;
            if (preview.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("preview pixel (%1, %2)").arg(x).arg(y)));
        }
    }
}

void TestPhotoFraming::pressWhenZoomedMatchesTheWholeZoomedPhoto_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("50 %") << 50 << QPoint(20, 30);
    QTest::newRow("37 %") << 37 << QPoint(3, 4);
    QTest::newRow("150 %") << 150 << QPoint(400, 300);
    QTest::newRow("250 % at the far corner") << 250 << QPoint(1500, 1100);
}

void TestPhotoFraming::pressWhenZoomedMatchesTheWholeZoomedPhoto()
{
    QFETCH(int, zoom);
    QFETCH(QPoint, pixel);
    // The described way: zoom the whole photo smoothly, then copy the region. Qt's own smooth scaling is
    // another filter, so colours may differ a little, but never in place or size.
    const QImage photo = smoothPhoto(640, 480);
    PhotoFraming framing(kBackground);
    framing.setPhoto(photo);
    framing.setZoom(zoom);
    const QSize zoomed = PhotoFraming::zoomedSize(photo.size(), zoom);
    QCOMPARE(framing.view().size(), zoomed);
    QCOMPARE(framing.slideSize(), zoomed * 15);
    const QImage whole = photo.scaled(zoomed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(pixel * 15));
    const QImage &preview = framing.preview().image();
    int worst = 0;
    for (int y = 0; y < 280; ++y) {
        for (int x = 0; x < 165; ++x) {
            const QPoint at = pixel + QPoint(x, y);
            if (!whole.rect().contains(at)) {
                QCOMPARE(preview.pixel(x, y), kBackground);
                continue;
            }
            const QRgb a = preview.pixel(x, y), b = whole.pixel(at);
            worst = std::max({worst, qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
        }
    }
    QVERIFY2(worst <= 3, qPrintable(QString::number(worst)));
}

void TestPhotoFraming::otherButtonsOnlySetTheDragStart()
{
    PhotoFraming framing(kBackground);
    framing.setPhoto(coordinatePhoto(300, 300));
    const QImage before = framing.preview().image().copy();
    framing.press(Qt::RightButton, Qt::RightButton, QPointF(150, 300));
    QCOMPARE(framing.dragStart(), QPoint(150, 300));
    QCOMPARE(framing.framePosition(), PhotoFraming::kFrameStart);
    QCOMPARE(firstDifference(framing.preview().image(), before), QString());
    // Left together with right is not the left button alone.
    framing.press(Qt::LeftButton, Qt::LeftButton | Qt::RightButton, QPointF(450, 450));
    QCOMPARE(framing.framePosition(), PhotoFraming::kFrameStart);
    QVERIFY(!framing.drag(Qt::LeftButton | Qt::RightButton, QPointF(0, 0)));
    QVERIFY(!framing.drag(Qt::NoButton, QPointF(0, 0)));
}

void TestPhotoFraming::zeroZoomShowsNothingAndBreaksNothing()
{
    PhotoFraming framing(kBackground);
    framing.setPhoto(coordinatePhoto(640, 480));
    framing.setZoom(0);
    QCOMPARE(framing.view().size(), QSize(0, 0));
    QVERIFY(framing.view().isEmpty());
    QCOMPARE(framing.slideSize(), QSize(0, 0));
    QCOMPARE(framing.slack(), PhotoFraming::kViewport);
    framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(0, 0));
    const QImage &preview = framing.preview().image();
    QCOMPARE(preview.pixel(0, 0), kBackground);
    QCOMPARE(preview.pixel(164, 279), kBackground);
    QVERIFY(framing.drag(Qt::LeftButton, QPointF(-900, -900)));
    QCOMPARE(framing.slidePosition(), QPoint(-900, -900));
}

void TestPhotoFraming::dragStaysWithinTheSlack_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QPoint>("move");     // screen pixels, from a press at (100, 100)
    QTest::addColumn<QPoint>("expected"); // SlidePic's position in twips
    // 640 x 480 at 100 %: the slack is 9600 - 3675 = 5925 wide and 7200 - 5400 = 1800 high.
    QTest::newRow("right and down stop at 0") << QSize(640, 480) << QPoint(50, 60) << QPoint(0, 0);
    QTest::newRow("a little left and up") << QSize(640, 480) << QPoint(-20, -30) << QPoint(-300, -450);
    QTest::newRow("far left and up stop at the slack") << QSize(640, 480) << QPoint(-900, -900) << QPoint(-5925, -1800);
    QTest::newRow("exactly the slack") << QSize(640, 480) << QPoint(-395, -120) << QPoint(-5925, -1800);
    // 100 x 100 is narrower than the viewport, yet still moves left by the difference.
    QTest::newRow("narrow picture") << QSize(100, 100) << QPoint(-900, -900) << QPoint(-2175, -3900);
}

void TestPhotoFraming::dragStaysWithinTheSlack()
{
    QFETCH(QSize, photo);
    QFETCH(QPoint, move);
    QFETCH(QPoint, expected);
    PhotoFraming framing(kBackground);
    framing.setPhoto(coordinatePhoto(photo.width(), photo.height()));
    const QPoint press(100, 100);
    framing.press(Qt::LeftButton, Qt::LeftButton, inPicture(framing, press));
    // In steps, as a real drag arrives; every step re-reads where the pointer is in the moved picture.
    QPointF last;
    for (int step = 1; step <= 4; ++step) {
        last = inPicture(framing, press + move * step / 4);
        framing.drag(Qt::LeftButton, last);
    }
    QCOMPARE(framing.slidePosition(), expected);
    QVERIFY(framing.slidePosition().x() <= 0 && framing.slidePosition().y() <= 0);
    // The frame follows the pointer within the picture, where the last move reported it.
    QCOMPARE(framing.framePosition(), last.toPoint());
}

void TestPhotoFraming::dragKeepsThePointUnderThePointer()
{
    PhotoFraming framing(kBackground);
    framing.setPhoto(coordinatePhoto(1000, 1000));
    const QPoint press(120, 200);
    const QPointF grabbed = inPicture(framing, press);
    framing.press(Qt::LeftButton, Qt::LeftButton, grabbed);
    for (QPoint pointer : {QPoint(110, 190), QPoint(60, 150), QPoint(20, 40)}) {
        framing.drag(Qt::LeftButton, inPicture(framing, pointer));
        QCOMPARE(inPicture(framing, pointer), grabbed);
    }
}

void TestPhotoFraming::okPastesOnlyIntoThePictureAreas_data()
{
    QTest::addColumn<KaartSoort>("soort");
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<QRect>>("areas"); // sheet pixels
    QTest::newRow("ace of Ruiten") << KaartSoort::Aas << 3 << QList<QRect>{QRect(60, 860, 165, 280)};
    QTest::newRow("king of Harten") << KaartSoort::Koning << 1 << QList<QRect>{QRect(3480, 60, 165, 280)};
    QTest::newRow("queen of Schoppen") << KaartSoort::Vrouw << 4 << QList<QRect>{QRect(3195, 1260, 165, 280)};
    QTest::newRow("all four jacks") << KaartSoort::Boer << 0
                                    << QList<QRect>{QRect(2910, 60, 165, 280), QRect(2910, 460, 165, 280),
                                                    QRect(2910, 860, 165, 280), QRect(2910, 1260, 165, 280)};
    QTest::newRow("all four own-photo jokers") << KaartSoort::Joker << 0
                                               << QList<QRect>{QRect(3765, 60, 165, 280), QRect(3765, 460, 165, 280),
                                                               QRect(3765, 860, 165, 280), QRect(3765, 1260, 165, 280)};
}

void TestPhotoFraming::okPastesOnlyIntoThePictureAreas()
{
    QFETCH(KaartSoort, soort);
    QFETCH(int, option);
    QFETCH(QList<QRect>, areas);
    Surface sheet = plainSheet();
    const QImage before = sheet.image().copy();
    PhotoFraming framing(kBackground);
    framing.setPhoto(noisePhoto(400, 400, 5));
    framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(150, 150));
    const QImage preview = framing.preview().image().copy();
    framing.place(sheet, soort, option, false);

    QRect expected;
    for (const QRect &area : areas) {
        expected |= area;
        QCOMPARE(firstDifference(sheet.image().copy(area), preview), QString());
    }
    QCOMPARE(changedArea(before, sheet.image()), expected);
    // Only the areas themselves, not what lies between them.
    QImage outside = sheet.image().copy();
    for (const QRect &area : areas) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                outside.setPixel(x, y, before.pixel(x, y));
    }
    QCOMPARE(firstDifference(outside, before), QString());
}

QTEST_GUILESS_MAIN(TestPhotoFraming)
#include "tst_photoframing.moc"
