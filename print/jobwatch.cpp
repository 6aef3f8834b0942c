#include "print/jobwatch.h"

#include "print/printqueues.h"
#include "surface/platform.h"

namespace vellora {

JobWatch::JobWatch(QObject *owner, const PrintQueues &queues, const QString &printer, int job, Notice notice)
    : QObject(owner), m_queues(queues), m_printer(printer), m_job(job), m_notice(std::move(notice))
{
    setObjectName(QStringLiteral("JobWatch"));
}

void JobWatch::start(QObject *owner, Pacer &pacer, const PrintQueues &queues, const QString &printer, int job,
                     Notice notice)
{
    if (job <= 0)
        return;
    auto *watch = new JobWatch(owner, queues, printer, job, std::move(notice));
    pacer.after(kAfterMs, watch, [watch] { watch->ask(); });
}

JobWatch::~JobWatch() = default; // the task calls the question off and waits for it

void JobWatch::ask()
{
    // A window that has already said so says nothing more, and need not ask.
    if (*m_notice.told) {
        deleteLater();
        return;
    }
    m_question.run(this, [&queues = m_queues, printer = m_printer, job = m_job](std::stop_token stop,
                                                                             const TaskProgress &) {
        return queues.action(stop)->waitsForUnreachablePrinter(printer, job);
    }, [this](bool waiting) { answered(waiting); });
}

void JobWatch::answered(bool waiting)
{
    deleteLater();
    if (!waiting || *m_notice.told)
        return;
    // Told before the box shows: another answer may come in while it is open.
    *m_notice.told = true;
    m_notice.prompter.message(print::unreachableText(m_printer), m_notice.title, Prompter::Icon::Warning);
}

} // namespace vellora
