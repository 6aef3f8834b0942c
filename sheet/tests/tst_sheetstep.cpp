#include "sheet/sheetstep.h"
#include "tests/support/testsupport.h"

#include <QtTest>
#include <functional>

using namespace vellora;
using test::byteDifference;

namespace {

// Something in every pixel, so that no change can hide in a flat colour.
const QImage busySheet = test::gradientPicture(3990, 1600);

using Change = std::function<QImage(QImage)>;

// The sheet with these areas painted over; a palette takes the index of its last colour.
Change filled(QList<QRect> areas)
{
    return [areas](QImage sheet) {
        const uint value = sheet.colorCount() ? uint(sheet.colorCount() - 1) : qRgb(200, 10, 30);
        for (const QRect &area : areas)
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    sheet.setPixel(x, y, value);
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
        QTest::addColumn<QPoint>("card");
        QTest::addColumn<qint64>("patchBytes"); // what a patch step may hold at most; 0 for a whole sheet
        const QImage busy = busySheet, paletted = busy.convertToFormat(QImage::Format_Indexed8);
        const QRect ace(60, 460, 165, 280), joker(3729, 34, 240, 330);
        const Change fresh = [](const QImage &) { return busySheet; };
        const QList<QRect> jokers{joker, joker.translated(0, 400), joker.translated(0, 800),
                                  joker.translated(0, 1200)};
        const Change otherFormat = [](const QImage &s) { return s.convertToFormat(QImage::Format_ARGB32); };
        auto row = [](const char *name, const QImage &before, const Change &change, QPoint card, qint64 max) {
            QTest::newRow(name) << before << change << card << max;
        };
        row("photo on the ace of Klavers", busy, filled({ace}), {0, 1}, 2 * 165 * 280 * 4);
        row("joker on all four rows", busy, filled(jokers), {13, 0}, 4 * 2 * 240 * 330 * 4);
        row("one pixel of the last card", busy, filled({QRect(3989, 1599, 1, 1)}), {13, 3}, 8);
        row("across two cards: two rectangles", busy, filled({QRect(280, 10, 10, 5)}), {0, 0}, 2 * 50 * 4);
        row("paletted sheet", paletted, filled({ace}), {0, 1}, 2 * 168 * 280); // rows padded to whole words
        row("placement run over most cards", busy, filled({QRect(0, 0, 3705, 1600)}), {}, 0);
        row("new sheet of another format", busy, otherFormat, {}, 0);
        row("opened over no sheet", QImage(), fresh, {}, 0);
        row("paletted sheet replaced", paletted, fresh, {}, 0);
        row("sheet of another size", test::gradientPicture(3989, 1600), fresh, {}, 0);
    }

    void undoAndRedoGiveTheExactSheets()
    {
        QFETCH(QImage, before);
        QFETCH(Change, change);
        QFETCH(QPoint, card);
        QFETCH(qint64, patchBytes);
        const QImage after = change(before);
        const SheetStep step = SheetStep::between(before, after);
        QCOMPARE(step.isWholeSheet(), patchBytes == 0);
        QCOMPARE(step.card(), card);
        QVERIFY2(patchBytes == 0 || step.bytes() <= patchBytes, qPrintable(QString::number(step.bytes())));
        QImage sheet = after;
        for (int round = 0; round < 2; ++round) {
            QVERIFY(step.undo(sheet));
            QCOMPARE(byteDifference(sheet, before), QString());
            QVERIFY(step.redo(sheet));
            QCOMPARE(byteDifference(sheet, after), QString());
        }
    }

    // No change is no step, sheet or not; a patch step leaves a sheet of another size or format alone.
    void nothingChangedAndAnotherSheet()
    {
        const QImage before = busySheet;
        QVERIFY(SheetStep::between(before, before.copy()).isEmpty());
        QVERIFY(SheetStep::between(QImage(), QImage()).isEmpty());
        const SheetStep step = SheetStep::between(before, filled({QRect(10, 10, 4, 4)})(before));
        QImage other(100, 100, QImage::Format_RGB32),
            otherFormat = before.convertToFormat(QImage::Format_RGB888);
        other.fill(Qt::blue);
        QVERIFY(SheetStep::between(other, other.copy()).isEmpty());
        QVERIFY(!step.undo(other));
        QVERIFY(!step.redo(otherFormat));
        QCOMPARE(other.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(byteDifference(otherFormat, before.convertToFormat(QImage::Format_RGB888)), QString());
    }
};

QTEST_MAIN(TestSheetStep)
#include "tst_sheetstep.moc"
