// Symbol sets are cut into four 50 x 50 squares and pasted whole onto white cards, so each square must be
// a centred, correctly coloured suit on a light ground, and the ten styles must really differ.

#include "appdata.h"
#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

namespace {
const char *const kSuitNames[4] = {"hearts", "clubs", "diamonds", "spades"};
}

class TestSymbolSets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (int style = 0; style < appdata::kSymbolStyles; ++style) {
            m_sets.append(bmp24(QStringLiteral("Data/Hkrs-%1.krt").arg(style)));
            QCOMPARE(m_sets.last().size(), QSize(50, 200));
        }
    }

    void squares_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("suit");
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int suit = 0; suit < 4; ++suit)
                QTest::addRow("%s %s", qPrintable(appdata::symbolStyleCaption(style)), kSuitNames[suit]) << style << suit;
    }

    // A light ground; a symbol covering 15 to 80 % of the square, centred, over half the square each way and
    // clear of the edges by 2 pixels; hearts and diamonds red, clubs and spades black.
    void squares()
    {
        QFETCH(int, style);
        QFETCH(int, suit);
        const QImage pip = m_sets.at(style).copy(0, suit * 50, 50, 50);
        const QRgb bg = pip.pixel(0, 0);
        QVERIFY2(qGray(bg) > 200, "the ground of a pip must be light");
        const Ink ink = measureInk(pip, bg);
        QVERIFY2(ink.count > 375 && ink.count < 2000, qPrintable(QStringLiteral("%1 ink pixels").arg(ink.count)));
        const QPointF c = QRectF(ink.box).center();
        QVERIFY2(QRect(2, 2, 46, 46).contains(ink.box) && ink.box.width() > 25 && ink.box.height() > 25
                     && std::abs(c.x() - 25) < 4 && std::abs(c.y() - 25) < 4,
                 qPrintable(QStringLiteral("symbol box %1,%2 %3x%4").arg(ink.box.x()).arg(ink.box.y())
                                .arg(ink.box.width()).arg(ink.box.height())));
        if (suit == 0 || suit == 2)
            QVERIFY2(ink.red > 156 && ink.dark < 50, qPrintable(QStringLiteral("%1 red, %2 black").arg(ink.red).arg(ink.dark)));
        else
            QVERIFY2(ink.red == 0 && ink.dark > 156, qPrintable(QStringLiteral("%1 red, %2 black").arg(ink.red).arg(ink.dark)));
    }

    void stylesAndSuitsDiffer()
    {
        QVERIFY2(alikePair(m_sets, 4).isEmpty(), qPrintable(QStringLiteral("styles ") + alikePair(m_sets, 4)));
        for (const QImage &set : m_sets) {
            const QList<QImage> suits{set.copy(0, 0, 50, 50), set.copy(0, 50, 50, 50), set.copy(0, 100, 50, 50),
                                      set.copy(0, 150, 50, 50)};
            QVERIFY2(alikePair(suits, 8).isEmpty(), qPrintable(QStringLiteral("suits ") + alikePair(suits, 8)));
        }
    }

private:
    QList<QImage> m_sets;
};

QTEST_MAIN(TestSymbolSets)
#include "tst_symbolsets.moc"
