// The data folders drawn at build time, as the program relies on them: names, formats, sizes, the cells and
// symbol squares the placement engine paints from, real drawings, the same bytes on every build.

#include "appdata/src/appdata.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using vellora::test::readBytes;

namespace {

const auto appFile = [](const QString &relative) {
    return QDir(QStringLiteral(VELLORA_APPDATA_DIR)).filePath(relative);
};

// A BMP from the application folder as RGB32; null when it is missing or not 24 bits per pixel, the depth the
// program reads.
QImage bmp24(const QString &relative)
{
    const QByteArray bytes = readBytes(appFile(relative));
    if (bytes.size() < 30 || !bytes.startsWith("BM") || (quint8(bytes[28]) | quint8(bytes[29]) << 8) != 24)
        return {};
    return QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
}

const auto channelDistance = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
};

// The mean difference of two pictures of one size, per pixel and channel.
double meanDifference(const QImage &a, const QImage &b)
{
    qint64 total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            total += channelDistance(a.pixel(x, y), b.pixel(x, y));
    return double(total) / (3.0 * a.width() * a.height());
}

// The text naming the file a drawing belongs to: its name and the hash of its bytes.
QString tagOf(const QString &name, const QByteArray &bytes)
{
    return name + u' ' + QLatin1String(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// How many distinct colours, quantised to 4 bits per channel: a blank or flat placeholder has one or two.
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
    QList<QImage> m_sets, m_jokers, m_courts, m_backs, m_bleedBacks;
    QTemporaryDir m_fresh;
    QStringList m_written;

private Q_SLOTS:
    void initTestCase()
    {
        // Each file where the program takes it from, at the size it takes.
        const auto load = [](QList<QImage> &into, const QString &relative, QSize size) {
            into.append(relative.startsWith(u"Data/")
                            ? bmp24(relative)
                            : QImage(appFile(relative), relative.endsWith(u".jpg") ? "JPEG" : "PNG")
                                  .convertToFormat(QImage::Format_RGB32));
            QCOMPARE(into.last().size(), size);
        };
        QList<QImage> sheet;
        load(sheet, u"Data/Kaarten.krt"_s, {3990, 1600});
        m_sheet = sheet.value(0);
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            load(m_sets, u"Data/Hkrs-%1.krt"_s.arg(style), {50, 200});
        for (int i = 1; i <= appdata::kJokers; ++i)
            load(m_jokers, u"Data/joker-%1.jok"_s.arg(i, 2, 10, QLatin1Char('0')), {240, 330});
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < appdata::kCourtRanks; ++rank)
                load(m_courts, u"Data/%1.bmp"_s.arg(appdata::courtFileName(suit, rank)), {165, 280});
        for (int i = 0; i < appdata::kBacks; ++i) {
            load(m_backs, u"Backgrounds/Background-%1.jpg"_s.arg(i), {1240, 1754});
            // Poker's width, 57 x 90's height, 10 mm round.
            load(m_bleedBacks, u"Backgrounds/Background-%1@bleed.png"_s.arg(i), {986, 1299});
        }
        const appdata::Result<QStringList> written = appdata::generateAll(m_fresh.path());
        QVERIFY2(written, qPrintable(written.outcome().reason()));
        m_written = *written;
    }

    // The user-interface pictures are real drawings at their own size; which ones the windows ask for by
    // name, tst_artwork checks.
    void artwork_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const appdata::ArtworkItem &item : appdata::artworkItems())
            QTest::newRow(qPrintable(item.name)) << item.name << item.size;
    }

    void artwork()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QByteArray bytes = readBytes(appFile(QStringLiteral("Artwork/") + name));
        QVERIFY2(bytes.startsWith("\x89PNG"), "missing or not a PNG");
        const QImage img = QImage::fromData(bytes, "PNG");
        QCOMPARE(img.size(), size);
        QVERIFY2(colourVariety(img) >= 3, "a flat picture");
    }

    // The shell sets the pointer with hotspot (12, 1): the topmost clearly drawn pixels must be right there,
    // and the hand transparent around, so that it works on any background.
    void pointerHotspotIsTheFingertip()
    {
        const QImage img(appFile(QStringLiteral("Artwork/pointer.png")));
        QVERIFY(qAlpha(img.pixel(12, 1)) > 200);
        for (int x = 0; x < 32; ++x) // nothing drawn above the fingertip or beside it
            QVERIFY2(qAlpha(img.pixel(x, 0)) <= 128 || std::abs(x - 12) <= 2, qPrintable(QString::number(x)));
        for (QPoint p : std::initializer_list<QPoint>{{0, 0}, {31, 0}, {0, 31}, {31, 31}, {2, 2}, {29, 5}})
            QCOMPARE(qAlpha(img.pixel(p)), 0);
    }

    // A white card, outlined, round-cornered, 8 to 14 pixels in, on a contrasting ground filling the cell's
    // 8-pixel margin; a mirror image about row 200; every cell the same.
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
            QVERIFY2(m_sheet.copy(i % 14 * 285, i / 14 * 400, 285, 400) == cell, "cells differ");
    }

    // Each 50 x 50 square of a symbol set: a light ground and a symbol centred on it, over half the square
    // each way and clear of the edges by 2 pixels; hearts and diamonds red, clubs and spades black.
    void squares()
    {
        for (int style = 0; style < appdata::kSymbolStyles; ++style)
            for (int suit = 0; suit < 4; ++suit) {
                const QImage pip = m_sets.at(style).copy(0, suit * 50, 50, 50);
                const QString row = QStringLiteral("style %1, suit %2").arg(style).arg(suit);
                QVERIFY2(qGray(pip.pixel(0, 0)) > 200, qPrintable(row));
                QRect box;
                int red = 0, dark = 0;
                for (int i = 0; i < 50 * 50; ++i) {
                    const QRgb p = pip.pixel(i % 50, i / 50);
                    if (channelDistance(p, pip.pixel(0, 0)) < 90)
                        continue;
                    red += qRed(p) > qGreen(p) + 50 && qRed(p) > qBlue(p) + 40;
                    dark += qMax(qRed(p), qMax(qGreen(p), qBlue(p))) < 90;
                    box |= QRect(i % 50, i / 50, 1, 1);
                }
                const QPointF centre = QRectF(box).center() - QPointF(25, 25);
                QVERIFY2(QRect(2, 2, 46, 46).contains(box) && box.width() > 25 && box.height() > 25,
                         qPrintable(row));
                QVERIFY2(std::abs(centre.x()) < 4 && std::abs(centre.y()) < 4, qPrintable(row));
                QVERIFY2(suit % 2 ? red == 0 && dark > 156 : red > 156 && dark < 50, qPrintable(row));
            }
    }

    // Jokers and backs are printed: white paper at their corners and a real drawing, each one of its own, as
    // is each symbol style.
    void drawingsOfTheirOwn()
    {
        for (const QList<QImage> *kind : {&m_jokers, &m_backs})
            for (const QImage &img : *kind) {
                const int r = img.width() - 2, b = img.height() - 2;
                for (QPoint p : {QPoint(1, 1), QPoint(r, 1), QPoint(1, b), QPoint(r, b), QPoint(r / 2, 2)})
                    QVERIFY(qGray(img.pixel(p)) > 245);
                QVERIFY(colourVariety(img) > 20);
            }
        for (const QImage &img : m_courts)
            QVERIFY(colourVariety(img) > 20);
        for (const QList<QImage> *kind : {&m_sets, &m_jokers, &m_courts, &m_backs, &m_bleedBacks})
            for (int a = 0; a < kind->size(); ++a)
                for (int b = a + 1; b < kind->size(); ++b)
                    QVERIFY2(kind->at(a) != kind->at(b), qPrintable(QStringLiteral("%1 = %2").arg(a).arg(b)));
    }

    // Each back drawn again for print shops: 300 dpi, naming its page by the hash of the page's bytes, the
    // pattern out to every edge with hardly a white pixel in the outer millimetre, and the page's middle
    // lying on it as the page lies on a 63 x 88 card (744 of its 1240 pixels).
    void fullBleedBacks()
    {
        for (int i = 0; i < appdata::kBacks; ++i) {
            const QString name = QStringLiteral("Background-%1").arg(i);
            const QImage &bled = m_bleedBacks.at(i);
            const QByteArray page = readBytes(appFile(QStringLiteral("Backgrounds/") + name + ".jpg"));
            QCOMPARE(bled.text(QLatin1String(appdata::kMasterKey)), tagOf(name + u".jpg"_s, page));
            QCOMPARE(bled.dotsPerMeterX(), 11811);
            int white = 0, all = 0;
            for (int y = 0; y < bled.height(); ++y)
                for (int x = 0; x < bled.width(); ++x)
                    if (std::min({x, y, bled.width() - 1 - x, bled.height() - 1 - y}) < 12)
                        ++all, white += qGray(bled.pixel(x, y)) > 235;
            QVERIFY2(white * 50 < all,
                     qPrintable(QStringLiteral("%1: %2 of %3 white").arg(name).arg(white).arg(all)));
            const QImage middle = bled.copy(QRect(QPoint(493 - 150, 649 - 150), QSize(300, 300)))
                                      .scaled(10, 10, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QImage pageMiddle = m_backs.at(i)
                                          .copy(QRect(QPoint(620 - 250, 877 - 250), QSize(500, 500)))
                                          .scaled(10, 10, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const double off = meanDifference(middle, pageMiddle);
            QVERIFY2(off < 10, qPrintable(QStringLiteral("%1: the middle is off by %2").arg(name).arg(off)));
        }
    }

    // Each drawing the print master takes instead of enlarging a file: three times its size, naming the file
    // by the hash of its present bytes. A court figure is double-headed: the picture
    // is itself turned by 180 degrees, at both sizes.
    void masterDrawings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stem"); // of the drawing
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("doubleHeaded");
        // The blank sheet's drawing is of one card: its own name, and it belongs to the sheet.
        QTest::newRow("blank card") << u"Kaarten.krt"_s << u"Kaart"_s << QSize(285, 400) << false;
        for (int i = 1; i <= appdata::kJokers; ++i) {
            const QString stem = u"joker-%1"_s.arg(i, 2, 10, QLatin1Char('0'));
            QTest::newRow(qPrintable(stem)) << stem + u".jok"_s << stem << QSize(240, 330) << false;
        }
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < appdata::kCourtRanks; ++rank) {
                const QString stem = appdata::courtFileName(suit, rank);
                QTest::newRow(qPrintable(stem)) << stem + u".bmp"_s << stem << QSize(165, 280) << true;
            }
    }

    void masterDrawings()
    {
        QFETCH(QString, file);
        QFETCH(QString, stem);
        QFETCH(QSize, size);
        QFETCH(bool, doubleHeaded);
        const QByteArray bytes = readBytes(appFile(u"Data/"_s + file));
        const QByteArray drawingBytes = readBytes(appFile(u"Data/"_s + stem + u"@3x.png"_s));
        QVERIFY(!bytes.isEmpty() && drawingBytes.startsWith("\x89PNG"));
        const QImage drawing = QImage::fromData(drawingBytes, "PNG").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawing.size(), size * 3);
        QCOMPARE(drawing.text(QLatin1String(appdata::kMasterKey)), tagOf(file, bytes));
        // Brought down, the drawing is the picture, within what drawing larger moves: the master prints it.
        const QImage small =
            QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32).copy(QRect(QPoint(), size));
        const double off =
            meanDifference(drawing.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), small);
        QVERIFY2(off < 3, qPrintable(QStringLiteral("off by %1").arg(off)));
        if (!doubleHeaded)
            return;
        QVERIFY2(small == small.mirrored(true, true), "the 1x picture is not itself turned");
        QVERIFY2(drawing == drawing.mirrored(true, true), "the drawing is not itself turned");
    }

    void guideIsAFixedPdfWithItsTitle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("Dutch") << "Help/Beeldscherm.pdf" << QByteArray("Beeldscherm instellen op 96 dpi");
        QTest::newRow("English") << "Help/Display.pdf" << QByteArray("Setting the display to 96 dpi");
    }

    // The offset after startxref must point at the cross-reference table: patching the dates kept the
    // lengths.
    void guideIsAFixedPdfWithItsTitle()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, title);
        const QByteArray pdf = readBytes(appFile(file));
        QVERIFY(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
        QVERIFY2(pdf.size() > 10000, "the guide has no real content");
        QVERIFY(pdf.contains("<rdf:li xml:lang='x-default'>" + title + "</rdf:li>"));
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
        const QDir projects(root.filePath("Projecten"));
        QVERIFY(projects.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        for (const QString &file : m_written) {
            const QByteArray built = readBytes(appFile(file));
            QVERIFY2(!built.isEmpty() && built == readBytes(root.filePath(file)), qPrintable(file));
        }
    }

    void refusesAFolderItCannotCreate()
    {
        QTemporaryDir dir;
        QVERIFY(vellora::test::writeBytes(dir.filePath(u"Data"_s), {})); // a file where the folder should go
        const appdata::Result<QStringList> written = appdata::generateAll(dir.path());
        QVERIFY(!written);
        QVERIFY(written.outcome().reason().contains(QLatin1String("Data")));
    }
};

QTEST_MAIN(TestAppData)
#include "tst_appdata.moc"
