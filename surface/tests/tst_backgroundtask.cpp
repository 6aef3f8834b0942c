#include "surface/backgroundtask.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <latch>
#include <semaphore>

#include <sys/resource.h>
#include <unistd.h>

using namespace vellora;

namespace {

// Holds a piece of work in the middle until the test lets it go.
struct Gate
{
    std::latch entered{1};
    std::binary_semaphore open{0};

    void pass()
    {
        entered.count_down();
        open.acquire();
    }
};

} // namespace

class TestBackgroundTask : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aReceiverGoneBeforeItsResultGetsNothing()
    {
        BackgroundTask task;
        auto receiver = std::make_unique<QObject>();
        Gate gate;
        bool called = false;
        int progressed = 0;
        task.run(receiver.get(), [&](std::stop_token, const TaskProgress &progress) {
            gate.pass();
            progress(1, 1);
            return 7;
        }, [&](int) { called = true; }, [&](int, int) { ++progressed; });
        gate.entered.wait();
        receiver.reset();
        gate.open.release();
        task.waitForFinished();
        // The result and the step are queued by the time the work has returned.
        QCoreApplication::sendPostedEvents();
        QVERIFY(!called);
        QCOMPARE(progressed, 0);
    }

    void cancelReachesTheWorksStopToken()
    {
        BackgroundTask task;
        QObject receiver;
        std::latch started{1};
        std::optional<bool> stopped;
        task.run(&receiver, [&](std::stop_token token, const TaskProgress &) {
            started.count_down();
            while (!token.stop_requested())
                QThread::yieldCurrentThread();
            return true;
        }, [&](bool seen) { stopped = seen; });
        started.wait();
        QVERIFY(task.isRunning());
        task.cancel();
        QTRY_VERIFY(stopped.has_value());

        // Work started after a cancel is not stopped before it begins.
        std::optional<bool> fresh;
        task.run(&receiver, [](std::stop_token token, const TaskProgress &) { return token.stop_requested(); },
                 [&](bool seen) { fresh = seen; });
        QTRY_VERIFY(fresh.has_value());
        QCOMPARE(*fresh, false);
    }

    void theDestructorStopsAndWaits()
    {
        auto task = std::make_unique<BackgroundTask>();
        QObject receiver;
        std::latch started{1};
        std::atomic<bool> finished = false;
        task->run(&receiver, [&](std::stop_token token, const TaskProgress &) {
            started.count_down();
            while (!token.stop_requested())
                QThread::yieldCurrentThread();
            // Widens the window in which a destructor that did not wait would already have returned.
            QThread::msleep(30);
            finished = true;
        }, [] {});
        started.wait();
        task.reset();
        QVERIFY(finished);
    }

    void aReleasedTaskGoesWithoutBeingWaitedFor()
    {
        auto task = std::make_unique<BackgroundTask>();
        auto receiver = std::make_unique<QObject>();
        Gate gate;
        std::atomic<bool> stopped = false;
        task->run(receiver.get(), [&](std::stop_token stop, const TaskProgress &) {
            gate.pass();
            stopped = stop.stop_requested();
        }, [] {});
        gate.entered.wait();
        BackgroundTask::release(std::move(task)); // would never return if it waited for the gate
        receiver.reset();
        gate.open.release();
        QTRY_VERIFY(stopped);
    }

    // The work runs on a thread of its own; its steps, then its result, arrive on the receiver's.
    void progressArrivesOnTheReceiversThreadBeforeTheResult()
    {
        BackgroundTask task;
        QObject receiver;
        QList<QPair<int, int>> steps;
        bool elsewhere = false;
        QThread *worker = nullptr, *delivered = nullptr;
        task.run(&receiver, [](std::stop_token, const TaskProgress &progress) {
            for (int i = 1; i <= 500; ++i)
                progress(i, 500);
            return QThread::currentThread();
        }, [&](QThread *ranOn) { worker = ranOn, delivered = QThread::currentThread(); },
        [&](int at, int total) {
            elsewhere |= QThread::currentThread() != QCoreApplication::instance()->thread();
            QVERIFY(!delivered);
            steps.append({at, total});
        });
        QTRY_VERIFY(delivered);
        QCOMPARE(delivered, QThread::currentThread());
        QVERIFY(worker != QThread::currentThread());
        QVERIFY(!task.isRunning());
        QVERIFY(!elsewhere);
        QVERIFY(!steps.isEmpty());
        QCOMPARE(steps.last(), qMakePair(500, 500));
        for (qsizetype i = 1; i < steps.size(); ++i)
            QVERIFY(steps[i].first > steps[i - 1].first);
    }

    void workNeverRunsOnQtsGlobalPoolAndLowPriorityNicesOnlyTheWorker()
    {
        BackgroundTask task({1, true});
        QObject receiver;
        Gate gate;
        std::atomic<int> niceness = 0;
        bool done = false;
        const int windowNiceness = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
        task.run(&receiver, [&](std::stop_token, const TaskProgress &) {
            niceness = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
            gate.pass();
        }, [&] { done = true; });
        gate.entered.wait();
        QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        gate.open.release();
        QTRY_VERIFY(done);
        QVERIFY(niceness >= 10);
        QCOMPARE(::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid())), windowNiceness);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundTask)
#include "tst_backgroundtask.moc"
