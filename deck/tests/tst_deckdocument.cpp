#include "deck/deckdocument.h"
#include "sheet/cardfinishing.h"
#include "sheet/placementengine.h"
#include "surface/picturefile.h"
#include "tests/support/testsupport.h"

#include <QTest>

using namespace vellora;

namespace {

enum class Operation { Compose, Photo, Joker, New, Open, Recovered };

CardPaste kingsPaste()
{
    return CardPaste{test::gradientPicture(165, 280, 3), {0, 1, 2, 3}, QPoint(12 * 4275 + 900, 900), QSize(2475, 4200)};
}

CardPaste acePaste()
{
    return CardPaste{test::gradientPicture(165, 280, 11), {1}, QPoint(900, 900), QSize(2475, 4200)};
}

CardPaste jokerPaste()
{
    return CardPaste{test::gradientPicture(240, 330, 5), {2}, QPoint(13 * 4275 + 360, 510), QSize(3600, 4950)};
}

// The same change made the way the window made it before the deck had a class of its own: straight on a
// sheet and a history beside it.
struct BarePath
{
    AppFolder folder;
    Surface sheet;
    SheetHistory history{sheet};
    QImage symbols;

    explicit BarePath(AppFolder app) : folder(std::move(app))
    {
        sheet.setPicture(blank());
        symbols = PictureFile::load(folder.resolve(u"\\Data\\hkrs-0.krt")).image;
    }
    QImage blank() const { return PictureFile::load(folder.resolve(u"\\Data\\Kaarten.krt")).image; }

    void apply(Operation operation, const QImage &other)
    {
        const QImage before = sheet.image();
        switch (operation) {
        case Operation::Compose: {
            Surface bar(Surface::Units::Pixels);
            KolomX kolomX;
            NoPacer pacer;
            runPlacement({sheet, symbols, bar, kolomX, pacer});
            history.record(QStringLiteral("Symbolen plaatsen"), before);
            break;
        }
        case Operation::Photo:
            kingsPaste().applyTo(sheet);
            history.record(QStringLiteral("Foto plaatsen"), before);
            break;
        case Operation::Joker:
            jokerPaste().applyTo(sheet);
            history.record(QStringLiteral("Joker plaatsen"), before);
            break;
        case Operation::New:
            sheet.setPicture(blank());
            history.record(QStringLiteral("Nieuw"), before);
            history.stack().setClean();
            break;
        case Operation::Open:
            sheet.setPicture(other);
            history.record(QStringLiteral("Vellora openen"), before);
            history.stack().setClean();
            break;
        case Operation::Recovered:
            sheet.setPicture(other);
            history.record(QStringLiteral("Herstellen"), before);
            if (history.stack().isClean())
                history.stack().resetClean();
            break;
        }
    }
};

} // namespace

class TestDeckDocument : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_app = test::copyOfAppData();

private Q_SLOTS:
    // Each operation leaves the sheet, the history and the saved state exactly as the same change made by
    // hand; a photo pasted first gives every operation something to be undone back to.
    void operationsMatchTheBarePath_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("modified");
        QTest::newRow("compose") << Operation::Compose << "Symbolen plaatsen" << true;
        QTest::newRow("photo") << Operation::Photo << "Foto plaatsen" << true;
        QTest::newRow("joker") << Operation::Joker << "Joker plaatsen" << true;
        QTest::newRow("new") << Operation::New << "Nieuw" << false;
        QTest::newRow("open") << Operation::Open << "Vellora openen" << false;
        QTest::newRow("recovered") << Operation::Recovered << "Herstellen" << true;
    }
    void operationsMatchTheBarePath()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, step);
        QFETCH(bool, modified);
        const AppFolder folder(m_app->path());
        const QImage other = test::gradientPicture(3990, 1600, 9);

        NoPacer pacer;
        DeckDocument deck(folder, pacer);
        deck.loadBlank();
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), acePaste());
        BarePath bare(folder);
        const QImage before = bare.sheet.image();
        acePaste().applyTo(bare.sheet);
        bare.history.record(QStringLiteral("Foto plaatsen"), before);

        switch (operation) {
        case Operation::Compose: QVERIFY(deck.composeDeck()); break;
        case Operation::Photo: deck.pasteOnCards(step, kingsPaste()); break;
        case Operation::Joker: deck.pasteOnCards(step, jokerPaste()); break;
        case Operation::New: deck.newDeck(); break;
        case Operation::Open: deck.openSheet(other, QStringLiteral("mijn deck")); break;
        case Operation::Recovered: deck.restoreRecovered(other); break;
        }
        bare.apply(operation, other);

        QCOMPARE(test::byteDifference(deck.sheet().image(), bare.sheet.image()), QString());
        QCOMPARE(deck.history().undoText(), step);
        QCOMPARE(deck.history().undoableSteps(), bare.history.undoableSteps());
        QCOMPARE(deck.isModified(), modified);
        QCOMPARE(deck.isModified(), !bare.history.stack().isClean());
        QCOMPARE(deck.name(), operation == Operation::Open ? QStringLiteral("mijn deck") : QString());
        deck.undo();
        bare.history.undo();
        QCOMPARE(test::byteDifference(deck.sheet().image(), bare.sheet.image()), QString());
        QCOMPARE(deck.isModified(), !bare.history.stack().isClean());
    }

    // A run takes 52 paced steps; meanwhile every other change is refused, and the run ends as if nothing
    // had been asked of it.
    void aRunRefusesOtherChanges()
    {
        test::SteppedPacer pacer;
        DeckDocument deck(AppFolder(m_app->path()), pacer);
        deck.loadBlank();
        const QImage symbols = deck.symbols();
        QVERIFY(deck.composeDeck());
        QVERIFY(deck.isComposing());
        QCOMPARE(pacer.waiting(), 1);

        QVERIFY(!deck.composeDeck());
        QVERIFY(!deck.chooseSymbolStyle(3));
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), kingsPaste());
        deck.newDeck();
        deck.openSheet(test::gradientPicture(3990, 1600), QStringLiteral("x"));
        deck.undo();
        QCOMPARE(deck.history().undoableSteps(), 0);
        QCOMPARE(deck.symbols(), symbols);

        QCOMPARE(pacer.runAll(), placement::kFinishedCards);
        QVERIFY(!deck.isComposing());
        QCOMPARE(pacer.pauses, QList<int>(placement::kFinishedCards, placement::kPauseMilliseconds));
        QCOMPARE(deck.history().undoableSteps(), 1);
        BarePath bare{AppFolder(m_app->path())};
        bare.apply(Operation::Compose, {});
        QCOMPARE(test::byteDifference(deck.sheet().image(), bare.sheet.image()), QString());
    }

    // A deck destroyed in the middle of a run leaves no step behind that would touch it.
    void aRunEndsWithItsDeck()
    {
        test::SteppedPacer pacer;
        {
            DeckDocument deck(AppFolder(m_app->path()), pacer);
            deck.loadBlank();
            deck.composeDeck();
            pacer.step();
        }
        QCOMPARE(pacer.runAll(), 1);
    }
};

QTEST_MAIN(TestDeckDocument)
#include "tst_deckdocument.moc"
