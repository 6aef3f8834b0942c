#include "surface/backgroundtask.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace vellora {

BackgroundTask::BackgroundTask() : BackgroundTask(Options{}) {}

BackgroundTask::BackgroundTask(Options options)
    : m_home(std::make_unique<QObject>()), m_lowPriority(options.lowPriority)
{
    m_pool.setMaxThreadCount(std::max(1, options.threads));
}

BackgroundTask::~BackgroundTask()
{
    cancel();
    m_pool.waitForDone();
    m_home.reset(); // with it go the results and the progress still queued for this thread
}

void BackgroundTask::release(std::unique_ptr<BackgroundTask> task)
{
    if (!task)
        return;
    task->cancel();
    if (task->m_pending == 0)
        return;
    task.release()->m_released = true; // answered() lets it go after the last result
}

void BackgroundTask::cancel()
{
    m_stop.request_stop();
    m_stop = std::stop_source{};
}

void BackgroundTask::waitForFinished()
{
    m_pool.waitForDone();
}

void BackgroundTask::start(std::function<void()> job)
{
    m_pool.start([lowPriority = m_lowPriority, job = std::move(job)] {
#ifdef __linux__
        if (lowPriority)
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
#endif
        job();
    });
}

TaskProgress BackgroundTask::progressTo(QPointer<QObject> context, TaskProgress progress)
{
    if (!progress)
        return [](int, int) {};
    auto mailbox = std::make_shared<ProgressMailbox>();
    QObject *home = m_home.get();
    return [mailbox, home, context, progress = std::move(progress)](int done, int total) {
        // Done and total in one word, so the receiver never pairs the count of one report with the total of
        // another.
        mailbox->value.store(std::uint64_t(std::uint32_t(done)) << 32 | std::uint32_t(total));
        if (mailbox->posted.exchange(true))
            return; // the delivery already queued reads the newest report
        // `home` outlives every work that reports to it: the task waits for its work before it goes.
        QMetaObject::invokeMethod(home, [mailbox, context, progress] {
            mailbox->posted.store(false);
            const std::uint64_t value = mailbox->value.load();
            if (context)
                progress(int(value >> 32), int(std::uint32_t(value)));
        }, Qt::QueuedConnection);
    };
}

void BackgroundTask::answered()
{
    if (--m_pending > 0 || !m_released)
        return;
    // Not from inside the delivery that is running on m_home now: the task goes once it has returned.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { delete this; }, Qt::QueuedConnection);
}

} // namespace vellora
