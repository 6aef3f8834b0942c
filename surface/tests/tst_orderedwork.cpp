// Pieces made on the work's threads and taken in their order, and the smooth scale the card images use.
#include "surface/orderedwork.h"
#include "surface/smoothscale.h"

#include <QTest>
#include <mutex>
#include <stdexcept>

using namespace vellora;

class TestOrderedWork : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void inOrder_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("ahead");
        QTest::addColumn<int>("failAt");   // the piece whose make throws; -1 for none
        QTest::addColumn<int>("refuseAt"); // the piece take() answers false for; -1 for none
        QTest::newRow("one thread") << 1 << 0 << -1 << -1;
        QTest::newRow("three threads, two ahead") << 3 << 2 << -1 << -1;
        QTest::newRow("a make throws") << 2 << 0 << 7 << -1;
        QTest::newRow("the first make throws") << 2 << 0 << 0 << -1;
        QTest::newRow("take refuses") << 2 << 0 << -1 << 5;
    }

    // Every piece taken once and in order, never more made ahead of the taking than asked; a throw comes
    // back here with no piece after it taken, and a refusal ends the making.
    void inOrder()
    {
        QFETCH(const int, threads);
        QFETCH(const int, ahead);
        QFETCH(const int, failAt);
        QFETCH(const int, refuseAt);
        constexpr int count = 40;
        std::mutex mutex;
        int made = 0, taken = 0, mostAhead = 0;
        std::vector<int> order;
        const auto work = [&] {
            return makeInOrder<int>(
                count,
                [&](int i) {
                    if (i == failAt)
                        throw std::runtime_error("no piece");
                    const std::lock_guard lock(mutex);
                    mostAhead = std::max(mostAhead, ++made - taken);
                    return i * 3;
                },
                [&](int i, int piece) {
                    const std::lock_guard lock(mutex);
                    ++taken;
                    order.push_back(piece == i * 3 ? i : -1);
                    return i != refuseAt;
                },
                {}, {threads, ahead});
        };
        bool thrown = false, every = false;
        try {
            every = work();
        } catch (const std::runtime_error &) {
            thrown = true;
        }
        QCOMPARE(thrown, failAt >= 0);
        QCOMPARE(every, failAt < 0 && refuseAt < 0);
        const int last = failAt >= 0 ? failAt : refuseAt >= 0 ? refuseAt + 1 : count;
        std::vector<int> expected;
        for (int i = 0; i < last; ++i)
            expected.push_back(i);
        QCOMPARE(order, expected);
        QVERIFY(mostAhead <= std::max(threads, ahead > 0 ? ahead : 2 * threads));
        QVERIFY(made <= last + std::max(threads, ahead > 0 ? ahead : 2 * threads));
    }

    void smoothScaled_data()
    {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<QSize>("to");
        QTest::newRow("enlarged 2.6 times") << QSize(61, 83) << QSize(160, 216);
        QTest::newRow("reduced a little") << QSize(171, 240) << QSize(149, 208);
        QTest::newRow("reduced three times, odd") << QSize(93, 61) << QSize(31, 20);
        QTest::newRow("one pixel to many") << QSize(1, 1) << QSize(9, 7);
        QTest::newRow("a row to a column") << QSize(40, 1) << QSize(1, 40);
    }

    // A plain colour stays exactly itself, at every size; a smooth gradient stays near what Qt's own smooth
    // scale makes of it.
    void smoothScaled()
    {
        QFETCH(const QSize, from);
        QFETCH(const QSize, to);
        QImage plain(from, QImage::Format_ARGB32);
        plain.fill(qRgb(200, 10, 77));
        QImage plainScaled(to, QImage::Format_RGB32);
        plainScaled.fill(qRgb(200, 10, 77));
        QCOMPARE(vellora::smoothScaled(plain, to), plainScaled);
        QImage gradient(from, QImage::Format_RGB32);
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x)
                gradient.setPixel(x, y, qRgb(x * 255 / from.width(), y / 3 * 3 * 255 / from.height(), 128));
        // Rows in threes: repeated rows and repeated results take shorter ways, which must make the same.
        const QImage mine = vellora::smoothScaled(gradient, to);
        QImage framed(to + QSize(5, 3), QImage::Format_RGB32);
        framed.fill(Qt::green);
        QVERIFY(vellora::smoothScaleInto(gradient, framed, QRect(QPoint(3, 2), to)));
        QCOMPARE(framed.copy(QRect(QPoint(3, 2), to)), mine);
        QCOMPARE(framed.pixel(2, 1), QColor(Qt::green).rgb());
        QCOMPARE(framed.pixel(framed.width() - 1, framed.height() - 1), QColor(Qt::green).rgb());
        QVERIFY(!vellora::smoothScaleInto(gradient, framed, QRect(QPoint(6, 0), to)));
        const QImage qt = gradient.scaled(to, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (int y = 0; y < to.height(); ++y)
            for (int x = 0; x < to.width(); ++x) {
                const QRgb a = mine.pixel(x, y), b = qt.pixel(x, y);
                QVERIFY2(std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
                             qBlue(a) == 128,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    // Nothing to scale gives nothing; the same size gives the picture itself.
    void smoothScaledOfNothing()
    {
        QVERIFY(vellora::smoothScaled(QImage(), {10, 10}).isNull());
        QImage picture(5, 4, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(vellora::smoothScaled(picture, {0, 4}).isNull());
        QCOMPARE(vellora::smoothScaled(picture, {5, 4}).constBits(), picture.constBits());
    }
};

QTEST_MAIN(TestOrderedWork)
#include "tst_orderedwork.moc"
