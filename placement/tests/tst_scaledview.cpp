#include "placement/photopyramid.h"
#include "placement/scaledview.h"
#include "placement/tests/photos.h"

using vellora::ScaledView;
using namespace vellora::test;

namespace {

// Each pixel the rounded mean of a block x block square of the source; an odd last row or column counts
// twice.
QImage blockMeans(const QImage &source, QSize size, int block)
{
    const int n = block * block;
    return paintPhoto(size.width(), size.height(), [&](int x, int y) {
        int sum[3] = {0, 0, 0};
        for (int k = 0; k < n; ++k) {
            const QRgb p = source.pixel(qMin(x * block + k % block, source.width() - 1),
                                        qMin(y * block + k / block, source.height() - 1));
            sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
        }
        return qRgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n);
    });
}

} // namespace

class TestScaledView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaling_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("scaled");
        QTest::addColumn<int>("block"); // for a whole shrink, else 0
        QTest::newRow("equal size is an exact copy") << QSize(123, 77) << QSize(123, 77) << 1;
        QTest::newRow("half") << QSize(96, 64) << QSize(48, 32) << 2;
        QTest::newRow("thin to square") << QSize(1000, 7) << QSize(3, 250) << 0;
        QTest::newRow("250 %") << QSize(41, 29) << QSize(102, 72) << 0;
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
                    QCOMPARE(firstDifference(view.region(area), whole.copy(area)), QString());
                }
            }
        }
        if (block)
            QCOMPARE(firstDifference(whole, blockMeans(source, scaled, block)), QString());
        // Weights that do not add up to exactly one let a flat colour drift.
        QImage flat = solidPicture(photo, qRgb(255, 128, 1));
        const QImage flatView = ScaledView(flat, scaled).region(whole.rect());
        QCOMPARE(firstDifference(flatView, flat.scaled(scaled)), QString());
    }

    // Each half is the mean of two by two pixels, an odd last row or column counting twice; a zoom is made
    // from the smallest half still at least twice as large.
    void halvesAreMeansOfTwoByTwo()
    {
        const QImage source = coordinatePhoto(803, 601);
        vellora::PhotoPyramid pyramid(source);
        QCOMPARE(pyramid.sourceFor(QSize(8, 6)).size(), QSize(26, 19));
        QCOMPARE(pyramid.halves(), 5);
        QCOMPARE(firstDifference(vellora::PhotoPyramid::half(source), blockMeans(source, QSize(402, 301), 2)),
                 QString());
    }

    // The outer quarter of each side keeps its pixel's colour; between the centres the colour climbs evenly.
    void enlargingRunsEvenlyBetweenNeighbours()
    {
        const QImage source = paintPhoto(2, 1, [](int x, int) { return qRgb(200 * x, 200 * x, 200 * x); });
        const QImage wide = ScaledView(source, QSize(8, 1)).region(QRect(0, 0, 8, 1));
        const int expected[8] = {0, 0, 25, 75, 125, 175, 200, 200};
        for (int x = 0; x < 8; ++x)
            QVERIFY2(qAbs(qRed(wide.pixel(x, 0)) - expected[x]) <= 1, qPrintable(QString::number(x)));
    }
};

QTEST_GUILESS_MAIN(TestScaledView)
#include "tst_scaledview.moc"
