#include "helptekst.h"
#include "imagebutton.h"
#include "mainwindow.h"
#include "modalwatch.h"
#include "picturebox.h"
#include "picturefile.h"
#include "platform.h"
#include "testsupport.h"
#include "twips.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vellora;

namespace {

// Start-up and navigation never ask anything; any question or message is a fault.
class SilentPrompter final : public Prompter
{
public:
    int calls = 0;
    void message(const QString &, const QString &, Icon) override { ++calls; }
    bool question(const QString &, const QString &, Icon) override { return ++calls, false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return std::nullopt;
    }
};

// Does not wait; lets a test look at the window while a button shows its pressed look or a run pauses.
class WatchingPacer final : public Pacer
{
public:
    std::function<void(int)> onPause;
    int pauses = 0;
    void pause(int milliseconds) override
    {
        ++pauses;
        if (onPause)
            onPause(milliseconds);
    }
};

QImage loaded(const QString &folder, const QString &relative)
{
    return PictureFile::load(AppFolder(folder).resolve(relative)).image.convertToFormat(QImage::Format_RGB32);
}

QImage cellOf(const QImage &sheet, int row, int column)
{
    return sheet.copy(column * 285, row * 400, 285, 400).convertToFormat(QImage::Format_RGB32);
}

struct Window
{
    std::unique_ptr<QTemporaryDir> folder;
    WatchingPacer pacer;
    SilentPrompter prompter;
    RecordingPrintTarget printer;
    std::unique_ptr<Main> main;

    explicit Window(std::unique_ptr<QTemporaryDir> dir) : folder(std::move(dir))
    {
        main = std::make_unique<Main>(AppFolder(folder->path()), pacer, prompter, printer);
        main->show();
    }

    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *widget = main->findChild<T *>(name);
        if (!widget)
            qWarning("no control %s", qPrintable(name));
        return widget;
    }
    QImage pic() const { return get<PictureBox>(QStringLiteral("Pic"))->image(); }
    QImage hkrs() const { return get<PictureBox>(QStringLiteral("HkrsPic"))->image(); }
    QAction *gridlijnen() const { return main->findChild<QAction *>(QStringLiteral("Gridlijnen")); }

    void click(const QString &name) const
    {
        QWidget *widget = get(name);
        QVERIFY2(widget, qPrintable(name));
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
    }
};

QPoint viewerCell(const Main &main) { return {main.cardInView().KaartX / 4275, main.cardInView().KaartY / 6000}; }

} // namespace

class TestMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyFolderOpensSilently();
    void startShowsFirstCellAndSymbolSet();
    void barStandsOverTheTicks();
    void navigation_data();
    void navigation();
    void pressedLookComesFirst_data();
    void pressedLookComesFirst();
    void okPaintsTheSheetAndShowsTheAce();
    void inputDuringRunIsIgnored();
    void gridLijnenToggles();
    void symbolSets_data();
    void symbolSets();
    void pictureButtons_data();
    void pictureButtons();
    void clockTicks();
    void layoutEdges();
    void textsFitTheirControls();
};

void TestMain::emptyFolderOpensSilently()
{
    Window w(test::emptyAppFolder());
    QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
    for (const char *name : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7", "Frame8", "Pic",
                             "HkrsPic", "Termometer", "Bar", "OkKnop", "Option1(9)", "Image1(4)", "Label5(4)",
                             "Knop(13)", "Img(3)", "ImgLabel(3)", "Vinkje", "Logo", "Label3", "DatumLabel",
                             "KlokLabel", "KaartLabel", "BinnenImage", "Line6", "HelpScherm"})
        QVERIFY2(w.get(QLatin1String(name)), name);
    QVERIFY(w.main->orgineel().isEmpty());
    QVERIFY(w.hkrs().isNull());

    // The viewer stays blank, also after every kind of button.
    const auto isBlank = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return false;
        return true;
    };
    QVERIFY(isBlank(w.pic()));
    for (const char *name : {"Knop(4)", "Img(2)", "Option1(3)", "OkKnop"})
        w.click(QLatin1String(name));
    QVERIFY(isBlank(w.pic()));
    QCOMPARE(w.prompter.calls, 0);
}

void TestMain::startShowsFirstCellAndSymbolSet()
{
    Window w(test::copyOfAppData());
    const QString folder = w.folder->path();
    const QImage sheet = loaded(folder, QStringLiteral("\\Data\\Kaarten.krt"));
    QCOMPARE(sheet.size(), QSize(3990, 1600));
    QCOMPARE(test::firstDifference(w.pic(), cellOf(sheet, 0, 0)), QString());
    QCOMPARE(test::firstDifference(w.main->orgineel().image(), sheet), QString());
    QCOMPARE(test::firstDifference(w.hkrs().convertToFormat(QImage::Format_RGB32),
                                   loaded(folder, QStringLiteral("\\Data\\Hkrs-0.krt"))),
             QString());
    QCOMPARE(viewerCell(*w.main), QPoint(0, 0));
    QCOMPARE(w.main->windowTitle(), QStringLiteral("Zelf Vellora Maken"));
    QCOMPARE(w.main->size(), QSize(875, 566));
    QCOMPARE(w.main->minimumSize(), w.main->maximumSize());
    QVERIFY(w.get<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
    QVERIFY(!w.get(QStringLiteral("HelpScherm"))->isVisible());
    QCOMPARE(w.get<QLabel>(QStringLiteral("HelpScherm"))->text(), helpTekst());
    QCOMPARE(w.get<QLabel>(QStringLiteral("KlokLabel"))->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w.get<QLabel>(QStringLiteral("KaartLabel"))->pos(), QPoint(122, 160));
    QVERIFY(w.gridlijnen()->isChecked());
    QVERIFY(!w.main->windowIcon().isNull());
    // The image buttons carry the custom pointer, with its hot spot.
    const QCursor pointer = w.get(QStringLiteral("Img(0)"))->cursor();
    QCOMPARE(pointer.shape(), Qt::BitmapCursor);
    QCOMPARE(pointer.hotSpot(), Main::kPointerHotspot);
    QCOMPARE(w.get(QStringLiteral("Image1(4)"))->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(w.prompter.calls, 0);
}

void TestMain::barStandsOverTheTicks()
{
    Window w(test::copyOfAppData());
    const QImage scale = w.get(QStringLiteral("Termometer"))->grab().toImage();
    const QColor tick(80, 80, 80), dark(0, 64, 0), green(0, 200, 0);
    // The first tick row (300 twips) shows left and right of the bar and not through it.
    QCOMPARE(scale.pixelColor(24, 20), tick);
    QCOMPARE(scale.pixelColor(45, 20), tick);
    QCOMPARE(scale.pixelColor(35, 20), dark);
    // Start state: the bottom 13 pixels of the bar (from 187) are green.
    QCOMPARE(scale.pixelColor(35, 12 + 186), dark);
    QCOMPARE(scale.pixelColor(35, 12 + 187), green);
    QCOMPARE(scale.pixelColor(35, 12 + 199), green);
}

void TestMain::navigation_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QPoint>("shown");     // column, row of the cell in Pic
    QTest::addColumn<QPoint>("inView");    // KaartX / 4275, KaartY / 6000
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("labelLeft");
    QTest::addColumn<int>("vinkjeRow");

    QTest::newRow("Ruiten shows its ace") << QStringList{"Img(2)"} << QPoint(0, 2) << QPoint(0, 2) << "A" << 122 << 2;
    QTest::newRow("rank 10 stands further left")
        << QStringList{"Knop(9)"} << QPoint(9, 0) << QPoint(9, 0) << "10" << 104 << 0;
    QTest::newRow("B after 10 is back at 1830")
        << QStringList{"Knop(9)", "Knop(10)"} << QPoint(10, 0) << QPoint(10, 0) << "B" << 122 << 0;
    QTest::newRow("rank, then suit keeps the rank")
        << QStringList{"Knop(12)", "Img(3)"} << QPoint(12, 3) << QPoint(12, 3) << "K" << 122 << 3;
    QTest::newRow("suit, then the joker column")
        << QStringList{"Img(1)", "Knop(13)"} << QPoint(13, 1) << QPoint(13, 1) << "J" << 122 << 1;
    QTest::newRow("Ok shows the ace of Harten, keeps the rest")
        << QStringList{"Knop(9)", "Img(1)", "OkKnop"} << QPoint(0, 0) << QPoint(9, 1) << "10" << 104 << 1;
    QTest::newRow("rank after Ok uses the earlier row")
        << QStringList{"Img(3)", "OkKnop", "Knop(2)"} << QPoint(2, 3) << QPoint(2, 3) << "3" << 122 << 3;
}

void TestMain::navigation()
{
    QFETCH(QStringList, clicks);
    QFETCH(QPoint, shown);
    QFETCH(QPoint, inView);
    QFETCH(QString, label);
    QFETCH(int, labelLeft);
    QFETCH(int, vinkjeRow);

    Window w(test::copyOfAppData());
    for (const QString &name : clicks)
        w.click(name);

    // The sheet as it is now: after Ok it carries pips and labels.
    QCOMPARE(test::firstDifference(w.pic(), cellOf(w.main->orgineel().image(), shown.y(), shown.x())), QString());
    QCOMPARE(viewerCell(*w.main), inView);
    auto *kaartLabel = w.get<QLabel>(QStringLiteral("KaartLabel"));
    QCOMPARE(kaartLabel->text(), label);
    QCOMPARE(kaartLabel->x(), labelLeft);
    QCOMPARE(kaartLabel->y(), 160);
    QCOMPARE(w.get(QStringLiteral("Vinkje"))->y(), w.get(QStringLiteral("Img(%1)").arg(vinkjeRow))->y());
    QCOMPARE(w.prompter.calls, 0);
}

void TestMain::pressedLookComesFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("suit row button") << "Img(3)";
    QTest::newRow("picture button") << "Image1(2)";
    QTest::newRow("Ok button") << "OkKnop";
}

void TestMain::pressedLookComesFirst()
{
    QFETCH(QString, button);
    Window w(test::copyOfAppData());
    QWidget *widget = w.get(button);
    const QPoint rest = widget->pos();
    const QImage picBefore = w.pic();
    const KaartSoort soortBefore = w.main->kaartSoort();
    QPoint pressed;
    bool workStarted = true;
    w.pacer.onPause = [&](int milliseconds) {
        if (milliseconds != 200 || !pressed.isNull())
            return;
        pressed = widget->pos();
        // Nothing of the button's work has happened while it is down.
        workStarted = w.pic() != picBefore || w.main->kaartSoort() != soortBefore
                      || w.main->cardInView().KaartY != 0 || w.main->isBusy() != (button == u"OkKnop");
        if (button == u"OkKnop")
            workStarted = workStarted || w.main->orgineel().image() != loaded(w.folder->path(), "\\Data\\Kaarten.krt");
    };
    test::ModalWatch dialogs; // the picture button's dialog opens after the pressed look
    w.click(button);
    QCOMPARE(pressed, rest + QPoint(2, 2)); // 30 twips right and down
    QVERIFY(!workStarted);
    QCOMPARE(widget->pos(), rest);
    if (auto *menu = w.main->jokerOfFoto(); menu->isVisible())
        menu->close();
}

void TestMain::okPaintsTheSheetAndShowsTheAce()
{
    Window w(test::copyOfAppData());
    const QImage blankAce = w.pic();
    w.click(QStringLiteral("OkKnop"));
    QVERIFY(w.pic() != blankAce);
    QCOMPARE(test::firstDifference(w.pic(), cellOf(w.main->orgineel().image(), 0, 0)), QString());
    // The run ends with a full bar, and the window shows it.
    const QImage barShown = w.get(QStringLiteral("Bar"))->grab().toImage();
    QCOMPARE(barShown.pixelColor(7, 0), QColor(0, 200, 0));
    QVERIFY(!w.main->isBusy());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMain::inputDuringRunIsIgnored()
{
    // A run undisturbed, to know how many pauses one run takes.
    int pausesOfOneRun = 0;
    {
        Window w(test::copyOfAppData());
        w.click(QStringLiteral("OkKnop"));
        pausesOfOneRun = w.pacer.pauses;
    }
    QVERIFY(pausesOfOneRun > 1);

    Window w(test::copyOfAppData());
    const QImage symbols = w.hkrs();
    Qt::CursorShape cursorDuringRun = Qt::ArrowCursor;
    bool clicked = false;
    w.pacer.onPause = [&](int milliseconds) {
        if (milliseconds == 200 || clicked)
            return;
        clicked = true;
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            cursorDuringRun = cursor->shape();
        for (const char *name : {"OkKnop", "Knop(5)", "Img(2)", "Option1(3)", "Image1(0)"})
            w.click(QLatin1String(name));
        QTest::keyClick(w.get(QStringLiteral("Knop(5)")), Qt::Key_Space);
        w.gridlijnen()->trigger(); // as the menu would, had its click come through
    };
    QSignalSpy dialogs(w.main.get(), &Main::dialogformRequested);
    w.click(QStringLiteral("OkKnop"));

    QVERIFY(clicked);
    QCOMPARE(cursorDuringRun, Qt::WaitCursor);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(w.pacer.pauses, pausesOfOneRun); // no second run, no pressed look of another button
    QCOMPARE(viewerCell(*w.main), QPoint(0, 0));
    QCOMPARE(w.hkrs(), symbols);
    QVERIFY(w.get<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
    QCOMPARE(dialogs.count(), 0);
    QVERIFY(w.gridlijnen()->isChecked());
    QVERIFY(w.get(QStringLiteral("Line1"))->isVisible());

    // Afterwards the window answers again.
    w.click(QStringLiteral("Knop(5)"));
    QCOMPARE(viewerCell(*w.main), QPoint(5, 0));
}

void TestMain::gridLijnenToggles()
{
    Window w(test::copyOfAppData());
    QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
    const QStringList overlay{"Line1", "Line2", "Line3", "Line4", "Line5", "Line6", "BinnenImage", "KaartLabel"};
    auto *pic = w.get<PictureBox>(QStringLiteral("Pic"));
    // Line1 at 2130 twips, Line5 at 1500 twips; away from where the card has ink.
    const QPoint onLine1(px(2130), 20), onLine5(20, px(1500));

    const auto check = [&](bool visible) {
        QCOMPARE(w.gridlijnen()->isChecked(), visible);
        for (const QString &name : overlay)
            QCOMPARE(w.get(name)->isVisible(), visible);
        const QImage shown = pic->grab().toImage();
        for (const QPoint at : {onLine1, onLine5}) {
            const QColor expected = visible ? QColor(224, 224, 224) : pic->image().pixelColor(at);
            QCOMPARE(shown.pixelColor(at), expected);
        }
        // The lines are one pixel wide.
        for (const QPoint beside : {onLine1 + QPoint(1, 0), onLine1 - QPoint(1, 0), onLine5 + QPoint(0, 1)})
            QCOMPARE(shown.pixelColor(beside), pic->image().pixelColor(beside));
    };
    check(true);
    w.gridlijnen()->trigger();
    check(false);
    w.gridlijnen()->trigger();
    check(true);
}

void TestMain::symbolSets_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("shownSet");
    QTest::addColumn<int>("selected");
    QTest::newRow("Glas loads set 7") << QStringList{"Option1(7)"} << QString() << 7 << 7;
    QTest::newRow("back to the default") << QStringList{"Option1(7)", "Option1(0)"} << QString() << 0 << 0;
    QTest::newRow("missing set keeps the one shown")
        << QStringList{"Option1(7)", "Option1(4)"} << "Data/Hkrs-4.krt" << 7 << 4;
    QTest::newRow("missing at first keeps the default")
        << QStringList{"Option1(4)"} << "Data/Hkrs-4.krt" << 0 << 4;
}

void TestMain::symbolSets()
{
    QFETCH(QStringList, options);
    QFETCH(QString, missing);
    QFETCH(int, shownSet);
    QFETCH(int, selected);

    Window w(test::copyOfAppData());
    if (!missing.isEmpty())
        QVERIFY(QFile::remove(QDir(w.folder->path()).filePath(missing)));
    const QImage sheet = w.main->orgineel().image();
    const QImage card = w.pic();
    for (const QString &name : options)
        w.click(name);

    const QImage expected = loaded(w.folder->path(), QStringLiteral("\\Data\\Hkrs-%1.krt").arg(shownSet));
    QCOMPARE(test::firstDifference(w.hkrs().convertToFormat(QImage::Format_RGB32), expected), QString());
    QVERIFY(w.get<QRadioButton>(QStringLiteral("Option1(%1)").arg(selected))->isChecked());
    // Choosing a style changes no card until Ok.
    QCOMPARE(w.main->orgineel().image(), sheet);
    QCOMPARE(w.pic(), card);
    QCOMPARE(w.prompter.calls, 0);
}

void TestMain::pictureButtons_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Aas") << 0 << "Dialogform";
    QTest::newRow("Boer") << 1 << "Dialogform";
    QTest::newRow("Vrouw") << 2 << "Dialogform";
    QTest::newRow("Koning") << 3 << "Dialogform";
    QTest::newRow("Joker pops up the menu only") << 4 << QString();
}

void TestMain::pictureButtons()
{
    QFETCH(int, index);
    QFETCH(QString, dialog);
    Window w(test::copyOfAppData());
    QSignalSpy dialogs(w.main.get(), &Main::dialogformRequested);
    QSignalSpy jokers(w.main.get(), &Main::jokerFormRequested);
    test::ModalWatch watch;
    watch.run([&] { w.click(QStringLiteral("Image1(%1)").arg(index)); });
    QCOMPARE(static_cast<int>(w.main->kaartSoort()), index);
    QCOMPARE(dialogs.count(), dialog.isEmpty() ? 0 : 1);
    QCOMPARE(jokers.count(), 0);
    QCOMPARE(watch.names(), dialog.isEmpty() ? QStringList() : QStringList{dialog});
    for (const test::ModalWatch::Met &met : watch.met) {
        QCOMPARE(met.modality, Qt::ApplicationModal);
        QVERIFY(met.whileCommandRan);
    }
    QMenu *menu = w.main->jokerOfFoto();
    QCOMPARE(menu->isVisible(), dialog.isEmpty());
    if (dialog.isEmpty()) {
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0)->text(), QStringLiteral("Clipart gebruiken"));
        QCOMPARE(items.at(1)->text(), QStringLiteral("Eigen foto gebruiken"));
        watch.run([&] { items.at(0)->trigger(); });
        watch.run([&] { items.at(1)->trigger(); });
        QCOMPARE(jokers.count(), 1);
        QCOMPARE(dialogs.count(), 1);
        QCOMPARE(watch.names(), (QStringList{"JokerForm", "Dialogform"}));
        QVERIFY(watch.met.at(0).whileCommandRan && watch.met.at(1).whileCommandRan);
        menu->close();
    }
}

void TestMain::clockTicks()
{
    Window w(test::emptyAppFolder());
    auto *timer = w.main->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    w.main->Timer1_Timer();
    auto *klok = w.get<QLabel>(QStringLiteral("KlokLabel"));
    QVERIFY2(QRegularExpression(QStringLiteral("^([0-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"))
                 .match(klok->text()).hasMatch(),
             qPrintable(klok->text()));
}

void TestMain::layoutEdges()
{
    Window w(test::emptyAppFolder());
    // The two short options end left of the Ok button beside them; the others would run into it.
    const QRect ok = w.get(QStringLiteral("OkKnop"))->geometry();
    for (int i = 8; i <= 9; ++i) {
        const QRect option = w.get(QStringLiteral("Option1(%1)").arg(i))->geometry();
        QCOMPARE(option.width(), px(2010));
        QVERIFY(option.right() < ok.left());
    }
    QVERIFY(w.get(QStringLiteral("Option1(9)"))->geometry().bottom() >= ok.top()); // they do share rows
    QCOMPARE(w.get(QStringLiteral("Option1(7)"))->width(), px(2700));

    // The last card button starts at 4275 twips and ends inside Frame3.
    QWidget *last = w.get(QStringLiteral("Knop(13)"));
    QCOMPARE(last->x(), px(4275));
    QVERIFY(last->parentWidget()->rect().contains(last->geometry()));
    QCOMPARE(last->parentWidget()->objectName(), QStringLiteral("Frame3"));
    // Every frame fits in the window below the menu bar.
    for (int i = 1; i <= 8; ++i) {
        QWidget *frame = w.get(QStringLiteral("Frame%1").arg(i));
        QVERIFY2(frame->parentWidget()->rect().contains(frame->geometry()), qPrintable(frame->objectName()));
    }
}

void TestMain::textsFitTheirControls()
{
    Window w(test::copyOfAppData());
    // Captions with no size of their own and the fixed-size options and buttons: nothing clipped, nothing
    // sticking out of its frame.
    for (int f = 1; f <= 8; ++f) {
        QWidget *frame = w.get(QStringLiteral("Frame%1").arg(f));
        for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            const QString name = child->objectName();
            QVERIFY2(frame->rect().contains(child->geometry()), qPrintable(name));
            if (qobject_cast<QRadioButton *>(child) || qobject_cast<QPushButton *>(child)
                || (qobject_cast<QLabel *>(child) && !qobject_cast<QLabel *>(child)->text().isEmpty()
                    && name != u"HelpScherm"))
                QVERIFY2(child->sizeHint().width() <= child->width(), qPrintable(name));
        }
    }
    // The Schoppen label ends before the check mark beside the row buttons.
    QVERIFY(w.get(QStringLiteral("ImgLabel(3)"))->geometry().right() < w.get(QStringLiteral("Vinkje"))->x());
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
