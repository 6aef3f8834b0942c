#include "project/mastercompanion.h"
#include "project/projectstore.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>
#include <cstdio>
#include <functional>
#include <unistd.h>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

// A small record: blank cards, a run of classic cards and a photo on the kings of Harten and Ruiten.
PrintRecord whiteCards()
{
    return PrintRecord::fromCard(test::solidPicture({855, 1200}, Qt::white), QImage::Format_RGB32);
}

PrintRecord smallRecord()
{
    PrintRecord record = whiteCards();
    record.compose(test::gradientPicture(150, 600, 2), CardStyle::Classic);
    record.paste({test::gradientPicture(165, 280, 3),
                  {0, 2},
                  QPoint(12 * 4275 + 900, 900),
                  QSize(2475, 4200),
                  test::gradientPicture(495, 840, 4)});
    return record;
}

const auto hashOf = [](const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
};

// What `work` writes on stderr, bypassing the log: libpng's own messages go there.
QByteArray stderrOf(const std::function<void()> &work)
{
    QTemporaryFile file;
    if (!file.open())
        return "no scratch file";
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(file.handle(), 2);
    work();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    file.seek(0);
    return file.readAll();
}

// Placement runs of two 1 x 1 symbol pictures in turn: next to nothing to store, each a whole run to draw.
PrintRecord alternatingRuns(int runs)
{
    PrintRecord record = whiteCards();
    QImage dot(1, 1, QImage::Format_RGB32);
    for (int i = 0; i < runs; ++i) {
        dot.fill(i % 2 ? Qt::black : Qt::red);
        record.compose(dot.copy());
    }
    return record;
}

const QByteArray kHash = hashOf("the sheet");

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    const quint32 big = qToBigEndian(value);
    bytes.replace(at, 4, reinterpret_cast<const char *>(&big), 4);
}

// The small record encoded, and where its operation count, its first operation (the run) and the paste stand:
// after the magic, the hash, two flags and the start picture; after the count; after the run's symbols.
struct Encoded
{
    QByteArray bytes = companion::encode(smallRecord(), kHash);
    qsizetype count = 8 + 64 + 2 + 4 + qFromBigEndian<quint32>(bytes.constData() + 8 + 64 + 2);
    qsizetype first = count + 4;
    qsizetype paste = first + 5 + qFromBigEndian<quint32>(bytes.constData() + first + 1);
};
using Damage = std::function<void(Encoded &)>;

} // namespace

class TestMasterCompanion : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_app = test::emptyAppFolder();

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir(m_app->path()).mkpath(u"Projecten"_s)); }

    // Save writes the companion beside the project, the project file stays the bare sheet, and Open brings
    // back the same record; the chooser lists the project alone.
    void roundTripBesideTheProject()
    {
        const ProjectStore store{AppFolder(m_app->path())};
        const QImage sheet = test::gradientPicture(3990, 1600, 7);
        QVERIFY(store.save(sheet, u"Mijn deck"_s).ok());
        const QByteArray krt = test::readBytes(store.pathFor(u"Mijn deck"_s));
        const PrintRecord record = smallRecord();
        const Outcome written = store.saveCompanion(record, u"Mijn deck"_s, sheet);
        QVERIFY2(written, qPrintable(written.reason()));
        QCOMPARE(test::readBytes(store.pathFor(u"Mijn deck"_s)), krt);
        QVERIFY(QFile::exists(m_app->filePath(u"Projecten/Mijn deck.krm"_s)));
        QCOMPARE(store.names(), QStringList{u"Mijn deck"_s});

        // Any field read wrongly moves a pixel of the print.
        const std::optional<PrintRecord> read = store.openCompanion(u"mijn DECK"_s);
        QVERIFY(read && read->startsFromCard());
        QCOMPARE(test::byteDifference(read->render(), record.render()), QString());
        // A companion on its own is no project.
        QVERIFY(QFile::remove(store.pathFor(u"Mijn deck"_s)));
        QCOMPARE(store.names(), QStringList());
        QVERIFY(!store.openCompanion(u"Mijn deck"_s));
    }

    // Two windows saving one project: the one whose sheet went first writes its record last. That record
    // carries the hash of its own sheet, so it is not taken for the other window's sheet on the disk.
    void companionOfTheSheetThisSaveWrote()
    {
        const ProjectStore store{AppFolder(m_app->path())};
        const QImage mine = test::gradientPicture(3990, 1600, 11),
                     theirs = test::gradientPicture(3990, 1600, 12);
        QVERIFY(store.save(mine, u"twee"_s).ok());
        QVERIFY(store.save(theirs, u"twee"_s).ok());
        QVERIFY(store.saveCompanion(smallRecord(), u"twee"_s, mine).ok());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^companion of .*twee.krt ignored: another sheet"_s));
        QVERIFY(!store.openCompanion(u"twee"_s));
        QVERIFY(store.saveCompanion(smallRecord(), u"twee"_s, theirs).ok());
        QVERIFY(store.openCompanion(u"twee"_s));
    }

    // Whatever is wrong with a companion, it is ignored and never half used.
    void refusals_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("why");
        const auto row = [](const char *name, const char *why, const Damage &damage) {
            QTest::newRow(name) << damage << QString::fromLatin1(why);
        };
        row("intact", "", [](auto &) {});
        row("another sheet", "another sheet",
            [](auto &e) { e.bytes = companion::encode(smallRecord(), hashOf("other")); });
        row("not a companion", "not a companion", [](auto &e) { e.bytes[0] = 'X'; });
        row("empty", "not a companion", [](auto &e) { e.bytes.clear(); });
        row("cut in the start picture", "damaged start", [](auto &e) { e.bytes.truncate(200); });
        row("cut in the operations", "damaged paste", [](auto &e) { e.bytes.chop(100); });
        row("bytes after the end", "damaged end", [](auto &e) { e.bytes.append("x"); });
        row("start kind unknown", "damaged start", [](auto &e) { e.bytes[72] = 7; });
        row("start picture of another size", "damaged start", [](auto &e) {
            e.bytes = companion::encode(PrintRecord::fromSheet(test::gradientPicture(3990, 1600)), kHash);
            e.bytes[72] = 1; // says blank cards, holds a whole sheet
        });
        row("operation count hostile", "too many operations", [](auto &e) { put32(e.bytes, e.count, ~0u); });
        row("operation kind unknown", "unknown operation", [](auto &e) { e.bytes[e.first] = 9; });
        row("block length hostile", "damaged symbols",
            [](auto &e) { put32(e.bytes, e.first + 1, 0x7fffffffu); });
        row("symbols claiming a giant picture", "damaged symbols", [](auto &e) {
            // A PNG header of 60000 x 60000 pixels as the symbols: nothing may be allocated for it.
            QByteArray png = test::imageFile(test::gradientPicture(4, 4), "PNG");
            put32(png, 16, 60000);
            put32(png, 20, 60000);
            e.bytes.replace(e.first + 5, e.paste - e.first - 5, png);
            put32(e.bytes, e.first + 1, quint32(png.size()));
        });
        row("row beyond the sheet", "damaged paste", [](auto &e) { e.bytes[e.paste + 2] = 4; });
        row("area beyond the sheet", "damaged paste", [](auto &e) { put32(e.bytes, e.paste + 4, 60000); });
        row("area whose edge overflows", "damaged paste", [](auto &e) {
            put32(e.bytes, e.paste + 4, 825844274);
            put32(e.bytes, e.paste + 12, 1601403000);
        });
        row("master of another size", "damaged paste", [](auto &e) { put32(e.bytes, e.paste + 12, 2400); });
        row("too large", "too large", [](auto &e) { e.bytes.resize(companion::kMaxFileBytes + 1); });
        row("2048 runs to draw", "too much to draw",
            [](auto &e) { e.bytes = companion::encode(alternatingRuns(2048), kHash); });
        row("as many runs as may be drawn", "",
            [](auto &e) { e.bytes = companion::encode(alternatingRuns(31), kHash); });
    }
    void refusals()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, why);
        Encoded encoded;
        damage(encoded);
        QString reason;
        std::optional<PrintRecord> record;
        // A refusal goes to the log alone, never as libpng's own line on stderr.
        QCOMPARE(stderrOf([&] {
                     Result<PrintRecord> decoded = companion::decode(encoded.bytes, kHash);
                     reason = decoded.outcome().reason();
                     record = std::move(decoded).toOptional();
                 }),
                 QByteArray());
        QCOMPARE(reason, why);
        QCOMPARE(record.has_value(), why.isEmpty());
    }

    // The most drawing a companion may ask for is still a print of a few seconds.
    void theLargestDrawingIsBounded()
    {
        const auto most = companion::kMaxDrawnPixels / (qint64(master::kWidthPixels) * master::kHeightPixels);
        const std::optional<PrintRecord> record =
            companion::decode(companion::encode(alternatingRuns(int(most) - 1), kHash), kHash).toOptional();
        QVERIFY(record);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!record->render().isNull());
        qInfo() << "drawn in" << timer.elapsed() << "ms";
        QVERIFY(timer.elapsed() < 10000);
    }

    // Small companions for the fuzzer to start from: each kind of operation, and a whole sheet.
    void writesFuzzSeeds()
    {
        const QString seeds = QStringLiteral(VELLORA_COMPANION_SEEDS);
        QVERIFY(QDir().mkpath(seeds));
        PrintRecord cards = whiteCards();
        cards.compose(test::gradientPicture(15, 60, 2));
        cards.paste(CardPaste{test::gradientPicture(8, 8, 3), {1, 3}, QPoint(900, 900), QSize(120, 120), {}});
        const QByteArray hash = hashOf("seed");
        const PrintRecord whole = PrintRecord::fromSheet(test::solidPicture({3990, 1600}, Qt::white));
        for (const auto &[name, record] : {std::pair{"cards", cards}, std::pair{"sheet", whole}}) {
            const QByteArray bytes = companion::encode(record, hash);
            QVERIFY2(bytes.size() < 65536, name);
            QVERIFY(companion::decode(bytes, hash));
            QVERIFY(test::writeBytes(seeds + u'/' + QLatin1String(name), bytes));
        }
    }

    // A companion's name taken by a folder or a FIFO is no companion, and Save does not write through it.
    void onlyRegularFiles()
    {
        const ProjectStore store{AppFolder(m_app->path())};
        QVERIFY(store.save(test::gradientPicture(3990, 1600, 5), u"bijzonder"_s).ok());
        const QString path = m_app->filePath(u"Projecten/bijzonder.krm"_s);
        for (const char *kind : {"dir", "fifo"}) {
            QFile::remove(path);
            QDir().rmdir(path);
            QVERIFY(test::makeSpecialFile(QLatin1String(kind), path, m_app->path()));
            QVERIFY2(!store.openCompanion(u"bijzonder"_s), kind);
            QVERIFY2(!store.saveCompanion(smallRecord(), u"bijzonder"_s, test::gradientPicture(3990, 1600, 5))
                          .ok(),
                     kind);
        }
    }
};

QTEST_MAIN(TestMasterCompanion)
#include "tst_mastercompanion.moc"
