#include "cardsheet.h"
#include "twips.h"

#include <QTest>

using namespace vellora;

class TestCardSheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QPoint>("twips");
        QTest::addColumn<QString>("label");
        QTest::newRow("ace of Harten") << 0 << 0 << QPoint(0, 0) << "A";
        QTest::newRow("2 of Klavers") << 1 << 1 << QPoint(4275, 6000) << "2";
        QTest::newRow("10 of Ruiten") << 2 << 9 << QPoint(38475, 12000) << "10";
        QTest::newRow("king of Harten") << 0 << 12 << QPoint(51300, 0) << "K";
        QTest::newRow("joker of Schoppen, the sheet's corner") << 3 << 13 << QPoint(55575, 18000) << "J";
    }

    // The cell in twips and pixels, the label, and the column offset the placement engine fills in: every
    // column but the first, which it never writes.
    void cell()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QPoint, twips);
        QFETCH(QString, label);
        QCOMPARE(sheet::cellOrigin(row, column), twips);
        QCOMPARE(sheet::rankLabel(column), label);
        QCOMPARE(px(sheet::cellRect(row, column)), QRect(column * 285, row * 400, 285, 400));
        QCOMPARE(px(QRect(0, 0, sheet::kWidth, sheet::kHeight)).size(), QSize(sheet::kWidthPixels, sheet::kHeightPixels));
        KolomX kolom;
        kolom.twips.fill(-1);
        kolom.fill();
        QCOMPARE(kolom[column], column ? twips.x() : -1);
    }
};

QTEST_GUILESS_MAIN(TestCardSheet)
#include "tst_cardsheet.moc"
