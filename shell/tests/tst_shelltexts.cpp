#include "datumtekst.h"
#include "displayinfo.h"
#include "helptekst.h"
#include "opendocument.h"
#include "surface.h"
#include "termometer.h"

#include <QtTest>

using namespace vellora;

namespace {
enum class Ink { Red, Blue };
}
Q_DECLARE_METATYPE(Ink)

class TestShellTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void datumTekst_data();
    void datumTekst();
    void klokTekst_data();
    void klokTekst();
    void helpTekstHas22CrLfLines();
    void helpTekstLines_data();
    void helpTekstLines();
    void termometerTicks();
    void termometerTexts_data();
    void termometerTexts();
    void schermFiguur_data();
    void schermFiguur();
    void beeldschermTekst_data();
    void beeldschermTekst();
    void documentUrl_data();
    void documentUrl();
};

void TestShellTexts::datumTekst_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sunday is the first of the week") << QDate(2026, 12, 6) << "Zondag 6 December 2026";
    QTest::newRow("saturday is the last") << QDate(2026, 12, 5) << "Zaterdag 5 December 2026";
    QTest::newRow("day 1 without zero, Mei") << QDate(2026, 5, 1) << "Vrijdag 1 Mei 2026";
    QTest::newRow("first month") << QDate(2027, 1, 4) << "Maandag 4 Januari 2027";
    QTest::newRow("leap day") << QDate(2028, 2, 29) << "Dinsdag 29 Februari 2028";
}

void TestShellTexts::datumTekst()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(DatumTekst(date), expected);
}

void TestShellTexts::klokTekst_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("morning, one-digit hour") << QTime(9, 5, 3) << "9:05:03";
    QTest::newRow("second before midnight") << QTime(23, 59, 59) << "23:59:59";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "0:00:00";
    QTest::newRow("ten o'clock") << QTime(10, 0, 9) << "10:00:09";
}

void TestShellTexts::klokTekst()
{
    QFETCH(QTime, time);
    QFETCH(QString, expected);
    QCOMPARE(vellora::klokTekst(time), expected);
}

void TestShellTexts::helpTekstHas22CrLfLines()
{
    const QString tekst = helpTekst();
    QVERIFY(tekst.endsWith(QLatin1String("\r\n")));
    QCOMPARE(tekst.count(QLatin1String("\r\n")), 22);
    // Every break is a CR LF pair: no lone carriage return or line feed.
    QCOMPARE(tekst.count(QLatin1Char('\r')), 22);
    QCOMPARE(tekst.count(QLatin1Char('\n')), 22);
}

void TestShellTexts::helpTekstLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("welcome") << 0 << "Welkom bij Zelf Vellora Maken.";
    QTest::newRow("45 hyphens") << 1 << QString(45, QLatin1Char('-'));
    QTest::newRow("apostrophes around Ok") << 3 << "2. Druk op de knop 'Ok' om de getallen en";
    QTest::newRow("five-blank indent") << 4 << "     Symbolen te plaatsen op de Vellora.";
    QTest::newRow("last indented line") << 19 << "     dezelfde gekozen afbeelding.";
    QTest::newRow("empty line") << 20 << QString();
    QTest::newRow("last line") << 21 << "Klik Help om dit scherm weer te verwijderen.";
}

void TestShellTexts::helpTekstLines()
{
    QFETCH(int, line);
    QFETCH(QString, expected);
    const QStringList lines = helpTekst().split(QLatin1String("\r\n"));
    QCOMPARE(lines.size(), 23); // the break after the last line leaves an empty tail
    QCOMPARE(lines.at(line), expected);
}

namespace {

Surface drawnTermometer()
{
    Surface termometer;
    termometer.backColor = QColor(220, 220, 190);
    termometer.resize(72, 240); // 1080 x 3600 twips
    drawTermometerScale(termometer);
    return termometer;
}

bool isColour(const QImage &image, int x, int y, QColor colour) { return image.pixelColor(x, y) == colour; }

// Text is antialiased into the panel colour, so its pixels are told by their dominant hue, not their exact
// colour: the scale's red and blue both stand out against the yellowish panel and the grey ticks.
int inkPixels(const QImage &image, const QRect &area, Ink ink)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool match = ink == Ink::Blue ? c.blue() - c.red() > 20 && c.blue() - c.green() > 20
                                                : c.red() - c.green() > 40 && c.red() - c.blue() > 20;
            if (match)
                ++count;
        }
    return count;
}

} // namespace

void TestShellTexts::termometerTicks()
{
    const QImage image = drawnTermometer().image();
    const QColor tick(80, 80, 80);
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (isColour(image, 35, y, tick))
            rows << y;
    QCOMPARE(rows.size(), 28);
    QCOMPARE(rows.first(), 20);  // 300 twips
    QCOMPARE(rows.last(), 200);  // 3000 twips
    // Each tick reaches from 330 to 720 twips and no further.
    QVERIFY(isColour(image, 22, 20, tick));
    QVERIFY(isColour(image, 48, 20, tick));
    QVERIFY(!isColour(image, 21, 20, tick));
    QVERIFY(!isColour(image, 49, 20, tick));
}

void TestShellTexts::termometerTexts_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<bool>("present");
    const Ink red = Ink::Red, blue = Ink::Blue;
    QTest::newRow("Voortgang under the scale") << QRect(10, 216, 60, 20) << red << true;
    QTest::newRow("no Voortgang above it") << QRect(0, 0, 72, 214) << red << false;
    QTest::newRow("digit 9 left") << QRect(9, 14, 13, 14) << blue << true;
    QTest::newRow("digit 9 right") << QRect(49, 14, 20, 14) << blue << true;
    QTest::newRow("digit 0 left") << QRect(9, 194, 13, 14) << blue << true;
    QTest::newRow("digit 0 right") << QRect(49, 194, 20, 14) << blue << true;
    QTest::newRow("no digits between the ticks' ends") << QRect(23, 0, 25, 240) << blue << false;
    // The blank before each digit keeps it clear of the frame side.
    QTest::newRow("blank before the left digits") << QRect(0, 0, 11, 214) << blue << false;
}

void TestShellTexts::termometerTexts()
{
    QFETCH(QRect, area);
    QFETCH(Ink, ink);
    QFETCH(bool, present);
    const QImage image = drawnTermometer().image();
    QCOMPARE(inkPixels(image, area, ink) > 0, present);
}

void TestShellTexts::schermFiguur_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole number, no decimal point") << 28800 << "1920";
    QTest::newRow("one decimal") << 16392 << "1092.8";
    QTest::newRow("a third, 15 digits") << 16391 << "1092.73333333333";
    QTest::newRow("below one") << 7 << "0.466666666666667";
    QTest::newRow("nothing") << 0 << "0";
}

void TestShellTexts::schermFiguur()
{
    QFETCH(int, twips);
    QFETCH(QString, expected);
    QCOMPARE(vellora::schermFiguur(twips), expected);
}

void TestShellTexts::beeldschermTekst_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<QSize>("twips");
    QTest::addColumn<QString>("resolutie");
    QTest::addColumn<QString>("grootte");
    QTest::newRow("1920 x 1080 at 96 dpi") << 15.0 << QSize(28800, 16200)
                                           << "Schermresolutie... : 96 Dpi (Dots / Inch)"
                                           << "Schermgrootte..... : 1920 x 1080 Pixels";
    // The figures are twips / 15 whatever the resolution: the same screen at 120 dpi reads smaller.
    QTest::newRow("1920 x 1080 at 120 dpi") << 12.0 << QSize(23040, 12960)
                                            << "Schermresolutie... : 120 Dpi (Dots / Inch)"
                                            << "Schermgrootte..... : 1536 x 864 Pixels";
    QTest::newRow("1366 x 768 at 120 dpi") << 12.0 << QSize(16392, 9216)
                                           << "Schermresolutie... : 120 Dpi (Dots / Inch)"
                                           << "Schermgrootte..... : 1092.8 x 614.4 Pixels";
    QTest::newRow("144 dpi") << 10.0 << QSize(19200, 10800) << "Schermresolutie... : 144 Dpi (Dots / Inch)"
                             << "Schermgrootte..... : 1280 x 720 Pixels";
}

void TestShellTexts::beeldschermTekst()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(QSize, twips);
    QFETCH(QString, resolutie);
    QFETCH(QString, grootte);
    const QString tekst = vellora::beeldschermTekst(ScreenMetrics{twipsPerPixel, twipsPerPixel, twips});
    QVERIFY(!tekst.endsWith(QLatin1Char('\n')));
    QCOMPARE(tekst.count(QLatin1Char('\r')), 6);
    QCOMPARE(tekst.count(QLatin1Char('\n')), 6);
    QCOMPARE(tekst.split(QLatin1String("\r\n")),
             (QStringList{resolutie, grootte, QString(42, QLatin1Char('-')),
                          "Is de Schermresolutie ongelijk dan 96 Dpi,", "kijk dan onder Help/Beeldscherm voor het",
                          "wijzigen van de Schermresolutie voor de", "versies Windows XP en Windows 7 en 8."}));
}

void TestShellTexts::documentUrl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("web page") << "http://www.vellora.example/software.htm"
                              << QUrl(QStringLiteral("http://www.vellora.example/software.htm"));
    QTest::newRow("secure web page") << "HTTPS://example.org/a" << QUrl(QStringLiteral("https://example.org/a"));
    QTest::newRow("file") << "/opt/vellora/Help/Beeldscherm.pdf"
                          << QUrl(QStringLiteral("file:///opt/vellora/Help/Beeldscherm.pdf"));
    // Characters that mean something in a URL stay part of the file name.
    QTest::newRow("file with # and %") << "/tmp/a #1 %20/x.pdf"
                                       << QUrl::fromLocalFile(QStringLiteral("/tmp/a #1 %20/x.pdf"));
}

void TestShellTexts::documentUrl()
{
    QFETCH(QString, target);
    QFETCH(QUrl, expected);
    const QUrl url = vellora::documentUrl(target);
    QCOMPARE(url, expected);
    if (url.isLocalFile())
        QCOMPARE(url.toLocalFile(), target);
}

QTEST_MAIN(TestShellTexts)
#include "tst_shelltexts.moc"
