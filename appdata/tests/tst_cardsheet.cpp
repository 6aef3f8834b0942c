// The blank card sheet as the program reads it: the placement engine mirrors court cards about each
// cell's row 200 and copies the sheet cell by cell, so symmetry and identical cells are hard requirements.

#include "appdata.h"
#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

class TestCardSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_bytes = readAll(appFile(QStringLiteral("Data/Kaarten.krt")));
        QVERIFY2(!m_bytes.isEmpty(), "Data/Kaarten.krt was not generated");
        QVERIFY(m_sheet.loadFromData(m_bytes, "BMP"));
        m_sheet = m_sheet.convertToFormat(QImage::Format_RGB32);
    }

    void isA24BitBmpOfFiftySixCells()
    {
        QCOMPARE(bmpBitsPerPixel(m_bytes), 24);
        QCOMPARE(m_sheet.size(), QSize(3990, 1600));
    }

    void everyCellIsSymmetricAboutRow200()
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 14; ++c) {
                const QImage cell = m_sheet.copy(c * 285, r * 400, 285, 400);
                for (int d = 1; d <= 199; ++d)
                    if (std::memcmp(cell.constScanLine(200 - d), cell.constScanLine(200 + d), 285 * 4) != 0)
                        QFAIL(qPrintable(QStringLiteral("cell %1,%2: row %3 differs from row %4")
                                             .arg(r).arg(c).arg(200 - d).arg(200 + d)));
            }
    }

    void allCellsAreIdentical()
    {
        const QImage first = m_sheet.copy(0, 0, 285, 400);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 14; ++c)
                QVERIFY2(m_sheet.copy(c * 285, r * 400, 285, 400) == first,
                         qPrintable(QStringLiteral("cell %1,%2 differs from cell 0,0").arg(r).arg(c)));
    }

    void cardsSitInsideAUniformBackground()
    {
        const QRgb bg = m_sheet.pixel(0, 0);
        QVERIFY2(channelDistance(bg, qRgb(255, 255, 255)) > 150, "background must contrast with the white card");
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 14; ++c)
                for (int y = 0; y < 400; ++y)
                    for (int x = 0; x < 285; ++x) {
                        const bool margin = x < 8 || x >= 285 - 8 || y < 8 || y >= 400 - 8;
                        if (margin && m_sheet.pixel(c * 285 + x, r * 400 + y) != bg)
                            QFAIL(qPrintable(QStringLiteral("cell %1,%2 pixel %3,%4 is not background")
                                                 .arg(r).arg(c).arg(x).arg(y)));
                    }
    }

    void cardFaceIsWhiteWithOutlineAndRoundCorners()
    {
        const QImage cell = m_sheet.copy(0, 0, 285, 400);
        const QRgb bg = cell.pixel(0, 0);
        QCOMPARE(cell.pixel(142, 200), qRgb(255, 255, 255));
        QCOMPARE(cell.pixel(30, 30), qRgb(255, 255, 255));
        // Walking in from the left edge along row 200: background, then a darker outline, then white.
        int x = 0;
        while (x < 142 && cell.pixel(x, 200) == bg)
            ++x;
        QVERIFY2(x >= 8 && x <= 14, qPrintable(QStringLiteral("card edge at x=%1").arg(x)));
        QVERIFY2(qGray(cell.pixel(x, 200)) < 200 || qGray(cell.pixel(x + 1, 200)) < 200, "no outline");
        // A square card would be white one pixel inside its corner; a rounded one shows background.
        QCOMPARE(cell.pixel(x + 1, x + 1), bg);
        QCOMPARE(cell.pixel(285 - 2 - x, 400 - 2 - x), bg);
    }

    void generatorMatchesTheFile()
    {
        QCOMPARE(appdata::renderCardSheet().convertToFormat(QImage::Format_RGB32), m_sheet);
    }

private:
    QByteArray m_bytes;
    QImage m_sheet;
};

QTEST_MAIN(TestCardSheet)
#include "tst_cardsheet.moc"
