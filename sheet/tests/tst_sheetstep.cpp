#include "sheetstep.h"
#include "testsupport.h"

#include <QtTest>

#include <functional>

using namespace vellora;

namespace {

// A sheet with something in every pixel, so that no change can hide in a flat colour.
QImage busySheet(QImage::Format format = QImage::Format_RGB32)
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return sheet.convertToFormat(format);
}

void fill(QImage &sheet, const QRect &area, QRgb colour)
{
    const uint value = sheet.colorCount() ? uint(sheet.colorCount() - 1) : colour; // a palette takes an index
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sheet.setPixel(x, y, value);
}

using Change = std::function<QImage(QImage)>;

Change filled(QList<QRect> areas)
{
    return [areas](QImage sheet) {
        for (const QRect &area : areas)
            fill(sheet, area, qRgb(200, 10, 30));
        return sheet;
    };
}

} // namespace

class TestSheetStep : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoAndRedoGiveTheExactSheets_data()
    {
        QTest::addColumn<QImage>("before");
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QPoint>("card");
        QTest::addColumn<qint64>("patchBytes"); // what a patch step may hold at most; 0 for whole sheets
        const QImage busy = busySheet();
        const QRect acePicture(60, 460, 165, 280), jokerArea(3729, 34, 240, 330);
        QTest::newRow("photo on the ace of Klavers")
            << busy << filled({acePicture}) << false << QPoint(0, 1) << 2 * 165 * 280 * 4ll;
        QTest::newRow("joker on all four rows")
            << busy << filled({jokerArea, jokerArea.translated(0, 400), jokerArea.translated(0, 800),
                               jokerArea.translated(0, 1200)})
            << false << QPoint(13, 0) << 4 * 2 * 240 * 330 * 4ll;
        QTest::newRow("one pixel of the last card")
            << busy << filled({QRect(3989, 1599, 1, 1)}) << false << QPoint(13, 3) << 8ll;
        QTest::newRow("across two cards keeps two rectangles")
            << busy << filled({QRect(280, 10, 10, 5)}) << false << QPoint(0, 0) << 2 * 50 * 4ll;
        QTest::newRow("paletted sheet")
            << busy.convertToFormat(QImage::Format_Indexed8) << filled({acePicture}) << false << QPoint(0, 1)
            << 2 * 168 * 280ll; // rows padded to whole words
        QTest::newRow("placement run over most cards")
            << busy << filled({QRect(0, 0, 3705, 1600)}) << true << QPoint(0, 0) << 0ll;
        QTest::newRow("new sheet of another format")
            << busy << Change([](const QImage &s) { return s.convertToFormat(QImage::Format_ARGB32); }) << true
            << QPoint(0, 0) << 0ll;
        QTest::newRow("opened over no sheet")
            << QImage() << Change([](const QImage &) { return busySheet(); }) << true << QPoint(0, 0) << 0ll;
        QTest::newRow("sheet of another size")
            << QImage(3989, 1600, QImage::Format_RGB32) << Change([](const QImage &) { return busySheet(); })
            << true << QPoint(0, 0) << 0ll;
    }

    void undoAndRedoGiveTheExactSheets()
    {
        QFETCH(QImage, before);
        QFETCH(Change, change);
        QFETCH(bool, whole);
        QFETCH(QPoint, card);
        QFETCH(qint64, patchBytes);
        if (before.size() == QSize(3989, 1600))
            before.fill(Qt::gray);
        const QImage after = change(before);
        const SheetStep step = SheetStep::between(before, after);
        QVERIFY(!step.isEmpty());
        QCOMPARE(step.isWholeSheet(), whole);
        QCOMPARE(step.card(), card);
        if (!whole)
            QVERIFY2(step.bytes() <= patchBytes, qPrintable(QString::number(step.bytes())));

        QImage sheet = after;
        for (int round = 0; round < 2; ++round) {
            QVERIFY(step.undo(sheet));
            QCOMPARE(test::byteDifference(sheet, before), QString());
            QVERIFY(step.redo(sheet));
            QCOMPARE(test::byteDifference(sheet, after), QString());
        }
    }

    void nothingChangedIsNoStep()
    {
        const QImage sheet = busySheet();
        QVERIFY(SheetStep::between(sheet, sheet.copy()).isEmpty());
        QVERIFY(SheetStep::between(QImage(), QImage()).isEmpty());
    }

    void aPatchRefusesAnotherSheet()
    {
        const QImage before = busySheet();
        const SheetStep step = SheetStep::between(before, filled({QRect(10, 10, 4, 4)})(before));
        QImage other(100, 100, QImage::Format_RGB32), otherFormat = before.convertToFormat(QImage::Format_RGB888);
        other.fill(Qt::blue);
        const QImage untouched = other;
        QVERIFY(!step.undo(other));
        QVERIFY(!step.redo(otherFormat));
        QCOMPARE(other, untouched);
    }
};

QTEST_MAIN(TestSheetStep)
#include "tst_sheetstep.moc"
