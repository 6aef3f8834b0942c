#include "appfolder.h"
#include "surface.h"
#include "testsupport.h"
#include "twips.h"

#include <QDir>
#include <QTest>

#include <tuple>

using vellora::Surface;

namespace {

QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, (x + y) & 255));
    return image;
}

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
    void oneToOneCopyIsExact_data();
    void oneToOneCopyIsExact();
    void scaledCopyReplacesPixels();
    void mirrorVertically_data();
    void mirrorVertically();
    void boxes();
    void printDrawsTextBelowAndRightOfCurrentPosition();
    void resolve_data();
    void resolve();
};

void TestSurface::oneToOneCopyIsExact_data()
{
    QTest::addColumn<QRect>("sourceTwips");
    QTest::addColumn<QRect>("destinationTwips");
    QTest::newRow("inside") << QRect(150, 300, 750, 750) << QRect(1500, 1500, 750, 750);
    QTest::newRow("rounded twips") << QRect(0, 0, 750, 750) << QRect(785, 1200, 750, 750);
    QTest::newRow("clipped right and bottom") << QRect(0, 0, 1500, 1500) << QRect(2250, 2250, 1500, 1500);
    QTest::newRow("clipped left and top") << QRect(0, 0, 1500, 1500) << QRect(-450, -300, 1500, 1500);
}

void TestSurface::oneToOneCopyIsExact()
{
    QFETCH(QRect, sourceTwips);
    QFETCH(QRect, destinationTwips);
    const QImage source = numbered(120, 120);
    Surface s = blank(200, 200);
    s.paintPicture(source, destinationTwips, sourceTwips);

    const QRect from = vellora::px(sourceTwips), to = vellora::px(destinationTwips);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QPoint p(x, y);
            const QRgb expected = to.contains(p) ? source.pixel(p - to.topLeft() + from.topLeft()) : qRgb(255, 255, 255);
            if (s.image().pixel(p) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

// A scaled copy replaces the pixels, even fully transparent ones, and without a source rectangle takes the
// whole picture, its last pixel included.
void TestSurface::scaledCopyReplacesPixels()
{
    QImage source(10, 10, QImage::Format_ARGB32);
    source.fill(qRgba(0, 0, 255, 0));
    source.setPixel(9, 9, qRgba(255, 255, 255, 255));
    Surface s = blank(100, 100, Qt::red);
    s.paintPicture(source, QRectF(150, 150, 360, 360));
    QCOMPARE(vellora::test::changedArea(blank(100, 100, Qt::red).image(), s.image()), QRect(10, 10, 24, 24));
    QCOMPARE(s.image().pixel(20, 20), qRgb(0, 0, 255));
    QCOMPARE(s.image().pixel(33, 33), qRgb(255, 255, 255));
}

void TestSurface::mirrorVertically_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("even, as the card half") << 200;
    QTest::newRow("odd") << 7;
    QTest::newRow("one row") << 1;
}

void TestSurface::mirrorVertically()
{
    QFETCH(int, height);
    const QImage original = numbered(285, height);
    Surface s;
    s.setPicture(original);
    s.mirrorVertically();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 285; x += 17)
            QCOMPARE(s.image().pixel(x, y), original.pixel(x, height - 1 - y));
}

// A filled box includes both corners, given in either order; an outlined one touches only its edge.
void TestSurface::boxes()
{
    Surface bar(Surface::Units::Pixels);
    bar.backColor = QColor(0, 64, 0);
    bar.resize(14, 200);
    const QImage empty = bar.image().copy();
    bar.box({0, 187}, {15, 200}, QColor(0, 200, 0), true);
    QCOMPARE(vellora::test::changedArea(empty, bar.image()), QRect(0, 187, 14, 13));
    bar.clear();
    bar.box({0, 200}, {14, 150}, QColor(0, 200, 0), true); // bottom first, as the progress boxes give them
    QCOMPARE(vellora::test::changedArea(empty, bar.image()), QRect(0, 150, 14, 50));

    Surface s = blank(20, 20);
    s.box({0, 0}, {2460, 4185}, Qt::black, false); // clipped at 20 x 20: only the left and top edges show
    s.box({15, 15}, {150, 150}, Qt::black, false);
    for (auto [x, y, ink] : {std::tuple{1, 1, true}, {10, 10, true}, {10, 5, true}, {5, 5, false}, {11, 11, false}})
        QCOMPARE(s.image().pixel(x, y), ink ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
}

void TestSurface::printDrawsTextBelowAndRightOfCurrentPosition()
{
    Surface s = blank(285, 200);
    s.fontSize = 28;
    s.fontBold = true;
    s.current = QPointF(405, 300);
    s.print(QStringLiteral("K"));
    const QRect ink = vellora::test::changedArea(blank(285, 200).image(), s.image());
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 27 && ink.left() <= 31, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= 20 && ink.top() <= 30, qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.height() >= 20 && ink.height() <= 32, qPrintable(QString::number(ink.height())));
}

// Data paths are written with backslashes and in any letter case; the file is found all the same.
void TestSurface::resolve_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found");

    QTest::newRow("lower-case name finds capitalised file")
        << QStringList{"Data/Hkrs-0.krt"} << "\\Data\\hkrs-0.krt" << "Data/Hkrs-0.krt";
    QTest::newRow("slashes either way") << QStringList{"Data/joker-01.jok"} << "/DATA/JOKER-01.JOK"
                                        << "Data/joker-01.jok";
    QTest::newRow("exact match preferred") << QStringList{"Data/a.krt", "Data/A.krt"} << "\\Data\\A.krt"
                                           << "Data/A.krt";
    QTest::newRow("missing file keeps its name") << QStringList{"Projecten/x.krt"} << "\\projecten\\New.krt"
                                                 << "Projecten/New.krt";
    QTest::newRow("missing folder keeps the rest") << QStringList{} << "\\Help\\Beeldscherm.pdf"
                                                   << "Help/Beeldscherm.pdf";
}

void TestSurface::resolve()
{
    QFETCH(QStringList, files);
    QFETCH(QString, asked);
    QFETCH(QString, found);
    QTemporaryDir dir;
    for (const QString &f : files) {
        QDir(dir.path()).mkpath(QFileInfo(f).path());
        QFile file(dir.filePath(f));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(vellora::AppFolder(dir.path()).resolve(asked), dir.path() + u'/' + found);
}

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
