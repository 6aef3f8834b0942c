#include "shell/datumtekst.h"
#include "shell/displayinfo.h"
#include "shell/helptekst.h"
#include "shell/mainwindow.h"
#include "shell/opendocument.h"
#include "surface/platform.h"
#include "surface/widgets/picturebox.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QTest>

using namespace vellora;
using namespace Qt::StringLiterals;

// The shell's texts, and its window on a screen scaled to 125 %, as a user with a 120 dpi display has it.
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
        const auto screen = [](const ScreenMetrics &metrics) {
            return beeldschermTekst(metrics).section(u"\r\n"_s, 0, 1);
        };
        QCOMPARE(screen(ScreenMetrics::fromDots(120, 120, {1920, 1080})),
                 u"Schermresolutie... : 120 Dpi (Dots / Inch)\r\nSchermgrootte..... : 1536 x 864 Pixels"_s);
        // The offscreen screen is 800 x 800 real pixels; at 125 % Qt calls it 640 x 640 at 96 dpi.
        QCOMPARE(screen(ScreenMetrics::of(QGuiApplication::primaryScreen())),
                 u"Schermresolutie... : 120 Dpi (Dots / Inch)\r\nSchermgrootte..... : 640 x 640 Pixels"_s);
        QCOMPARE(documentUrl(u"HTTPS://example.org/a"_s).toString(), u"https://example.org/a"_s);
        QCOMPARE(documentUrl(u"/tmp/a #1 %20/x.pdf"_s).toString(), u"file:///tmp/a %231 %2520/x.pdf"_s);
        // Help has 22 lines, each broken by a CR LF pair: no lone carriage return or line feed.
        const QString help = helpTekst();
        QCOMPARE(help.count(u"\r\n"_s), 22);
        QCOMPARE(help.count(u'\r') + help.count(u'\n'), 44);
    }

    void outlineShowsOnEverySide()
    {
        const QColor pink(255, 128, 128);
        ShapeWidget outline(ShapeWidget::Kind::Rectangle, pink);
        outline.resize(165, 280);
        for (qreal scale : {1.0, 1.25, 1.5, 2.0}) {
            QImage image((QSizeF(outline.size()) * scale).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            outline.render(&image, {}, {}, QWidget::DrawChildren); // the outline alone, no window background
            const int w = image.width(), h = image.height();
            for (const QPoint side :
                 {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
                QVERIFY2(image.pixelColor(side) == pink,
                         qPrintable(u"scale %1 at %2,%3"_s.arg(scale).arg(side.x()).arg(side.y())));
            QCOMPARE(image.pixelColor(w / 2, h / 2), QColor(Qt::white));
        }
    }

    // The frames reach the window's bottom, and a check item shows a mark in its check column when on and
    // nothing at all, not an empty box, when off.
    void mainWindowHasNoEmptyBandAndMarksOnlyWhatIsOn()
    {
        const auto folder = test::copyOfAppData();
        NoPacer pacer;
        test::ScriptedPrompter prompter;
        test::RecordingPrintQueues printer;
        Main main(AppFolder(folder->path()), pacer, prompter, printer);
        main.show();
        const QWidget *frame8 = main.findChild<QFrame *>(u"Frame8"_s);
        const int below = main.height() - frame8->mapTo(&main, QPoint(0, frame8->height())).y();
        QVERIFY2(below >= 0 && below <= 4, qPrintable(QString::number(below)));

        auto *tools = main.findChild<QMenu *>(u"Tools"_s);
        QAction *grid = main.findChild<QAction *>(u"Gridlijnen"_s);
        const auto drawnInCheckColumn = [&] {
            tools->popup(QPoint(0, 0));
            const QRect item = tools->actionGeometry(grid);
            const QRect column(item.left() + 2, item.top() + 1, item.height() - 2, item.height() - 3);
            const QImage shot = tools->grab(column).toImage();
            const QRgb ground =
                tools->grab(QRect(item.right() - 4, item.center().y(), 1, 1)).toImage().pixel(0, 0);
            tools->hide();
            int drawn = 0; // pixels that stand out from the menu's ground, a light box's edge included
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    drawn += std::abs(qGray(shot.pixel(x, y)) - qGray(ground)) > 24;
            return drawn;
        };
        QVERIFY(grid->isChecked());
        QVERIFY(drawnInCheckColumn() > 10);
        main.toggleGridLines();
        QVERIFY(!grid->isChecked());
        QCOMPARE(drawnInCheckColumn(), 0);
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
