#include "datumtekst.h"
#include "displayinfo.h"
#include "helptekst.h"
#include "opendocument.h"

#include <QtTest>

using namespace vellora;

class TestShellTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts_data();
    void texts();
    void helpTekstHas22CrLfLines();
    void documentUrl_data();
    void documentUrl();
};

void TestShellTexts::texts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date: Sunday is the first day")
        << DatumTekst(QDate(2026, 12, 6)) << "Zondag 6 December 2026";
    QTest::newRow("date: day 1 without zero, Mei") << DatumTekst(QDate(2026, 5, 1)) << "Vrijdag 1 Mei 2026";
    QTest::newRow("date: leap day") << DatumTekst(QDate(2028, 2, 29)) << "Dinsdag 29 Februari 2028";
    QTest::newRow("clock: one-digit hour") << klokTekst(QTime(9, 5, 3)) << "9:05:03";
    QTest::newRow("clock: second before midnight") << klokTekst(QTime(23, 59, 59)) << "23:59:59";
    QTest::newRow("screen figure: whole") << schermFiguur(28800) << "1920";
    QTest::newRow("screen figure: one decimal") << schermFiguur(16392) << "1092.8";
    QTest::newRow("screen figure: 15 digits") << schermFiguur(16391) << "1092.73333333333";
    QTest::newRow("screen figure: below one") << schermFiguur(7) << "0.466666666666667";
}

void TestShellTexts::texts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestShellTexts::helpTekstHas22CrLfLines()
{
    const QString tekst = helpTekst();
    QVERIFY(tekst.endsWith(QLatin1String("\r\n")));
    // Every break is a CR LF pair: no lone carriage return or line feed.
    QCOMPARE(tekst.count(QLatin1String("\r\n")), 22);
    QCOMPARE(tekst.count(u'\r') + tekst.count(u'\n'), 44);
}

void TestShellTexts::documentUrl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("web page") << "http://www.vellora.example/software.htm"
                              << QUrl(QStringLiteral("http://www.vellora.example/software.htm"));
    QTest::newRow("secure web page, any case")
        << "HTTPS://example.org/a" << QUrl(QStringLiteral("https://example.org/a"));
    // Characters that mean something in a URL stay part of the file name.
    QTest::newRow("file with # and %")
        << "/tmp/a #1 %20/x.pdf" << QUrl::fromLocalFile(QStringLiteral("/tmp/a #1 %20/x.pdf"));
}

void TestShellTexts::documentUrl()
{
    QFETCH(QString, target);
    QFETCH(QUrl, expected);
    QCOMPARE(vellora::documentUrl(target), expected);
}

QTEST_MAIN(TestShellTexts)
#include "tst_shelltexts.moc"
