#include "appfolder.h"
#include "imagebutton.h"
#include "picturebox.h"
#include "platform.h"
#include "showform.h"
#include "testsupport.h"
#include "twips.h"

#include <QLabel>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

using namespace vellora;
using overview::DragRange;

namespace {

// Reports where the exit button stands while the window pauses.
class WatchingPacer final : public Pacer
{
public:
    std::function<void()> onPause;
    QList<int> pauses;
    void pause(int milliseconds) override
    {
        pauses << milliseconds;
        if (onPause)
            onPause();
    }
};

QImage sheetOfStripes()
{
    // One-pixel black and white columns: a smooth half-size picture is grey, a sampled one black or white.
    QImage sheet(3990, 1600, QImage::Format_RGB32);
    auto *first = reinterpret_cast<QRgb *>(sheet.scanLine(0));
    for (int x = 0; x < sheet.width(); ++x)
        first[x] = x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    for (int y = 1; y < sheet.height(); ++y)
        std::memcpy(sheet.scanLine(y), first, size_t(sheet.bytesPerLine()));
    return sheet;
}

struct Overview
{
    std::unique_ptr<QTemporaryDir> folder = test::copyOfAppData();
    WatchingPacer pacer;
    std::unique_ptr<Showform> form;

    explicit Overview(const QImage &sheet = sheetOfStripes())
    {
        form = std::make_unique<Showform>(sheet, pacer, AppFolder(folder->path()), QCursor(Qt::OpenHandCursor));
        form->show();
    }
    template <typename T = QWidget> T *get(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    PictureBox *slide() const { return get<PictureBox>("SlidePic"); }
};

} // namespace

Q_DECLARE_METATYPE(DragRange)

class TestShowform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dragStep_data();
    void dragStep();
    void dragRange_data();
    void dragRange();
    void pressPointRoundsHalvesToEven();
    void halfSizeIsSmooth();
    void layout();
    void drag_data();
    void drag();
    void exitShowsPressedLookThenCloses();
};

void TestShowform::dragStep_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("present");
    QTest::addColumn<QPoint>("expected");
    const QPoint start(0, 0);
    QTest::newRow("left and up follows the pointer") << QPointF(600, 450) << QPoint(1500, 750) << start
                                                     << QPoint(-900, -300);
    QTest::newRow("adds to where the picture stands")
        << QPointF(600, 450) << QPoint(1500, 750) << QPoint(-900, -300) << QPoint(-1800, -600);
    QTest::newRow("right and down from the start stays at 0")
        << QPointF(3000, 1500) << QPoint(150, 150) << start << QPoint(0, 0);
    QTest::newRow("back past the start stops at 0")
        << QPointF(3000, 1500) << QPoint(150, 150) << QPoint(-1000, -500) << QPoint(0, 0);
    QTest::newRow("far left and up stops at the bottom-right corner")
        << QPointF(-75000, -75000) << QPoint(7500, 2850) << start << QPoint(-21345, -9000);
    QTest::newRow("exactly at the corner stays there")
        << QPointF(0, 0) << QPoint(21345, 9000) << start << QPoint(-21345, -9000);
    QTest::newRow("one axis clamped, the other free")
        << QPointF(0, 3000) << QPoint(30000, 1500) << start << QPoint(-21345, 0);
    QTest::newRow("half down to even") << QPointF(7.5, -92.5) << QPoint(0, 0) << QPoint(-100, 0)
                                       << QPoint(-92, -92);
    QTest::newRow("half up to even") << QPointF(6.5, -93.5) << QPoint(0, 0) << QPoint(-100, 0) << QPoint(-94, -94);
}

void TestShowform::dragStep()
{
    QFETCH(QPointF, pointer);
    QFETCH(QPoint, press);
    QFETCH(QPoint, present);
    QFETCH(QPoint, expected);
    QCOMPARE(overview::dragStep(pointer, press, present, DragRange{21345, 9000}), expected);
}

void TestShowform::dragRange_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<DragRange>("expected");
    QTest::newRow("the half-size sheet") << QSize(29925, 12000) << DragRange{21345, 9000};
    QTest::newRow("as large as the viewport") << QSize(8580, 3000) << DragRange{0, 0};
    QTest::newRow("smaller than the viewport counts the difference") << QSize(8000, 3300) << DragRange{580, 300};
}

void TestShowform::dragRange()
{
    QFETCH(QSize, picture);
    QFETCH(DragRange, expected);
    QCOMPARE(overview::dragRange(overview::kViewport, picture), expected);
}

void TestShowform::pressPointRoundsHalvesToEven()
{
    QCOMPARE(overview::pressPoint(QPointF(7.5, 8.5)), QPoint(8, 8));
    QCOMPARE(overview::pressPoint(QPointF(1500, 0.4)), QPoint(1500, 0));
}

void TestShowform::halfSizeIsSmooth()
{
    const QImage half = overview::halfSizeSheet(sheetOfStripes());
    QCOMPARE(half.size(), QSize(1995, 800));
    for (const QPoint at : {QPoint(0, 0), QPoint(997, 400), QPoint(1994, 799)})
        QVERIFY2(qAbs(qGray(half.pixel(at)) - 128) <= 2, qPrintable(QString::number(qGray(half.pixel(at)))));
}

void TestShowform::layout()
{
    Overview o;
    QCOMPARE(o.form->windowTitle(), QStringLiteral("Show alle Vellora"));
    QCOMPARE(o.form->size(), QSize(608, 304));
    QCOMPARE(o.get("Label1")->geometry(), twipRect(180, 180, 8715, 3135));
    QCOMPARE(o.get("Label1")->palette().color(QPalette::Window), QColor(64, 0, 0));
    QWidget *picCont = o.get("PicCont");
    QCOMPARE(picCont->geometry(), twipRect(240, 240, 8580, 3000));
    QCOMPARE(o.slide()->parentWidget(), picCont);
    QCOMPARE(o.slide()->geometry(), QRect(0, 0, 1995, 800));
    QCOMPARE(o.form->range(), (DragRange{21345, 9000}));
    auto *label3 = o.get<QLabel>("Label3");
    QCOMPARE(label3->text(), QStringLiteral("Beweeg de muiscursor met ingedrukte linkermuisknop over de afbeelding "
                                            "heen om alle 56 kaarten\r\nte bekijken."));
    QCOMPARE(label3->pos(), px(QPoint(180, 3450)));
    QWidget *exit = o.get("ExitKnop");
    QCOMPARE(exit->geometry(), twipRect(8070, 3510, 765, 435));
    QVERIFY(!o.get<ImageButton>("ExitKnop")->pixmap().isNull());
    // The instruction ends before the exit button, and both lie inside the window.
    QVERIFY(label3->geometry().right() < exit->x());
    QVERIFY(o.form->rect().contains(label3->geometry()));
    QVERIFY(o.form->rect().contains(exit->geometry()));
}

void TestShowform::drag_data()
{
    // Steps: "L x,y" / "R x,y" press, "l" / "r" release, "m x,y" move; positions in SlidePic's pixels at the
    // moment of the event, as a real pointer would give them.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QPoint>("expected"); // SlidePic's left and top, twips
    QTest::newRow("right and down from the start") << QStringList{"L 10,10", "m 200,100", "l"} << QPoint(0, 0);
    QTest::newRow("left and up follows") << QStringList{"L 100,50", "m 40,30", "l"} << QPoint(-900, -300);
    QTest::newRow("the point under the pointer stays under it")
        << QStringList{"L 100,50", "m 40,30", "m 40,30", "l"} << QPoint(-1800, -600);
    QTest::newRow("far left and up stops at the corner")
        << QStringList{"L 500,190", "m -5000,-5000", "l"} << QPoint(-21345, -9000);
    QTest::newRow("right button alone") << QStringList{"R 100,50", "m 40,30", "r"} << QPoint(0, 0);
    QTest::newRow("both buttons") << QStringList{"L 100,50", "R 100,50", "m 40,30", "r", "l"} << QPoint(0, 0);
    QTest::newRow("the latest press of any button counts")
        << QStringList{"L 10,10", "R 100,50", "r", "m 40,30", "l"} << QPoint(-900, -300);
    QTest::newRow("a drag goes on where the last one ended")
        << QStringList{"L 100,50", "m 40,30", "l", "L 100,100", "m 100,40", "l"} << QPoint(-900, -1200);
}

void TestShowform::drag()
{
    QFETCH(QStringList, steps);
    QFETCH(QPoint, expected);
    Overview o;
    PictureBox *slide = o.slide();
    const QImage before = slide->image();
    for (const QString &step : steps) {
        const QStringList xy = step.mid(2).split(u',');
        const QPoint at = xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint();
        switch (step.at(0).toLatin1()) {
        case 'L': QTest::mousePress(slide, Qt::LeftButton, {}, at); break;
        case 'R': QTest::mousePress(slide, Qt::RightButton, {}, at); break;
        case 'l': QTest::mouseRelease(slide, Qt::LeftButton, {}, at); break;
        case 'r': QTest::mouseRelease(slide, Qt::RightButton, {}, at); break;
        case 'm': QTest::mouseMove(slide, at); break;
        default: QFAIL(qPrintable(step));
        }
    }
    QCOMPARE(o.form->slidePosition(), expected);
    QCOMPARE(slide->pos(), px(expected));
    // Dragging moves the picture; it is neither repainted into nor scaled again.
    QCOMPARE(slide->image().constBits(), before.constBits());
    QCOMPARE(o.pacer.pauses, QList<int>());
}

void TestShowform::exitShowsPressedLookThenCloses()
{
    Overview o;
    QWidget *exit = o.get("ExitKnop");
    QPoint pressed;
    bool openWhilePressed = false;
    o.pacer.onPause = [&] {
        pressed = exit->pos();
        openWhilePressed = o.form->isVisible();
    };
    QTest::mouseClick(exit, Qt::LeftButton);
    QCOMPARE(o.pacer.pauses, QList<int>{200});
    QCOMPARE(pressed, px(QPoint(8100, 3540)));
    QVERIFY(openWhilePressed);
    QCOMPARE(exit->pos(), px(QPoint(8070, 3510)));
    QVERIFY(!o.form->isVisible());
}

QTEST_MAIN(TestShowform)
#include "tst_showform.moc"
