#include "deck/deckdocument.h"
#include "placement/photoframing.h"
#include "project/projectstore.h"
#include "sheet/cardfinishing.h"
#include "sheet/placementengine.h"
#include "surface/picturefile.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>
#include <atomic>
#include <thread>
#include <vector>

using namespace vellora;
using namespace Qt::StringLiterals;

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

// The mean difference of one colour channel over a card, for the card where it is largest.
double worstCardDifference(const QImage &a, const QImage &b)
{
    std::array<qint64, 56> totals{};
    for (int y = 0; y < 1600; ++y) {
        for (int x = 0; x < 3990; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            totals[y / 400 * 14 + x / 285] += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                                              + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return double(*std::max_element(totals.begin(), totals.end())) / (285.0 * 400 * 3);
}

// How much horizontally neighbouring pixels of the area differ, on average, in green.
double neighbourContrast(const QImage &image, const QRect &area)
{
    qint64 total = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x)
            total += std::abs(qGreen(image.pixel(x, y)) - qGreen(image.pixel(x + 1, y)));
    return double(total) / (double(area.height()) * (area.width() - 1));
}

// A data file and its drawing at the master's size changed as by hand or a failing disk: the file replaced
// by `stranger`, the drawing removed, cut short, stored as BMP, of another size or replaced by `other`'s, or
// the file made unreadable. An empty change leaves both.
bool damage(const QString &change, const QString &file, const QString &drawing, const QImage &stranger,
            const QString &other)
{
    const QImage generated(drawing);
    if (change == u"file")
        return test::writeBytes(file, test::imageFile(stranger, "BMP"));
    if (change == u"remove")
        return QFile::remove(drawing);
    if (change == u"truncate")
        return test::writeBytes(drawing, test::readBytes(drawing).left(2000));
    if (change == u"bmp")
        return test::writeBytes(drawing, test::imageFile(generated, "BMP"));
    if (change == u"size")
        return generated.scaled(generated.size() * 2).save(drawing, "PNG");
    if (change == u"other")
        return test::writeBytes(drawing, test::readBytes(other));
    if (change == u"unreadable")
        return test::writeBytes(file, "BM not a picture");
    return change.isEmpty();
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

    // Every kind of change gives the sheet exactly the pixels it had before the deck kept a print master:
    // the checksums were taken from the program as it was.
    void theSheetKeepsItsPixels_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QByteArray>("checksum");
        const QList<std::pair<const char *, const char *>> rows = {
            {"blank", "37b9f821515f49e84e607e675ee98af3"},
            {"compose", "8f3bfaca75459f54cc77940d9bd8f1d2"},
            {"style 3,compose", "66d6ea8d118e8c63fb2a32170523f2fe"},
            {"compose,style 7,compose", "2c8ce115657d61a5a56043bb8ccded66"},
            {"photo", "4a74072a23ca0770ce9c0c7395acc202"},
            {"photo,compose", "992b1d97b84114dd39d04a5a499d012b"},
            {"compose,photo,ace,joker", "2792231562e560ac7ff58d34e1a95709"},
            {"compose,photo,undo,joker,undo,redo", "d23d6aab9cbf95d655ac4de50a5381b2"},
            {"compose,new", "37b9f821515f49e84e607e675ee98af3"},
            {"open,compose", "eb7ed47cce77b40e8e23e713da20968b"},
            {"recovered,joker,compose", "62d0cb81adab837f90149b192ee4fa74"},
        };
        for (const auto &[operations, checksum] : rows)
            QTest::newRow(operations) << QString::fromLatin1(operations) << QByteArray(checksum);
    }
    void theSheetKeepsItsPixels()
    {
        QFETCH(QString, operations);
        QFETCH(QByteArray, checksum);
        NoPacer pacer;
        DeckDocument deck(AppFolder(m_app->path()), pacer);
        deck.loadBlank();
        const QImage other = test::gradientPicture(3990, 1600, 9);
        for (const QString &operation : operations.split(u',')) {
            if (operation == u"compose")
                QVERIFY(deck.composeDeck());
            else if (operation.startsWith(u"style "))
                QVERIFY(deck.chooseSymbolStyle(operation.mid(6).toInt()));
            else if (operation == u"photo")
                deck.pasteOnCards(QStringLiteral("Foto plaatsen"), kingsPaste());
            else if (operation == u"ace")
                deck.pasteOnCards(QStringLiteral("Foto plaatsen"), acePaste());
            else if (operation == u"joker")
                deck.pasteOnCards(QStringLiteral("Joker plaatsen"), jokerPaste());
            else if (operation == u"undo")
                deck.undo();
            else if (operation == u"redo")
                deck.redo();
            else if (operation == u"new")
                deck.newDeck();
            else if (operation == u"open")
                deck.openSheet(other, QStringLiteral("x"));
            else if (operation == u"recovered")
                deck.restoreRecovered(other);
        }
        const QImage sheet = deck.sheet().image().convertToFormat(QImage::Format_ARGB32);
        const QByteArray actual = QCryptographicHash::hash(
            QByteArrayView(sheet.constBits(), sheet.sizeInBytes()), QCryptographicHash::Md5).toHex();
        QCOMPARE(actual, checksum);

        // The master brought down to the sheet's size is the sheet, within what drawing larger moves.
        const QImage master = deck.printRecord().render();
        QCOMPARE(master.size(), QSize(11970, 4800));
        const QImage down = master.scaled(3990, 1600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double worst = worstCardDifference(down, sheet);
        QVERIFY2(worst < 5.0, qPrintable(QString::number(worst)));
    }

    // The master's symbols are the drawing that belongs to the set actually loaded; a drawing that does not
    // belong to the file beside it, or cannot be its drawing at all, gives way to the set enlarged.
    void symbolsForTheMaster_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("ownDrawing");
        QTest::newRow("as generated") << "" << true;
        QTest::newRow("set replaced by hand") << "file" << false;
        QTest::newRow("drawing missing") << "remove" << false;
        QTest::newRow("drawing cut short") << "truncate" << false;
        QTest::newRow("drawing not a PNG") << "bmp" << false;
        QTest::newRow("drawing of another size") << "size" << false;
        QTest::newRow("drawing of another set") << "other" << false;
        QTest::newRow("set unreadable: the previous set stays") << "unreadable" << true;
    }
    void symbolsForTheMaster()
    {
        QFETCH(QString, change);
        QFETCH(bool, ownDrawing);
        auto app = test::copyOfAppData();
        const QString set = app->filePath(QStringLiteral("Data/Hkrs-3.krt"));
        const QString drawing = app->filePath(QStringLiteral("Data/Hkrs-3@3x.png"));
        const QImage generated(drawing);
        QVERIFY(damage(change, set, drawing, test::gradientPicture(50, 200, 4),
                       app->filePath(u"Data/Hkrs-5@3x.png"_s)));

        NoPacer pacer;
        DeckDocument deck(AppFolder(app->path()), pacer);
        deck.loadBlank();
        QCOMPARE(deck.chooseSymbolStyle(3), change != u"unreadable");
        const QImage own =
            change == u"unreadable" ? QImage(app->filePath(u"Data/Hkrs-0@3x.png"_s)) : generated;
        const QImage enlarged =
            deck.symbols().scaled(150, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(deck.symbolsMaster().size(), QSize(150, 600));
        QCOMPARE(test::byteDifference(deck.symbolsMaster().convertToFormat(QImage::Format_RGB32),
                                      (ownDrawing ? own : enlarged).convertToFormat(QImage::Format_RGB32)),
                 QString());
    }

    // Blank cards print from the card's own drawing while it belongs to the blank sheet beside it; otherwise
    // from the sheet enlarged. Nothing is decided at loading: the first to need the record decides it.
    void blankCardsForTheMaster_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("fromCard");
        QTest::newRow("as generated") << "" << true;
        QTest::newRow("blank sheet replaced by hand") << "file" << false;
        QTest::newRow("drawing missing") << "remove" << false;
        QTest::newRow("drawing cut short") << "truncate" << false;
    }
    void blankCardsForTheMaster()
    {
        QFETCH(QString, change);
        QFETCH(bool, fromCard);
        auto app = test::copyOfAppData();
        const QString blank = app->filePath(QStringLiteral("Data/Kaarten.krt"));
        const QString drawing = app->filePath(QStringLiteral("Data/Kaart@3x.png"));
        const QImage card(drawing);
        QVERIFY(damage(change, blank, drawing, test::gradientPicture(3990, 1600, 6), {}));

        NoPacer pacer;
        DeckDocument deck(AppFolder(app->path()), pacer);
        deck.loadBlank();
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

    // A photo framed small on the king of Harten keeps, in the master, stripes that the sheet can only show
    // as grey, and they come back from Save and Open; a project without its companion prints its sheet
    // enlarged.
    void aPhotosDetailSurvivesSaveAndOpen()
    {
        QImage stripes(3000, 5100, QImage::Format_RGB32);
        for (int y = 0; y < stripes.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(stripes.scanLine(y));
            for (int x = 0; x < stripes.width(); ++x)
                line[x] = (x / 2) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
        PhotoFraming framing;
        QVERIFY(framing.setPhoto(stripes));
        framing.setZoom(20);
        framing.press(Qt::LeftButton, Qt::LeftButton, QPointF(0, 0));
        NoPacer pacer;
        DeckDocument deck(AppFolder(m_app->path()), pacer);
        deck.loadBlank();
        QVERIFY(deck.composeDeck());
        deck.pasteOnCards(QStringLiteral("Foto plaatsen"), framing.framed(KaartSoort::Koning, 1, false));

        const ProjectStore store{AppFolder(m_app->path())};
        QVERIFY(store.save(deck.sheet().image(), QStringLiteral("koning"), nullptr));
        QVERIFY(store.saveCompanion(deck.printRecord(), QStringLiteral("koning")));
        const std::optional<QImage> sheet = store.open(QStringLiteral("koning"));
        const std::optional<PrintRecord> record = store.openCompanion(QStringLiteral("koning"));
        QVERIFY(sheet && record);
        DeckDocument opened(AppFolder(m_app->path()), pacer);
        opened.loadBlank();
        opened.openSheet(*sheet, QStringLiteral("koning"), *record);
        DeckDocument bare(AppFolder(m_app->path()), pacer);
        bare.loadBlank();
        bare.openSheet(*sheet, QStringLiteral("koning"));

        // The picture area of the king of Harten, 900 twips in from its cell's corner.
        const QRect area(12 * 4275 + 900, 900, 2475, 4200);
        const auto contrast = [&area](const QImage &image, int twipsPerPixel) {
            const QRect pixels(area.topLeft() / twipsPerPixel, area.size() / twipsPerPixel);
            return neighbourContrast(image, pixels.adjusted(2, 2, -2, -2));
        };
        QVERIFY(contrast(opened.sheet().image(), 15) < 40);
        QVERIFY(contrast(opened.printRecord().render(), 5) > 80);
        QVERIFY(contrast(bare.printRecord().render(), 5) < 30);
    }

    // Records share their pictures, but those of decks left behind by "Nieuw" live on only in the history,
    // so they count against its bound: a row's worth of photo at the master's size is 57 MB, and the oldest
    // steps go where without them all would stay.
    void theHistorysBoundCoversTheRecords()
    {
        NoPacer pacer;
        DeckDocument deck(AppFolder(m_app->path()), pacer);
        deck.loadBlank();
        constexpr int kRounds = 6;
        for (int round = 0; round < kRounds; ++round) {
            CardPaste paste;
            paste.picture = QImage(3990, 400, QImage::Format_RGB32);
            paste.picture.fill(qRgb(40 * round, 0, 0));
            paste.rows = {0};
            paste.sizeTwips = QSize(3990 * 15, 400 * 15);
            paste.master = QImage(11970, 1200, QImage::Format_RGB32);
            paste.master.fill(qRgb(40 * round, 0, 0));
            deck.pasteOnCards(QStringLiteral("Foto plaatsen"), paste);
            deck.newDeck();
        }
        QVERIFY(deck.history().bytes() <= SheetHistory::kDefaultBudget);
        QVERIFY(deck.history().bytes() > 3 * 11970 * 1200 * 4);
        QVERIFY(deck.history().undoableSteps() < 2 * kRounds);
        while (deck.history().canUndo())
            deck.undo();
        QVERIFY(!deck.printRecord().isEmpty());
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
