#include "surface/appfolder.h"
#include "surface/surface.h"
#include "surface/twips.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QTest>
#include <tuple>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

Surface blank(int w, int h, QColor colour = Qt::white)
{
    Surface s;
    s.backColor = colour;
    s.resize(w, h);
    return s;
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void oneToOneCopyIsExact_data()
    {
        QTest::addColumn<QRect>("sourceTwips");
        QTest::addColumn<QRect>("destinationTwips");
        QTest::newRow("inside, rounded twips") << QRect(150, 300, 750, 750) << QRect(785, 1200, 750, 750);
        QTest::newRow("clipped right and bottom") << QRect(0, 0, 1500, 1500) << QRect(2250, 2250, 1500, 1500);
        QTest::newRow("clipped left and top") << QRect(0, 0, 1500, 1500) << QRect(-450, -300, 1500, 1500);
    }

    void oneToOneCopyIsExact()
    {
        QFETCH(QRect, sourceTwips);
        QFETCH(QRect, destinationTwips);
        const QImage source = test::gradientPicture(120, 120);
        Surface s = blank(200, 200);
        s.paintPicture(source, destinationTwips, sourceTwips);
        const QRect to = px(destinationTwips) & s.image().rect();
        const QPoint shift = px(sourceTwips).topLeft() - px(destinationTwips).topLeft();
        QCOMPARE(test::changedArea(blank(200, 200).image(), s.image()), to);
        QCOMPARE(test::firstDifference(s.image().copy(to), source.copy(to.translated(shift))), QString());
    }

    // A scaled copy replaces the pixels, even fully transparent ones, and without a source rectangle takes
    // the whole picture, its last pixel included.
    void scaledCopyReplacesPixels()
    {
        QImage source(10, 10, QImage::Format_ARGB32);
        source.fill(qRgba(0, 0, 255, 0));
        source.setPixel(9, 9, qRgba(255, 255, 255, 255));
        Surface s = blank(100, 100, Qt::red);
        s.paintPicture(source, QRectF(150, 150, 360, 360));
        QCOMPARE(test::changedArea(blank(100, 100, Qt::red).image(), s.image()), QRect(10, 10, 24, 24));
        QCOMPARE(s.image().pixel(20, 20), qRgb(0, 0, 255));
        QCOMPARE(s.image().pixel(33, 33), qRgb(255, 255, 255));
    }

    void mirrorVertically()
    {
        for (int height : {200, 7, 1}) { // even as the card half, odd, and a single row
            const QImage original = test::gradientPicture(285, height);
            Surface s;
            s.setPicture(original);
            s.mirrorVertically();
            const QString difference = test::firstDifference(s.image(), original.mirrored());
            QVERIFY2(difference.isEmpty(),
                     qPrintable(QStringLiteral("height %1: ").arg(height) + difference));
        }
    }

    // A filled box includes both corners, given in either order; an outlined one touches only its edge.
    void boxes()
    {
        Surface bar(Surface::Units::Pixels);
        bar.backColor = QColor(0, 64, 0);
        bar.resize(14, 200);
        const QImage empty = bar.image().copy();
        bar.box({0, 187}, {15, 200}, QColor(0, 200, 0), true);
        QCOMPARE(test::changedArea(empty, bar.image()), QRect(0, 187, 14, 13));
        bar.clear();
        // Bottom first, as the progress boxes give them.
        bar.box({0, 200}, {14, 150}, QColor(0, 200, 0), true);
        QCOMPARE(test::changedArea(empty, bar.image()), QRect(0, 150, 14, 50));

        Surface s = blank(20, 20);
        s.box({0, 0}, {2460, 4185}, Qt::black, false); // clipped at 20 x 20: only the left and top edges show
        s.box({15, 15}, {150, 150}, Qt::black, false);
        for (auto [x, y, ink] :
             {std::tuple{1, 1, true}, {10, 10, true}, {10, 5, true}, {5, 5, false}, {11, 11, false}})
            QCOMPARE(s.image().pixel(x, y), ink ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }

    // The text's top-left is the current position (405, 300 twips: pixel 27, 20), not its baseline.
    void printDrawsTextBelowAndRightOfCurrentPosition()
    {
        Surface s = blank(285, 200);
        s.fontSize = 28;
        s.fontBold = true;
        s.current = QPointF(405, 300);
        s.print(QStringLiteral("K"));
        const QRect ink = test::changedArea(blank(285, 200).image(), s.image());
        QVERIFY2(QRect(27, 20, 5, 11).contains(ink.topLeft()) && ink.height() >= 20 && ink.height() <= 32,
                 qPrintable(QDebug::toString(ink)));
    }

    // Data paths are written with backslashes and in any letter case; the file is found all the same.
    void resolve_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        // A missing file or folder keeps the name asked for.
        const QStringList hkrs{"Data/Hkrs-0.krt"}, both{"Data/a.krt", "Data/A.krt"}, x{"Projecten/x.krt"};
        QTest::newRow("slashes either way") << hkrs << u"/DATA/HKRS-0.KRT"_s << u"Data/Hkrs-0.krt"_s;
        QTest::newRow("exact match preferred") << both << u"\\Data\\A.krt"_s << u"Data/A.krt"_s;
        QTest::newRow("missing file") << x << u"\\projecten\\New.krt"_s << u"Projecten/New.krt"_s;
        QTest::newRow("missing folder") << QStringList() << u"\\Help\\Hulp.pdf"_s << u"Help/Hulp.pdf"_s;
    }

    void resolve()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString &f : files)
            QVERIFY(QDir(dir.path()).mkpath(QFileInfo(f).path()) && test::writeBytes(dir.filePath(f), {}));
        QCOMPARE(AppFolder(dir.path()).resolve(asked), dir.path() + u'/' + found);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
