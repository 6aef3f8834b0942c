#include "photos.h"
#include "photopyramid.h"
#include "scaledview.h"

using vellora::ScaledView;
using namespace vellora::test;

class TestScaledView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaling_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("scaled");
        QTest::addColumn<int>("block"); // a whole shrink: each pixel the rounded mean of a block x block square
        QTest::newRow("equal size is an exact copy") << QSize(123, 77) << QSize(123, 77) << 1;
        QTest::newRow("half") << QSize(96, 64) << QSize(48, 32) << 2;
        QTest::newRow("deep shrink") << QSize(301, 199) << QSize(7, 5) << 0;
        QTest::newRow("250 %") << QSize(41, 29) << QSize(102, 72) << 0;
        QTest::newRow("thin to square") << QSize(1000, 7) << QSize(3, 250) << 0;
        QTest::newRow("prime shrink") << QSize(997, 991) << QSize(13, 17) << 0;
    }

    void scaling()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, scaled);
        QFETCH(int, block);
        const QImage source = coordinatePhoto(photo.width(), photo.height());
        const ScaledView view(source, scaled);
        const QImage whole = view.region(QRect(QPoint(0, 0), scaled));
        // Any part equals that part of the whole: parts of every shape and position, single pixels included.
        for (int y = 0; y < scaled.height(); y += qMax(1, scaled.height() / 5)) {
            for (int x = 0; x < scaled.width(); x += qMax(1, scaled.width() / 6)) {
                for (QSize size : {QSize(1, 1), QSize(5, 3), scaled - QSize(x, y)}) {
                    const QRect area(QPoint(x, y), size.boundedTo(scaled - QSize(x, y)));
                    const QString difference = firstDifference(view.region(area), whole.copy(area));
                    QVERIFY2(difference.isEmpty(), qPrintable(difference));
                }
            }
        }
        const int n = block * block;
        for (int i = 0; block && i < scaled.width() * scaled.height(); ++i) {
            const QPoint at(i % scaled.width(), i / scaled.width());
            int sum[3] = {0, 0, 0};
            for (int k = 0; k < n; ++k) {
                const QRgb p = source.pixel(at * block + QPoint(k % block, k / block));
                sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
            }
            QCOMPARE(whole.pixel(at), qRgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n));
        }
        // Weights that do not add up to exactly one let a flat colour drift.
        QImage flat(photo, QImage::Format_RGB32), expected(scaled, QImage::Format_RGB32);
        flat.fill(qRgb(255, 128, 1));
        expected.fill(qRgb(255, 128, 1));
        QCOMPARE(firstDifference(ScaledView(flat, scaled).region(QRect(QPoint(0, 0), scaled)), expected),
                 QString());
    }

    void halvesAreMeansOfTwoByTwo_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("zoomed");
        QTest::addColumn<int>("halves"); // made for that zoom
        QTest::newRow("even, at half size: the photo itself") << QSize(40, 30) << QSize(20, 15) << 0;
        QTest::newRow("odd, at a quarter") << QSize(41, 31) << QSize(10, 7) << 1;
        QTest::newRow("at 1 %") << QSize(803, 601) << QSize(8, 6) << 5;
    }

    void halvesAreMeansOfTwoByTwo()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, zoomed);
        QFETCH(int, halves);
        const QImage source = coordinatePhoto(photo.width(), photo.height());
        vellora::PhotoPyramid pyramid(source);
        const QImage used = pyramid.sourceFor(zoomed);
        QCOMPARE(pyramid.halves(), halves);
        QCOMPARE(used.width(), (photo.width() + (1 << halves) - 1) >> halves);
        const QImage half = vellora::PhotoPyramid::half(source);
        QCOMPARE(half.size(), QSize((photo.width() + 1) / 2, (photo.height() + 1) / 2));
        for (int y = 0; y < half.height(); ++y) {
            for (int x = 0; x < half.width(); ++x) {
                int sum[3] = {0, 0, 0};
                for (int k = 0; k < 4; ++k) { // an odd last row or column counts twice
                    const QRgb p = source.pixel(qMin(2 * x + k % 2, photo.width() - 1), qMin(2 * y + k / 2, photo.height() - 1));
                    sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
                }
                QCOMPARE(half.pixel(x, y), qRgb((sum[0] + 2) / 4, (sum[1] + 2) / 4, (sum[2] + 2) / 4));
            }
        }
    }

    void enlargingRunsEvenlyBetweenNeighbours()
    {
        QImage source(2, 1, QImage::Format_RGB32);
        source.setPixel(0, 0, qRgb(0, 0, 0));
        source.setPixel(1, 0, qRgb(200, 200, 200));
        const QImage wide = ScaledView(source, QSize(8, 1)).region(QRect(0, 0, 8, 1));
        // The outer quarter of each side keeps its pixel's colour; between the centres the colour climbs evenly.
        const int expected[8] = {0, 0, 25, 75, 125, 175, 200, 200};
        for (int x = 0; x < 8; ++x)
            QVERIFY2(qAbs(qRed(wide.pixel(x, 0)) - expected[x]) <= 1, qPrintable(QString::number(x)));
    }
};

QTEST_GUILESS_MAIN(TestScaledView)
#include "tst_scaledview.moc"
