#include "shell/progressbar.h"
#include "surface/surface.h"

#include <QTest>

using namespace vellora;

class TestProgressBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bar_data()
    {
        // After 0 to 52 finished cards (Harten first, columns 0 to 12 within a suit; 0 at start-up and after
        // Nieuw), the bar's highest green row is at `top`.
        QTest::addColumn<int>("finished");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("start state") << 0 << 187 << 0;
        QTest::newRow("after the first card: a quarter") << 1 << 150 << 0;
        QTest::newRow("after the K of Harten") << 13 << 112 << 0;
        QTest::newRow("the A of Klavers leaves it where Harten did") << 14 << 112 << 0;
        QTest::newRow("8 of Klavers") << 21 << 105 << 1;
        QTest::newRow("after the last card: full") << 52 << 0 << 0;
    }

    // Green from its top down, dark green above, as the window shows it when it repaints: on a new bar, and
    // on one whose earlier pixels must all go.
    void bar()
    {
        QFETCH(int, finished);
        QFETCH(int, top);
        QFETCH(int, tolerance);
        Surface used(Surface::Units::Pixels);
        used.resize(progress::kWidth, progress::kHeight);
        used.box({0, 0}, {14, 200}, Qt::red, true);
        for (Surface bar : {Surface(Surface::Units::Pixels), used}) {
            progress::draw(bar, finished);
            const QImage &image = bar.image();
            QCOMPARE(image.size(), QSize(progress::kWidth, progress::kHeight));
            int green = 200;
            while (green > 0 && image.pixel(0, green - 1) == progress::kFill)
                --green;
            QVERIFY2(std::abs(green - top) <= tolerance, qPrintable(QString::number(green)));
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 14; ++x)
                    QCOMPARE(image.pixel(x, y), y < green ? progress::kBackground : progress::kFill);
        }
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
