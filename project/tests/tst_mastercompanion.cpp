#include "project/mastercompanion.h"
#include "project/projectstore.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryFile>
#include <QtEndian>

#include <cstdio>
#include <functional>
#include <unistd.h>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

// A small record: blank cards, a run of classic cards and a photo on the kings of Harten and Ruiten.
PrintRecord smallRecord()
{
    PrintRecord record =
        PrintRecord::fromCard(test::solidPicture({855, 1200}, Qt::white), QImage::Format_RGB32);
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

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    const quint32 big = qToBigEndian(value);
    bytes.replace(at, 4, reinterpret_cast<const char *>(&big), 4);
}

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
    PrintRecord record =
        PrintRecord::fromCard(test::solidPicture({855, 1200}, Qt::white), QImage::Format_RGB32);
    QImage dot(1, 1, QImage::Format_RGB32);
    for (int i = 0; i < runs; ++i) {
        dot.fill(i % 2 ? Qt::black : Qt::red);
        record.compose(dot.copy());
    }
    return record;
}

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

        const std::optional<PrintRecord> read = store.openCompanion(u"mijn DECK"_s);
        QVERIFY(read);
        QVERIFY(read->startsFromCard());
        QCOMPARE(read->operations().size(), 2u);
        const auto &paste = std::get<CardPaste>(read->operations()[1]);
        QCOMPARE(paste.rows, (std::vector<int>{0, 2}));
        QCOMPARE(paste.areaTwips, QPoint(12 * 4275 + 900, 900));
        QCOMPARE(test::byteDifference(paste.master, test::gradientPicture(495, 840, 4)), QString());
        const auto &run = std::get<PrintRecord::Compose>(read->operations()[0]);
        QCOMPARE(test::byteDifference(run.symbols, test::gradientPicture(150, 600, 2)), QString());
        QVERIFY(run.style == CardStyle::Classic);

        // Saved again with another sheet but no new companion: the old one no longer belongs to it, and the
        // log says so, since the user only sees a coarser print.
        QVERIFY(store.save(test::gradientPicture(3990, 1600, 8), u"Mijn deck"_s).ok());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^companion of .*Mijn deck.krt ignored: .+"_s));
        QVERIFY(!store.openCompanion(u"Mijn deck"_s));
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
        const QImage mine = test::gradientPicture(3990, 1600, 11), theirs = test::gradientPicture(3990, 1600, 12);
        QVERIFY(store.save(mine, u"twee"_s).ok());
        QVERIFY(store.save(theirs, u"twee"_s).ok());
        QVERIFY(store.saveCompanion(smallRecord(), u"twee"_s, mine).ok());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^companion of .*twee.krt ignored: another sheet"_s));
        QVERIFY(!store.openCompanion(u"twee"_s));
        QVERIFY(store.saveCompanion(smallRecord(), u"twee"_s, theirs).ok());
        QVERIFY(store.openCompanion(u"twee"_s));
    }

    // Whatever is wrong with a companion, it is ignored and never half used.
    void refusals_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("why");
        QTest::newRow("intact") << "" << "";
        QTest::newRow("another sheet") << "hash" << "another sheet";
        QTest::newRow("not a companion") << "magic" << "not a companion";
        QTest::newRow("empty") << "empty" << "not a companion";
        QTest::newRow("cut in the start picture") << "cut 200" << "damaged start";
        QTest::newRow("cut in the operations") << "cut -100" << "damaged paste";
        QTest::newRow("bytes after the end") << "append" << "damaged end";
        QTest::newRow("start kind unknown") << "flag" << "damaged start";
        QTest::newRow("start picture of another size") << "start size" << "damaged start";
        QTest::newRow("operation count hostile") << "count" << "too many operations";
        QTest::newRow("operation kind unknown") << "kind" << "unknown operation";
        QTest::newRow("block length hostile") << "block" << "damaged symbols";
        QTest::newRow("symbols claiming a giant picture") << "giant" << "damaged symbols";
        QTest::newRow("row beyond the sheet") << "row" << "damaged paste";
        QTest::newRow("area beyond the sheet") << "area" << "damaged paste";
        QTest::newRow("area whose edge overflows") << "area overflow"
                                                   << "damaged paste";
        QTest::newRow("master of another size") << "master size" << "damaged paste";
        QTest::newRow("too large") << "large" << "too large";
        QTest::newRow("2048 runs to draw") << "runs 2048" << "too much to draw";
        QTest::newRow("as many runs as may be drawn") << "runs 31" << "";
    }
    void refusals()
    {
        QFETCH(QString, damage);
        QFETCH(QString, why);
        const QByteArray hash = hashOf("the sheet");
        QByteArray bytes = companion::encode(smallRecord(), hash);
        // The operation count stands after the magic, the hash, two flags and the start picture.
        const qsizetype count = 8 + 64 + 2 + 4 + qFromBigEndian<quint32>(bytes.constData() + 8 + 64 + 2);
        const qsizetype firstOperation = count + 4;
        const qsizetype symbols = qFromBigEndian<quint32>(bytes.constData() + firstOperation + 1);
        const qsizetype paste = firstOperation + 5 + symbols;
        if (damage == u"hash")
            bytes = companion::encode(smallRecord(), hashOf("another sheet"));
        else if (damage == u"magic")
            bytes[0] = 'X';
        else if (damage == u"empty")
            bytes.clear();
        else if (damage.startsWith(u"cut "))
            bytes.truncate(damage.mid(4).toInt() + (damage.mid(4).toInt() > 0 ? 0 : bytes.size()));
        else if (damage == u"append")
            bytes.append("x");
        else if (damage == u"flag")
            bytes[72] = 7;
        else if (damage == u"start size") {
            PrintRecord other = PrintRecord::fromSheet(test::gradientPicture(3990, 1600));
            bytes = companion::encode(other, hash);
            bytes[72] = 1; // says blank cards, holds a whole sheet
        } else if (damage == u"count")
            put32(bytes, count, 0xffffffffu);
        else if (damage == u"kind")
            bytes[firstOperation] = 9;
        else if (damage == u"block")
            put32(bytes, firstOperation + 1, 0x7fffffffu);
        else if (damage == u"giant") {
            // A PNG header of 60000 x 60000 pixels in place of the symbols; nothing may be allocated for it.
            QByteArray png = test::imageFile(test::gradientPicture(4, 4), "PNG");
            put32(png, 16, 60000);
            put32(png, 20, 60000);
            const quint32 old = qFromBigEndian<quint32>(bytes.constData() + firstOperation + 1);
            bytes.replace(firstOperation + 5, old, png);
            put32(bytes, firstOperation + 1, quint32(png.size()));
        } else if (damage == u"row")
            bytes[paste + 2] = 4;
        else if (damage == u"area")
            put32(bytes, paste + 4, 60000);
        else if (damage == u"area overflow") {
            put32(bytes, paste + 4, 825844274);
            put32(bytes, paste + 12, 1601403000);
        } else if (damage == u"master size")
            put32(bytes, paste + 12, 2400);
        else if (damage == u"large")
            bytes.resize(companion::kMaxFileBytes + 1);
        else if (damage.startsWith(u"runs "))
            bytes = companion::encode(alternatingRuns(damage.mid(5).toInt()), hash);

        QString reason;
        std::optional<PrintRecord> record;
        // A refusal goes to the log alone, never as libpng's own line on stderr.
        QCOMPARE(stderrOf([&] {
                     Result<PrintRecord> decoded = companion::decode(bytes, hash);
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
        const QByteArray hash = hashOf("the sheet");
        const auto most = companion::kMaxDrawnPixels / (qint64(master::kWidthPixels) * master::kHeightPixels);
        const std::optional<PrintRecord> record =
            companion::decode(companion::encode(alternatingRuns(int(most) - 1), hash), hash).toOptional();
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
        PrintRecord cards =
            PrintRecord::fromCard(test::solidPicture({855, 1200}, Qt::white), QImage::Format_RGB32);
        cards.compose(test::gradientPicture(15, 60, 2));
        cards.paste(CardPaste{test::gradientPicture(8, 8, 3), {1, 3}, QPoint(900, 900), QSize(120, 120), {}});
        QImage sheet = test::solidPicture({3990, 1600}, Qt::white);
        const QByteArray hash = hashOf("seed");
        const PrintRecord whole = PrintRecord::fromSheet(sheet);
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
            QVERIFY2(!store.saveCompanion(smallRecord(), u"bijzonder"_s, test::gradientPicture(3990, 1600, 5)).ok(), kind);
        }
    }
};

QTEST_MAIN(TestMasterCompanion)
#include "tst_mastercompanion.moc"
