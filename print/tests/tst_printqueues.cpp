// The print server's side: deadlines that hold against a silent server, and a job whose printer cannot be
// reached; with VELLORA_CUPS_PDFS set, the real print server of cups_e2e.sh.
#include "print/tests/printfixture.h"

using namespace vellora;
using namespace vellora::printtest;

class TestPrintQueues : public PrintFixture
{
    Q_OBJECT

private Q_SLOTS:
    void deadlineHolds_data()
    {
        QTest::addColumn<bool>("deck");
        QTest::newRow("\"Serie 1\"") << false;
        QTest::newRow("Hele deck, Afdrukken…") << true;
    }

    // A server that never answers: the failure message within 6 s however many questions, and the window
    // answers meanwhile: the margin takes typing, and a 10 ms timer never misses a whole second.
    void deadlineHolds()
    {
        QFETCH(const bool, deck);
        writeBacks();
        const SystemPrintQueues queues; // the deadline of the program itself
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        HeleDeckForm whole(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        QDialog *form = deck ? static_cast<QDialog *>(&whole) : &faces;
        form->show();
        QElapsedTimer clock, sinceTick;
        QTimer ticker;
        qint64 longestGap = 0;
        connect(&ticker, &QTimer::timeout, form,
                [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        clock.start();
        sinceTick.start();
        ticker.start(10);
        pressPrint(form);
        QLineEdit *edit = child<QComboBox>(form, "Combo2")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "25");
        QCOMPARE(child<QComboBox>(form, "Combo2")->currentText(), QStringLiteral("25"));
        QVERIFY(m_prompter.shown.isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !m_prompter.shown.isEmpty(); }, 6000));
        const qint64 took = clock.elapsed();
        QVERIFY2(took < 6000, qPrintable(QString::number(took)));
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].text, QString::fromUtf16(print::kFailureText));
        QCOMPARE(m_prompter.shown[0].title, QString::fromUtf16(print::kFailureTitle));
        QVERIFY(workEnds(form));
    }

    void deadlineRunsFromThePress_data()
    {
        QTest::addColumn<int>("budgetMs");
        QTest::addColumn<int>("floorMs");
        QTest::addColumn<int>("drawingMs");
        QTest::addColumn<int>("answerMs"); // from the press
        QTest::newRow("drawn within the budget") << 2000 << 1200 << 1000 << 2000;
        QTest::newRow("drawn beyond it: the floor") << 1200 << 2000 << 1000 << 3000;
    }

    // The page drawn before the first question counts against the deadline, so a silent server is given up
    // in time; yet the first question always gets the floor, so a slow machine never fails a printer.
    void deadlineRunsFromThePress()
    {
        QFETCH(const int, budgetMs);
        QFETCH(const int, floorMs);
        QFETCH(const int, drawingMs);
        QFETCH(const int, answerMs);
        const SystemPrintQueues queues(budgetMs, floorMs);
        QDialog window;
        WorkStrip strip(&window, m_pacer, m_prompter, queues, QRect(0, 0, 3000, 300));
        QElapsedTimer clock;
        clock.start();
        strip.printOnDefault([&](std::stop_token, const print::PageProgress &) {
            QThread::msleep(drawingMs); // stands for a page that is slow to draw
            return Result<PrintJob>(PrintJob{{}, {print::backPrintPage(quadrantBack({4, 4}), {})}, {}});
        });
        QVERIFY(QTest::qWaitFor([&] { return !m_prompter.shown.isEmpty(); }, 6000));
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= answerMs - 50 && took < answerMs + 600, qPrintable(QString::number(took)));
        QCOMPARE(m_prompter.shown[0].text, QString::fromUtf16(print::kFailureText));
        QTRY_VERIFY(!strip.busy());
        // A job called off is never sent, not even to a server that would keep it waiting.
        std::stop_source stop;
        stop.request_stop();
        const PrintJob job{QStringLiteral("Office"), {print::backPrintPage(quadrantBack({4, 4}), {})}, {}};
        QVERIFY(queues.submit(job, {}, stop.get_token()).isCalledOff());
    }

    void unreachableTold_data()
    {
        QTest::addColumn<bool>("unreachable");
        QTest::addColumn<bool>("closedFirst"); // the window closed before the check is due
        QTest::newRow("two jobs wait on an unreachable printer") << true << false;
        QTest::newRow("the printer prints") << false << false;
        QTest::newRow("unreachable, the window closed first") << true << true;
    }

    // 30 s after a job is handed over a worker asks whether it waits on an unreachable printer; the user
    // hears so once per window, even after it closed, and not at all when the job prints.
    void unreachableTold()
    {
        QFETCH(const bool, unreachable);
        QFETCH(const bool, closedFirst);
        HeldPrintQueues queues;
        queues.unreachable = unreachable;
        queues.letGo.release(2);
        test::SteppedPacer pacer;
        QWidget owner;
        auto *faces = new AfdrukForm(m_addressed, pacer, m_prompter, *m_folder, queues, &owner);
        for (int i = 0; i < 2; ++i) {
            press(faces, "OkKnop");
            pacer.runAll();
            QVERIFY(workEnds(faces));
        }
        QCOMPARE(queues.jobs, 2);
        QCOMPARE(pacer.pauses.count(JobWatch::kAfterMs), 2);
        if (closedFirst)
            delete faces;
        pacer.runAll();
        QVERIFY(QTest::qWaitFor([&] { return owner.findChildren<JobWatch *>().isEmpty(); }, 10000));
        QVERIFY(queues.checks >= 1);
        QVERIFY(!queues.askedOnWindowThread);
        QCOMPARE(m_prompter.shown.size(), unreachable ? 1 : 0);
        if (unreachable) {
            QCOMPARE(m_prompter.shown[0].text, print::unreachableText(QStringLiteral("Office")));
            QCOMPARE(m_prompter.shown[0].title, QStringLiteral("Vellora Afdrukken"));
            QCOMPARE(m_prompter.shown[0].icon, Prompter::Icon::Warning);
        }
        if (!closedFirst)
            delete faces;
    }
};

// The real print server's side, run alone by cups_e2e.sh against a server of its own, at times with the
// temporary folder full.
class TestRealQueue : public QObject
{
    Q_OBJECT

    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    const QImage m_coloured = colouredSheet();

private Q_SLOTS:
    // Page 1, a back at margins 10 and 20 and the deck on cups_e2e.sh's own server (a PDF queue into
    // VELLORA_CUPS_PDFS), once for each state VELLORA_CUPS_QUEUE names: ready or refusing.
    void realQueue()
    {
        const QString out = qEnvironmentVariable("VELLORA_CUPS_PDFS");
        if (qEnvironmentVariable("VELLORA_CUPS_QUEUE") == u"unreachable")
            return unreachableQueue();
        const bool ready = qEnvironmentVariable("VELLORA_CUPS_QUEUE") != u"refusing";
        // Not in the temporary folder, which may be full; a back larger than the page's share of pixels.
        const QTemporaryDir app(out + QStringLiteral("/app-XXXXXX"));
        QVERIFY(QDir(app.path()).mkpath(QStringLiteral("Backgrounds")));
        QVERIFY(quadrantBack({900, 1270}).save(app.filePath("Backgrounds/Background-0.jpg"), "JPEG", 95));
        const AppFolder folder(app.path());
        const SystemPrintQueues queues;
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_coloured, m_pacer, m_prompter, folder, queues);
        Rugzijde backs(m_pacer, m_prompter, folder, queues);
        QTemporaryFile settingsFile;
        QVERIFY(settingsFile.open());
        QSettings settings(settingsFile.fileName(), QSettings::IniFormat);
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, folder, queues, dialogs, settings);
        child<QComboBox>(&backs, "Combo1")->setCurrentText(QStringLiteral("10"));
        child<QComboBox>(&backs, "Combo2")->setCurrentText(QStringLiteral("20"));
        child<QComboBox>(&deck, "Opmaak")->setCurrentIndex(0); // the six pages and their backs
        // The PDFs the queue has written whole, newest first: Ghostscript writes the end-of-file marker last.
        const auto whole = [&] {
            QStringList done;
            for (const QFileInfo &pdf : QDir(out).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
                if (test::readBytes(pdf.filePath()).right(32).contains("%%EOF"))
                    done << pdf.filePath();
            return done;
        };
        int pressed = 0;
        for (const int page : {1, 0, 12}) { // 12: the deck
            const qsizetype before = whole().size();
            QWidget *window = page == 12 ? static_cast<QWidget *>(&deck)
                              : page     ? static_cast<QWidget *>(&faces)
                                         : &backs;
            pressPrint(window);
            QVERIFY(workEnds(window));
            if (!ready) {
                QCOMPARE(m_prompter.shown.size(), ++pressed);
                QCOMPARE(m_prompter.shown.back().text, QString::fromUtf16(print::kFailureText));
                QCOMPARE(m_prompter.shown.back().icon, Prompter::Icon::Critical);
                QCOMPARE(whole().size(), before);
                continue;
            }
            QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(readyDefaultQueue(queues).outcome().reason()));
            QTRY_COMPARE_WITH_TIMEOUT(whole().size(), before + 1, 90000);
            if (page == 12) {
                QCOMPARE(test::pdfPageCount(whole().first()), 12);
                break;
            }
            QImage paper = renderPdf(whole().first());
            // The server hands a landscape page to the printer turned a quarter on portrait paper.
            if (page && paper.width() < paper.height())
                paper = paper.transformed(QTransform().rotate(90));
            QCOMPARE(checkPrintedPage(paper, page, page ? QPoint(150, 600) : QPoint(300, 150)), "");
        }
    }

private:
    // A page printed on a queue whose device cannot be reached waits, as the server says once the queue has
    // tried; a page printed from the window then is told of once.
    void unreachableQueue()
    {
        const QTemporaryDir app;
        const AppFolder folder(app.path());
        const SystemPrintQueues queues;
        Surface working;
        const Result<print::PrintedJob> first =
            print::printFacePage(ScaledPicture{m_coloured}, print::facePage(1), "40", "10", working, queues);
        QVERIFY2(first && first->job > 0, qPrintable(first.outcome().reason()));
        QTRY_VERIFY_WITH_TIMEOUT(queues.waitsForUnreachablePrinter(first->printer, first->job), 60000);
        AfdrukForm faces(m_coloured, m_pacer, m_prompter, folder, queues);
        press(&faces, "OkKnop");
        QVERIFY(workEnds(&faces));
        QTRY_COMPARE_WITH_TIMEOUT(m_prompter.shown.size(), 1, 10000);
        QCOMPARE(m_prompter.shown[0].text, print::unreachableText(QStringLiteral("VelloraUnreachable")));
    }
};

// cups_e2e.sh names the print server's output folder; every other run is TestPrintQueues', with no case left
// out.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (!qEnvironmentVariableIsEmpty("VELLORA_CUPS_PDFS")) {
        TestRealQueue test;
        return QTest::qExec(&test, argc, argv);
    }
    TestPrintQueues test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printqueues.moc"
