// The blank card sheet as the program reads it: the placement engine mirrors the cards about each cell's
// row 200 and copies the sheet cell by cell, so symmetry and identical cells are hard requirements.

#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

class TestCardSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_sheet = bmp24(QStringLiteral("Data/Kaarten.krt"));
        QCOMPARE(m_sheet.size(), QSize(3990, 1600));
    }

    // A white card with a darker outline and round corners, 8 to 14 pixels in from the cell's edge, on a
    // background that contrasts with it.
    void cardFace()
    {
        const QRgb bg = m_sheet.pixel(0, 0);
        QVERIFY2(channelDistance(bg, qRgb(255, 255, 255)) > 150, "background must contrast with the white card");
        QCOMPARE(m_sheet.pixel(142, 200), qRgb(255, 255, 255));
        QCOMPARE(m_sheet.pixel(30, 30), qRgb(255, 255, 255));
        int x = 0;
        while (x < 142 && m_sheet.pixel(x, 200) == bg)
            ++x;
        QVERIFY2(x >= 8 && x <= 14, qPrintable(QStringLiteral("card edge at x=%1").arg(x)));
        QVERIFY2(qGray(m_sheet.pixel(x, 200)) < 200 || qGray(m_sheet.pixel(x + 1, 200)) < 200, "no outline");
        QCOMPARE(m_sheet.pixel(x + 1, x + 1), bg); // a square card would be white one pixel inside its corner
        QCOMPARE(m_sheet.pixel(285 - 2 - x, 400 - 2 - x), bg);
    }

    void cells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 14; ++c)
                QTest::addRow("%d,%d", r, c) << r << c;
    }

    // Each cell the same as the first, a mirror image about its row 200, and background in its 8-pixel margin.
    void cells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        const QImage cell = m_sheet.copy(column * 285, row * 400, 285, 400);
        QVERIFY(cell == m_sheet.copy(0, 0, 285, 400));
        for (int d = 1; d <= 199; ++d)
            QVERIFY2(std::memcmp(cell.constScanLine(200 - d), cell.constScanLine(200 + d), 285 * 4) == 0,
                     qPrintable(QStringLiteral("row %1 differs from row %2").arg(200 - d).arg(200 + d)));
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 285; ++x)
                if ((x < 8 || x >= 285 - 8 || y < 8 || y >= 400 - 8) && cell.pixel(x, y) != m_sheet.pixel(0, 0))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not background").arg(x).arg(y)));
    }

private:
    QImage m_sheet;
};

QTEST_MAIN(TestCardSheet)
#include "tst_cardsheet.moc"
