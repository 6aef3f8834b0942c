#include "sheethistory.h"
#include "surface.h"
#include "testsupport.h"

#include <QtTest>

using namespace vellora;

namespace {

// Sheet n differs from every other in every pixel; its top rows are noise that packs to its full size, like
// a photo.
QImage noiseSheet(quint32 n)
{
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    sheet.fill(qRgb(int(n), 255 - int(n), 128));
    quint32 state = n * 2654435761u + 1;
    auto *pixel = reinterpret_cast<quint32 *>(sheet.bits());
    for (qsizetype i = 0; i < 40 * 3990; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        pixel[i] = state | 0xff000000u;
    }
    return sheet;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newStepAfterUndoDropsRedo()
    {
        Surface sheet;
        sheet.setPicture(noiseSheet(0));
        SheetHistory history(sheet);
        const QImage first = sheet.image();
        QImage second = first;
        second.setPixel(5, 5, qRgb(1, 2, 3));
        sheet.setPicture(second);
        history.record(QStringLiteral("Foto plaatsen"), first);
        QCOMPARE(history.undoText(), QStringLiteral("Foto plaatsen"));
        history.undo();
        QCOMPARE(test::byteDifference(sheet.image(), first), QString());
        QCOMPARE(history.redoText(), QStringLiteral("Foto plaatsen"));

        QImage third = first;
        third.setPixel(3000, 1500, qRgb(9, 9, 9));
        sheet.setPicture(third);
        history.record(QStringLiteral("Joker plaatsen"), first);
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undoableSteps(), 1);
        history.redo(); // nothing left to redo: the sheet stays
        QCOMPARE(test::byteDifference(sheet.image(), third), QString());
        history.undo();
        QCOMPARE(test::byteDifference(sheet.image(), first), QString());
        QVERIFY(!history.canUndo());
    }

    void memoryBoundDropsTheOldestFirst()
    {
        Surface sheet;
        sheet.setPicture(noiseSheet(0));
        const qint64 budget = 16 << 20; // some 12 steps of these sheets
        SheetHistory history(sheet, budget);
        for (quint32 n = 1; n <= 60; ++n) {
            const QImage before = sheet.image();
            sheet.setPicture(noiseSheet(n));
            history.record(QStringLiteral("Symbolen plaatsen"), before);
            QVERIFY2(history.bytes() <= budget, qPrintable(QString::number(n)));
        }
        const int kept = history.undoableSteps();
        QVERIFY2(kept >= 4 && kept < 60, qPrintable(QString::number(kept)));
        // The newest steps are the ones left, and they still give back their exact sheets.
        while (history.canUndo())
            history.undo();
        QCOMPARE(test::byteDifference(sheet.image(), noiseSheet(60 - kept)), QString());
        QVERIFY(!history.canUndo());
        QCOMPARE(history.undoText(), QString());
        for (int i = 0; i < kept; ++i)
            history.redo();
        QCOMPARE(test::byteDifference(sheet.image(), noiseSheet(60)), QString());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
