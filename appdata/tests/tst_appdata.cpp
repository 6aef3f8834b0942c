// The generated data folders as the program finds them beside it. Every file is drawn at build time, so these
// checks are what keeps a picture usable: the sizes and depths the program reads, the symmetry and layout the
// placement engine relies on, visible and distinct designs, and the same bytes on every build.

#include "appdata.h"
#include "imagecheck.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

using namespace imagecheck;

namespace {
const char *const kSuitNames[4] = {"hearts", "clubs", "diamonds", "spades"};
}

class TestAppData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_sheet = bmp24(QStringLiteral("Data/Kaarten.krt"));
        QCOMPARE(m_sheet.size(), QSize(3990, 1600));
        for (int style = 0; style < appdata::kSymbolStyles; ++style) {
            m_sets.append(bmp24(QStringLiteral("Data/Hkrs-%1.krt").arg(style)));
            QCOMPARE(m_sets.last().size(), QSize(50, 200));
        }
        for (int i = 1; i <= appdata::kJokers; ++i)
            m_jokers.append(bmp24(QStringLiteral("Data/joker-%1.jok").arg(i, 2, 10, QLatin1Char('0'))));
        for (int i = 0; i < appdata::kBacks; ++i)
            m_backs.append(QImage(appFile(QStringLiteral("Backgrounds/Background-%1.jpg").arg(i)), "JPEG")
                               .convertToFormat(QImage::Format_RGB32));
        QVERIFY(m_fresh.isValid());
        QString error;
        m_written = appdata::generateAll(m_fresh.path(), &error);
        QVERIFY2(!m_written.isEmpty(), qPrintable(error));
    }

    // The user-interface pictures are loaded by name and shown at their own size, so names and pixel sizes are
    // fixed; the mouse pointer is set with its hotspot at the fingertip.
    void files_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("ink"); // the colour a suit button's symbol must have
        const QList<std::tuple<QString, QSize, QString>> expected = {
            {"icon.png", {32, 32}, ""},       {"logo.png", {195, 195}, ""},     {"vinkje.png", {50, 50}, ""},
            {"suit-0.png", {50, 50}, "red"},  {"suit-1.png", {50, 50}, "black"}, {"suit-2.png", {50, 50}, "red"},
            {"suit-3.png", {50, 50}, "black"}, {"picture-0.png", {50, 49}, ""}, {"picture-1.png", {50, 49}, ""},
            {"picture-2.png", {50, 49}, ""},  {"picture-3.png", {50, 49}, ""},  {"picture-4.png", {50, 49}, ""},
            {"ok.png", {51, 29}, ""},         {"cancel.png", {51, 29}, ""},     {"exit.png", {51, 29}, ""},
            {"import-0.png", {88, 21}, ""},   {"import-1.png", {22, 21}, ""},   {"import-2.png", {22, 21}, ""},
            {"import-3.png", {22, 21}, ""},   {"import-4.png", {22, 21}, ""},   {"pointer.png", {32, 32}, ""},
        };
        for (const auto &[name, size, ink] : expected)
            QTest::newRow(qPrintable(name)) << name << size << ink;
    }

    // A PNG without time or text chunks (they would make every build differ), at its exact size, with at least
    // a tenth of it opaque and more than two colours.
    void files()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QString, ink);
        const QByteArray bytes = readAll(appFile(QStringLiteral("Artwork/") + name));
        QVERIFY2(bytes.startsWith("\x89PNG"), "missing or not a PNG");
        for (const char *chunk : {"tIME", "tEXt", "zTXt", "iTXt"})
            QVERIFY2(!bytes.contains(chunk), chunk);
        const QImage img = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), size);
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 200;
        QVERIFY2(opaque * 10 > size.width() * size.height(), qPrintable(QStringLiteral("%1 opaque pixels").arg(opaque)));
        QVERIFY2(colourVariety(img) >= 3, "a flat picture");
        if (ink.isEmpty())
            return;
        const Ink symbol = measureInk(img.convertToFormat(QImage::Format_RGB32), img.pixel(25, 4));
        QVERIFY(symbol.box.contains(QPoint(25, 25)));
        QVERIFY2(ink == "red" ? symbol.red > 200 : symbol.dark > 200 && symbol.red == 0,
                 qPrintable(QStringLiteral("%1 red, %2 black").arg(symbol.red).arg(symbol.dark)));
    }

    // The shell sets the pointer with hotspot (12, 1): the topmost clearly drawn pixels must be right there, and
    // the hand transparent around, so that it works on any background.
    void pointerHotspotIsTheFingertip()
    {
        const QImage img = QImage(appFile(QStringLiteral("Artwork/pointer.png"))).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(32, 32));
        int top = -1;
        QList<int> columns;
        for (int y = 0; y < 32 && top < 0; ++y)
            for (int x = 0; x < 32; ++x)
                if (qAlpha(img.pixel(x, y)) > 128) {
                    top = y;
                    columns.append(x);
                }
        QVERIFY(top >= 0 && top <= 1);
        QVERIFY2(columns.contains(12), "fingertip is not at x = 12");
        QVERIFY(qAlpha(img.pixel(12, 1)) > 200);
        for (QPoint p : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31), QPoint(2, 2), QPoint(29, 5)})
            QCOMPARE(qAlpha(img.pixel(p)), 0);
    }

    // A white card with a darker outline and round corners, 8 to 14 pixels in from the cell's edge, on a
    // background that contrasts with it.
    void cardFace()
    {
        const QRgb bg = m_sheet.pixel(0, 0);
        QVERIFY2(channelDistance(bg, qRgb(255, 255, 255)) > 150, "background must contrast with the white card");
        QCOMPARE(m_sheet.pixel(142, 200), qRgb(255, 255, 255));
        QCOMPARE(m_sheet.pixel(30, 30), qRgb(255, 255, 255));
        int x = 0;
        while (x < 142 && m_sheet.pixel(x, 200) == bg)
            ++x;
        QVERIFY2(x >= 8 && x <= 14, qPrintable(QStringLiteral("card edge at x=%1").arg(x)));
        QVERIFY2(qGray(m_sheet.pixel(x, 200)) < 200 || qGray(m_sheet.pixel(x + 1, 200)) < 200, "no outline");
        QCOMPARE(m_sheet.pixel(x + 1, x + 1), bg); // a square card would be white one pixel inside its corner
        QCOMPARE(m_sheet.pixel(285 - 2 - x, 400 - 2 - x), bg);
    }

    void cells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 14; ++c)
                QTest::addRow("%d,%d", r, c) << r << c;
    }

    // Each cell the same as the first, a mirror image about its row 200, and background in its 8-pixel margin.
    void cells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        const QImage cell = m_sheet.copy(column * 285, row * 400, 285, 400);
        QVERIFY(cell == m_sheet.copy(0, 0, 285, 400));
        for (int d = 1; d <= 199; ++d)
            QVERIFY2(std::memcmp(cell.constScanLine(200 - d), cell.constScanLine(200 + d), 285 * 4) == 0,
                     qPrintable(QStringLiteral("row %1 differs from row %2").arg(200 - d).arg(200 + d)));
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 285; ++x)
                if ((x < 8 || x >= 285 - 8 || y < 8 || y >= 400 - 8) && cell.pixel(x, y) != m_sheet.pixel(0, 0))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not background").arg(x).arg(y)));
    }

    void squares_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("suit");
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int suit = 0; suit < 4; ++suit)
                QTest::addRow("%s %s", qPrintable(appdata::symbolStyleCaption(style)), kSuitNames[suit]) << style << suit;
    }

    // A light ground; a symbol covering 15 to 80 % of the square, centred, over half the square each way and
    // clear of the edges by 2 pixels; hearts and diamonds red, clubs and spades black.
    void squares()
    {
        QFETCH(int, style);
        QFETCH(int, suit);
        const QImage pip = m_sets.at(style).copy(0, suit * 50, 50, 50);
        const QRgb bg = pip.pixel(0, 0);
        QVERIFY2(qGray(bg) > 200, "the ground of a pip must be light");
        const Ink ink = measureInk(pip, bg);
        QVERIFY2(ink.count > 375 && ink.count < 2000, qPrintable(QStringLiteral("%1 ink pixels").arg(ink.count)));
        const QPointF c = QRectF(ink.box).center();
        QVERIFY2(QRect(2, 2, 46, 46).contains(ink.box) && ink.box.width() > 25 && ink.box.height() > 25
                     && std::abs(c.x() - 25) < 4 && std::abs(c.y() - 25) < 4,
                 qPrintable(QStringLiteral("symbol box %1,%2 %3x%4").arg(ink.box.x()).arg(ink.box.y())
                                .arg(ink.box.width()).arg(ink.box.height())));
        if (suit == 0 || suit == 2)
            QVERIFY2(ink.red > 156 && ink.dark < 50, qPrintable(QStringLiteral("%1 red, %2 black").arg(ink.red).arg(ink.dark)));
        else
            QVERIFY2(ink.red == 0 && ink.dark > 156, qPrintable(QStringLiteral("%1 red, %2 black").arg(ink.red).arg(ink.dark)));
    }

    void stylesAndSuitsDiffer()
    {
        QVERIFY2(alikePair(m_sets, 4).isEmpty(), qPrintable(QStringLiteral("styles ") + alikePair(m_sets, 4)));
        for (const QImage &set : m_sets) {
            const QList<QImage> suits{set.copy(0, 0, 50, 50), set.copy(0, 50, 50, 50), set.copy(0, 100, 50, 50),
                                      set.copy(0, 150, 50, 50)};
            QVERIFY2(alikePair(suits, 8).isEmpty(), qPrintable(QStringLiteral("suits ") + alikePair(suits, 8)));
        }
    }

    void pictures_data()
    {
        QTest::addColumn<bool>("joker");
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kJokers; ++i)
            QTest::addRow("joker-%02d", i + 1) << true << i;
        for (int i = 0; i < appdata::kBacks; ++i)
            QTest::addRow("Background-%d", i) << false << i;
    }

    // A joker: white paper round a coloured frame, and the jester's face in the upper middle, skin or white
    // make-up with dark features. A back: A4 portrait with a white margin round a design that fills the rest of
    // the page, its halves mirroring each other closely so that it looks the same either way up.
    void pictures()
    {
        QFETCH(bool, joker);
        QFETCH(int, index);
        const QImage &img = joker ? m_jokers.at(index) : m_backs.at(index);
        if (joker) {
            QCOMPARE(img.size(), QSize(240, 330));
            for (QPoint p : {QPoint(1, 1), QPoint(238, 1), QPoint(1, 328), QPoint(238, 328), QPoint(120, 2)})
                QCOMPARE(img.pixel(p), qRgb(255, 255, 255));
            QVERIFY2(qGray(img.pixel(120, 8)) < 200, "no frame line at the top");
            QVERIFY2(colourVariety(img) > 60, qPrintable(QStringLiteral("%1 colours").arg(colourVariety(img))));
            int light = 0, dark = 0;
            for (int y = 130; y < 240; ++y)
                for (int x = 90; x < 150; ++x) {
                    light += qGray(img.pixel(x, y)) > 200;
                    dark += qGray(img.pixel(x, y)) < 70;
                }
            QVERIFY2(light > 400 && dark > 60, qPrintable(QStringLiteral("face: %1 light, %2 dark").arg(light).arg(dark)));
            return;
        }
        QCOMPARE(img.size(), QSize(1240, 1754));
        for (QPoint p : {QPoint(10, 10), QPoint(1229, 10), QPoint(10, 1743), QPoint(1229, 1743), QPoint(620, 20)})
            QVERIFY(channelDistance(img.pixel(p), qRgb(255, 255, 255)) < 12);
        const QImage inner = img.copy(100, 100, 1040, 1554);
        QVERIFY2(colourVariety(inner) > 20, "the design is flat");
        int paper = 0, samples = 0;
        for (int y = 0; y < inner.height(); y += 7)
            for (int x = 0; x < inner.width(); x += 7, ++samples)
                paper += channelDistance(inner.pixel(x, y), qRgb(255, 255, 255)) < 30;
        QVERIFY2(paper < samples / 4, "the design leaves most of the page white");
        const double halves = meanDifference(inner.copy(0, 0, 520, 1554), inner.copy(520, 0, 520, 1554).mirrored(true, false));
        QVERIFY2(halves < 40, qPrintable(QString::number(halves)));
    }

    void pairwiseDifferent()
    {
        QVERIFY2(alikePair(m_jokers, 12).isEmpty(), qPrintable(QStringLiteral("jokers ") + alikePair(m_jokers, 12)));
        QVERIFY2(alikePair(m_backs, 15).isEmpty(), qPrintable(QStringLiteral("backs ") + alikePair(m_backs, 15)));
    }

    // The offset after startxref must point at the cross-reference table: patching the dates kept the lengths.
    void guideIsAFixedPdfWithItsTitle()
    {
        const QByteArray pdf = readAll(appFile(QStringLiteral("Help/Beeldscherm.pdf")));
        QVERIFY(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
        QVERIFY2(pdf.size() > 10000, "the guide has no real content");
        QVERIFY(pdf.contains("Beeldscherm instellen op 96 dpi"));
        QVERIFY(pdf.contains("/CreationDate (D:20240101120000"));
        const qsizetype at = pdf.lastIndexOf("startxref");
        QVERIFY(at > 0);
        QCOMPARE(pdf.mid(pdf.mid(at + 9).trimmed().split('\n').first().trimmed().toLongLong(), 4), "xref");
    }

    // The files it says it wrote are all there is, beside an empty Projecten folder.
    void writesWhatItSays()
    {
        QStringList written = m_written, onDisk;
        const QDir root(m_fresh.path());
        for (QDirIterator it(m_fresh.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            onDisk << root.relativeFilePath(it.next());
        written.sort();
        onDisk.sort();
        QCOMPARE(onDisk, written);
        QVERIFY(QDir(root.filePath(QStringLiteral("Projecten"))).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void sameBytesAsTheBuildsRun_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &f : m_written)
            QTest::newRow(qPrintable(f)) << f;
    }

    void sameBytesAsTheBuildsRun()
    {
        QFETCH(QString, file);
        const QByteArray built = readAll(appFile(file)), fresh = readAll(QDir(m_fresh.path()).filePath(file));
        QVERIFY2(!built.isEmpty() && !fresh.isEmpty(), "missing");
        qsizetype at = 0;
        while (at < qMin(built.size(), fresh.size()) && built[at] == fresh[at])
            ++at;
        QVERIFY2(built == fresh, qPrintable(QStringLiteral("differs from byte %1 on (sizes %2 and %3)")
                                                .arg(at).arg(built.size()).arg(fresh.size())));
    }

    void refusesAFolderItCannotCreate()
    {
        QTemporaryDir dir;
        QFile blocker(QDir(dir.path()).filePath(QStringLiteral("Data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the Data folder should go
        blocker.close();
        QString error;
        QVERIFY(appdata::generateAll(dir.path(), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String("Data")));
    }

private:
    QImage m_sheet;
    QList<QImage> m_sets, m_jokers, m_backs;
    QTemporaryDir m_fresh;
    QStringList m_written;
};

QTEST_MAIN(TestAppData)
#include "tst_appdata.moc"
