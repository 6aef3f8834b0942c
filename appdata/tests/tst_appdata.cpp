// The generated data folders as the program finds them beside it. Every file is drawn at build time, so these
// checks are what keeps a picture usable: the sizes and depths the program reads, the symmetry and layout the
// placement engine relies on, visible and distinct designs, and the same bytes on every build.

#include "appdata.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString appFile(const QString &relative)
{
    return QDir(QStringLiteral(VELLORA_APPDATA_DIR)).filePath(relative);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A BMP from the application folder as RGB32; null when it is missing or not 24 bits per pixel, the depth the
// program reads.
QImage bmp24(const QString &relative)
{
    const QByteArray bytes = readAll(appFile(relative));
    if (bytes.size() < 30 || !bytes.startsWith("BM") || (quint8(bytes[28]) | quint8(bytes[29]) << 8) != 24)
        return {};
    return QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
}

int channelDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Pixels that differ clearly from the background: the "ink" of a symbol, its strongly red and its near-black
// pixels counted apart.
struct Ink
{
    int count = 0, red = 0, dark = 0;
    QRect box;
    QString text() const { return QStringLiteral("%1 red, %2 black").arg(red).arg(dark); }
};

Ink measureInk(const QImage &img, QRgb background)
{
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (channelDistance(p, background) < 90)
                continue;
            ++ink.count;
            ink.red += qRed(p) > qGreen(p) + 50 && qRed(p) > qBlue(p) + 40;
            ink.dark += qMax(qRed(p), qMax(qGreen(p), qBlue(p))) < 90;
            ink.box |= QRect(x, y, 1, 1);
        }
    return ink;
}

// Mean absolute difference per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += channelDistance(a.pixel(x, y), b.pixel(x, y));
    return double(sum) / (3.0 * a.width() * a.height());
}

// The first two pictures that differ by no more than `least` per channel, as text; empty if none do.
QString alikePair(const QList<QImage> &images, double least)
{
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            if (const double d = meanDifference(images[a], images[b]); d <= least)
                return QStringLiteral("%1 and %2 differ by only %3 per channel").arg(a).arg(b).arg(d);
    return {};
}

// How many distinct colours, quantised to 4 bits per channel: a flat placeholder has one or two.
int colourVariety(const QImage &img)
{
    QSet<int> seen;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            seen.insert(int((img.pixel(x, y) >> 4) & 0x0f0f0f));
    return int(seen.size());
}

} // namespace

class TestAppData : public QObject
{
    Q_OBJECT
    QImage m_sheet;
    QList<QImage> m_sets, m_jokers, m_backs;
    QTemporaryDir m_fresh;
    QStringList m_written;

private Q_SLOTS:
    void initTestCase()
    {
        m_sheet = bmp24(QStringLiteral("Data/Kaarten.krt"));
        QCOMPARE(m_sheet.size(), QSize(3990, 1600));
        for (int style = 0; style < appdata::kSymbolStyles; ++style) {
            m_sets.append(bmp24(QStringLiteral("Data/Hkrs-%1.krt").arg(style)));
            QCOMPARE(m_sets.last().size(), QSize(50, 200));
        }
        for (int i = 1; i <= appdata::kJokers; ++i) {
            m_jokers.append(bmp24(QStringLiteral("Data/joker-%1.jok").arg(i, 2, 10, QLatin1Char('0'))));
            QCOMPARE(m_jokers.last().size(), QSize(240, 330));
        }
        for (int i = 0; i < appdata::kBacks; ++i) {
            const QString name = QStringLiteral("Backgrounds/Background-%1.jpg").arg(i);
            m_backs.append(QImage(appFile(name), "JPEG").convertToFormat(QImage::Format_RGB32));
            QCOMPARE(m_backs.last().size(), QSize(1240, 1754));
        }
        QString error;
        m_written = appdata::generateAll(m_fresh.path(), &error);
        QVERIFY2(!m_written.isEmpty(), qPrintable(error));
    }

    // The user-interface pictures are loaded by name and shown at their own size, so names and pixel sizes
    // are fixed.
    void files_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("ink"); // the colour a suit button's symbol must have
        const QList<std::tuple<QString, QSize, QString>> expected = {
            {"icon.png", {32, 32}, ""},        {"logo.png", {195, 195}, ""},
            {"vinkje.png", {50, 50}, ""},      {"suit-0.png", {50, 50}, "red"},
            {"suit-1.png", {50, 50}, "black"}, {"suit-2.png", {50, 50}, "red"},
            {"suit-3.png", {50, 50}, "black"}, {"picture-0.png", {50, 49}, ""},
            {"picture-1.png", {50, 49}, ""},   {"picture-2.png", {50, 49}, ""},
            {"picture-3.png", {50, 49}, ""},   {"picture-4.png", {50, 49}, ""},
            {"ok.png", {51, 29}, ""},          {"cancel.png", {51, 29}, ""},
            {"exit.png", {51, 29}, ""},        {"import-0.png", {88, 21}, ""},
            {"import-1.png", {22, 21}, ""},    {"import-2.png", {22, 21}, ""},
            {"import-3.png", {22, 21}, ""},    {"import-4.png", {22, 21}, ""},
            {"pointer.png", {32, 32}, ""},
        };
        for (const auto &[name, size, ink] : expected)
            QTest::newRow(qPrintable(name)) << name << size << ink;
    }

    // A PNG without time or text chunks (they would make every build differ), at its exact size, with at
    // least a tenth of it opaque and more than two colours.
    void files()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QString, ink);
        const QByteArray bytes = readAll(appFile(QStringLiteral("Artwork/") + name));
        QVERIFY2(bytes.startsWith("\x89PNG"), "missing or not a PNG");
        const QImage img = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), size);
        int opaque = 0;
        for (int i = 0; i < size.width() * size.height(); ++i)
            opaque += qAlpha(img.pixel(i % size.width(), i / size.width())) > 200;
        QVERIFY2(opaque * 10 > size.width() * size.height(), qPrintable(QString::number(opaque)));
        QVERIFY2(colourVariety(img) >= 3, "a flat picture");
        if (ink.isEmpty())
            return;
        const Ink symbol = measureInk(img.convertToFormat(QImage::Format_RGB32), img.pixel(25, 4));
        QVERIFY(symbol.box.contains(QPoint(25, 25)));
        QVERIFY2(ink == "red" ? symbol.red > 200 : symbol.dark > 200 && symbol.red == 0,
                 qPrintable(symbol.text()));
    }

    // The shell sets the pointer with hotspot (12, 1): the topmost clearly drawn pixels must be right there,
    // and the hand transparent around, so that it works on any background.
    void pointerHotspotIsTheFingertip()
    {
        const QImage img =
            QImage(appFile(QStringLiteral("Artwork/pointer.png"))).convertToFormat(QImage::Format_ARGB32);
        QList<int> tip; // the drawn pixels of the topmost row that has any, as y * 32 + x
        for (int y = 0; y < 32 && tip.isEmpty(); ++y)
            for (int x = 0; x < 32; ++x)
                if (qAlpha(img.pixel(x, y)) > 128)
                    tip << y * 32 + x;
        QVERIFY2(tip.contains(12) || tip.contains(32 + 12), "the fingertip is not at (12, 0) or (12, 1)");
        QVERIFY(qAlpha(img.pixel(12, 1)) > 200);
        for (QPoint p :
             {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31), QPoint(2, 2), QPoint(29, 5)})
            QCOMPARE(qAlpha(img.pixel(p)), 0);
    }

    // A white card with a darker outline and round corners, 8 to 14 pixels in from the cell's edge, on a
    // background that contrasts with it and fills the cell's 8-pixel margin; a mirror image about its row
    // 200; every cell the same.
    void cells()
    {
        const QImage cell = m_sheet.copy(0, 0, 285, 400);
        const QRgb bg = cell.pixel(0, 0), white = qRgb(255, 255, 255);
        QVERIFY2(channelDistance(bg, white) > 150, "background must contrast with the white card");
        QCOMPARE(cell.pixel(142, 200), white);
        QCOMPARE(cell.pixel(30, 30), white);
        int x = 0;
        while (x < 142 && cell.pixel(x, 200) == bg)
            ++x;
        QVERIFY2(x >= 8 && x <= 14, qPrintable(QStringLiteral("card edge at x=%1").arg(x)));
        QVERIFY2(qGray(cell.pixel(x, 200)) < 200 || qGray(cell.pixel(x + 1, 200)) < 200, "no outline");
        QCOMPARE(cell.pixel(x + 1, x + 1), bg); // a square card would be white one pixel inside its corner
        QCOMPARE(cell.pixel(285 - 2 - x, 400 - 2 - x), bg);
        for (int i = 0; i < 285 * 400; ++i)
            if (!QRect(8, 8, 269, 384).contains(i % 285, i / 285) && cell.pixel(i % 285, i / 285) != bg)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not background").arg(i % 285).arg(i / 285)));
        for (int d = 1; d <= 199; ++d)
            QVERIFY2(std::memcmp(cell.constScanLine(200 - d), cell.constScanLine(200 + d), 285 * 4) == 0,
                     qPrintable(QStringLiteral("row %1 differs from row %2").arg(200 - d).arg(200 + d)));
        for (int i = 1; i < 4 * 14; ++i)
            QVERIFY2(m_sheet.copy(i % 14 * 285, i / 14 * 400, 285, 400) == cell,
                     qPrintable(QString::number(i)));
    }

    void squares_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("suit");
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int suit = 0; suit < 4; ++suit)
                QTest::addRow("%s %d", qPrintable(appdata::symbolStyleCaption(style)), suit) << style << suit;
    }

    // A light ground; a symbol covering 15 to 80 % of the square, centred, over half the square each way and
    // clear of the edges by 2 pixels; hearts and diamonds red, clubs and spades black.
    void squares()
    {
        QFETCH(int, style);
        QFETCH(int, suit);
        const QImage pip = m_sets.at(style).copy(0, suit * 50, 50, 50);
        QVERIFY2(qGray(pip.pixel(0, 0)) > 200, "the ground of a pip must be light");
        const Ink ink = measureInk(pip, pip.pixel(0, 0));
        QVERIFY2(ink.count > 375 && ink.count < 2000, qPrintable(QString::number(ink.count)));
        const QPointF centre = QRectF(ink.box).center();
        QVERIFY(QRect(2, 2, 46, 46).contains(ink.box) && ink.box.width() > 25 && ink.box.height() > 25);
        QVERIFY(std::abs(centre.x() - 25) < 4 && std::abs(centre.y() - 25) < 4);
        const bool red = suit == 0 || suit == 2;
        QVERIFY2(red ? ink.red > 156 && ink.dark < 50 : ink.red == 0 && ink.dark > 156,
                 qPrintable(ink.text()));
    }

    // A joker: white paper round a coloured frame, and the jester's face in the upper middle, skin or white
    // make-up with dark features.
    void jokers_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kJokers; ++i)
            QTest::addRow("joker-%02d", i + 1) << i;
    }

    void jokers()
    {
        QFETCH(int, index);
        const QImage &img = m_jokers.at(index);
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
        QVERIFY2(light > 400 && dark > 60,
                 qPrintable(QStringLiteral("face: %1 light, %2 dark").arg(light).arg(dark)));
    }

    // A back: A4 portrait with a white margin round a design that fills the rest of the page, its halves
    // mirroring each other closely so that it looks the same either way up.
    void backs_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kBacks; ++i)
            QTest::addRow("Background-%d", i) << i;
    }

    void backs()
    {
        QFETCH(int, index);
        const QImage &img = m_backs.at(index);
        for (QPoint p :
             {QPoint(10, 10), QPoint(1229, 10), QPoint(10, 1743), QPoint(1229, 1743), QPoint(620, 20)})
            QVERIFY(channelDistance(img.pixel(p), qRgb(255, 255, 255)) < 12);
        const QImage inner = img.copy(100, 100, 1040, 1554);
        QVERIFY2(colourVariety(inner) > 20, "the design is flat");
        int paper = 0, samples = 0;
        for (int y = 0; y < inner.height(); y += 7)
            for (int x = 0; x < inner.width(); x += 7, ++samples)
                paper += channelDistance(inner.pixel(x, y), qRgb(255, 255, 255)) < 30;
        QVERIFY2(paper < samples / 4, "the design leaves most of the page white");
        const QImage left = inner.copy(0, 0, 520, 1554), right = inner.copy(520, 0, 520, 1554);
        QVERIFY2(meanDifference(left, right.mirrored(true, false)) < 40, "the halves differ");
    }

    void designsDiffer()
    {
        QCOMPARE(alikePair(m_sets, 4), QString());
        for (const QImage &set : m_sets) {
            const QList<QImage> suits{set.copy(0, 0, 50, 50), set.copy(0, 50, 50, 50),
                                      set.copy(0, 100, 50, 50), set.copy(0, 150, 50, 50)};
            QCOMPARE(alikePair(suits, 8), QString());
        }
        QCOMPARE(alikePair(m_jokers, 12), QString());
        QCOMPARE(alikePair(m_backs, 15), QString());
    }

    // The offset after startxref must point at the cross-reference table: patching the dates kept the
    // lengths.
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

    // A fresh run writes the files it says it wrote, and nothing else beside an empty Projecten folder, each
    // the same bytes as the build's run.
    void writesWhatItSaysAsTheBuildDid()
    {
        QStringList written = m_written, onDisk;
        const QDir root(m_fresh.path());
        for (QDirIterator it(m_fresh.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            onDisk << root.relativeFilePath(it.next());
        written.sort();
        onDisk.sort();
        QCOMPARE(onDisk, written);
        QVERIFY(
            QDir(root.filePath("Projecten")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        for (const QString &file : m_written) {
            const QByteArray built = readAll(appFile(file));
            QVERIFY2(!built.isEmpty() && built == readAll(root.filePath(file)), qPrintable(file));
        }
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
};

QTEST_MAIN(TestAppData)
#include "tst_appdata.moc"
