#include "project/mastercompanion.h"
#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/recoverystore.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/progressbar.h"
#include "shell/showform.h"
#include "surface/picturefile.h"
#include "surface/platform.h"
#include "surface/surface.h"
#include "surface/twips.h"
#include "surface/widgets/picturebox.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QThreadPool>
#include <QtTest>
#include <functional>
#include <memory>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

using test::rgb;
const auto cellOf = [](const QImage &sheet, QPoint cell) {
    return rgb(sheet.copy(cell.x() * 285, cell.y() * 400, 285, 400));
};

// The cell in Pic, the card in view (KaartX / 4275, KaartY / 6000), KaartLabel, Vinkje's row, the checked
// Option1, the Hkrs file, the sheet as Ok left it (else as at start), the Bar after that many cards.
struct Shows
{
    QPoint cell, inView;
    QString label;
    int vinkjeRow, style, symbolSet;
    bool painted;
    int finishedCards;
};

const auto barAfter = [](int finishedCards) {
    Surface bar(Surface::Units::Pixels);
    return progress::draw(bar, finishedCards), bar.image();
};

// Lets a test act in the middle of a run.
struct HookPacer final : Pacer
{
    std::function<void(int)> onPause = [](int) {};
    void after(int milliseconds, QObject *, std::function<void()> then) override
    {
        onPause(milliseconds);
        then();
    }
};

// A started Main over a copy of the generated data. In each modal window's own loop it shows it to `look`,
// clicks `inDialog` (or chooses it in List1) and closes it; a chooser that reads closes itself.
template <typename Paced = HookPacer> struct Shell : QObject
{
    std::unique_ptr<QTemporaryDir> folder;
    Paced pacer;
    test::ScriptedPrompter prompter;
    test::RecordingPrintQueues printer;
    std::unique_ptr<Main> main;
    QStringList met, inDialog;
    QPointer<QWidget> reading;
    std::function<void(QWidget *)> look = [](QWidget *) {};
    QTimer watch;

    explicit Shell(std::unique_ptr<QTemporaryDir> dir = test::copyOfAppData()) : folder(std::move(dir))
    {
        main = std::make_unique<Main>(AppFolder(folder->path()), pacer, prompter, printer);
        main->show();
        connect(&watch, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == reading)
                return;
            met << modal->objectName();
            look(modal);
            for (const QString &name : inDialog) {
                if (QWidget *widget = modal->findChild<QWidget *>(name))
                    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
                else if (auto *list = modal->findChild<QListWidget *>(u"List1"_s))
                    list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
            }
            if (auto *chooser = qobject_cast<OpenForm *>(modal); chooser && chooser->isReading())
                reading = chooser;
            else
                modal->close();
        });
        watch.start(0);
    }
    template <typename T = QWidget> T *get(const QString &name) const { return main->findChild<T *>(name); }
    QAction *action(const QString &name) const { return get<QAction>(name); }
    QImage pic() const { return get<PictureBox>(u"Pic"_s)->image(); }
    QImage hkrs() const { return rgb(get<PictureBox>(u"HkrsPic"_s)->image()); }
    QImage sheet() const { return main->document().sheet().image(); }
    QImage file(const QString &relative) const
    {
        return rgb(PictureFile::load(path(relative)).value_or(QImage()));
    }
    QPoint cardInView() const { return {main->cardInView().KaartX / 4275, main->cardInView().KaartY / 6000}; }
    void click(const QString &name) const { QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    // A menu item, or else a button; work it started in the background (a save) has ended on return.
    void use(const QString &name) const
    {
        action(name) ? action(name)->trigger() : click(name);
        QTRY_VERIFY(!main->isBusy());
    }
    QString path(const QString &relative) const { return AppFolder(folder->path()).resolve(relative); }
    // The copy of unsaved work kept against a crash, as the quiet moment after a change writes it.
    QImage recoveryCopy() const
    {
        main->document().recovery().writeNow();
        main->document().recovery().store()->waitForWrites();
        return PictureFile::load(main->document().recovery().store()->path()).value_or(QImage());
    }
};

} // namespace

class TestMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // "Klassieke kaarten" changes what Ok paints (a red index on Harten; the rest of the classic card:
    // tst_classiccards), and the next start remembers it. A project from the command line is the window's
    // deck with the same choices, its companion included, byte for byte; its file is saveBmp's
    // (tst_picturefile), and an existing name is refused (tst_commandline).
    void classicCardsComposeLikeTheWindow()
    {
        QTemporaryDir config, out;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        Shell s;
        QAction *classic = s.action(u"EditKlassiek"_s);
        QVERIFY(classic->isCheckable() && !classic->isChecked());
        s.get<QRadioButton>(u"Option1(3)"_s)->click();
        classic->trigger();
        s.use(u"OkKnop"_s);
        s.use(u"EditHofkaarten"_s);
        s.inDialog = {u"Image1(0)"_s, u"OkKnop"_s};
        s.use(u"ClipartOfFoto(1)"_s);
        s.inDialog.clear();
        const QImage sheet = s.sheet();
        const QRect index(10, 10, 100, 53);
        int reddest = 0;
        for (int y = index.top(); y <= index.bottom(); ++y)
            for (int x = index.left(); x <= index.right(); ++x)
                reddest = std::max(reddest, qRed(sheet.pixel(x, y)) - qGreen(sheet.pixel(x, y)));
        QVERIFY2(reddest > 100, qPrintable(QString::number(reddest)));
        QVERIFY(Shell().action(u"EditKlassiek"_s)->isChecked());
        qunsetenv("XDG_CONFIG_HOME"); // the command line has only its own words to go by

        const AppFolder program(s.folder->path()); // the runner keeps it by reference
        const CommandRunner runner(program, out.path());
        CommandLineRequest request{Command::Compose, {}, {3, true, true, 1}};
        request.exportPdf.output = QFile::encodeName(out.filePath(u"d.krt"_s));
        const CommandRunner::Exit made = runner.run(request);
        QVERIFY2(made.exitCode == 0, qPrintable(made.message));
        QCOMPARE(test::byteDifference(PictureFile::load(out.filePath(u"d.krt"_s)).value_or(QImage()), sheet),
                 QString());
        QCOMPARE(test::readBytes(out.filePath(u"d.krm"_s)),
                 companion::encode(s.main->document().snapshot().record, PictureFile::bmpHash(sheet)));
    }

    void startUpWithEmptyFolder()
    {
        Shell s(test::emptyAppFolder());
        const QImage pic = rgb(s.pic());
        QImage blank(pic.size(), pic.format());
        blank.fill(pic.pixel(0, 0));
        QVERIFY(!pic.isNull() && pic == blank);
        QVERIFY(s.prompter.shown.isEmpty());
    }

    // What the window shows after buttons and menu items are used, New answered `yes`.
    void shows_data()
    {
        QTest::addColumn<QString>("used"); // buttons and menu items, in turn
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("missing"); // a file removed first
        QTest::addColumn<Shows>("shows");
        QTest::newRow("rank, then suit keeps the rank")
            << "Knop(12) Img(3)" << true << "" << Shows{{12, 3}, {12, 3}, "K", 3, 0, 0, false, 0};
        QTest::newRow("Ok shows the ace of Harten, keeps the rest")
            << "Knop(9) Img(1) OkKnop" << true << "" << Shows{{0, 0}, {9, 1}, "10", 1, 0, 0, true, 52};
        QTest::newRow("Glas loads set 7, changes no card; a missing set keeps it")
            << "Knop(3) Option1(7) Option1(4)" << true << "\\Data\\Hkrs-4.krt"
            << Shows{{3, 0}, {3, 0}, "4", 0, 4, 7, false, 0};
        // A design under way. New never touches the card in view (KaartX, KaartY) and its rank label.
        const char *design = "OkKnop Option1(3) Knop(5) Img(2) FileNew";
        QTest::newRow("New, No changes nothing")
            << design << false << "" << Shows{{5, 2}, {5, 2}, "6", 2, 3, 3, true, 52};
        QTest::newRow("New, Yes starts from the blank sheet")
            << design << true << "" << Shows{{0, 0}, {5, 2}, "6", 0, 0, 0, false, 0};
        QTest::newRow("New without the blank sheet keeps the painted one")
            << design << true << "\\Data\\Kaarten.krt" << Shows{{0, 0}, {5, 2}, "6", 0, 0, 0, true, 0};
        QTest::newRow("New without symbol set 0 keeps the set shown")
            << design << true << "\\Data\\hkrs-0.krt" << Shows{{0, 0}, {5, 2}, "6", 0, 0, 3, false, 0};
    }

    void shows()
    {
        QFETCH(QString, used);
        QFETCH(bool, yes);
        QFETCH(QString, missing);
        QFETCH(Shows, shows);
        Shell s;
        const QImage blank = s.file(u"\\Data\\Kaarten.krt"_s);
        const QImage symbols = s.file(u"\\Data\\Hkrs-%1.krt"_s.arg(shows.symbolSet));
        if (!missing.isEmpty())
            QVERIFY(QFile::remove(s.path(missing)));
        s.prompter.answers = {yes};
        QImage painted;
        for (const QString &name : used.split(u' ')) {
            s.use(name);
            if (name == u"OkKnop")
                painted = s.sheet();
        }
        QCOMPARE(s.prompter.shown.size(), used.count(u"FileNew"_s)); // only New asks
        QCOMPARE(test::firstDifference(rgb(s.sheet()), shows.painted ? rgb(painted) : blank), QString());
        QCOMPARE(test::firstDifference(s.pic(), cellOf(s.sheet(), shows.cell)), QString());
        QCOMPARE(s.cardInView(), shows.inView);
        QCOMPARE(s.get<QLabel>(u"KaartLabel"_s)->text(), shows.label);
        QCOMPARE(s.get(u"Vinkje"_s)->y(), s.get(u"Img(%1)"_s.arg(shows.vinkjeRow))->y());
        QVERIFY(s.get<QRadioButton>(u"Option1(%1)"_s.arg(shows.style))->isChecked());
        QCOMPARE(test::firstDifference(s.hkrs(), symbols), QString());
        QCOMPARE(test::firstDifference(s.get<PictureBox>(u"Bar"_s)->image(), barAfter(shows.finishedCards)),
                 QString());
    }

    // In each pause of a run the Bar already counts the card just finished.
    void barFollowsEachCard()
    {
        Shell s;
        int cards = 0;
        QList<int> wrong;
        s.pacer.onPause = [&](int milliseconds) {
            if (milliseconds != 50)
                return; // the pressed look
            ++cards;
            if (s.get<PictureBox>(u"Bar"_s)->image() != barAfter(cards))
                wrong << cards;
        };
        s.click(u"OkKnop"_s);
        QCOMPARE(cards, 52);
        QCOMPARE(wrong, QList<int>());
    }

    void inputDuringRunIsIgnored()
    {
        Shell s;
        QSignalSpy dialogs(s.main.get(), &Main::dialogformRequested);
        QAction *grid = s.action(u"Gridlijnen"_s);
        s.click(u"OkKnop"_s); // a step the run must not take back; the next run repaints the same
        const QImage painted = s.sheet(), symbols = s.hkrs();
        bool sent = false;
        int pressedLooks = 0;
        s.pacer.onPause = [&](int milliseconds) {
            pressedLooks += milliseconds == 200;
            if (milliseconds == 200 || std::exchange(sent, true))
                return; // the pressed look, or input already sent
            for (const char *name : {"OkKnop", "Knop(5)", "Img(2)", "Option1(3)", "Image1(0)"})
                s.click(QLatin1String(name));
            grid->trigger(); // as the menu would, had its click come through
            s.main->undo();  // as its keys would
        };
        s.click(u"OkKnop"_s);
        QVERIFY(sent);
        QCOMPARE(pressedLooks, 1); // no second run, no pressed look of another button
        QCOMPARE(s.cardInView(), QPoint(0, 0));
        QVERIFY(s.get<QRadioButton>(u"Option1(0)"_s)->isChecked());
        QCOMPARE(s.hkrs(), symbols);
        QCOMPARE(dialogs.count(), 0);
        QVERIFY(grid->isChecked());
        QCOMPARE(test::byteDifference(s.sheet(), painted), QString());
        QCOMPARE(s.main->document().history().undoableSteps(), 1);
        s.pacer.onPause = [](int) {};
        s.click(u"Knop(5)"_s); // afterwards the window answers again
        QCOMPARE(s.cardInView(), QPoint(5, 0));
    }

    // Grid Lijnen and Help each switch their part of the window, and switch it back.
    void gridAndHelpSwitchBack()
    {
        Shell s;
        QVERIFY(QTest::qWaitForWindowExposed(s.main.get()));
        auto *pic = s.get<PictureBox>(u"Pic"_s);
        const QPoint onLine1(px(2130), 20);
        for (bool visible : {true, false}) {
            QCOMPARE(s.action(u"Gridlijnen"_s)->isChecked(), visible);
            for (const char *name : {"Line1", "Line6", "BinnenImage", "KaartLabel"})
                QCOMPARE(s.get(QLatin1String(name))->isVisible(), visible);
            const QImage shown = pic->grab().toImage();
            QCOMPARE(shown.pixelColor(onLine1),
                     visible ? QColor(224, 224, 224) : pic->image().pixelColor(onLine1));
            s.action(u"Gridlijnen"_s)->trigger();
        }

        QWidget *helpScherm = s.get(u"HelpScherm"_s);
        QAction *help = s.action(u"HelpHelp"_s);
        help->trigger();
        QVERIFY(!pic->isVisible() && helpScherm->isVisible() && help->isChecked());
        s.click(u"Knop(3)"_s); // painted into the hidden viewer, shown once the help goes away
        help->trigger();
        QVERIFY(pic->isVisible() && !helpScherm->isVisible() && !help->isChecked());
        QCOMPARE(test::firstDifference(s.pic(), cellOf(s.sheet(), {3, 0})), QString());
    }

    // The rank buttons keep their flat face, its border and a darker face while pressed, and "10" fits.
    void rankButtonsLookTheirOwn()
    {
        Shell s;
        auto *ten = s.get<QPushButton>(u"Knop(9)"_s);
        QVERIFY(ten->fontMetrics().horizontalAdvance(ten->text()) < ten->width() - 2);
        for (const bool down : {false, true}) {
            ten->setDown(down);
            const QImage face = ten->grab().toImage();
            QCOMPARE(face.pixelColor(1, ten->height() / 2),
                     down ? QColor(220, 200, 130) : QColor(240, 220, 150));
            QCOMPARE(face.pixelColor(0, ten->height() / 2), QColor(120, 110, 75));
        }
    }

    // Each window opens application modal and the command waits for it; closed, it changes and prints
    // nothing. The aces' button opens the photo dialog at once; the others offer clip art or an own photo in
    // their menu, and the clip art of a court card is the court dialog of its rank (each rank's title:
    // tst_courtform). The overview shows the sheet as it is now, each 2 x 2 block of it as one pixel.
    void windowsOpenModally()
    {
        Shell s;
        s.click(u"OkKnop"_s); // pips, labels and mirrored halves on 52 cards
        const QImage sheet = s.sheet();
        QImage overview;
        QString title;
        s.inDialog = QStringList{u"ExitKnop"_s}; // the overview closes only through its exit button
        s.look = [&](QWidget *modal) {
            if (auto *slide = modal->findChild<PictureBox *>(u"SlidePic"_s))
                overview = rgb(slide->image());
            title = modal->windowTitle();
            QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
        };
        const struct
        {
            const char *button, *item, *window, *title = "";
        } windows[] = {{"", "Afdrukken(1)", "AfdrukForm"},
                       {"", "Afdrukken(2)", "Rugzijde"},
                       {"", "Afdrukken(3)", "HeleDeckForm"},
                       {"", "ToolsShowKaarten", "Showform"},
                       {"", "FileOpen", "OpenForm"},
                       {"", "Image1(0)", "Dialogform"},
                       {"Image1(2)", "ClipartOfFoto(2)", "Dialogform"},
                       {"Image1(3)", "ClipartOfFoto(1)", "CourtForm", "Koningen plaatsen"},
                       {"Image1(4)", "ClipartOfFoto(1)", "JokerForm", "Jokers plaatsen"}};
        for (const auto &[button, item, window, named] : windows) {
            s.met.clear();
            if (*button) {
                s.click(QLatin1String(button));
                auto *menu = s.main->findChild<QMenu *>(u"JokerOfFoto"_s);
                QVERIFY(menu && menu->isVisible() && s.met.isEmpty());
                menu->close(); // as choosing an item does
            }
            s.use(QLatin1String(item));
            QCOMPARE(s.met, QStringList{QLatin1String(window)}); // met before the command returned
            if (*named)
                QCOMPARE(title, QLatin1String(named));
        }
        QCOMPARE(s.sheet(), sheet);
        QVERIFY(s.printer.jobs.empty());

        QCOMPARE(overview.size(), sheet.size() / 2);
        const QImage full = rgb(sheet);
        for (int y = 0; y < 800; y += 7)
            for (int x = 0; x < 1995; x += 7) {
                int sum = 0;
                for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                    sum += qGray(full.pixel(2 * x + d.x(), 2 * y + d.y()));
                QVERIFY2(qAbs(qGray(overview.pixel(x, y)) - sum / 4) <= 4,
                         qPrintable(u"%1,%2"_s.arg(x).arg(y)));
            }
    }

    void overviewDrag_data()
    {
        // "Lx,y" / "Rx,y" press, "l" / "r" release, "mx,y" move, in SlidePic's pixels at the time.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QPoint>("expected"); // SlidePic's left and top, twips
        QTest::newRow("right and down stays at 0") << "L10,10 m200,100 l" << QPoint();
        QTest::newRow("left and up follows") << "L100,50 m40,30 l" << QPoint(-900, -300);
        QTest::newRow("far up-left stops at corner") << "L500,190 m-5000,-5000 l" << QPoint(-21345, -9000);
        QTest::newRow("both buttons") << "L100,50 R100,50 m40,30 r l" << QPoint();
    }

    void overviewDrag()
    {
        QFETCH(QString, steps);
        QFETCH(QPoint, expected);
        Shell s;
        Showform form(s.sheet(), s.pacer, AppFolder(s.folder->path()), QCursor(Qt::OpenHandCursor));
        form.show();
        auto *slide = form.findChild<PictureBox *>(u"SlidePic"_s);
        for (const QString &step : steps.split(u' ')) {
            const QStringList xy = step.mid(1).split(u',');
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

    void stepsUndoAndRedo_data()
    {
        QTest::addColumn<QString>(
            "step");                      // [a picture button,] an item used, then what is used in its window
        QTest::addColumn<QPoint>("card"); // shown after undo and redo; (-1, -1): the ace of Harten alone
        QTest::addColumn<bool>("modified"); // the window's mark after the step
        QTest::addColumn<QString>("name");
        const QPoint whole(-1, -1);
        QTest::newRow("Ok") << "OkKnop" << whole << true << "Symbolen plaatsen";
        QTest::newRow("joker on Schoppen")
            << "ClipartOfFoto(1) Image1(4) OkKnop" << QPoint(13, 3) << true << "Joker plaatsen";
        QTest::newRow("photo on the ace of Klavers")
            << "ClipartOfFoto(2) Image1(2) OkKnop" << QPoint(0, 1) << true << "Foto plaatsen";
        QTest::newRow("every court card")
            << "EditHofkaarten" << QPoint(10, 0) << true << "Hofkaarten plaatsen";
        // The Vrouwen through their button's menu; the figure each gets: tst_courtform.
        QTest::newRow("court dialog, all four Vrouwen")
            << "Image1(2) ClipartOfFoto(1) Image1(0) OkKnop" << QPoint(11, 0) << true << "Vrouw plaatsen";
        QTest::newRow("Nieuw") << "FileNew" << whole << false << "Nieuw";
        QTest::newRow("Open") << "FileOpen leeg OkKnop" << whole << false << "Vellora openen";
    }

    // Each step undoes and redoes by its keys, showing what it changed; the mark and the crash copy follow.
    void stepsUndoAndRedo()
    {
        QFETCH(QString, step);
        QFETCH(QPoint, card);
        QFETCH(bool, modified);
        QFETCH(QString, name);
        QTemporaryDir recovery;
        Shell s;
        s.main->startRecovery(recovery.path());
        QAction *undo = s.action(u"EditUndo"_s), *redo = s.action(u"EditRedo"_s);
        const QImage saved = s.sheet();
        if (name != u"Symbolen plaatsen") {
            // A design under way, and for Open a project of the blank sheet to open over it.
            s.prompter.inputs = {u"leeg"_s};
            s.use(u"FileSave"_s);
            s.click(u"OkKnop"_s);
        }
        s.click(u"Knop(5)"_s);
        const QImage before = s.sheet();
        s.prompter.answers = {true};
        QStringList words = step.split(u' ');
        if (words[0].startsWith(u"Image1")) {
            s.click(words.takeFirst());
            s.main->findChild<QMenu *>(u"JokerOfFoto"_s)->close(); // as choosing an item does
        }
        s.inDialog = words.mid(1);
        s.use(words[0]);
        const QImage after = s.sheet();
        QVERIFY(after != before);
        if (!modified) // Nieuw and Open give the blank sheet saved above, byte for byte
            QCOMPARE(test::byteDifference(after, saved), QString());
        QCOMPARE(s.main->isWindowModified(), modified);
        QCOMPARE(undo->text(), u"Ongedaan maken: "_s + name);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        const QPoint inView = card.x() < 0 ? QPoint(5, 0) : card, cell = card.x() < 0 ? QPoint() : card;
        const auto shows = [&](const QImage &sheet, bool mark) {
            QCOMPARE(test::byteDifference(s.sheet(), sheet), QString());
            QCOMPARE(s.cardInView(), inView);
            QCOMPARE(test::firstDifference(s.pic(), cellOf(sheet, cell)), QString());
            QCOMPARE(s.main->isWindowModified(), mark);
            QCOMPARE(test::firstDifference(s.recoveryCopy(), mark ? sheet : QImage()), QString());
        };
        s.main->activateWindow(); // the keys go to the active window, which a closed dialog may have left
        QVERIFY(QTest::qWaitForWindowActive(s.main.get()));
        for (const QKeyCombination redoKeys : {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}) {
            const int steps = s.main->document().history().undoableSteps();
            QTest::keyClick(s.main.get(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(s.main->document().history().undoableSteps(), steps - 1);
            QCOMPARE(redo->text(), u"Opnieuw: "_s + name);
            shows(before, !modified || name != u"Symbolen plaatsen");
            QTest::keyClick(s.main.get(), redoKeys.key(), redoKeys.keyboardModifiers());
            shows(after, modified);
        }
        // Saving clears the mark, and the copy, once a write of it still going has ended.
        s.prompter.inputs = {u"na"_s};
        s.use(u"FileSave"_s);
        QVERIFY(!s.main->isWindowModified());
        QTRY_VERIFY(!QFile::exists(s.main->document().recovery().store()->path()));
    }

    void exitAndNextStart_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<QString>("name"); // typed in the name box; none is Cancel
        QTest::addColumn<int>("boxes");    // the question, and the name box after Ja
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("next"); // answered at the next start after a crash, or "damaged"
        using A = Prompter::Answer;
        QTest::newRow("unchanged closes") << false << true << A::No << "" << 0 << true << "";
        QTest::newRow("Ja saves, closes") << true << true << A::Yes << "avond" << 2 << true << "";
        QTest::newRow("Ja, no name: stays") << true << true << A::Yes << "" << 2 << false << "Ja";
        QTest::newRow("Nee closes unsaved") << true << true << A::No << "" << 1 << true << "";
        QTest::newRow("Annuleren stays") << true << true << A::Cancel << "" << 1 << false << "Nee";
        QTest::newRow("window: Annuleren") << true << false << A::Cancel << "" << 1 << false << "damaged";
    }

    // Closing asks about unsaved work, and the program ends once the window closes. The copy kept against a
    // crash goes with a clean end; after a crash, the next start offers it.
    void exitAndNextStart()
    {
        QFETCH(bool, changed);
        QFETCH(bool, byMenu);
        QFETCH(Prompter::Answer, answer);
        QFETCH(QString, name);
        QFETCH(int, boxes);
        QFETCH(bool, closed);
        QFETCH(QString, next);
        QTemporaryDir recovery;
        auto s = std::make_unique<Shell<>>();
        s->main->startRecovery(recovery.path());
        if (changed)
            s->click(u"OkKnop"_s);
        const QImage copy = s->recoveryCopy();
        QCOMPARE(copy.isNull(), !changed);
        s->prompter.choices = {answer};
        s->prompter.inputs = {name.isEmpty() ? std::nullopt : std::optional(name)};
        QTimer::singleShot(0, s->main.get(),
                           [&] { byMenu ? s->action(u"FileExit"_s)->trigger() : void(s->main->close()); });
        // The save writes in the background; the program stays when the window is still there once it is
        // idle and a few more events have passed.
        int idle = 0;
        QTimer stays;
        connect(&stays, &QTimer::timeout, s->main.get(), [&] {
            idle = s->main->isBusy() ? 0 : idle + 1;
            if (idle == 3 && s->main->isVisible())
                QCoreApplication::exit(2);
        });
        stays.start(20);
        QTimer::singleShot(10000, s->main.get(), [] { QCoreApplication::exit(1); }); // stuck
        QCOMPARE(QApplication::exec(), closed ? 0 : 2);
        QCOMPARE(s->prompter.shown.size(), boxes);
        QCOMPARE(QFile::exists(s->path(u"\\Projecten\\avond.krt"_s)), !name.isEmpty());
        QCOMPARE(s->main->isWindowModified(), changed && name.isEmpty());
        // A removal waits behind a write still going, as the program's end waits for both.
        s->main->document().recovery().store()->waitForWrites();
        const QString left = s->main->document().recovery().store()->path();
        QCOMPARE(QFile::exists(left), changed && !closed);

        if (next == u"damaged")
            QVERIFY(QFile::resize(left, 5000));
        const QDateTime written = QFileInfo(left).lastModified();
        s.reset(); // a window still open ends as in a crash, without its clean exit
        Shell started;
        const QImage blank = started.sheet();
        started.prompter.answers = {next != u"Nee"};
        started.main->startRecovery(recovery.path());
        const auto &shown = started.prompter.shown;
        QCOMPARE(shown.size(), next.isEmpty() ? 0 : next == u"damaged" ? 2 : 1);
        if (!next.isEmpty())
            QCOMPARE(shown[0].text,
                     u"Er is een niet-opgeslagen Vellora van %1 gevonden. Herstellen?"_s.arg(
                         QLocale(QLocale::Dutch).toString(written, u"dddd d MMMM yyyy HH:mm"_s)));
        if (next == u"damaged")
            QCOMPARE(shown[1].text, u"Géén orginele Vellora!"_s);
        const bool restored = next == u"Ja";
        QCOMPARE(test::firstDifference(started.sheet(), restored ? copy : blank), QString());
        QCOMPARE(started.main->isWindowModified(), restored);
    }

    // Closing during a run waits for its end, then asks as about any unsaved work; the question takes its
    // answer: Nee ends the program, Annuleren keeps the finished run.
    void closeDuringARun_data()
    {
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Nee closes") << Prompter::Answer::No << true;
        QTest::newRow("Annuleren stays") << Prompter::Answer::Cancel << false;
    }
    void closeDuringARun()
    {
        QFETCH(Prompter::Answer, answer);
        QFETCH(bool, closed);
        Shell<test::SteppedPacer> s;
        s.main->composeDeck();
        s.pacer.step();
        QVERIFY(s.main->document().isComposing());
        QVERIFY(!s.main->close());
        QVERIFY(s.main->isVisible());
        QVERIFY(s.prompter.shown.isEmpty());
        s.prompter.choices = {answer};
        QCOMPARE(s.pacer.runAll(), 51);
        QTRY_COMPARE(s.prompter.shown.size(), 1);
        QCOMPARE(s.prompter.shown[0].text, u"De Vellora is gewijzigd. Wijzigingen opslaan?"_s);
        QCOMPARE(s.main->isVisible(), !closed);
        QCOMPARE(s.main->document().history().undoableSteps(), 1);
    }

    // Save writes on a worker: the window goes on answering, takes no other Save, Open or New meanwhile,
    // and a close asked during the write waits for it, then ends the program with the project written.
    void saveRunsInTheBackground()
    {
        Shell s;
        s.click(u"OkKnop"_s);
        QSemaphore release;
        std::atomic<bool> writing = false, onGlobalPool = false;
        const ProjectStore store(AppFolder(s.folder->path()));
        s.main->document().setProjectWriter([&](const QImage &sheet, const QString &name) {
            onGlobalPool = QThreadPool::globalInstance()->contains(QThread::currentThread());
            writing = true;
            release.acquire();
            return writeProject(store, sheet, name);
        });
        s.prompter.inputs = {u"traag"_s, u"tweede"_s};
        s.action(u"FileSave"_s)->trigger();
        QTRY_VERIFY(writing);
        // Qt draws scaled pictures on the global pool's threads and waits for them: a save must not sit
        // there.
        QVERIFY(!onGlobalPool);
        bool answered = false;
        QTimer::singleShot(0, s.main.get(), [&] { answered = true; });
        QTRY_VERIFY(answered);
        for (const char *name : {"FileSave", "FileNew", "FileOpen"})
            s.action(QLatin1String(name))->trigger();
        QCOMPARE(s.prompter.shown.size(), 1); // the name box of the first save only
        QVERIFY(s.met.isEmpty());
        QVERIFY(!s.main->close());
        release.release();
        QTRY_VERIFY(!s.main->isVisible());
        QCOMPARE(s.prompter.shown.size(), 1);
        QCOMPARE(test::byteDifference(s.file(u"\\Projecten\\traag.krt"_s), rgb(s.sheet())), QString());
    }

    // A Save while a copy of the unsaved work is being written never waits for that write: the window
    // answers at once, the project is written, and the copy, no longer needed, goes once the write lets go.
    void saveDuringARecoveryWrite()
    {
        QTemporaryDir recovery;
        Shell s;
        s.main->startRecovery(recovery.path());
        RecoveryStore &store = *s.main->document().recovery().store();
        QSemaphore release;
        std::atomic<bool> writing = false;
        store.setSheetWriter([&](const QImage &sheet, const QString &path) {
            writing = true;
            release.acquire();
            return PictureFile::saveBmp(sheet, path).ok();
        });
        s.click(u"OkKnop"_s);
        s.main->document().recovery().writeNow();
        QTRY_VERIFY(writing);
        s.prompter.inputs = {u"tijdens"_s};
        // The write stays held throughout: had the window waited for it, it would wait here for good.
        s.action(u"FileSave"_s)->trigger();
        QTRY_VERIFY(!s.main->isBusy());
        bool answered = false;
        QTimer::singleShot(0, s.main.get(), [&] { answered = true; });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 50);
        QVERIFY(!s.main->isWindowModified());
        QCOMPARE(test::byteDifference(s.file(u"\\Projecten\\tijdens.krt"_s), rgb(s.sheet())), QString());
        release.release();
        store.waitForWrites();
        QVERIFY(!QFile::exists(store.path()));
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
