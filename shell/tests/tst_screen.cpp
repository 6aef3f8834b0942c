#include "datumtekst.h"
#include "displayinfo.h"
#include "helptekst.h"
#include "opendocument.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace vellora;
using namespace Qt::StringLiterals;

// The shell's texts, on a screen scaled to 125 %, as a user with a 120 dpi display has it.
class TestScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Sizes are twips over 15, as the message has always reported them; characters that mean something in a
    // URL stay part of a file name.
    void texts()
    {
        QCOMPARE(DatumTekst(QDate(2026, 12, 6)), u"Zondag 6 December 2026"_s); // Sunday is the first day
        QCOMPARE(klokTekst(QTime(9, 5, 3)), u"9:05:03"_s);
        QCOMPARE(schermFiguur(28800), u"1920"_s);
        QCOMPARE(schermFiguur(16391), u"1092.73333333333"_s);
        // The offscreen screen is 800 x 800 real pixels; at 125 % Qt calls it 640 x 640 at 96 dpi.
        const QString screen = beeldschermTekst(ScreenMetrics::of(QGuiApplication::primaryScreen()));
        QCOMPARE(screen.section(u"\r\n"_s, 0, 1),
                 u"Schermresolutie... : 120 Dpi (Dots / Inch)\r\nSchermgrootte..... : 640 x 640 Pixels"_s);
        QCOMPARE(documentUrl(u"HTTPS://example.org/a"_s).toString(), u"https://example.org/a"_s);
        QCOMPARE(documentUrl(u"/tmp/a #1 %20/x.pdf"_s).toString(), u"file:///tmp/a %231 %2520/x.pdf"_s);
        // Help has 22 lines, each broken by a CR LF pair: no lone carriage return or line feed.
        const QString help = helpTekst();
        QCOMPARE(help.count(u"\r\n"_s), 22);
        QCOMPARE(help.count(u'\r') + help.count(u'\n'), 44);
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication app(argc, argv);
    TestScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen.moc"
