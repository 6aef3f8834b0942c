#include "deck/deckdocument.h"
#include "placement/photoframing.h"
#include "sheet/cardfinishing.h"
#include "sheet/placementengine.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <atomic>
#include <thread>
#include <vector>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

NoPacer straight;

// A deck on the blank sheet of the application folder at `app`.
struct DeckOnBlank : DeckDocument
{
    explicit DeckOnBlank(const QString &app, Pacer &pacer = straight) : DeckDocument(AppFolder(app), pacer)
    {
        loadBlank();
    }
};

// A photo on the four kings, another on one ace, a joker on one row.
const auto kingsPaste = [] {
    return CardPaste{
        test::gradientPicture(165, 280, 3), {0, 1, 2, 3}, {12 * 4275 + 900, 900}, {2475, 4200}, {}};
};
const auto acePaste = [] {
    return CardPaste{test::gradientPicture(165, 280, 11), {1}, QPoint(900, 900), QSize(2475, 4200), {}};
};
const auto jokerPaste = [] {
    return CardPaste{test::gradientPicture(240, 330, 5), {2}, {13 * 4275 + 360, 510}, {3600, 4950}, {}};
};

// A data file or its drawing at the master's size damaged as by hand or a failing disk.
using Damage = std::function<bool(const QString &file, const QString &drawing)>;

// The data file replaced by hand with another picture of its size.
bool replaced(const QString &file, const QString & = {})
{
    const QImage old(file, "BMP");
    return test::writeBytes(file,
                            test::imageFile(test::gradientPicture(old.width(), old.height(), 4), "BMP"));
}

// Sheet n differs from every other in every pixel; noise in its top rows packs no smaller, like a photo.
QImage noiseSheet(quint32 n)
{
    QImage sheet = test::solidPicture({3990, 1600}, qRgb(int(n), 255 - int(n), 128));
    QRandomGenerator random(n);
    auto *pixel = reinterpret_cast<quint32 *>(sheet.bits());
    for (qsizetype i = 0; i < 40 * 3990; ++i)
        pixel[i] = random.generate() | 0xff000000u;
    return sheet;
}

// The operations of the deck as the tables below name them, comma-separated, in turn; false at a refusal.
bool apply(DeckDocument &deck, const QString &operations)
{
    const QImage other = test::gradientPicture(3990, 1600, 9);
    const std::map<QString, std::function<bool()>> steps = {
        {u"compose"_s, [&] { return deck.composeDeck(); }},
        {u"style 3"_s, [&] { return deck.chooseSymbolStyle(3); }},
        {u"photo"_s, [&] { return deck.pasteOnCards(u"Foto plaatsen"_s, kingsPaste()), true; }},
        {u"ace"_s, [&] { return deck.pasteOnCards(u"Foto plaatsen"_s, acePaste()), true; }},
        {u"joker"_s, [&] { return deck.pasteOnCards(u"Joker plaatsen"_s, jokerPaste()), true; }},
        {u"undo"_s, [&] { return deck.undo(), true; }},
        {u"redo"_s, [&] { return deck.redo(), true; }},
        {u"new"_s, [&] { return deck.newDeck(), true; }},
        {u"open"_s, [&] { return deck.openSheet(other, u"mijn deck"_s), true; }},
        {u"recovered"_s, [&] { return deck.restoreRecovered(other), true; }},
    };
    for (const QString &operation : operations.split(u',', Qt::SkipEmptyParts))
        if (!steps.contains(operation) || !steps.at(operation)())
            return false;
    return true;
}

// Empty when the master brought down to the sheet's size is the sheet, within what drawing larger moves.
QString recordMatchesSheet(const DeckDocument &deck)
{
    const QImage master = deck.printRecord().render();
    if (master.size() != QSize(11970, 4800))
        return QStringLiteral("master of %1 x %2").arg(master.width()).arg(master.height());
    const QImage down = master.scaled(3990, 1600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage sheet = deck.sheet().image().convertToFormat(QImage::Format_ARGB32);
    // The mean difference of one colour channel over a card, for the card where it is largest.
    std::array<qint64, 56> totals{};
    for (int y = 0; y < 1600; ++y)
        for (int x = 0; x < 3990; ++x) {
            const QRgb p = down.pixel(x, y), q = sheet.pixel(x, y);
            totals[y / 400 * 14 + x / 285] +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    const double worst = double(*std::max_element(totals.begin(), totals.end())) / (285.0 * 400 * 3);
    return worst < 5.0 ? QString() : QStringLiteral("a card differs by %1").arg(worst);
}

} // namespace

class TestDeckDocument : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_app = test::copyOfAppData();

private Q_SLOTS:
    // Each operation is one step holding sheet and record together, through undo and redo; the ace pasted
    // first gives every operation something to be undone back to.
    void everyOperationIsOneStep_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("modified");
        QTest::newRow("compose") << u"compose"_s << u"Symbolen plaatsen"_s << true;
        QTest::newRow("photo") << u"photo"_s << u"Foto plaatsen"_s << true;
        QTest::newRow("joker") << u"joker"_s << u"Joker plaatsen"_s << true;
        QTest::newRow("new") << u"new"_s << u"Nieuw"_s << false;
        QTest::newRow("open") << u"open"_s << u"Vellora openen"_s << false;
        QTest::newRow("recovered") << u"recovered"_s << u"Herstellen"_s << true;
    }
    void everyOperationIsOneStep()
    {
        QFETCH(QString, operation);
        QFETCH(QString, step);
        QFETCH(bool, modified);
        DeckOnBlank deck(m_app->path());
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), acePaste());
        const QImage before = deck.sheet().image();
        int restored = 0;
        connect(&deck, &DeckDocument::sheetRestored, this, [&] {
            ++restored;
            QCOMPARE(recordMatchesSheet(deck), QString());
        });

        QVERIFY(apply(deck, operation));
        const QImage after = deck.sheet().image();
        QCOMPARE(deck.history().undoText(), step);
        QCOMPARE(deck.history().undoableSteps(), 2);
        QCOMPARE(deck.isModified(), modified);
        QCOMPARE(recordMatchesSheet(deck), QString());

        deck.undo();
        QCOMPARE(test::byteDifference(deck.sheet().image(), before), QString());
        QVERIFY(deck.isModified());
        deck.redo();
        QCOMPARE(test::byteDifference(deck.sheet().image(), after), QString());
        QCOMPARE(deck.isModified(), modified);
        // The record was in place when the window heard of each sheet.
        QCOMPARE(restored, 2);
    }

    // Operations that must come to the same deck do, sheet and master alike; the drawings of both go through
    // the same fonts, so no update of them moves this.
    void sequencesThatMeetAgree_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QString>("same");
        QTest::newRow("new is the blank deck") << u"compose,photo,new"_s << u""_s;
        QTest::newRow("undone and redone") << u"compose,photo,undo,joker,undo,redo"_s << u"compose,joker"_s;
        QTest::newRow("redo of a paste") << u"photo,ace,undo,undo,redo,redo"_s << u"photo,ace"_s;
        QTest::newRow("undo of a run")
            << u"style 3,compose,photo,compose,undo"_s << u"style 3,compose,photo"_s;
        QTest::newRow("undo past an open") << u"compose,open,compose,undo,undo"_s << u"compose"_s;
        QTest::newRow("back to a recovered deck") << u"recovered,joker,compose,undo,undo"_s << u"recovered"_s;
    }
    void sequencesThatMeetAgree()
    {
        QFETCH(QString, operations);
        QFETCH(QString, same);
        DeckOnBlank deck(m_app->path()), other(m_app->path());
        QVERIFY(apply(deck, operations));
        QVERIFY(apply(other, same));
        QCOMPARE(test::byteDifference(deck.sheet().image(), other.sheet().image()), QString());
        QCOMPARE(recordMatchesSheet(deck), QString());
    }

    // The history drops the oldest steps to keep within its budget; undo stops at the oldest kept.
    void historyBudgetAndRedo()
    {
        Surface sheet;
        sheet.setPicture(noiseSheet(0));
        PrintRecord record;
        const qint64 budget = 16 << 20; // some 12 steps of these sheets
        DeckHistory history(sheet, record, budget);
        for (quint32 n = 1; n <= 60; ++n) {
            const QImage before = sheet.image();
            sheet.setPicture(noiseSheet(n));
            QVERIFY(history.record(u"Symbolen plaatsen"_s, before, record));
            QVERIFY2(history.bytes() <= budget, qPrintable(QString::number(n)));
        }
        const int kept = history.undoableSteps();
        QVERIFY2(kept >= 4 && kept < 60, qPrintable(QString::number(kept)));
        while (history.canUndo())
            history.undo();
        QCOMPARE(test::byteDifference(sheet.image(), noiseSheet(60 - kept)), QString());
        QCOMPARE(history.undoText(), QString());
    }

    // The master's symbols are the set's own drawing, or the set enlarged when the drawing is not its own.
    void symbolsForTheMaster_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("ownDrawing");
        const auto row = [](const char *name, bool own, const Damage &damage) {
            QTest::newRow(name) << damage << own;
        };
        row("as generated", true, [](auto &, auto &) { return true; });
        row("set replaced by hand", false, replaced);
        row("drawing missing", false, [](auto &, auto &d) { return QFile::remove(d); });
        row("drawing cut short", false,
            [](auto &, auto &d) { return test::writeBytes(d, test::readBytes(d).left(2000)); });
        row("drawing not a PNG", false,
            [](auto &, auto &d) { return test::writeBytes(d, test::imageFile(QImage(d), "BMP")); });
        row("drawing of another size", false, [](auto &, auto &d) {
            const QImage generated(d);
            return generated.scaled(generated.size() * 2).save(d, "PNG");
        });
        row("drawing of another set", false, [](auto &, const QString &d) {
            return test::writeBytes(d, test::readBytes(QString(d).replace(u"Hkrs-3"_s, u"Hkrs-5"_s)));
        });
        row("set unreadable: the previous set stays", true,
            [](auto &file, auto &) { return test::writeBytes(file, "BM not a picture"); });
    }
    void symbolsForTheMaster()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, ownDrawing);
        auto app = test::copyOfAppData();
        const QString set = app->filePath(QStringLiteral("Data/Hkrs-3.krt"));
        const QString drawing = app->filePath(QStringLiteral("Data/Hkrs-3@3x.png"));
        const QImage generated(drawing);
        const bool unreadable = QByteArray(QTest::currentDataTag()).startsWith("set unreadable");
        QVERIFY(damage(set, drawing));

        DeckOnBlank deck(app->path());
        QCOMPARE(deck.chooseSymbolStyle(3), !unreadable);
        const QImage own = unreadable ? QImage(app->filePath(u"Data/Hkrs-0@3x.png"_s)) : generated;
        const QImage enlarged =
            deck.symbols().scaled(150, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(deck.symbolsMaster().size(), QSize(150, 600));
        QCOMPARE(
            test::byteDifference(test::rgb(deck.symbolsMaster()), test::rgb(ownDrawing ? own : enlarged)),
            QString());
    }

    // Blank cards print from the card's own drawing while it belongs to the blank sheet beside it; otherwise
    // from the sheet enlarged. Nothing is decided at loading: the first to need the record decides it.
    void blankCardsForTheMaster_data()
    {
        QTest::addColumn<bool>("fromCard");
        QTest::newRow("as generated") << true;
        // Every other way a drawing is refused comes to the same null drawing: symbolsForTheMaster.
        QTest::newRow("blank sheet replaced by hand") << false;
    }
    void blankCardsForTheMaster()
    {
        QFETCH(bool, fromCard);
        auto app = test::copyOfAppData();
        const QString blank = app->filePath(QStringLiteral("Data/Kaarten.krt"));
        const QString drawing = app->filePath(QStringLiteral("Data/Kaart@3x.png"));
        const QImage card(drawing);
        QVERIFY(fromCard || replaced(blank));

        DeckOnBlank deck(app->path());
        const PrintRecord record = deck.printRecord();
        QCOMPARE(record.startsFromCard(), fromCard);
        QCOMPARE(test::byteDifference(record.start(), fromCard ? card.convertToFormat(record.format())
                                                               : deck.sheet().image()),
                 QString());
    }

    // However many threads need a record's start at once, its drawing is read once and all get the same.
    void aRecordDecidesItsStartOnce()
    {
        std::atomic<int> reads = 0, arrived = 0;
        const QImage card = test::gradientPicture(master::kCardWidthPixels, master::kCardHeightPixels, 2);
        std::vector<qint64> keys(4);
        const PrintRecord record = PrintRecord::fromCardWhenNeeded(
            [&] {
                ++reads;
                // The others are on their way in while the first reads.
                while (arrived < int(keys.size()))
                    std::this_thread::yield();
                return card;
            },
            test::gradientPicture(3990, 1600, 3));
        QCOMPARE(reads.load(), 0);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < keys.size(); ++i) {
            threads.emplace_back([&, i] {
                ++arrived;
                keys[i] = record.start().cacheKey();
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(reads.load(), 1);
        QVERIFY(record.startsFromCard());
        QVERIFY(std::all_of(keys.begin(), keys.end(), [&](qint64 key) { return key == keys.front(); }));
    }

    // A small-framed photo's stripes, grey on the sheet, are in the master of a deck opened with the record;
    // without it the sheet is printed enlarged. That Save and Open keep a record: tst_mastercompanion.
    void aPhotosDetailReachesThePrint()
    {
        PhotoFraming framing;
        QVERIFY(framing.setPhoto(test::paintPhoto(
            3000, 5100, [](int x, int) { return (x / 2) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); })));
        framing.setZoom(20);
        framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(0, 0));
        DeckOnBlank deck(m_app->path());
        QVERIFY(deck.composeDeck());
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), framing.framed(KaartSoort::Koning, 1, false));
        const QImage sheet = deck.sheet().image();
        const PrintRecord record = deck.printRecord();
        DeckOnBlank opened(m_app->path()), bare(m_app->path());
        opened.openSheet(sheet, QStringLiteral("koning"), record);
        bare.openSheet(sheet, QStringLiteral("koning"));

        // The picture area of the king of Harten, 900 twips in from its cell's corner.
        const QRect area(12 * 4275 + 900, 900, 2475, 4200);
        // How much horizontally neighbouring pixels of it differ, on average, in green.
        const auto contrast = [&area](const QImage &image, int twipsPerPixel) {
            const QRect p =
                QRect(area.topLeft() / twipsPerPixel, area.size() / twipsPerPixel).adjusted(2, 2, -2, -2);
            qint64 total = 0;
            for (int y = p.top(); y <= p.bottom(); ++y)
                for (int x = p.left(); x < p.right(); ++x)
                    total += std::abs(qGreen(image.pixel(x, y)) - qGreen(image.pixel(x + 1, y)));
            return double(total) / (double(p.height()) * (p.width() - 1));
        };
        QVERIFY(contrast(opened.sheet().image(), 15) < 40);
        QVERIFY(contrast(opened.printRecord().render(), 5) > 80);
        QVERIFY(contrast(bare.printRecord().render(), 5) < 30);
        // Opened again over its own sheet, shown without the record: the record is still taken.
        bare.openSheet(sheet, QStringLiteral("koning"), record);
        QVERIFY(contrast(bare.printRecord().render(), 5) > 80);
    }

    // Records left behind by Nieuw live on only in the history, so they count against its bound.
    void theHistorysBoundCoversTheRecords()
    {
        DeckOnBlank deck(m_app->path());
        constexpr int kRounds = 6;
        for (int round = 0; round < kRounds; ++round) {
            const QColor colour(40 * round, 0, 0);
            deck.pasteOnCards(QStringLiteral("Foto plaatsen"), {test::solidPicture({3990, 400}, colour),
                                                                {0},
                                                                {},
                                                                QSize(3990 * 15, 400 * 15),
                                                                test::solidPicture({11970, 1200}, colour)});
            deck.newDeck();
        }
        QVERIFY(deck.history().bytes() <= DeckHistory::kDefaultBudget);
        QVERIFY(deck.history().bytes() > 3 * 11970 * 1200 * 4);
        QVERIFY(deck.history().undoableSteps() < 2 * kRounds);
        while (deck.history().canUndo())
            deck.undo();
        QVERIFY(!deck.printRecord().isEmpty());
    }

    // During a run every other change is refused, and the run ends as if nothing had been asked of it.
    void aRunRefusesOtherChanges()
    {
        test::SteppedPacer pacer;
        DeckOnBlank deck(m_app->path(), pacer);
        const QImage symbols = deck.symbols();
        QVERIFY(deck.composeDeck());
        QVERIFY(deck.isComposing());
        QCOMPARE(pacer.waiting(), 1);

        QVERIFY(!apply(deck, u"compose"_s) && !apply(deck, u"style 3"_s));
        QVERIFY(apply(deck, u"photo,new,open,undo"_s));
        QCOMPARE(deck.history().undoableSteps(), 0);
        QCOMPARE(deck.symbols(), symbols);

        QCOMPARE(pacer.runAll(), placement::kFinishedCards);
        QVERIFY(!deck.isComposing());
        QCOMPARE(deck.history().undoableSteps(), 1);
        DeckOnBlank alone(m_app->path());
        QVERIFY(alone.composeDeck());
        QCOMPARE(test::byteDifference(deck.sheet().image(), alone.sheet().image()), QString());
    }

    // A deck destroyed in the middle of a run leaves no step behind that would touch it.
    void aRunEndsWithItsDeck()
    {
        test::SteppedPacer pacer;
        {
            DeckOnBlank deck(m_app->path(), pacer);
            deck.composeDeck();
            pacer.step();
        }
        QCOMPARE(pacer.runAll(), 1);
    }
};

QTEST_MAIN(TestDeckDocument)
#include "tst_deckdocument.moc"
