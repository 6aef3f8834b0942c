#include "afdrukform.h"
#include "appfolder.h"
#include "imagebutton.h"
#include "margins.h"
#include "pageink.h"
#include "picturebox.h"
#include "printjobs.h"
#include "printqueues.h"
#include "systemprinttarget.h"
#include "rugzijde.h"
#include "testsupport.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

using namespace vellora;
using State = PrintQueues::State;

namespace {

// A row of the failure table below.
struct Refusal
{
    int via;
    QString printer;
    std::optional<State> state;
    QString problem;
};

// A printer that fails at a chosen step, 1 begin or 2 end (any other: never), and counts how far it got.
struct FailingTarget final : PrintTarget
{
    explicit FailingTarget(int failAt) : failAt(failAt) {}
    int failAt, begun = 0, painted = 0;
    bool begin(QPageLayout::Orientation, QString *error) override { return ++begun && step(1, error); }
    void paintPicture(const QImage &, const QRect &) override { ++painted; }
    bool end(QString *error) override { return step(2, error); }
    bool step(int n, QString *error) { return (*error = QStringLiteral("offline"), failAt != n); }
};

// A print server that knows the queue and its state as a row gives them.
struct FakeQueues final : PrintQueues
{
    explicit FakeQueues(const Refusal &row) : row(row) {}
    const Refusal &row;
    QString defaultPrinter() const override { return row.printer; }
    std::optional<State> state(const QString &) const override { return row.state; }
    QString submit(const QString &printer, const QByteArray &, const JobOptions &) const override
    {
        return printer == u"Refused" ? QStringLiteral("client-error-not-possible") : QString();
    }
};

template <typename T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
}

const QRgb kColours[4] = {qRgb(200, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 200), qRgb(20, 20, 20)};

// Which of kColours a picture shows at its centre (JPEG moves colours a little); -1 for no picture at all.
int colourShown(const QImage &image)
{
    const QColor c = image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    for (int i = 0; i < 4 && c.isValid(); ++i)
        if (std::max({std::abs(c.red() - qRed(kColours[i])), std::abs(c.green() - qGreen(kColours[i])),
                      std::abs(c.blue() - qBlue(kColours[i]))}) < 12)
            return i;
    return c.isValid() ? -2 : -1;
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_scratch;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppFolder> m_folder;
    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    RecordingPrintTarget m_target;
    const QImage m_sheet = printtest::addressedSheet();

    static void press(QWidget *window, const char *button)
    {
        Q_EMIT child<ImageButton>(window, button)->clicked();
    }

    // Back files in a subfolder of the application folder, the i-th all in kColours[i].
    void writeBacks(const QString &folder, const QStringList &names)
    {
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        for (int i = 0; i < names.size(); ++i) {
            QImage back(60, 80, QImage::Format_RGB32);
            back.fill(kColours[i]);
            QVERIFY(back.save(m_dir->filePath(folder + u'/' + names[i]), "JPEG", 95));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        // No print server answers here, whatever this machine has.
        qputenv("CUPS_SERVER", QFile::encodeName(m_scratch.filePath(QStringLiteral("no-server.sock"))));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(m_scratch.path()));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }

    void init()
    {
        m_dir = test::emptyAppFolder();
        m_folder = std::make_unique<AppFolder>(m_dir->path());
        m_pacer.pauses.clear();
        m_prompter.shown.clear();
        m_target = RecordingPrintTarget();
    }

    void marginText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("twips"); // -1: refused as a position
        QTest::newRow("letters after the number") << "25abc" << 375;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("beyond the list") << "150" << 2250;
        QTest::newRow("leading blanks") << "  7" << 105;
        QTest::newRow("negative") << "-2" << -30;
        QTest::newRow("blank after the sign") << " - 4" << 0;
        QTest::newRow("fraction rounds to whole twips") << "2.5" << 38;
        QTest::newRow("second point ends the number") << "1.5.5" << 23;
        QTest::newRow("no exponent") << "1e3" << 15;
        QTest::newRow("no hexadecimal") << "0x10" << 0;
        QTest::newRow("largest accepted") << "66666666" << 999999990;
        QTest::newRow("too large for a page") << "66666667" << -1;
        QTest::newRow("too large for a double") << QString(400, u'9') << -1;
    }

    void marginText()
    {
        QFETCH(QString, text);
        QFETCH(int, twips);
        QCOMPARE(print::marginTwips(text).value_or(-1), twips);
    }

    void placement_data()
    {
        QTest::addColumn<int>("page");            // 0: a back
        QTest::addColumn<QStringList>("margins"); // top, left
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("sheetPixels"); // what of the sheet the page carries, cut at its right edge
        QTest::addColumn<int>("previewX");      // where on the sheet a face page's preview starts
        const QRect wide(150, 600, 16200, 10200), narrow(150, 600, 12860, 10200), whole(0, 0, 3990, 1600);
        const QStringList defaults{"40", "10"};
        // A page prints from 21430 or 42810 twips but is previewed from 21390 or 42750. 21430 twips is
        // 1428.67 pixels: pages 2 and 5 start at the nearest pixel, 1429.
        QTest::newRow("page 1") << 1 << defaults << wide << QRect(0, 0, 1430, 800) << 0;
        QTest::newRow("page 2") << 2 << defaults << wide << QRect(1429, 0, 1426, 800) << 21390;
        QTest::newRow("page 3") << 3 << defaults << narrow << QRect(2854, 0, 1134, 800) << 42750;
        QTest::newRow("page 4") << 4 << defaults << wide << QRect(0, 800, 1430, 800) << 0;
        QTest::newRow("page 5") << 5 << defaults << wide << QRect(1429, 800, 1426, 800) << 21390;
        QTest::newRow("page 6") << 6 << defaults << narrow << QRect(2854, 800, 1134, 800) << 42750;
        QTest::newRow("page 6, typed") << 6 << QStringList{"150", "25abc"} << QRect(375, 2250, 12860, 10200)
                                       << QRect(2854, 800, 1134, 800) << 42750;
        QTest::newRow("page 2, no numbers")
            << 2 << QStringList{"x", ""} << QRect(0, 0, 16200, 10200) << QRect(1429, 0, 1426, 800) << 21390;
        // A back goes whole to the printer and is stretched there, whatever its size.
        QTest::newRow("back") << 0 << QStringList{"0", "0"} << QRect(0, 0, 12000, 16900) << whole << 0;
        QTest::newRow("back, margins")
            << 0 << QStringList{"10", "20"} << QRect(300, 150, 12000, 16900) << whole << 0;
        QTest::newRow("back, fractions")
            << 0 << QStringList{"0.2", "1.1"} << QRect(17, 3, 12000, 16900) << whole << 0;
    }

    // A face page printed through its window, which opens every time on "Serie 1" with margins "40" and "10"
    // and previews the page chosen; a back printed directly. Both on a recording printer, for their exact
    // geometry and pixels, then as real PDF output, for where the ink lands on paper.
    void placement()
    {
        QFETCH(int, page);
        QFETCH(QStringList, margins);
        const QString &top = margins[0], &left = margins[1];
        QFETCH(QRect, twips);
        QFETCH(QRect, sheetPixels);
        QFETCH(int, previewX);
        for (int opening = 1; opening <= 2 && page; ++opening) {
            AfdrukForm form(m_sheet, m_pacer, m_prompter, *m_folder, m_target);
            auto *first = child<QRadioButton>(&form, "Option1(0)");
            auto *topBox = child<QComboBox>(&form, "Combo1"), *leftBox = child<QComboBox>(&form, "Combo2");
            QVERIFY(first->isChecked());
            QCOMPARE(first->text(), QStringLiteral("Serie 1"));
            QCOMPARE(topBox->currentText(), QStringLiteral("40"));
            QCOMPARE(leftBox->currentText(), QStringLiteral("10"));
            child<QRadioButton>(&form, QStringLiteral("Option1(%1)").arg(page - 1))->click();
            topBox->setCurrentText(top);
            leftBox->setCurrentText(left);
            // Pages 3 and 6 take a narrower part of the sheet, and fill less of the preview.
            Surface preview;
            preview.resize(px(4080), px(2580));
            preview.paintPicture(m_sheet, QRectF(45, 180, page % 3 ? 3990 : 3165, 2220),
                                 QRectF(previewX, page > 3 ? 12000 : 0, page % 3 ? 21450 : 17010, 12000));
            QCOMPARE(child<PictureBox>(&form, "Pic")->image(), preview.image());
            press(&form, "OkKnop");
            QCOMPARE(m_target.pagesEnded, opening);
            QCOMPARE(topBox->count(), 100); // a typed value is a margin, not a new list entry
            press(&form, "CancelKnop");
            QCOMPARE(form.result(), int(QDialog::Rejected));
        }
        if (!page)
            QVERIFY(print::printBack(m_sheet, top, left, m_target).printed);
        QCOMPARE(m_target.orientation, page ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(m_target.placements.size(), size_t(1));
        QCOMPARE(m_target.placements[0].twips, twips);
        const QImage printed = m_target.placements[0].picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(test::firstDifference(printed, m_sheet.copy(sheetPixels)), QString());

        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm is not installed (Debian package poppler-utils)");
        const QString pdf = m_scratch.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        const auto target = SystemPrintTarget::toPdfFile(pdf);
        Surface working;
        QVERIFY(page ? print::printFacePage(printtest::colouredSheet(), print::facePage(page), top, left,
                                            working, *target)
                           .printed
                     : print::printBack(printtest::quadrantBack({300, 420}), top, left, *target).printed);
        QString error;
        const QImage paper = printtest::renderPdf(pdf, &error);
        QVERIFY2(!paper.isNull(), qPrintable(error));
        QCOMPARE(paper.size(), page ? QSize(842, 595) : QSize(595, 842)); // A4 at 72 dpi
        QCOMPARE(printtest::checkPrintedPage(paper, page, twips.topLeft()), QString());
    }

    void browsingBacks_data()
    {
        QTest::addColumn<QString>("folder"); // none if empty
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("scrollTo");
        QTest::addColumn<QStringList>("counters"); // on opening, after scrolling
        QTest::addColumn<int>("shownAfter");       // the file whose colour the back shows; -1 none
        const QString folder = QStringLiteral("Backgrounds");
        QTest::newRow("three backs") << folder
                                     << QStringList{"Background-0.jpg", "Background-1.jpg",
                                                    "Background-2.jpg"}
                                     << 2 << 2 << QStringList{"Rugzijde 1 / 3", "Rugzijde 3 / 3"} << 2;
        // Every ".jpg" counts, in any letter case and numbered or not, so number 1 is counted and has no
        // file.
        QTest::newRow("number without a file")
            << folder << QStringList{"Background-0.jpg", "Background-2.jpg", "holiday.JPG", "notes.txt"} << 2
            << 1 << QStringList{"Rugzijde 1 / 3", "Rugzijde 2 / 3"} << 0;
        QTest::newRow("no back 0, folder in capitals")
            << "BACKGROUNDS" << QStringList{"Background-1.jpg", "Background-2.jpg"} << 1 << 1
            << QStringList{"Rugzijde 1 / 2", "Rugzijde 2 / 2"} << 0;
        QTest::newRow("no folder") << "" << QStringList() << 0 << 0
                                   << QStringList{"Rugzijde 1 / 0", "Rugzijde 1 / 0"} << -1;
    }

    // Every opening starts again at the first back; Print prints the back shown, and with none there is
    // nothing to print, which the window says.
    void browsingBacks()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, files);
        QFETCH(int, maximum);
        QFETCH(int, scrollTo);
        QFETCH(QStringList, counters);
        QFETCH(int, shownAfter);
        if (!folder.isEmpty())
            writeBacks(folder, files);
        for (int opening = 1; opening <= 2; ++opening) {
            Rugzijde form(m_pacer, m_prompter, *m_folder, m_target);
            auto *counter = child<QLabel>(&form, "Label3");
            auto *scroll = child<QScrollBar>(&form, "VScroll1");
            QCOMPARE(counter->text(), counters[0]);
            QCOMPARE(scroll->maximum(), maximum);
            QCOMPARE(scroll->pageStep(), 1);
            QCOMPARE(colourShown(form.backPic().image()), files.indexOf(QStringLiteral("Background-0.jpg")));
            scroll->setValue(scrollTo);
            QCOMPARE(counter->text(), counters[1]);
            QCOMPARE(colourShown(form.backPic().image()), shownAfter);
            QCOMPARE(colourShown(child<PictureBox>(&form, "Pic")->image()), shownAfter);
            press(&form, "PrintKnop");
            QCOMPARE(m_target.pagesEnded, shownAfter < 0 ? 0 : opening);
            QCOMPARE(m_prompter.shown.size(), shownAfter < 0 ? opening : 0);
            QCOMPARE(colourShown(m_target.placements.empty() ? QImage() : m_target.placements[0].picture),
                     shownAfter);
        }
    }

    // At the margins typed, or "0" where none was.
    void largeBackShowsTopLeftAndPrintsWhole()
    {
        // A back four times the preview's size with every pixel different, so the preview's crop can be told.
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds")));
        const QString file = m_dir->filePath(QStringLiteral("Backgrounds/Background-0.jpg"));
        QVERIFY(m_sheet.copy(0, 0, 608, 848).save(file, "JPEG", 100));
        const QImage stored = QImage(file).convertToFormat(QImage::Format_RGB32);
        Rugzijde form(m_pacer, m_prompter, *m_folder, m_target);
        child<QComboBox>(&form, "Combo2")->setCurrentText(QStringLiteral("20"));
        const QImage shown =
            child<PictureBox>(&form, "Pic")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(test::firstDifference(shown, stored.copy(0, 0, 152, 212)), QString());
        press(&form, "PrintKnop");
        QCOMPARE(m_target.orientation, QPageLayout::Portrait);
        QCOMPARE(m_target.placements.at(0).twips, QRect(300, 0, 12000, 16900));
        QCOMPARE(m_target.placements.at(0).picture.convertToFormat(QImage::Format_RGB32), stored);
    }

    void failureShowsOneMessage_data()
    {
        // Through 0 the queues given, 1 the system's (no print server here), 2 a printer that refuses to
        // begin a page, 3 one that loses the job at its end, 4 one that never fails. `problem` is a word of
        // the queue's verdict, empty when the queue is ready.
        QTest::addColumn<Refusal>("row");
        const State ready{false, true};
        QTest::newRow("no default printer") << Refusal{0, "", ready, "no default"};
        QTest::newRow("unknown to the server") << Refusal{0, "Office", std::nullopt, "does not know"};
        QTest::newRow("stopped") << Refusal{0, "Office", State{true, true}, "stopped"};
        QTest::newRow("not accepting jobs") << Refusal{0, "Office", State{false, false}, "does not accept"};
        QTest::newRow("device unreachable") << Refusal{0, "Office", State{false, true, true}, "cannot be reached"};
        QTest::newRow("ready, job refused") << Refusal{0, "Refused", ready, ""};
        QTest::newRow("no print server") << Refusal{1, "", ready, "no default"};
        QTest::newRow("painter refuses") << Refusal{2, "", ready, ""};
        QTest::newRow("job fails") << Refusal{3, "", ready, ""};
        // A page begun for an unusable margin, or with no back to print, would come out blank.
        QTest::newRow("margin no position, no back") << Refusal{4, "", ready, ""};
    }

    // Both windows show the one failure message and stay open for another try, until Cancel.
    void failureShowsOneMessage()
    {
        QFETCH(const Refusal, row);
        const FakeQueues fake(row);
        const SystemPrintQueues system;
        const PrintQueues &queues = row.via == 1 ? static_cast<const PrintQueues &>(system) : fake;
        if (row.via < 2) {
            QString name = QStringLiteral("not set");
            const QString verdict = defaultQueueProblem(queues, &name);
            QCOMPARE(name, row.printer);
            QVERIFY2(row.problem.isEmpty() ? verdict.isEmpty() : verdict.contains(row.problem),
                     qPrintable(verdict));
        }

        SystemPrintTarget onQueues(queues);
        FailingTarget failing(row.via - 1);
        PrintTarget &target = row.via < 2 ? static_cast<PrintTarget &>(onQueues) : failing;
        if (row.via != 4)
            writeBacks(QStringLiteral("Backgrounds"), {QStringLiteral("Background-0.jpg")});
        AfdrukForm faces(m_sheet, m_pacer, m_prompter, *m_folder, target);
        if (row.via == 4)
            child<QComboBox>(&faces, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        Rugzijde backs(m_pacer, m_prompter, *m_folder, target);
        for (QDialog *window : {static_cast<QDialog *>(&faces), static_cast<QDialog *>(&backs)}) {
            window->show();
            press(window, window == &faces ? "OkKnop" : "PrintKnop");
            QVERIFY(window->isVisible());
            press(window, "CancelKnop");
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(m_pacer.pauses, QList<int>({200, 200, 200, 200}));
        QCOMPARE(m_prompter.shown.size(), 2);
        for (const test::ScriptedPrompter::Shown &box : std::as_const(m_prompter.shown)) {
            // With no back at all the printer is not to blame.
            const bool noBack = row.via == 4 && &box == &m_prompter.shown.back();
            QCOMPARE(box.text, noBack ? QStringLiteral("Geen rugzijde gevonden in Backgrounds.")
                                      : QStringLiteral("No printer or printer offline!"));
            QCOMPARE(box.title, noBack ? QStringLiteral(" Afdrukken Rugzijde") : QStringLiteral(" Error"));
            QCOMPARE(box.icon, noBack ? Prompter::Icon::Warning : Prompter::Icon::Critical);
        }
        QVERIFY2(!onQueues.end(nullptr), "a page that never began cannot have printed");
        // A printer that failed was asked nothing more, and none was asked to begin a page it could not
        // print.
        QCOMPARE(failing.begun, row.via == 2 || row.via == 3 ? 2 : 0);
        QCOMPARE(failing.painted, row.via == 3 ? 2 : 0);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
