#include "cardsheet.h"
#include "twips.h"

#include <QTest>

using namespace vellora;

class TestCardSheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellOrigin_data();
    void cellOrigin();
    void cellsTileTheSheetWithoutGaps();
    void columnOffsets();
};

void TestCardSheet::cellOrigin_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<QString>("label");
    QTest::newRow("ace of Harten") << 0 << 0 << QPoint(0, 0) << "A";
    QTest::newRow("2 of Klavers") << 1 << 1 << QPoint(4275, 6000) << "2";
    QTest::newRow("10 of Ruiten") << 2 << 9 << QPoint(38475, 12000) << "10";
    QTest::newRow("king of Harten") << 0 << 12 << QPoint(51300, 0) << "K";
    QTest::newRow("joker of Schoppen") << 3 << 13 << QPoint(55575, 18000) << "J";
}

void TestCardSheet::cellOrigin()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QPoint, twips);
    QFETCH(QString, label);
    QCOMPARE(sheet::cellOrigin(row, column), twips);
    QCOMPARE(sheet::rankLabel(column), label);
    QCOMPARE(px(sheet::cellRect(row, column)), QRect(column * 285, row * 400, 285, 400));
}

void TestCardSheet::cellsTileTheSheetWithoutGaps()
{
    QRegion covered;
    for (int r = 0; r < sheet::kRows; ++r)
        for (int c = 0; c < sheet::kColumns; ++c) {
            const QRect cell = px(sheet::cellRect(r, c));
            QVERIFY(!covered.intersects(cell));
            covered += cell;
        }
    QCOMPARE(covered, QRegion(0, 0, sheet::kWidthPixels, sheet::kHeightPixels));
    QCOMPARE(px(sheet::cellRect(3, 13)).bottomRight(), QPoint(3989, 1599));
}

void TestCardSheet::columnOffsets()
{
    KolomX kolom;
    kolom.twips[0] = 0;
    kolom.fill();
    QCOMPARE(kolom[0], 0);
    QCOMPARE(kolom[13], 55575);
    for (int c = 0; c < sheet::kColumns; ++c)
        QCOMPARE(kolom[c], c * 4275);
}

QTEST_GUILESS_MAIN(TestCardSheet)
#include "tst_cardsheet.moc"
