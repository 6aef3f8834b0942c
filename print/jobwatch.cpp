#include "print/jobwatch.h"

#include "print/printqueues.h"
#include "surface/platform.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

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

JobWatch::~JobWatch()
{
    m_stop.request_stop();
    m_question.waitForFinished();
}

void JobWatch::ask()
{
    // A window that has already said so says nothing more, and need not ask.
    if (*m_notice.told) {
        deleteLater();
        return;
    }
    auto *watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher] { answered(watcher->result()); });
    m_question = QtConcurrent::run([&queues = m_queues, printer = m_printer, job = m_job, stop = m_stop.get_token()] {
        return queues.action(stop)->waitsForUnreachablePrinter(printer, job);
    });
    watcher->setFuture(m_question);
}

void JobWatch::answered(bool waiting)
{
    deleteLater();
    if (!waiting || *m_notice.told)
        return;
    // Told before the box shows: another answer may come in while it is open.
    *m_notice.told = true;
    m_notice.prompter.message(QString::fromUtf16(print::kUnreachableText).arg(m_printer), m_notice.title,
                              Prompter::Icon::Warning);
}

} // namespace vellora
