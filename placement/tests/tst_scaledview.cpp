#include "photos.h"
#include "scaledview.h"
#include "testsupport.h"

#include <QTest>

using vellora::ScaledView;
using namespace vellora::test;

class TestScaledView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void anyPartEqualsThatPartOfTheWhole_data();
    void anyPartEqualsThatPartOfTheWhole();
    void equalSizeIsAnExactCopy();
    void halvingAveragesEachTwoByTwoBlock();
    void flatColourStaysFlatAtEverySize_data();
    void flatColourStaysFlatAtEverySize();
    void enlargingRunsEvenlyBetweenNeighbours();
};

void TestScaledView::anyPartEqualsThatPartOfTheWhole_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("scaled");
    QTest::newRow("half") << QSize(96, 64) << QSize(48, 32);
    QTest::newRow("odd shrink") << QSize(97, 61) << QSize(40, 25);
    QTest::newRow("deep shrink") << QSize(301, 199) << QSize(7, 5);
    QTest::newRow("250 %") << QSize(41, 29) << QSize(102, 72);
    QTest::newRow("137 %") << QSize(53, 47) << QSize(72, 64);
    QTest::newRow("wide shrink, tall enlarge") << QSize(90, 20) << QSize(31, 55);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(9, 4);
}

void TestScaledView::anyPartEqualsThatPartOfTheWhole()
{
    QFETCH(QSize, photo);
    QFETCH(QSize, scaled);
    const QImage source = noisePhoto(photo.width(), photo.height(), 7);
    const ScaledView view(source, scaled);
    const QImage whole = view.region(QRect(QPoint(0, 0), scaled));
    // Parts of every shape and position, corners and single pixels included.
    for (int y = 0; y < scaled.height(); y += qMax(1, scaled.height() / 5)) {
        for (int x = 0; x < scaled.width(); x += qMax(1, scaled.width() / 6)) {
            for (QSize size : {QSize(1, 1), QSize(5, 3), QSize(scaled.width() - x, scaled.height() - y)}) {
                const QRect area(QPoint(x, y), size.boundedTo(scaled - QSize(x, y)));
                const QImage part = view.region(area);
                QVERIFY2(firstDifference(part, whole.copy(area)).isEmpty(),
                         qPrintable(QStringLiteral("area %1,%2 %3x%4: ").arg(x).arg(y).arg(area.width()).arg(area.height())
                                    + firstDifference(part, whole.copy(area))));
            }
        }
    }
}

void TestScaledView::equalSizeIsAnExactCopy()
{
    const QImage source = noisePhoto(123, 77, 3);
    const ScaledView view(source, source.size());
    QCOMPARE(firstDifference(view.region(source.rect()), source), QString());
    QCOMPARE(firstDifference(view.region(QRect(17, 9, 40, 50)), source.copy(17, 9, 40, 50)), QString());
}

void TestScaledView::halvingAveragesEachTwoByTwoBlock()
{
    const QImage source = noisePhoto(64, 48, 11);
    const QImage half = ScaledView(source, QSize(32, 24)).region(QRect(0, 0, 32, 24));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb a = source.pixel(2 * x, 2 * y), b = source.pixel(2 * x + 1, 2 * y);
            const QRgb c = source.pixel(2 * x, 2 * y + 1), d = source.pixel(2 * x + 1, 2 * y + 1);
            auto mean = [](int p, int q, int r, int s) { return (p + q + r + s + 2) / 4; };
            const QRgb expected = qRgb(mean(qRed(a), qRed(b), qRed(c), qRed(d)),
                                       mean(qGreen(a), qGreen(b), qGreen(c), qGreen(d)),
                                       mean(qBlue(a), qBlue(b), qBlue(c), qBlue(d)));
            QCOMPARE(half.pixel(x, y), expected);
        }
    }
}

void TestScaledView::flatColourStaysFlatAtEverySize_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("scaled");
    QTest::newRow("thin to square") << QSize(1000, 7) << QSize(3, 250);
    QTest::newRow("prime shrink") << QSize(997, 991) << QSize(13, 17);
    QTest::newRow("prime enlarge") << QSize(7, 11) << QSize(23, 29);
    QTest::newRow("one percent") << QSize(4000, 3000) << QSize(40, 30);
}

void TestScaledView::flatColourStaysFlatAtEverySize()
{
    QFETCH(QSize, photo);
    QFETCH(QSize, scaled);
    QImage source(photo, QImage::Format_RGB32);
    source.fill(qRgb(255, 128, 1));
    const QImage result = ScaledView(source, scaled).region(QRect(QPoint(0, 0), scaled));
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            QCOMPARE(result.pixel(x, y), qRgb(255, 128, 1));
}

void TestScaledView::enlargingRunsEvenlyBetweenNeighbours()
{
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(0, 0, 0));
    source.setPixel(1, 0, qRgb(200, 200, 200));
    const QImage wide = ScaledView(source, QSize(8, 1)).region(QRect(0, 0, 8, 1));
    // The outer quarter of each side keeps its pixel's colour; between the centres the colour climbs evenly.
    const int expected[8] = {0, 0, 25, 75, 125, 175, 200, 200};
    for (int x = 0; x < 8; ++x)
        QVERIFY2(qAbs(qRed(wide.pixel(x, 0)) - expected[x]) <= 1,
                 qPrintable(QStringLiteral("x %1: %2").arg(x).arg(qRed(wide.pixel(x, 0)))));
}

QTEST_GUILESS_MAIN(TestScaledView)
#include "tst_scaledview.moc"
