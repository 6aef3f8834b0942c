#include "imagebutton.h"
#include "mainwindow.h"
#include "modalwatch.h"
#include "picturebox.h"
#include "platform.h"
#include "testsupport.h"
#include "twips.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace vellora;

namespace {

QImage rgb(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

QImage cellOf(const QImage &sheet, int row, int column) { return rgb(sheet.copy(column * 285, row * 400, 285, 400)); }

struct Shell
{
    std::unique_ptr<QTemporaryDir> folder;
    test::CountingPacer pacer;
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
    QPoint cardInView() const { return {main->cardInView().KaartX / 4275, main->cardInView().KaartY / 6000}; }
    void click(const QString &name) const { QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    QString path(const QString &relative) const { return AppFolder(folder->path()).resolve(relative); }
};

// Records the addresses handed to the desktop instead of opening them.
class DesktopOpener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
    DesktopOpener()
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~DesktopOpener() override
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

// "name|caption" per item in menu order; "-" as caption for a separator, a trailing "|checked" or
// "|unchecked" for an item that carries a check mark.
using MenuRows = QStringList;

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuBarHasThreeMenus();
    void menuItems_data();
    void menuItems();
    void helpToggles();
    void displayInformation_data();
    void displayInformation();
    void documentsGoToTheDesktop();
    void windowsOpenModally_data();
    void windowsOpenModally();
    void overviewShowsTheLatestSheet();
    void newCommand_data();
    void newCommand();
    void saveThenOpenRoundTrips();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();
};

void TestMenus::menuBarHasThreeMenus()
{
    Shell s(test::emptyAppFolder());
    QStringList titles;
    for (QAction *top : s.main->menuBar()->actions())
        titles << top->objectName() + u'|' + top->text();
    QCOMPARE(titles, (QStringList{"File|File", "Tools|Tools", "Help|Help"}));
    // The joker menu only pops up.
    QVERIFY(!s.main->menuBar()->actions().contains(s.main->jokerOfFoto()->menuAction()));
}

void TestMenus::menuItems_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<MenuRows>("rows");
    QTest::newRow("File") << "File"
                          << MenuRows{"FileNew|Nieuw", "FileOpen|Open Vellora", "FileSave|Vellora Opslaan",
                                      "Streep1|-", "FilePrint|Afdrukken", "Streep2|-", "FileExit|Exit"};
    QTest::newRow("File > Afdrukken") << "FilePrint" << MenuRows{"Afdrukken(1)|Vellora", "Afdrukken(2)|Rugzijde"};
    QTest::newRow("Tools") << "Tools"
                           << MenuRows{"ToolsShowKaarten|Overzicht alle Vellora", "Gridlijnen|Grid Lijnen|checked"};
    QTest::newRow("Help") << "Help"
                          << MenuRows{"HelpHelp|Help|unchecked", "HelpSoftware|Meer Software",
                                      "Beeldscherm|Beeldscherm"};
    QTest::newRow("Help > Beeldscherm")
        << "Beeldscherm" << MenuRows{"HelpResolutie(1)|Resolutie Opvragen", "HelpResolutie(2)|Wijzigen Resolutie"};
    QTest::newRow("JokerOfFoto") << "JokerOfFoto"
                                 << MenuRows{"ClipartOfFoto(1)|Clipart gebruiken",
                                             "ClipartOfFoto(2)|Eigen foto gebruiken"};
}

void TestMenus::menuItems()
{
    QFETCH(QString, menu);
    QFETCH(MenuRows, rows);
    Shell s(test::emptyAppFolder());
    auto *m = s.get<QMenu>(menu);
    QVERIFY(m);
    QStringList shown;
    for (QAction *item : m->actions()) {
        QString row = item->objectName() + u'|' + (item->isSeparator() ? QStringLiteral("-") : item->text());
        if (item->isCheckable())
            row += item->isChecked() ? u"|checked" : u"|unchecked";
        shown << row;
        // No shortcut, and no access key: Qt takes an '&' in a caption as one.
        QVERIFY2(item->shortcut().isEmpty(), qPrintable(row));
        QVERIFY2(item->shortcuts().isEmpty(), qPrintable(row));
        QVERIFY2(!item->text().contains(u'&'), qPrintable(row));
        QVERIFY2(QKeySequence::mnemonic(item->text()).isEmpty(), qPrintable(row));
    }
    QCOMPARE(shown, rows);
    QVERIFY(!m->title().contains(u'&'));
}

void TestMenus::helpToggles()
{
    Shell s;
    QVERIFY(QTest::qWaitForWindowExposed(s.main.get()));
    auto *label1 = s.get<QLabel>(QStringLiteral("Label1"));
    QWidget *pic = s.get(QStringLiteral("Pic"));
    QWidget *helpScherm = s.get(QStringLiteral("HelpScherm"));
    QAction *help = s.action(QStringLiteral("HelpHelp"));
    // The rim of Label1 around the viewer shows its colour.
    const auto rim = [&] { return label1->grab().toImage().pixelColor(2, 2); };
    QCOMPARE(rim(), QColor(Qt::white));

    help->trigger();
    QVERIFY(!pic->isVisible());
    QVERIFY(helpScherm->isVisible());
    QVERIFY(help->isChecked());
    QCOMPARE(rim(), QColor(0, 0, 40));

    // A card chosen meanwhile is painted into the hidden viewer and shows once the help goes away.
    s.click(QStringLiteral("Knop(3)"));
    QVERIFY(!pic->isVisible());

    help->trigger();
    QVERIFY(pic->isVisible());
    QVERIFY(!helpScherm->isVisible());
    QVERIFY(!help->isChecked());
    QCOMPARE(rim(), QColor(Qt::white));
    QCOMPARE(test::firstDifference(s.pic(), cellOf(s.sheet(), 0, 3)), QString());
    QVERIFY(s.prompter.shown.isEmpty());
}

void TestMenus::displayInformation_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("1920 x 1080 at 96 dpi") << 15.0 << "Schermresolutie... : 96 Dpi (Dots / Inch)"
                                           << "Schermgrootte..... : 1920 x 1080 Pixels";
    QTest::newRow("1920 x 1080 at 120 dpi") << 12.0 << "Schermresolutie... : 120 Dpi (Dots / Inch)"
                                            << "Schermgrootte..... : 1536 x 864 Pixels";
}

void TestMenus::displayInformation()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(QString, first);
    QFETCH(QString, second);
    Shell s(test::emptyAppFolder());
    const QSize pixels(1920, 1080);
    s.main->setScreenMetrics([&] {
        return ScreenMetrics{twipsPerPixel, twipsPerPixel,
                             QSize(qRound(pixels.width() * twipsPerPixel), qRound(pixels.height() * twipsPerPixel))};
    });
    s.action(QStringLiteral("HelpResolutie(1)"))->trigger();
    QCOMPARE(s.prompter.shown.size(), 1);
    const test::ScriptedPrompter::Shown box = s.prompter.shown.first();
    QCOMPARE(box.kind, QStringLiteral("message"));
    QCOMPARE(box.title, QStringLiteral(" Beeldscherm"));
    QCOMPARE(box.icon, Prompter::Icon::None);
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.at(0), first);
    QCOMPARE(lines.at(1), second);
    QCOMPARE(lines.at(2), QString(42, u'-'));
    QCOMPARE(lines.at(6), QStringLiteral("versies Windows XP en Windows 7 en 8."));
}

void TestMenus::documentsGoToTheDesktop()
{
    Shell s;
    DesktopOpener desktop;
    s.action(QStringLiteral("HelpSoftware"))->trigger();
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("http://www.vellora.example/software.htm"))});

    // The guide is found whatever the letter case of its folder and name.
    QDir root(s.folder->path());
    const QString guide = s.path(QStringLiteral("\\Help\\Beeldscherm.pdf"));
    QVERIFY(QFile::exists(guide));
    QVERIFY(root.rename(QStringLiteral("Help"), QStringLiteral("HELP")));
    QVERIFY(QFile::rename(root.filePath(QStringLiteral("HELP/Beeldscherm.pdf")),
                          root.filePath(QStringLiteral("HELP/beeldscherm.PDF"))));
    s.action(QStringLiteral("HelpResolutie(2)"))->trigger();
    QCOMPARE(desktop.opened.size(), 2);
    QCOMPARE(desktop.opened.last(), QUrl::fromLocalFile(root.filePath(QStringLiteral("HELP/beeldscherm.PDF"))));

    // Without the guide the desktop is asked all the same; the program itself says nothing.
    QVERIFY(QFile::remove(root.filePath(QStringLiteral("HELP/beeldscherm.PDF"))));
    s.action(QStringLiteral("HelpResolutie(2)"))->trigger();
    QCOMPARE(desktop.opened.size(), 3);
    QVERIFY(desktop.opened.last().toLocalFile().startsWith(root.filePath(QStringLiteral("HELP/"))));
    QVERIFY(s.prompter.shown.isEmpty());
}

void TestMenus::windowsOpenModally_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("Afdrukken > Vellora") << "Afdrukken(1)" << "AfdrukForm";
    QTest::newRow("Afdrukken > Rugzijde") << "Afdrukken(2)" << "Rugzijde";
    QTest::newRow("Overzicht alle Vellora") << "ToolsShowKaarten" << "Showform";
    QTest::newRow("Open Vellora") << "FileOpen" << "OpenForm";
}

void TestMenus::windowsOpenModally()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    Shell s;
    const QImage sheet = s.sheet();
    test::ModalWatch watch;
    const auto closeByExit = watch.act;
    watch.act = [&](QWidget *modal) {
        // The overview closes only through its exit button.
        if (QWidget *exit = modal->findChild<ImageButton *>(QStringLiteral("ExitKnop")))
            QTest::mouseClick(exit, Qt::LeftButton);
        if (modal->isVisible())
            closeByExit(modal);
    };
    watch.run([&] { s.action(item)->trigger(); });
    QCOMPARE(watch.names(), QStringList{window});
    QCOMPARE(watch.met.first().modality, Qt::ApplicationModal);
    QVERIFY(watch.met.first().whileCommandRan); // the command waited for the window to close
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(s.sheet(), sheet);
    QCOMPARE(s.printer.pagesEnded, 0);
}

void TestMenus::overviewShowsTheLatestSheet()
{
    Shell s;
    QList<QImage> shown;
    QList<QPoint> startedAt;
    test::ModalWatch watch;
    watch.act = [&](QWidget *modal) {
        auto *slide = modal->findChild<PictureBox *>(QStringLiteral("SlidePic"));
        shown << slide->image().copy();
        startedAt << slide->pos();
        // Leave the view somewhere else: the next opening starts at the top-left corner again.
        QTest::mousePress(slide, Qt::LeftButton, {}, QPoint(300, 150));
        QTest::mouseMove(slide, QPoint(100, 50));
        QTest::mouseRelease(slide, Qt::LeftButton, {}, QPoint(100, 50));
        QTest::mouseClick(modal->findChild<ImageButton *>(QStringLiteral("ExitKnop")), Qt::LeftButton);
    };
    QAction *overview = s.action(QStringLiteral("ToolsShowKaarten"));
    watch.run([&] { overview->trigger(); });
    s.click(QStringLiteral("OkKnop")); // pips, labels and mirrored halves on 52 cards
    watch.run([&] { overview->trigger(); });
    QCOMPARE(shown.size(), 2);
    QCOMPARE(startedAt, (QList<QPoint>{QPoint(0, 0), QPoint(0, 0)}));

    // Each 2 x 2 block of the sheet as it is now becomes one pixel of the overview.
    const QImage sheet = s.sheet();
    const auto halfOfSheet = [&](int x, int y, int channel) {
        int sum = 0;
        for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
            const QRgb p = sheet.pixel(2 * x + d.x(), 2 * y + d.y());
            sum += channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
        }
        return sum / 4.0;
    };
    int changed = 0;
    for (int y = 0; y < 800; y += 5) {
        for (int x = 0; x < 1995; x += 5) {
            const QRgb now = shown[1].pixel(x, y);
            const int channels[3] = {qRed(now), qGreen(now), qBlue(now)};
            for (int c = 0; c < 3; ++c)
                QVERIFY2(qAbs(channels[c] - halfOfSheet(x, y, c)) <= 2, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            changed += shown[0].pixel(x, y) != now;
        }
    }
    QVERIFY(changed > 100);
}

void TestMenus::newCommand_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("missing");
    QTest::newRow("No changes nothing") << false << QString();
    QTest::newRow("Yes starts from the blank sheet") << true << QString();
    QTest::newRow("Yes without the blank sheet keeps the painted one") << true << "\\Data\\Kaarten.krt";
    QTest::newRow("Yes without symbol set 0 keeps the set shown") << true << "\\Data\\hkrs-0.krt";
}

void TestMenus::newCommand()
{
    QFETCH(bool, yes);
    QFETCH(QString, missing);
    Shell s;
    const QImage blank = s.sheet();
    const QImage startBar = s.bar();
    const QImage set0 = s.hkrs();
    // A design under way: painted, another style, another card and row in view.
    s.click(QStringLiteral("OkKnop"));
    s.click(QStringLiteral("Option1(3)"));
    s.click(QStringLiteral("Knop(5)"));
    s.click(QStringLiteral("Img(2)"));
    const QImage painted = s.sheet(), picBefore = s.pic(), set3 = s.hkrs(), barBefore = s.bar();
    QWidget *vinkje = s.get(QStringLiteral("Vinkje"));
    const QPoint vinkjeBefore = vinkje->pos();
    QCOMPARE(vinkjeBefore.y(), s.get(QStringLiteral("Img(2)"))->y());
    QVERIFY(picBefore != cellOf(painted, 0, 0));
    QVERIFY(barBefore != startBar);
    if (!missing.isEmpty())
        QVERIFY(QFile::remove(s.path(missing)));

    s.prompter.answers = {yes};
    s.action(QStringLiteral("FileNew"))->trigger();

    QCOMPARE(s.prompter.shown.size(), 1);
    QCOMPARE(s.prompter.shown[0].kind, QStringLiteral("question"));
    QCOMPARE(s.prompter.shown[0].text, QStringLiteral("Wilt u een nieuw spel kaarten ontwerpen?"));
    QCOMPARE(s.prompter.shown[0].title, QStringLiteral("Nieuw"));
    // Never touched: the card in view and its rank label.
    QCOMPARE(s.cardInView(), QPoint(5, 2));
    QCOMPARE(s.get<QLabel>(QStringLiteral("KaartLabel"))->text(), QStringLiteral("6"));
    if (!yes) {
        QCOMPARE(s.sheet(), painted);
        QCOMPARE(s.pic(), picBefore);
        QCOMPARE(s.hkrs(), set3);
        QVERIFY(s.get<QRadioButton>(QStringLiteral("Option1(3)"))->isChecked());
        QCOMPARE(vinkje->pos(), vinkjeBefore);
        QCOMPARE(s.bar(), barBefore);
        return;
    }
    const QImage expectedSheet = missing.contains(u"Kaarten") ? painted : blank;
    QCOMPARE(test::firstDifference(s.sheet(), expectedSheet), QString());
    QCOMPARE(test::firstDifference(s.pic(), cellOf(expectedSheet, 0, 0)), QString());
    QCOMPARE(test::firstDifference(s.hkrs(), missing.contains(u"hkrs") ? set3 : set0), QString());
    QVERIFY(s.get<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
    QCOMPARE(vinkje->pos(), QPoint(vinkjeBefore.x(), px(270)));
    QCOMPARE(test::firstDifference(s.bar(), startBar), QString());
    QCOMPARE(s.get(QStringLiteral("Bar"))->grab().toImage().pixelColor(7, 150), QColor(0, 64, 0));
}

void TestMenus::saveThenOpenRoundTrips()
{
    Shell s;
    s.click(QStringLiteral("OkKnop"));
    const QImage painted = s.sheet();
    s.prompter.inputs = {QStringLiteral("rond trip")};
    s.action(QStringLiteral("FileSave"))->trigger();
    QVERIFY(QFile::exists(s.path(QStringLiteral("\\Projecten\\rond trip.krt"))));

    s.prompter.answers = {true};
    s.action(QStringLiteral("FileNew"))->trigger();
    QVERIFY(s.sheet() != painted);
    s.click(QStringLiteral("Knop(7)"));
    s.click(QStringLiteral("Img(1)"));
    const QImage bar = s.bar(), symbols = s.hkrs();
    const QPoint vinkje = s.get(QStringLiteral("Vinkje"))->pos();

    test::ModalWatch watch;
    watch.act = [](QWidget *chooser) {
        auto *list = chooser->findChild<QListWidget *>(QStringLiteral("List1"));
        const QList<QListWidgetItem *> items = list ? list->findItems(QStringLiteral("rond trip"), Qt::MatchExactly)
                                                    : QList<QListWidgetItem *>();
        if (items.size() == 1) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
            QTest::mouseClick(chooser->findChild<QWidget *>(QStringLiteral("OkKnop")), Qt::LeftButton);
        }
        if (chooser->isVisible())
            chooser->close();
    };
    watch.run([&] { s.action(QStringLiteral("FileOpen"))->trigger(); });
    QCOMPARE(watch.names(), QStringList{"OpenForm"});

    QCOMPARE(test::firstDifference(s.sheet(), painted), QString());
    QCOMPARE(test::firstDifference(s.pic(), cellOf(painted, 0, 0)), QString());
    // Nothing else changes.
    QCOMPARE(s.cardInView(), QPoint(7, 1));
    QCOMPARE(s.get(QStringLiteral("Vinkje"))->pos(), vinkje);
    QCOMPARE(s.bar(), bar);
    QCOMPARE(s.hkrs(), symbols);
    QCOMPARE(s.prompter.shown.size(), 2); // the name and the New question
}

void TestMenus::exitEndsTheProgram_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Exit") << true;
    QTest::newRow("closing the window") << false;
}

void TestMenus::exitEndsTheProgram()
{
    QFETCH(bool, byMenu);
    Shell s;
    s.click(QStringLiteral("OkKnop")); // unsaved work: still nothing is asked
    QTimer::singleShot(0, s.main.get(), [&] {
        if (byMenu)
            s.action(QStringLiteral("FileExit"))->trigger();
        else
            s.main->close();
    });
    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!stuck);
    QVERIFY(!s.main->isVisible());
    QVERIFY(s.prompter.shown.isEmpty());
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
