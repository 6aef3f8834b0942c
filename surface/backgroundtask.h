#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <type_traits>
#include <utility>

namespace vellora {

// How far a piece of work is: `done` of `total`.
using TaskProgress = std::function<void(int done, int total)>;

// Slow work off the window's thread, on threads of its own: Qt 6.4 splits the drawing of scaled pictures over
// the global pool's threads and waits for them, so work there holds up whatever the window draws. The result
// and the progress come back on the thread that made the task (the window's), through the event loop, and
// only while their receiver lives. Made, used and destroyed on that one thread.
class BackgroundTask
{
public:
    struct Options
    {
        int threads = 1;
        // Niced threads: the work takes only what the window leaves of the cores, and so do the threads a
        // decoder starts from them, which inherit the niceness.
        bool lowPriority = false;
    };

    BackgroundTask();
    explicit BackgroundTask(Options options);
    // Calls off all work and waits for it to end; results not delivered by then never are.
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask &) = delete;
    BackgroundTask &operator=(const BackgroundTask &) = delete;

    // Lets go of a task whose work nobody waits for: its work is called off, and the task goes once the work
    // has ended, without anyone waiting for it. A decode that cannot be stopped need not hold up a close.
    static void release(std::unique_ptr<BackgroundTask> task);

    // Runs `work(stop, progress)` on one of the task's threads. `done(result)` (`done()` for work that returns
    // nothing) then runs on this thread, and `progress(done, total)` whenever the work reports (the newest
    // only, when reports come faster than the event loop), neither once `context` is gone. Work queues behind
    // work already running beyond `threads`.
    template <typename Work, typename Done>
    void run(QObject *context, Work work, Done done, TaskProgress progress = {});

    // Runs `work(stop)` on one of the task's threads for a caller that takes the result itself, from the
    // future, waiting for it when it must (a window that cannot show itself without it).
    template <typename Work>
    auto runForResult(Work work) -> QFuture<std::invoke_result_t<Work &, std::stop_token>>;

    // Calls off the work queued and running: its stop token says so. Work run later is not called off.
    void cancel();
    // From run() until the result of the last work has come back (or was dropped with its receiver).
    bool isRunning() const { return m_pending > 0; }
    // Waits until all work has ended on its threads; the results still come through the event loop.
    void waitForFinished();

private:
    // A work's progress, coalesced: the newest report waits for the event loop, one delivery at a time.
    struct ProgressMailbox
    {
        std::atomic<std::uint64_t> value{0};
        std::atomic<bool> posted{false};
    };
    void start(std::function<void()> job);
    TaskProgress progressTo(QPointer<QObject> context, TaskProgress progress);
    void answered();

    QThreadPool m_pool;
    std::unique_ptr<QObject> m_home; // where results land: lives on the task's thread, goes with the task
    std::stop_source m_stop;
    bool m_lowPriority;
    int m_pending = 0;
    bool m_released = false;
};

template <typename Work, typename Done>
void BackgroundTask::run(QObject *context, Work work, Done done, TaskProgress progress)
{
    using Result = std::invoke_result_t<Work &, std::stop_token, const TaskProgress &>;
    ++m_pending;
    // The worker posts the result to the task's own object when the work ends. Not through a QFuture
    // continuation: Qt 6.4 now and then runs one a second time, with its promise already moved away, and
    // crashes (a few times in a hundred thousand). Not to `context` either: a receiver gone before the work
    // ends must only miss its result, and the task's object goes with the task, after its work.
    auto shared = std::make_shared<std::pair<Work, Done>>(std::move(work), std::move(done));
    start([this, home = m_home.get(), receiver = QPointer<QObject>(context), shared, stop = m_stop.get_token(),
           report = progressTo(QPointer<QObject>(context), std::move(progress))] {
        if constexpr (std::is_void_v<Result>) {
            shared->first(stop, report);
            QMetaObject::invokeMethod(home, [this, receiver, shared] {
                answered();
                if (receiver)
                    shared->second();
            }, Qt::QueuedConnection);
        } else {
            auto result = std::make_shared<Result>(shared->first(stop, report));
            QMetaObject::invokeMethod(home, [this, receiver, shared, result] {
                answered();
                if (receiver)
                    shared->second(std::move(*result));
            }, Qt::QueuedConnection);
        }
    });
}

template <typename Work>
auto BackgroundTask::runForResult(Work work) -> QFuture<std::invoke_result_t<Work &, std::stop_token>>
{
    using Result = std::invoke_result_t<Work &, std::stop_token>;
    // Nothing continues this future, so none of Qt 6.4's continuation faults can reach it.
    auto promise = std::make_shared<QPromise<Result>>();
    promise->start();
    auto shared = std::make_shared<Work>(std::move(work));
    start([promise, shared, stop = m_stop.get_token()] {
        promise->addResult((*shared)(stop));
        promise->finish();
    });
    return promise->future();
}

} // namespace vellora
