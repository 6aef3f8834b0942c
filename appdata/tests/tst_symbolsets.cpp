// Symbol sets are cut into four 50 x 50 squares and pasted whole onto white cards, so each square must be
// a centred, correctly coloured suit on a light ground, and the ten styles must really differ.

#include "appdata.h"
#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

namespace {
const char *const kSuitNames[4] = {"hearts", "clubs", "diamonds", "spades"};
bool isRedSuit(int suit) { return suit == 0 || suit == 2; }
} // namespace

class TestSymbolSets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (int style = 0; style < appdata::kSymbolStyles; ++style) {
            const QString path = appFile(QStringLiteral("Data/Hkrs-%1.krt").arg(style));
            const QByteArray bytes = readAll(path);
            QVERIFY2(!bytes.isEmpty(), qPrintable(path));
            QCOMPARE(bmpBitsPerPixel(bytes), 24);
            QImage img;
            QVERIFY(img.loadFromData(bytes, "BMP"));
            m_sets.append(img.convertToFormat(QImage::Format_RGB32));
        }
    }

    void squares_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("suit");
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int suit = 0; suit < 4; ++suit)
                QTest::addRow("%s %s", qPrintable(appdata::symbolStyleCaption(style)), kSuitNames[suit])
                    << style << suit;
    }

    void squares()
    {
        QFETCH(int, style);
        QFETCH(int, suit);
        const QImage &set = m_sets.at(style);
        QCOMPARE(set.size(), QSize(50, 200));
        const QImage square = set.copy(0, suit * 50, 50, 50);
        checkPip(square, suit, 50);
    }

    // The program scales pips for small and large card sizes; the drawing must hold up at both ends.
    void scaledPips_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("size");
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int size : {24, 100})
                for (int suit = 0; suit < 4; ++suit)
                    QTest::addRow("%s %s %d", qPrintable(appdata::symbolStyleCaption(style)), kSuitNames[suit], size)
                        << style << suit << size;
    }

    void scaledPips()
    {
        QFETCH(int, style);
        QFETCH(int, suit);
        QFETCH(int, size);
        const QImage pip = appdata::renderPip(style, suit, size).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(pip.size(), QSize(size, size));
        checkPip(pip, suit, size);
        // Same coverage as the 50 pixel original, give or take antialiasing.
        const QImage original = m_sets.at(style).copy(0, suit * 50, 50, 50);
        const double a = coverage(original), b = coverage(pip);
        QVERIFY2(std::abs(a - b) < 0.07, qPrintable(QStringLiteral("coverage %1 at 50 px, %2 at %3 px")
                                                         .arg(a).arg(b).arg(size)));
    }

    void suitsWithinASetDiffer()
    {
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int a = 0; a < 4; ++a)
                for (int b = a + 1; b < 4; ++b) {
                    const double d = meanDifference(m_sets[style].copy(0, a * 50, 50, 50),
                                                    m_sets[style].copy(0, b * 50, 50, 50));
                    QVERIFY2(d > 8, qPrintable(QStringLiteral("style %1: %2 and %3 look alike")
                                                   .arg(style).arg(kSuitNames[a], kSuitNames[b])));
                }
    }

    void stylesArePairwiseDifferent()
    {
        for (int a = 0; a < appdata::kSymbolStyles; ++a)
            for (int b = a + 1; b < appdata::kSymbolStyles; ++b) {
                const double d = meanDifference(m_sets[a], m_sets[b]);
                QVERIFY2(d > 4, qPrintable(QStringLiteral("%1 and %2 differ by only %3 per channel")
                                               .arg(appdata::symbolStyleCaption(a), appdata::symbolStyleCaption(b))
                                               .arg(d)));
            }
    }

private:
    static double coverage(const QImage &pip)
    {
        return double(measureInk(pip, pip.pixel(0, 0)).count) / (pip.width() * pip.height());
    }

    static void checkPip(const QImage &pip, int suit, int size)
    {
        const QRgb bg = pip.pixel(0, 0);
        QVERIFY2(qGray(bg) > 200, "the ground of a pip must be light");
        for (QPoint corner : {QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            QVERIFY2(channelDistance(pip.pixel(corner), bg) < 40, "pip corners differ");
        const Ink ink = measureInk(pip, bg);
        const double area = double(ink.count) / (size * size);
        QVERIFY2(area > 0.15 && area < 0.8, qPrintable(QStringLiteral("symbol covers %1 of the square").arg(area)));
        // Centred with a margin on every side.
        const int margin = qMax(1, size / 25);
        QVERIFY2(ink.box.left() >= margin && ink.box.top() >= margin && ink.box.right() < size - margin &&
                     ink.box.bottom() < size - margin,
                 qPrintable(QStringLiteral("symbol box %1,%2 %3x%4 touches the edge")
                                .arg(ink.box.x()).arg(ink.box.y()).arg(ink.box.width()).arg(ink.box.height())));
        const QPointF c = QRectF(ink.box).center();
        QVERIFY2(std::abs(c.x() - size / 2.0) < size * 0.08 && std::abs(c.y() - size / 2.0) < size * 0.08,
                 qPrintable(QStringLiteral("symbol centred at %1,%2").arg(c.x()).arg(c.y())));
        QVERIFY2(ink.box.width() > size / 2 && ink.box.height() > size / 2, "symbol too small");
        if (isRedSuit(suit)) {
            QVERIFY2(ink.red > size * size / 16, qPrintable(QStringLiteral("only %1 of %2 ink pixels are red")
                                                                  .arg(ink.red).arg(ink.count)));
            QVERIFY2(ink.dark < size * size / 50, qPrintable(QStringLiteral("%1 black pixels in a red suit").arg(ink.dark)));
        } else {
            QVERIFY2(ink.red == 0, qPrintable(QStringLiteral("%1 red pixels in a black suit").arg(ink.red)));
            QVERIFY2(ink.dark > size * size / 16, qPrintable(QStringLiteral("only %1 of %2 ink pixels are dark")
                                                                   .arg(ink.dark).arg(ink.count)));
        }
    }

    QList<QImage> m_sets;
};

QTEST_MAIN(TestSymbolSets)
#include "tst_symbolsets.moc"
