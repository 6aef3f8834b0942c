#include "displayinfo.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "platform.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTest>

using namespace vellora;

// Runs on a screen scaled to 125 %, as a user with a 120 dpi display has it.
class TestScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void displayInformation_data();
    void displayInformation();
    void outlineShowsOnEverySide_data();
    void outlineShowsOnEverySide();
    void mainWindowHasNoEmptyBandAndMarksOnlyWhatIsOn();
};

void TestScreen::displayInformation_data()
{
    QTest::addColumn<ScreenMetrics>("screen");
    QTest::addColumn<QString>("dots");
    QTest::addColumn<QString>("size");
    QTest::newRow("96 dpi") << ScreenMetrics::fromDots(96, 96, {1920, 1080}) << "96" << "1920 x 1080";
    // Sizes are twips over 15, as the message has always reported them.
    QTest::newRow("120 dpi") << ScreenMetrics::fromDots(120, 120, {1920, 1080}) << "120" << "1536 x 864";
    // The offscreen screen is 800 x 800 real pixels; at 125 % Qt calls it 640 x 640 at 96 dpi.
    QTest::newRow("this screen, 125 %") << ScreenMetrics::of(QGuiApplication::primaryScreen()) << "120"
                                        << "640 x 640";
}

void TestScreen::displayInformation()
{
    QFETCH(ScreenMetrics, screen);
    QFETCH(QString, dots);
    QFETCH(QString, size);
    const QStringList lines = beeldschermTekst(screen).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QStringLiteral("Schermresolutie... : %1 Dpi (Dots / Inch)").arg(dots));
    QCOMPARE(lines.value(1), QStringLiteral("Schermgrootte..... : %1 Pixels").arg(size));
}

void TestScreen::outlineShowsOnEverySide_data()
{
    QTest::addColumn<qreal>("scale");
    for (qreal scale : {1.0, 1.25, 1.5, 2.0})
        QTest::newRow(qPrintable(QString::number(scale))) << scale;
}

void TestScreen::outlineShowsOnEverySide()
{
    QFETCH(qreal, scale);
    const QColor pink(255, 128, 128);
    ShapeWidget outline(ShapeWidget::Kind::Rectangle, pink);
    outline.resize(165, 280);
    QImage image((QSizeF(outline.size()) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    outline.render(&image, {}, {}, QWidget::DrawChildren); // the outline alone, no window background
    const int w = image.width(), h = image.height();
    const QPoint sides[4] = {{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}};
    for (const QPoint side : sides)
        QVERIFY2(image.pixelColor(side) == pink, qPrintable(QStringLiteral("no outline at %1,%2").arg(side.x()).arg(side.y())));
    QCOMPARE(image.pixelColor(w / 2, h / 2), QColor(Qt::white));
}

// The main window at 125 %: the frames reach its bottom, and a check item shows a mark in its check column
// when on and nothing at all, not an empty box, when off.
void TestScreen::mainWindowHasNoEmptyBandAndMarksOnlyWhatIsOn()
{
    const auto folder = test::copyOfAppData();
    NoPacer pacer;
    test::ScriptedPrompter prompter;
    RecordingPrintTarget printer;
    Main main(AppFolder(folder->path()), pacer, prompter, printer);
    main.show();
    const QWidget *frame8 = main.findChild<QFrame *>(QStringLiteral("Frame8"));
    const int below = main.height() - frame8->mapTo(&main, QPoint(0, frame8->height())).y();
    QVERIFY2(below >= 0 && below <= 4, qPrintable(QString::number(below)));

    auto *tools = main.findChild<QMenu *>(QStringLiteral("Tools"));
    QAction *grid = main.findChild<QAction *>(QStringLiteral("Gridlijnen"));
    const auto drawnInCheckColumn = [&] {
        tools->popup(QPoint(0, 0));
        const QRect item = tools->actionGeometry(grid);
        const QImage shot = tools->grab(QRect(item.left() + 2, item.top() + 1, item.height() - 2, item.height() - 3)).toImage();
        const QRgb ground = tools->grab(QRect(item.right() - 4, item.center().y(), 1, 1)).toImage().pixel(0, 0);
        tools->hide();
        int drawn = 0; // pixels that stand out from the menu's ground, a light box's edge included
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                drawn += std::abs(qGray(shot.pixel(x, y)) - qGray(ground)) > 24;
        return drawn;
    };
    QVERIFY(grid->isChecked());
    QVERIFY(drawnInCheckColumn() > 10);
    main.Gridlijnen_Click();
    QVERIFY(!grid->isChecked());
    QCOMPARE(drawnInCheckColumn(), 0);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication app(argc, argv);
    TestScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen.moc"
