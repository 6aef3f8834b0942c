#include "margins.h"
#include "pageink.h"
#include "pagetables.h"
#include "platform.h"
#include "printjobs.h"
#include "surface.h"
#include "testsupport.h"

#include <QtTest>

using namespace vellora;
using printtest::addressedSheet;

namespace {

// A printer that fails at a chosen step and remembers how far it got.
class FailingTarget final : public PrintTarget
{
public:
    bool failBegin = false;
    bool failEnd = false;
    int begun = 0, painted = 0, ended = 0;
    bool begin(QPageLayout::Orientation, QString *error) override
    {
        ++begun;
        if (failBegin)
            *error = QStringLiteral("offline");
        return !failBegin;
    }
    void paintPicture(const QImage &, const QRect &) override { ++painted; }
    bool end(QString *error) override
    {
        ++ended;
        if (failEnd)
            *error = QStringLiteral("job lost");
        return !failEnd;
    }
};

} // namespace

class TestPrintJobs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void marginText_data();
    void marginText();
    void facePagePlacement_data();
    void facePagePlacement();
    void facePageCarriesItsSheetRectangle_data();
    void facePageCarriesItsSheetRectangle();
    void backPlacement_data();
    void backPlacement();
    void failuresAreNeverReportedPrinted_data();
    void failuresAreNeverReportedPrinted();
};

void TestPrintJobs::marginText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("twips"); // -1: refused as a position
    QTest::newRow("default top") << "40" << 600;
    QTest::newRow("default left") << "10" << 150;
    QTest::newRow("letters after the number") << "25abc" << 375;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("beyond the list") << "150" << 2250;
    QTest::newRow("leading blanks") << "  7" << 105;
    QTest::newRow("blank inside ends the number") << "1 2" << 15;
    QTest::newRow("negative") << "-2" << -30;
    QTest::newRow("plus sign") << "+3" << 45;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("fraction rounds to whole twips") << "2.5" << 38;
    QTest::newRow("second point ends the number") << "1.5.5" << 23;
    QTest::newRow("fraction without units") << ".5" << 8;
    QTest::newRow("no exponent") << "1e3" << 15;
    QTest::newRow("no hexadecimal") << "0x10" << 0;
    QTest::newRow("blank before sign only") << " - 4" << 0;
    QTest::newRow("largest accepted") << "66666666" << 999999990;
    QTest::newRow("too large for a page") << "66666667" << -1;
    QTest::newRow("too large for a double") << QString(400, u'9') << -1;
    QTest::newRow("too far negative") << "-99999999999" << -1;
}

void TestPrintJobs::marginText()
{
    QFETCH(QString, text);
    QFETCH(int, twips);
    const std::optional<int> got = print::marginTwips(text);
    if (twips == -1) {
        QVERIFY2(!got, qPrintable(QString::number(got.value_or(0))));
    } else {
        QVERIFY(got);
        QCOMPARE(*got, twips);
    }
}

void TestPrintJobs::facePagePlacement_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QRect>("printed");
    QTest::addColumn<QSize>("pictureSize"); // pixels of the working picture
    for (int page = 1; page <= 6; ++page) {
        const int width = (page % 3 == 0) ? 12860 : 16200;
        const int pixels = (page % 3 == 1) ? 1430 : (page % 3 == 2) ? 1426 : 1134;
        QTest::addRow("page %d, default margins", page) << page << "40" << "10" << QRect(150, 600, width, 10200)
                                                        << QSize(pixels, 800);
    }
    QTest::newRow("page 1 at the paper's corner") << 1 << "0" << "0" << QRect(0, 0, 16200, 10200) << QSize(1430, 800);
    QTest::newRow("page 6 typed margins") << 6 << "150" << "25abc" << QRect(375, 2250, 12860, 10200)
                                          << QSize(1134, 800);
    QTest::newRow("page 2 no numbers") << 2 << "x" << "" << QRect(0, 0, 16200, 10200) << QSize(1426, 800);
}

void TestPrintJobs::facePagePlacement()
{
    QFETCH(int, page);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QRect, printed);
    QFETCH(QSize, pictureSize);

    RecordingPrintTarget target;
    Surface working;
    const print::PrintOutcome outcome =
        print::printFacePage(addressedSheet(), print::facePage(page), top, left, working, target);
    QVERIFY2(outcome.printed, qPrintable(outcome.reason));
    QCOMPARE(target.orientation, QPageLayout::Landscape);
    QCOMPARE(target.pagesEnded, 1);
    QCOMPARE(target.placements.size(), size_t(1));
    QCOMPARE(target.placements[0].twips, printed);
    QCOMPARE(target.placements[0].picture.size(), pictureSize);
}

void TestPrintJobs::facePageCarriesItsSheetRectangle_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QRect>("sheetPixels"); // the part of the sheet the page must carry, cut at its right edge
    // 21430 twips is 1428.67 pixels: the copy starts at the nearest pixel, 1429.
    QTest::newRow("1") << 1 << QRect(0, 0, 1430, 800);
    QTest::newRow("2") << 2 << QRect(1429, 0, 1426, 800);
    QTest::newRow("3") << 3 << QRect(2854, 0, 1134, 800);
    QTest::newRow("4") << 4 << QRect(0, 800, 1430, 800);
    QTest::newRow("5") << 5 << QRect(1429, 800, 1426, 800);
    QTest::newRow("6") << 6 << QRect(2854, 800, 1134, 800);
}

void TestPrintJobs::facePageCarriesItsSheetRectangle()
{
    QFETCH(int, page);
    QFETCH(QRect, sheetPixels);
    const QImage sheet = addressedSheet();
    RecordingPrintTarget target;
    Surface working;
    QVERIFY(print::printFacePage(sheet, print::facePage(page), "40", "10", working, target).printed);
    const QImage printed = target.placements.at(0).picture;
    const QString diff = test::firstDifference(printed.convertToFormat(QImage::Format_RGB32), sheet.copy(sheetPixels));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestPrintJobs::backPlacement_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QSize>("backSize");
    QTest::addColumn<QRect>("printed");
    QTest::newRow("defaults, small back") << "0" << "0" << QSize(100, 150) << QRect(0, 0, 12000, 16900);
    QTest::newRow("defaults, large back") << "0" << "0" << QSize(1200, 1700) << QRect(0, 0, 12000, 16900);
    QTest::newRow("margins") << "10" << "20" << QSize(152, 212) << QRect(300, 150, 12000, 16900);
    QTest::newRow("fractions are not rounded away") << "0.2" << "1.1" << QSize(10, 10) << QRect(17, 3, 12000, 16900);
}

void TestPrintJobs::backPlacement()
{
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QSize, backSize);
    QFETCH(QRect, printed);
    QImage back(backSize, QImage::Format_RGB32);
    back.fill(QColor(10, 80, 160));
    RecordingPrintTarget target;
    const print::PrintOutcome outcome = print::printBack(back, top, left, target);
    QVERIFY2(outcome.printed, qPrintable(outcome.reason));
    QCOMPARE(target.orientation, QPageLayout::Portrait);
    QCOMPARE(target.pagesEnded, 1);
    QCOMPARE(target.placements.size(), size_t(1));
    QCOMPARE(target.placements[0].twips, printed);
    // The whole back goes to the printer, stretched there, whatever the preview shows of it.
    QCOMPARE(target.placements[0].picture, back);
}

void TestPrintJobs::failuresAreNeverReportedPrinted_data()
{
    QTest::addColumn<bool>("face");
    QTest::addColumn<QString>("top");
    QTest::addColumn<bool>("failBegin");
    QTest::addColumn<bool>("failEnd");
    QTest::addColumn<bool>("noBack");
    QTest::addColumn<int>("begun"); // a page begun for an unusable margin would come out blank
    for (const bool face : {true, false}) {
        const char *kind = face ? "face" : "back";
        QTest::addRow("%s: margin no position", kind) << face << "99999999" << false << false << false << 0;
        QTest::addRow("%s: printer refuses to begin", kind) << face << "0" << true << false << false << 1;
        QTest::addRow("%s: printer loses the page", kind) << face << "0" << false << true << false << 1;
    }
    QTest::newRow("back: nothing to print") << false << "0" << false << false << true << 0;
}

void TestPrintJobs::failuresAreNeverReportedPrinted()
{
    QFETCH(bool, face);
    QFETCH(QString, top);
    QFETCH(bool, failBegin);
    QFETCH(bool, failEnd);
    QFETCH(bool, noBack);
    QFETCH(int, begun);
    FailingTarget target;
    target.failBegin = failBegin;
    target.failEnd = failEnd;
    Surface working;
    const QImage sheet = addressedSheet();
    const print::PrintOutcome outcome = face ? print::printFacePage(sheet, print::facePage(3), top, "10", working, target)
                                             : print::printBack(noBack ? QImage() : sheet, top, "0", target);
    QVERIFY(!outcome.printed);
    QVERIFY(!outcome.reason.isEmpty());
    QCOMPARE(target.begun, begun);
    QCOMPARE(target.painted, failBegin || begun == 0 ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
