// The shipped court figures on the deck: each rank's figure on one suit or all four, every court card at
// once, each as one step that undo takes back, kept by Save and Open, and printed from its own drawing.

#include "deck/deckdocument.h"
#include "placement/cardtargets.h"
#include "placement/courtfigures.h"
#include "project/projectstore.h"
#include "surface/masterdrawing.h"
#include "surface/picturefile.h"
#include "tests/support/testsupport.h"

#include <QTest>
#include <cstring>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

NoPacer straight;

struct Placed
{
    QPoint card; // column, row
    KaartSoort soort;
    int suit; // of the figure
};

// The picture area of a card, in the sheet's pixels at `scale` (3 for the master).
QRect areaOf(QPoint card, int scale = 1)
{
    return QRect(QPoint(card.x() * 285 + 60, card.y() * 400 + 60) * scale, QSize(165, 280) * scale);
}

using test::rgb;

// Empty when every placed card shows its figure's file in its picture area at 1x and the figure's own
// drawing at 3x, and nothing else of either picture changed.
QString showsFigures(const AppFolder &app, const QList<Placed> &placed, const QImage &sheet,
                     const QImage &master, const QImage &sheetBefore, const QImage &masterBefore)
{
    QImage expectedSheet = rgb(sheetBefore), expectedMaster = rgb(masterBefore);
    for (const Placed &p : placed) {
        const QString file = app.resolve(courts::relativePath(p.soort, p.suit));
        const QImage figure = rgb(PictureFile::load(file).value_or(QImage()));
        const QImage drawing = rgb(QImage(masterdrawing::pathBeside(file)));
        if (figure.size() != QSize(165, 280) || drawing.size() != QSize(495, 840))
            return u"no figure in "_s + file;
        for (int y = 0; y < 280; ++y)
            std::memcpy(expectedSheet.scanLine(areaOf(p.card).top() + y) + areaOf(p.card).left() * 4,
                        figure.constScanLine(y), 165 * 4);
        for (int y = 0; y < 840; ++y)
            std::memcpy(expectedMaster.scanLine(areaOf(p.card, 3).top() + y) + areaOf(p.card, 3).left() * 4,
                        drawing.constScanLine(y), 495 * 4);
    }
    const QString onSheet = test::firstDifference(rgb(sheet), expectedSheet);
    if (!onSheet.isEmpty())
        return u"sheet: "_s + onSheet;
    const QString onMaster = test::firstDifference(rgb(master), expectedMaster);
    return onMaster.isEmpty() ? QString() : u"master: "_s + onMaster;
}

} // namespace

Q_DECLARE_METATYPE(Placed)

class TestCourtCards : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_app = test::copyOfAppData();

private Q_SLOTS:
    void placedFigures_data()
    {
        QTest::addColumn<int>("soort");  // a court rank, or -1 for every court card at once
        QTest::addColumn<int>("suit");   // of the figure chosen
        QTest::addColumn<int>("option"); // the target: 0 all four, 1 to 4 one suit row
        QTest::addColumn<QList<Placed>>("placed");
        const auto row = [](KaartSoort soort, int suit, int option) {
            QList<Placed> placed;
            for (int r : targets::rowsOf(option))
                placed.append({QPoint(targets::rankColumn(soort), r), soort, suit});
            QTest::addRow("%s of suit %d, option %d", qPrintable(courts::caption(soort, suit)), suit, option)
                << int(soort) << suit << option << placed;
        };
        row(KaartSoort::Boer, 2, 3);   // the Boer of Ruiten on its own card
        row(KaartSoort::Vrouw, 3, 1);  // the Vrouw of Schoppen on the Vrouw of Harten
        row(KaartSoort::Koning, 0, 0); // the Koning of Harten on all four kings
        QList<Placed> every;
        for (KaartSoort soort : {KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning})
            for (int suit = 0; suit < 4; ++suit)
                every.append({QPoint(targets::rankColumn(soort), suit), soort, suit});
        QTest::newRow("every court card its own figure") << -1 << 0 << 0 << every;
    }

    // Placed as one step over a composed deck: the figure's pixels on the sheet and its drawing in the
    // master (which is the figure: tst_appdata); Save and Open keep both; undo gives the deck back.
    void placedFigures()
    {
        QFETCH(int, soort);
        QFETCH(int, suit);
        QFETCH(int, option);
        QFETCH(QList<Placed>, placed);
        const AppFolder app(m_app->path());
        DeckDocument deck(app, straight);
        deck.loadBlank();
        QVERIFY(deck.composeDeck());
        const QImage sheetBefore = deck.sheet().image().copy();
        const PrintRecord recordBefore = deck.printRecord();
        const QImage masterBefore = recordBefore.render();

        if (soort < 0) {
            const std::vector<CardPaste> every = courts::everyCourtCard(app);
            QCOMPARE(int(every.size()), 12);
            deck.pasteOnCards(u"Hofkaarten plaatsen"_s, every);
        } else {
            CourtBrowser browser(app, static_cast<KaartSoort>(soort));
            QVERIFY(browser.show(suit));
            deck.pasteOnCards(u"Hofkaart plaatsen"_s, browser.chosen(option));
        }
        QCOMPARE(deck.history().undoText(), soort < 0 ? u"Hofkaarten plaatsen"_s : u"Hofkaart plaatsen"_s);
        const QImage sheet = deck.sheet().image().copy(), master = deck.printRecord().render();
        QCOMPARE(showsFigures(app, placed, sheet, master, sheetBefore, masterBefore), QString());

        const ProjectStore store{app};
        QVERIFY(store.save(sheet, u"hof"_s).ok());
        QVERIFY(store.saveCompanion(deck.printRecord(), u"hof"_s, sheet).ok());
        const Result<QImage> opened = store.open(u"hof"_s);
        const std::optional<PrintRecord> record = store.openCompanion(u"hof"_s);
        QVERIFY(opened && record);
        DeckDocument reopened(app, straight);
        reopened.loadBlank();
        reopened.openSheet(*opened, u"hof"_s, *record);
        QCOMPARE(test::firstDifference(rgb(reopened.sheet().image()), rgb(sheet)), QString());
        QCOMPARE(test::firstDifference(rgb(reopened.printRecord().render()), rgb(master)), QString());

        deck.undo();
        QCOMPARE(test::byteDifference(deck.sheet().image(), sheetBefore), QString());
        QCOMPARE(test::firstDifference(rgb(deck.printRecord().render()), rgb(masterBefore)), QString());
        QCOMPARE(deck.history().undoText(), u"Symbolen plaatsen"_s);
    }

    // A figure replaced by hand no longer matches its drawing: the master enlarges the file instead, and a
    // file that is no figure of the picture area's size is not offered at all.
    void aFigureReplacedByHandIsEnlarged()
    {
        auto app = test::copyOfAppData();
        const AppFolder folder(app->path());
        const QString koning = folder.resolve(courts::relativePath(KaartSoort::Koning, 1));
        QVERIFY(test::writeBytes(koning, test::imageFile(test::gradientPicture(165, 280, 4), "BMP")));
        const QString boer = folder.resolve(courts::relativePath(KaartSoort::Boer, 2));
        QVERIFY(test::writeBytes(boer, test::imageFile(test::gradientPicture(240, 330, 4), "BMP")));

        const CardPaste replaced = courts::figure(folder, KaartSoort::Koning, 1, {1});
        QCOMPARE(test::firstDifference(rgb(replaced.picture), rgb(test::gradientPicture(165, 280, 4))),
                 QString());
        QVERIFY(replaced.master.isNull());
        QVERIFY(courts::figure(folder, KaartSoort::Boer, 2, {2}).isEmpty());
        QCOMPARE(int(courts::everyCourtCard(folder).size()), 11);
        QCOMPARE(courts::figure(folder, KaartSoort::Vrouw, 0, {0}).master.size(), QSize(495, 840));
    }
};

QTEST_MAIN(TestCourtCards)
#include "tst_courtcards.moc"
