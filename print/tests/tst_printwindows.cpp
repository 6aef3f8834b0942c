// The print windows at work: browsing backs, the one failure message, and answering while a job is held.
#include "print/tests/printfixture.h"

using namespace vellora;
using namespace vellora::printtest;

class TestPrintWindows : public PrintFixture
{
    Q_OBJECT

private Q_SLOTS:
    void browsingBacks_data()
    {
        QTest::addColumn<Browse>("row");
        const QString dir = QStringLiteral("Backgrounds"), b0 = "Background-0.jpg", b2 = "Background-2.jpg";
        const QStringList three{b0, "Background-1.jpg", b2};
        QTest::newRow("three backs") << Browse{dir, three, {"Rugzijde 1 / 3", "Rugzijde 3 / 3"}, 2, 2};
        // Every ".jpg" counts, in any letter case and numbered or not: number 1 is counted and has no file.
        QTest::newRow("number without a file")
            << Browse{dir, {b0, b2, "holiday.JPG", "notes.txt"}, {"Rugzijde 1 / 3", "Rugzijde 2 / 3"}, 1, 0};
        QTest::newRow("no back 0, folder in capitals")
            << Browse{"BACKGROUNDS", three.mid(1), {"Rugzijde 1 / 2", "Rugzijde 2 / 2"}, 1, 0};
        QTest::newRow("no folder") << Browse{"", {}, {"Rugzijde 1 / 0", "Rugzijde 1 / 0"}, 0, -1};
    }

    // The window opens at the first back; Print prints the back shown, and with none there is nothing to
    // print, which the window says.
    void browsingBacks()
    {
        QFETCH(const Browse, row);
        if (!row.folder.isEmpty())
            writeBacks(row.folder, row.files);
        const bool none = row.shownAfter < 0;
        Rugzijde form(m_pacer, m_prompter, *m_folder, m_queues);
        auto *counter = child<QLabel>(&form, "Label3");
        QCOMPARE(counter->text(), row.counters[0]);
        QCOMPARE(colourShown(form.backPic().image()), row.files.indexOf("Background-0.jpg"));
        child<QScrollBar>(&form, "VScroll1")->setValue(row.scrollTo);
        QCOMPARE(counter->text(), row.counters[1]);
        QCOMPARE(colourShown(child<PictureBox>(&form, "Pic")->image()), row.shownAfter);
        press(&form, "PrintKnop");
        QVERIFY(workEnds(&form));
        QCOMPARE(m_queues.jobs.size(), size_t(none ? 0 : 1));
        QCOMPARE(m_prompter.shown.size(), none ? 1 : 0);
        QCOMPARE(colourShown(none ? QImage() : onlyPage(m_queues).picture.image), row.shownAfter);
    }

    void failureShowsOneMessage_data()
    {
        QTest::addColumn<Failure>("row");
        QTest::newRow("no default printer") << Failure{false, "", State{}};
        QTest::newRow("unknown to the server") << Failure{false, "Office", std::nullopt};
        QTest::newRow("stopped") << Failure{false, "Office", State{true, true}};
        QTest::newRow("not accepting jobs") << Failure{false, "Office", State{false, false}};
        QTest::newRow("device unreachable") << Failure{false, "Office", State{false, true, true}};
        QTest::newRow("ready, job refused") << Failure{false, "Refused", State{}};
        // A page printed for an unusable margin, or with no back to print, would come out blank.
        QTest::newRow("margin no position, no back") << Failure{true, "", State{}};
    }

    // Both page windows show the one failure message and stay open for another try, until Cancel; the deck
    // window asks the same queues. A print server that never answers: tst_printqueues' deadlineHolds.
    void failureShowsOneMessage()
    {
        QFETCH(const Failure, row);
        test::RecordingPrintQueues fake;
        fake.printer = row.printer;
        fake.queueState = row.state;
        const PrintQueues &queues = row.blank ? m_queues : fake;
        if (!row.blank)
            writeBacks();
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        if (row.blank)
            child<QComboBox>(&faces, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        Rugzijde backs(m_pacer, m_prompter, *m_folder, queues);
        for (QDialog *window : {static_cast<QDialog *>(&faces), static_cast<QDialog *>(&backs)}) {
            window->show();
            pressPrint(window);
            QVERIFY(workEnds(window));
            QVERIFY(window->isVisible());
            press(window, "CancelKnop");
            QVERIFY(!window->isVisible());
        }
        AnsweringDialogs dialogs;
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        if (!row.blank)
            child<QPushButton>(&deck, "PrintKnop")->click();
        QVERIFY(workEnds(&deck));
        QCOMPARE(m_pacer.pauses.count(200), 4);
        QCOMPARE(m_prompter.shown.size(), row.blank ? 2 : 3);
        for (const test::ScriptedPrompter::Shown &box : std::as_const(m_prompter.shown)) {
            // With no back at all the printer is not to blame.
            const bool noBack = row.blank && &box == &m_prompter.shown.back();
            QCOMPARE(box.text, noBack ? print::noBackText() : QString::fromUtf16(print::kFailureText));
            QCOMPARE(box.icon, noBack ? Prompter::Icon::Warning : Prompter::Icon::Critical);
        }
        QVERIFY(m_queues.jobs.empty());
        QVERIFY(fake.jobs.empty());
    }

    // Each print window answers while its job is held (an event, typing, a second press that starts
    // nothing); the job is let go, or called off silently by the strip's Cancel or by closing, the window
    // closing once it ended. The server is only ever asked from a worker.
    void heldWork_data()
    {
        QTest::addColumn<int>("window"); // 0 "Vellora Afdrukken", 1 " Afdrukken Rugzijde", 2 the deck
        QTest::addColumn<int>("ending"); // 0 let go, 1 Cancel, 2 the window closed
        const char *windows[] = {"page", "back", "deck"}, *endings[] = {"let go", "Cancel", "closed"};
        for (int w = 0; w < 3; ++w)
            for (int e = 0; e < 3; ++e)
                QTest::addRow("%s, %s", windows[w], endings[e]) << w << e;
    }

    void heldWork()
    {
        QFETCH(const int, window);
        QFETCH(const int, ending);
        writeBacks();
        HeldPrintQueues queues;
        AnsweringDialogs dialogs;
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, queues);
        Rugzijde backs(m_pacer, m_prompter, *m_folder, queues);
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        QDialog *const forms[] = {&faces, &backs, &deck};
        QDialog *form = forms[window];
        form->show();
        pressPrint(form);
        QVERIFY(QTest::qWaitFor([&] { return queues.entered.tryAcquire(); }, 20000));

        bool handled = false;
        QTimer::singleShot(0, form, [&] { handled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(handled, 1000);
        auto *margin = child<QComboBox>(form, "Combo1");
        margin->lineEdit()->selectAll();
        QTest::keyClicks(margin->lineEdit(), "77");
        QCOMPARE(margin->currentText(), QStringLiteral("77"));
        pressPrint(form);
        const auto *strip = child<WorkStrip>(form, "WerkStrook");
        QVERIFY(strip->isVisible());

        if (ending == 1)
            child<QPushButton>(form, "StopKnop")->click();
        if (ending == 2)
            press(form, "CancelKnop");
        QVERIFY(form->isVisible());
        queues.letGo.release();
        QVERIFY(workEnds(form));
        QCOMPARE(queues.jobs + queues.cancelled, 1);
        QCOMPARE(queues.cancelled, ending ? 1 : 0);
        QCOMPARE(queues.entered.available(), 0);
        QVERIFY(m_prompter.shown.isEmpty());
        QCOMPARE(form->isVisible(), ending != 2);
        QVERIFY(!strip->isVisible());
        QVERIFY(!queues.askedOnWindowThread);
        // Qt draws scaled pictures on the global pool's threads and waits for them: held work must not sit
        // there.
        QVERIFY(!queues.heldOnGlobalPool);
    }
};

VELLORA_PRINT_TEST_MAIN(TestPrintWindows)

#include "tst_printwindows.moc"
