#include "imagebutton.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "picturefile.h"
#include "platform.h"
#include "recoverystore.h"
#include "showform.h"
#include "testsupport.h"
#include "twips.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace vellora;

namespace {

QImage rgb(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }
QImage cellOf(const QImage &sheet, QPoint cell) { return rgb(sheet.copy(cell.x() * 285, cell.y() * 400, 285, 400)); }

// Counts the pauses like test::CountingPacer, and lets a test act in the middle of a run.
class HookPacer final : public Pacer
{
public:
    QList<int> pauses;
    std::function<void(int)> onPause;
    void pause(int milliseconds) override
    {
        pauses << milliseconds;
        if (onPause)
            onPause(milliseconds);
    }
};

// A started Main over its own copy of the generated data (or an empty folder).
struct Shell
{
    std::unique_ptr<QTemporaryDir> folder;
    HookPacer pacer;
    test::ScriptedPrompter prompter;
    RecordingPrintTarget printer;
    std::unique_ptr<Main> main;

    explicit Shell(std::unique_ptr<QTemporaryDir> dir = test::copyOfAppData()) : folder(std::move(dir))
    {
        main = std::make_unique<Main>(AppFolder(folder->path()), pacer, prompter, printer);
        main->show();
    }
    template <typename T = QWidget> T *get(const QString &name) const { return main->findChild<T *>(name); }
    QAction *action(const QString &name) const { return get<QAction>(name); }
    QImage pic() const { return get<PictureBox>(QStringLiteral("Pic"))->image(); }
    QImage hkrs() const { return rgb(get<PictureBox>(QStringLiteral("HkrsPic"))->image()); }
    QImage bar() const { return get<PictureBox>(QStringLiteral("Bar"))->image(); }
    QImage sheet() const { return main->orgineel().image(); }
    QImage file(const QString &relative) const { return rgb(PictureFile::load(path(relative)).image); }
    QPoint cardInView() const { return {main->cardInView().KaartX / 4275, main->cardInView().KaartY / 6000}; }
    void click(const QString &name) const { QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    QString path(const QString &relative) const { return AppFolder(folder->path()).resolve(relative); }
};

// Meets the modal windows a command opens, from inside their own event loops, and closes them.
struct ModalWatch : QObject
{
    struct Met { QString name; Qt::WindowModality modality; bool whileCommandRan; };
    QList<Met> met;
    std::function<void(QWidget *)> act = [](QWidget *w) { w->close(); };
    QTimer timer;
    bool running = false;
    QList<QPointer<QWidget>> handled;
    ModalWatch()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || handled.contains(modal))
                return;
            handled << modal;
            met << Met{modal->objectName(), modal->windowModality(), running};
            act(modal);
        });
        timer.start(0);
    }
    void run(const std::function<void()> &command)
    {
        running = true;
        command();
        running = false;
    }
};

// How a test makes one step of each kind on a design under way.
using Step = std::function<void(Shell &)>;

} // namespace

class TestMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUp_data()
    {
        QTest::addColumn<bool>("withData");
        QTest::newRow("empty application folder") << false;
        QTest::newRow("generated data") << true;
    }

    void startUp()
    {
        QFETCH(bool, withData);
        Shell s(withData ? test::copyOfAppData() : test::emptyAppFolder());
        QVERIFY(QTest::qWaitForWindowExposed(s.main.get()));
        const QImage pic = rgb(s.pic());
        if (withData) {
            QCOMPARE(test::firstDifference(pic, cellOf(s.file("\\Data\\Kaarten.krt"), {0, 0})), QString());
            QCOMPARE(test::firstDifference(s.hkrs(), s.file("\\Data\\Hkrs-0.krt")), QString());
        } else {
            QImage blank(pic.size(), pic.format());
            blank.fill(pic.pixel(0, 0));
            QVERIFY(!pic.isNull() && pic == blank);
        }
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void clicks_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("missing"); // a file removed before the clicks
        QTest::addColumn<QPoint>("shown");    // column, row of the cell in Pic
        QTest::addColumn<QPoint>("inView");   // KaartX / 4275, KaartY / 6000
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("suitRow"); // the row Vinkje stands beside
        QTest::addColumn<int>("style");   // checked Option1
        const QPoint ace(0, 0);
        QTest::newRow("Ruiten shows its ace") << QStringList{"Img(2)"} << "" << QPoint(0, 2) << QPoint(0, 2) << "A" << 2 << 0;
        QTest::newRow("rank, then suit keeps the rank")
            << QStringList{"Knop(12)", "Img(3)"} << "" << QPoint(12, 3) << QPoint(12, 3) << "K" << 3 << 0;
        QTest::newRow("Ok shows the ace of Harten, keeps the rest")
            << QStringList{"Knop(9)", "Img(1)", "OkKnop"} << "" << ace << QPoint(9, 1) << "10" << 1 << 0;
        QTest::newRow("Glas loads set 7, changes no card")
            << QStringList{"Knop(3)", "Option1(7)"} << "" << QPoint(3, 0) << QPoint(3, 0) << "4" << 0 << 7;
        QTest::newRow("missing set keeps the one shown")
            << QStringList{"Option1(7)", "Option1(4)"} << "\\Data\\Hkrs-4.krt" << ace << ace << "A" << 0 << 4;
    }

    void clicks()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, missing);
        QFETCH(QPoint, shown);
        QFETCH(QPoint, inView);
        QFETCH(QString, label);
        QFETCH(int, suitRow);
        QFETCH(int, style);
        Shell s;
        const QImage blankSheet = s.file("\\Data\\Kaarten.krt");
        const QImage set7 = s.file("\\Data\\Hkrs-7.krt"), set0 = s.file("\\Data\\Hkrs-0.krt");
        if (!missing.isEmpty())
            QVERIFY(QFile::remove(s.path(missing)));
        for (const QString &name : clicks)
            s.click(name);

        // Only Ok paints the sheet; the viewer shows a cell of the sheet as it is now.
        QCOMPARE(s.sheet() == blankSheet, !clicks.contains(QStringLiteral("OkKnop")));
        QCOMPARE(test::firstDifference(s.pic(), cellOf(s.sheet(), shown)), QString());
        QCOMPARE(s.cardInView(), inView);
        QCOMPARE(s.get<QLabel>(QStringLiteral("KaartLabel"))->text(), label);
        QCOMPARE(s.get(QStringLiteral("Vinkje"))->y(), s.get(QStringLiteral("Img(%1)").arg(suitRow))->y());
        QVERIFY(s.get<QRadioButton>(QStringLiteral("Option1(%1)").arg(style))->isChecked());
        QCOMPARE(test::firstDifference(s.hkrs(), clicks.contains(QStringLiteral("Option1(7)")) ? set7 : set0),
                 QString());
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void pressedLookComesFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("suit row button") << "Img(3)";
        QTest::newRow("picture button") << "Image1(2)";
        QTest::newRow("Ok button") << "OkKnop";
    }

    void pressedLookComesFirst()
    {
        QFETCH(QString, button);
        Shell s;
        QWidget *widget = s.get(button);
        const QPoint rest = widget->pos();
        const QImage pic = s.pic(), sheet = s.sheet();
        const auto soort = s.main->kaartSoort();
        QPoint pressed;
        bool workStarted = true;
        s.pacer.onPause = [&](int milliseconds) {
            if (milliseconds != 200 || !pressed.isNull())
                return;
            pressed = widget->pos();
            // Nothing of the button's work has happened while it is down; only Ok already blocks input.
            workStarted = s.pic() != pic || s.sheet() != sheet || s.main->kaartSoort() != soort ||
                          s.main->cardInView().KaartY != 0 || s.main->isBusy() != (button == u"OkKnop");
        };
        ModalWatch dialogs; // the picture button's dialog opens after the pressed look
        s.click(button);
        QCOMPARE(pressed, rest + QPoint(2, 2)); // 30 twips right and down
        QVERIFY(!workStarted);
        QCOMPARE(widget->pos(), rest);
    }

    void inputDuringRunIsIgnored()
    {
        Shell s;
        QSignalSpy dialogs(s.main.get(), &Main::dialogformRequested);
        QAction *grid = s.action(QStringLiteral("Gridlijnen")), *undo = s.action(QStringLiteral("EditUndo"));
        s.click(QStringLiteral("OkKnop")); // a step the run must not take back; the next run repaints the same
        s.pacer.pauses.clear();
        const QImage painted = s.sheet();
        const QImage symbols = s.hkrs();
        bool undoOfferedDuringRun = true;
        Qt::CursorShape cursorDuringRun = Qt::ArrowCursor;
        s.pacer.onPause = [&](int milliseconds) {
            if (milliseconds == 200 || cursorDuringRun == Qt::WaitCursor)
                return; // the pressed look, or input already sent
            if (const QCursor *cursor = QGuiApplication::overrideCursor())
                cursorDuringRun = cursor->shape();
            for (const char *name : {"OkKnop", "Knop(5)", "Img(2)", "Option1(3)", "Image1(0)"})
                s.click(QLatin1String(name));
            grid->trigger(); // as the menu would, had its click come through
            undoOfferedDuringRun = undo->isEnabled();
            s.main->EditUndo_Click(); // as its keys would
        };
        s.click(QStringLiteral("OkKnop"));
        QCOMPARE(cursorDuringRun, Qt::WaitCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(s.pacer.pauses.count(200), 1); // no second run, no pressed look of another button
        QCOMPARE(s.cardInView(), QPoint(0, 0));
        QVERIFY(s.get<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
        QCOMPARE(s.hkrs(), symbols);
        QCOMPARE(dialogs.count(), 0);
        QVERIFY(grid->isChecked());
        QVERIFY(!undoOfferedDuringRun);
        QCOMPARE(test::byteDifference(s.sheet(), painted), QString());
        QCOMPARE(s.main->history().undoableSteps(), 1);
        QVERIFY(undo->isEnabled());
        s.pacer.onPause = nullptr;
        s.click(QStringLiteral("Knop(5)")); // afterwards the window answers again
        QCOMPARE(s.cardInView(), QPoint(5, 0));
    }

    void gridLijnenTwice()
    {
        Shell s;
        QVERIFY(QTest::qWaitForWindowExposed(s.main.get()));
        auto *pic = s.get<PictureBox>(QStringLiteral("Pic"));
        const QPoint onLine1(px(2130), 20), beside = onLine1 + QPoint(1, 0);
        for (bool visible : {true, false, true}) {
            QCOMPARE(s.action(QStringLiteral("Gridlijnen"))->isChecked(), visible);
            for (const char *name : {"Line1", "Line6", "BinnenImage", "KaartLabel"})
                QCOMPARE(s.get(QLatin1String(name))->isVisible(), visible);
            const QImage shown = pic->grab().toImage();
            QCOMPARE(shown.pixelColor(onLine1),
                     visible ? QColor(224, 224, 224) : pic->image().pixelColor(onLine1));
            QCOMPARE(shown.pixelColor(beside), pic->image().pixelColor(beside)); // one pixel wide
            s.action(QStringLiteral("Gridlijnen"))->trigger();
        }
    }

    void helpTwice()
    {
        Shell s;
        QVERIFY(QTest::qWaitForWindowExposed(s.main.get()));
        auto *label1 = s.get<QLabel>(QStringLiteral("Label1"));
        QWidget *pic = s.get(QStringLiteral("Pic")), *helpScherm = s.get(QStringLiteral("HelpScherm"));
        QAction *help = s.action(QStringLiteral("HelpHelp"));
        const auto rim = [&] { return label1->grab().toImage().pixelColor(2, 2); }; // Label1 around the viewer
        help->trigger();
        QVERIFY(!pic->isVisible() && helpScherm->isVisible() && help->isChecked());
        QCOMPARE(rim(), QColor(0, 0, 40));
        s.click(QStringLiteral("Knop(3)")); // painted into the hidden viewer, shown once the help goes away
        help->trigger();
        QVERIFY(pic->isVisible() && !helpScherm->isVisible() && !help->isChecked());
        QCOMPARE(rim(), QColor(Qt::white));
        QCOMPARE(test::firstDifference(s.pic(), cellOf(s.sheet(), {3, 0})), QString());
    }

    void windowsOpenModally_data()
    {
        QTest::addColumn<QString>("item"); // a menu item, or a button to click
        QTest::addColumn<QString>("window");
        QTest::newRow("Afdrukken > Vellora") << "Afdrukken(1)" << "AfdrukForm";
        QTest::newRow("Afdrukken > Rugzijde") << "Afdrukken(2)" << "Rugzijde";
        QTest::newRow("Afdrukken > Hele deck") << "Afdrukken(3)" << "HeleDeckForm";
        QTest::newRow("Overzicht alle Vellora") << "ToolsShowKaarten" << "Showform";
        QTest::newRow("Open Vellora") << "FileOpen" << "OpenForm";
        QTest::newRow("picture button") << "Image1(2)" << "Dialogform";
        QTest::newRow("joker: Clipart gebruiken") << "ClipartOfFoto(1)" << "JokerForm";
    }

    void windowsOpenModally()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        Shell s;
        const QImage sheet = s.sheet();
        ModalWatch watch;
        watch.act = [](QWidget *modal) {
            // The overview closes only through its exit button.
            if (QWidget *exit = modal->findChild<ImageButton *>(QStringLiteral("ExitKnop")))
                QTest::mouseClick(exit, Qt::LeftButton);
            modal->close();
        };
        watch.run([&] { s.action(item) ? s.action(item)->trigger() : s.click(item); });
        QCOMPARE(watch.met.size(), 1);
        QCOMPARE(watch.met[0].name, window);
        QCOMPARE(watch.met[0].modality, Qt::ApplicationModal);
        QVERIFY(watch.met[0].whileCommandRan); // the command waited for the window to close
        QCOMPARE(s.sheet(), sheet);
        QCOMPARE(s.printer.pagesEnded, 0);
    }

    void overviewShowsTheLatestSheet()
    {
        Shell s;
        QList<QImage> shown;
        ModalWatch watch;
        watch.act = [&](QWidget *modal) {
            shown << rgb(modal->findChild<PictureBox *>(QStringLiteral("SlidePic"))->image());
            QTest::mouseClick(modal->findChild<ImageButton *>(QStringLiteral("ExitKnop")), Qt::LeftButton);
        };
        QAction *overview = s.action(QStringLiteral("ToolsShowKaarten"));
        watch.run([&] { overview->trigger(); });
        s.click(QStringLiteral("OkKnop")); // pips, labels and mirrored halves on 52 cards
        watch.run([&] { overview->trigger(); });
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0] != shown[1]);
        // Each 2 x 2 block of the sheet as it is now becomes one pixel of the overview.
        const QImage sheet = rgb(s.sheet());
        QCOMPARE(shown[1].size(), sheet.size() / 2);
        for (int y = 0; y < 800; y += 7)
            for (int x = 0; x < 1995; x += 7) {
                int sum = 0;
                for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                    sum += qGray(sheet.pixel(2 * x + d.x(), 2 * y + d.y()));
                QVERIFY2(qAbs(qGray(shown[1].pixel(x, y)) - sum / 4) <= 4,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    void overviewDrag_data()
    {
        // "L x,y" / "R x,y" press, "l" / "r" release, "m x,y" move; positions in SlidePic's pixels at the time.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QPoint>("expected"); // SlidePic's left and top, twips
        QTest::newRow("right and down from the start stays at 0")
            << QStringList{"L 10,10", "m 200,100", "l"} << QPoint();
        QTest::newRow("left and up follows") << QStringList{"L 100,50", "m 40,30", "l"} << QPoint(-900, -300);
        QTest::newRow("back past the start stops at 0")
            << QStringList{"L 100,50", "m 40,30", "l", "L 10,10", "m 300,300", "l"} << QPoint();
        QTest::newRow("far left and up stops at the corner")
            << QStringList{"L 500,190", "m -5000,-5000", "l"} << QPoint(-21345, -9000);
        QTest::newRow("right button alone") << QStringList{"R 100,50", "m 40,30", "r"} << QPoint();
        QTest::newRow("both buttons") << QStringList{"L 100,50", "R 100,50", "m 40,30", "r", "l"} << QPoint();
    }

    void overviewDrag()
    {
        QFETCH(QStringList, steps);
        QFETCH(QPoint, expected);
        Shell s;
        Showform form(s.sheet(), s.pacer, AppFolder(s.folder->path()), QCursor(Qt::OpenHandCursor));
        form.show();
        auto *slide = form.findChild<PictureBox *>(QStringLiteral("SlidePic"));
        for (const QString &step : steps) {
            const QStringList xy = step.mid(2).split(u',');
            const QPoint at = xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint();
            const Qt::MouseButton button = step[0].toLower() == u'l' ? Qt::LeftButton : Qt::RightButton;
            if (step[0] == u'm')
                QTest::mouseMove(slide, at);
            else if (step[0].isUpper())
                QTest::mousePress(slide, button, {}, at);
            else
                QTest::mouseRelease(slide, button, {}, at);
        }
        QCOMPARE(form.slidePosition(), expected);
        QCOMPARE(slide->pos(), px(expected));
    }

    void newCommand_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("missing");
        QTest::newRow("No changes nothing") << false << QString();
        QTest::newRow("Yes starts from the blank sheet") << true << QString();
        QTest::newRow("Yes without the blank sheet keeps the painted one") << true << "\\Data\\Kaarten.krt";
        QTest::newRow("Yes without symbol set 0 keeps the set shown") << true << "\\Data\\hkrs-0.krt";
    }

    void newCommand()
    {
        QFETCH(bool, yes);
        QFETCH(QString, missing);
        Shell s;
        const QImage blank = s.sheet(), startBar = s.bar(), set0 = s.hkrs();
        // A design under way: painted, another style, another card and row in view.
        for (const char *name : {"OkKnop", "Option1(3)", "Knop(5)", "Img(2)"})
            s.click(QLatin1String(name));
        const QImage painted = s.sheet(), picBefore = s.pic(), set3 = s.hkrs(), barBefore = s.bar();
        QWidget *vinkje = s.get(QStringLiteral("Vinkje"));
        const QPoint vinkjeBefore = vinkje->pos();
        if (!missing.isEmpty())
            QVERIFY(QFile::remove(s.path(missing)));

        s.prompter.answers = {yes};
        s.action(QStringLiteral("FileNew"))->trigger();
        QCOMPARE(s.prompter.shown.size(), 1);
        // Never touched: the card in view (KaartX, KaartY) and its rank label.
        QCOMPARE(s.cardInView(), QPoint(5, 2));
        QCOMPARE(s.get<QLabel>(QStringLiteral("KaartLabel"))->text(), QStringLiteral("6"));
        const QImage expectedSheet = yes && !missing.contains(u"Kaarten") ? blank : painted;
        QCOMPARE(test::firstDifference(s.sheet(), expectedSheet), QString());
        QCOMPARE(test::firstDifference(s.pic(), yes ? cellOf(expectedSheet, {0, 0}) : picBefore), QString());
        QCOMPARE(test::firstDifference(s.hkrs(), yes && !missing.contains(u"hkrs") ? set0 : set3), QString());
        QVERIFY(s.get<QRadioButton>(QStringLiteral("Option1(%1)").arg(yes ? 0 : 3))->isChecked());
        QCOMPARE(vinkje->pos(), yes ? QPoint(vinkjeBefore.x(), px(270)) : vinkjeBefore);
        QCOMPARE(test::firstDifference(s.bar(), yes ? startBar : barBefore), QString());
    }

    void stepsUndoAndRedo_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("card");    // the card shown after undo and redo; (-1, -1): the ace of Harten alone
        QTest::addColumn<bool>("modified"); // the window's mark after the step
        const auto inDialog = [](const QString &item, const QStringList &clicks) {
            return Step([=](Shell &s) {
                ModalWatch watch;
                watch.act = [&](QWidget *dialog) {
                    for (const QString &name : clicks)
                        QTest::mouseClick(dialog->findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(5, 5));
                    dialog->close();
                };
                watch.run([&] { s.action(item)->trigger(); });
            });
        };
        const QPoint whole(-1, -1);
        QTest::newRow("Ok") << Step([](Shell &s) { s.click(QStringLiteral("OkKnop")); }) << "Symbolen plaatsen"
                            << whole << true;
        QTest::newRow("joker on Schoppen") << inDialog("ClipartOfFoto(1)", {"Image1(4)", "OkKnop"}) << "Joker plaatsen"
                                           << QPoint(13, 3) << true;
        QTest::newRow("photo on the ace of Klavers")
            << inDialog("ClipartOfFoto(2)", {"Image1(2)", "OkKnop"}) << "Foto plaatsen" << QPoint(0, 1) << true;
        QTest::newRow("Nieuw") << Step([](Shell &s) {
            s.prompter.answers = {true};
            s.action(QStringLiteral("FileNew"))->trigger();
        }) << "Nieuw" << whole << false;
        QTest::newRow("Open") << Step([](Shell &s) {
            ModalWatch watch;
            watch.act = [](QWidget *chooser) {
                auto *list = chooser->findChild<QListWidget *>(QStringLiteral("List1"));
                list->setCurrentItem(list->findItems(QStringLiteral("leeg"), Qt::MatchExactly).value(0));
                QTest::mouseClick(chooser->findChild<QWidget *>(QStringLiteral("OkKnop")), Qt::LeftButton);
                chooser->close();
            };
            watch.run([&] { s.action(QStringLiteral("FileOpen"))->trigger(); });
        }) << "Vellora openen" << whole << false;
    }

    void stepsUndoAndRedo()
    {
        QFETCH(Step, step);
        QFETCH(QString, name);
        QFETCH(QPoint, card);
        QFETCH(bool, modified);
        Shell s;
        QAction *undo = s.action(QStringLiteral("EditUndo")), *redo = s.action(QStringLiteral("EditRedo"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled() && !s.main->isWindowModified());
        const QImage saved = s.sheet();
        if (name != u"Symbolen plaatsen") {
            // A design under way, and for Open a project of the blank sheet to open over it.
            s.prompter.inputs = {QStringLiteral("leeg")};
            s.action(QStringLiteral("FileSave"))->trigger();
            s.click(QStringLiteral("OkKnop"));
        }
        s.click(QStringLiteral("Knop(5)"));
        const QImage before = s.sheet();
        step(s);
        const QImage after = s.sheet();
        QVERIFY(after != before);
        if (!modified) // Nieuw and Open give the blank sheet saved above, byte for byte
            QCOMPARE(test::byteDifference(after, saved), QString());
        QCOMPARE(s.main->isWindowModified(), modified);
        QCOMPARE(undo->text(), QStringLiteral("Ongedaan maken: ") + name);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        const auto shows = [&](const QImage &sheet) {
            const QPoint cell = card.x() < 0 ? QPoint(0, 0) : card;
            QCOMPARE(s.cardInView(), card.x() < 0 ? QPoint(5, 0) : card);
            QCOMPARE(test::firstDifference(s.pic(), cellOf(sheet, cell)), QString());
        };
        s.main->activateWindow(); // the keys go to the active window, which a closed dialog may have left
        QVERIFY(QTest::qWaitForWindowActive(s.main.get()));
        for (int round = 0; round < 2; ++round) {
            const int steps = s.main->history().undoableSteps();
            QTest::keyClick(s.main.get(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(s.main->history().undoableSteps(), steps - 1);
            QCOMPARE(test::byteDifference(s.sheet(), before), QString());
            shows(before);
            QCOMPARE(redo->text(), QStringLiteral("Opnieuw: ") + name);
            QCOMPARE(s.main->isWindowModified(), !modified || name != u"Symbolen plaatsen");
            QTest::keyClick(s.main.get(), round ? Qt::Key_Y : Qt::Key_Z, Qt::ControlModifier | (round ? Qt::NoModifier : Qt::ShiftModifier));
            QCOMPARE(test::byteDifference(s.sheet(), after), QString());
            shows(after);
            QCOMPARE(s.main->isWindowModified(), modified);
        }
        // Saving clears the mark.
        s.prompter.inputs = {QStringLiteral("na")};
        s.action(QStringLiteral("FileSave"))->trigger();
        QVERIFY(!s.main->isWindowModified());
    }

    void exitWithUnsavedWork_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QList<Prompter::Answer>>("choices");
        QTest::addColumn<QList<std::optional<QString>>>("names"); // typed in the name box; none is Cancel
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("asked"); // kinds of the boxes shown
        using A = Prompter::Answer;
        const QList<std::optional<QString>> none;
        QTest::newRow("Exit without changes closes at once") << false << true << QList<A>{} << none << true << QStringList{};
        QTest::newRow("Ja saves, then closes") << true << true << QList<A>{A::Yes}
                                               << QList<std::optional<QString>>{QStringLiteral("avond")} << true
                                               << QStringList{"ask", "input"};
        QTest::newRow("Ja, then Cancel in the name box stays open")
            << true << true << QList<A>{A::Yes} << none << false << QStringList{"ask", "input"};
        QTest::newRow("Nee closes without saving") << true << true << QList<A>{A::No} << none << true << QStringList{"ask"};
        QTest::newRow("Annuleren stays open") << true << true << QList<A>{A::Cancel} << none << false << QStringList{"ask"};
        QTest::newRow("closing the window, Nee") << true << false << QList<A>{A::No} << none << true << QStringList{"ask"};
    }

    void exitWithUnsavedWork()
    {
        QFETCH(bool, changed);
        QFETCH(bool, byMenu);
        QFETCH(QList<Prompter::Answer>, choices);
        QFETCH(QList<std::optional<QString>>, names);
        QFETCH(bool, closed);
        QFETCH(QStringList, asked);
        Shell s;
        if (changed)
            s.click(QStringLiteral("OkKnop"));
        s.prompter.choices = choices;
        s.prompter.inputs = names;
        QTimer::singleShot(0, s.main.get(), [&] {
            byMenu ? s.action(QStringLiteral("FileExit"))->trigger() : void(s.main->close());
            if (s.main->isVisible())
                QCoreApplication::exit(2); // the program stays
        });
        QTimer::singleShot(10000, s.main.get(), [] { QCoreApplication::exit(1); }); // stuck
        QCOMPARE(QApplication::exec(), closed ? 0 : 2);
        QCOMPARE(s.main->isVisible(), !closed);
        QCOMPARE(s.prompter.shown.size(), asked.size());
        for (int i = 0; i < asked.size(); ++i)
            QCOMPARE(s.prompter.shown[i].kind, asked[i]);
        const bool saved = !names.isEmpty();
        QCOMPARE(QFile::exists(s.path(QStringLiteral("\\Projecten\\avond.krt"))), saved);
        QCOMPARE(s.main->isWindowModified(), changed && !saved);
    }

    void recoveryAtStart_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<qint64>("keepBytes"); // the copy cut to this length; -1 whole
        QTest::addColumn<bool>("restored");
        QTest::newRow("Ja puts it on the sheet") << true << qint64(-1) << true;
        QTest::newRow("Nee removes it") << false << qint64(-1) << false;
        QTest::newRow("damaged copy is refused") << true << qint64(5000) << false;
    }

    void recoveryAtStart()
    {
        QFETCH(bool, yes);
        QFETCH(qint64, keepBytes);
        QFETCH(bool, restored);
        QTemporaryDir folder;
        Shell s;
        const QImage blank = s.sheet();
        QImage design = blank.copy();
        design.fill(qRgb(0, 90, 40));
        QString left;
        { // a program that ended without its clean exit leaves its copy behind
            RecoveryStore crashed(folder.path());
            QVERIFY(crashed.claim());
            crashed.write(design);
            crashed.waitForWrites();
            left = crashed.path();
        }
        const QImage painted = PictureFile::load(left).image;
        if (keepBytes >= 0)
            QVERIFY(QFile::resize(left, keepBytes));
        const QDateTime written = QFileInfo(left).lastModified();

        s.prompter.answers = {yes};
        s.main->startRecovery(folder.path());
        QCOMPARE(s.prompter.shown.size(), restored || !yes ? 1 : 2);
        QCOMPARE(s.prompter.shown[0].text, QStringLiteral("Er is een niet-opgeslagen Vellora van %1 gevonden. Herstellen?")
                                               .arg(QLocale(QLocale::Dutch).toString(written, "dddd d MMMM yyyy HH:mm")));
        if (s.prompter.shown.size() == 2)
            QCOMPARE(s.prompter.shown[1].text, QStringLiteral("Géén orginele Vellora!"));
        QCOMPARE(test::byteDifference(s.sheet(), restored ? painted : blank), QString());
        QCOMPARE(s.main->isWindowModified(), restored);
        QVERIFY(!QFile::exists(left));
    }

    void recoveryCopyFollowsTheWork()
    {
        QTemporaryDir folder;
        Shell s;
        s.main->startRecovery(folder.path());
        RecoveryStore &store = *s.main->recovery();
        const auto copy = [&] {
            s.main->writeRecoveryCopy();
            store.waitForWrites();
            return PictureFile::load(store.path()).image;
        };
        QVERIFY(copy().isNull()); // nothing unsaved, nothing kept
        s.click(QStringLiteral("OkKnop"));
        QCOMPARE(test::firstDifference(copy(), s.sheet()), QString());
        s.prompter.inputs = {QStringLiteral("bewaard")};
        s.action(QStringLiteral("FileSave"))->trigger();
        QVERIFY(!QFile::exists(store.path()));
        QTest::keyClick(s.main.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!copy().isNull());
        s.prompter.choices = {Prompter::Answer::No};
        QVERIFY(s.main->close());
        QVERIFY(!QFile::exists(store.path()));
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
