#include "print/workstrip.h"

#include "print/jobwatch.h"
#include "print/log.h"
#include "print/masterpicture.h"
#include "print/printjobs.h"
#include "surface/platform.h"
#include "surface/twips.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

namespace vellora {

WorkStrip::WorkStrip(QDialog *window, Pacer &pacer, Prompter &prompter, const PrintQueues &queues,
                     const QRect &twips)
    : QWidget(window), m_window(window), m_pacer(pacer), m_prompter(prompter), m_queues(queues)
{
    setObjectName(QStringLiteral("WerkStrook"));
    setGeometry(twipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("Voortgang"));
    m_bar->setTextVisible(false);
    m_cancel = new QPushButton(QCoreApplication::translate("Print", "Annuleren"), this);
    m_cancel->setObjectName(QStringLiteral("StopKnop"));
    row->addWidget(m_bar, 1);
    row->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &WorkStrip::cancel);
    hide();
    // Styled now, with the window, rather than the first time work shows it while the window should answer.
    ensurePolished();
    m_bar->ensurePolished();
    m_cancel->ensurePolished();
}

WorkStrip::~WorkStrip() = default; // the task calls off what runs and waits for it

void WorkStrip::begin()
{
    m_running = true;
    m_calledOff = false;
    // Until the work says how far it is, the bar only shows that it goes on.
    m_bar->setRange(0, 0);
    m_cancel->setEnabled(true);
    // Work that ends within half a second shows nothing at all.
    m_showing = new QObject(this);
    m_pacer.after(kShowAfterMs, m_showing, [this] { show(); });
}

void WorkStrip::showProgress(int done, int total)
{
    m_bar->setRange(0, total);
    m_bar->setValue(done);
}

void WorkStrip::cancel()
{
    if (!m_running)
        return;
    m_calledOff = true;
    m_task.cancel();
    m_cancel->setEnabled(false);
}

bool WorkStrip::holdClose()
{
    if (!m_running)
        return false;
    m_closeAfter = true;
    cancel();
    return true;
}

bool WorkStrip::end()
{
    m_running = false;
    delete m_showing;
    hide();
    return !m_calledOff;
}

void WorkStrip::afterEnd()
{
    if (m_closeAfter) {
        m_closeAfter = false;
        m_window->reject();
    }
    // What was done with the result may have started the next piece of work, as the deck's printing does.
    if (!m_running)
        Q_EMIT finished();
}

void WorkStrip::printerFailed()
{
    m_prompter.message(QString::fromUtf16(print::kFailureText), QString::fromUtf16(print::kFailureTitle),
                       Prompter::Icon::Critical);
}

void WorkStrip::printOnDefault(JobMaker makeJob)
{
    run<Result<print::PrintedJob>>(
        [&queues = m_queues, makeJob = std::move(makeJob)](std::stop_token stop,
                                                           const print::PageProgress &progress) {
            // The action's deadline runs from the press: the page made first counts against it.
            const std::shared_ptr<const PrintQueues> action = queues.action(stop);
            bool drawing = false;
            Result<PrintJob> job = makeJob(stop, [&](int done, int total) {
                drawing = true;
                progress(done, total);
            });
            if (!job)
                return Result<print::PrintedJob>(job.outcome());
            return print::printOnDefault(*action, std::move(*job), stop,
                                         drawing ? print::afterMaster(progress) : progress);
        },
        [this](const Result<print::PrintedJob> &printed) {
            if (printed)
                return watchJob(printed->printer, printed->job);
            qCWarning(lcPrint).noquote() << "page not printed -" << printed.outcome().reason();
            printerFailed();
        });
}

void WorkStrip::watchJob(const QString &printer, int job)
{
    QObject *owner = m_window->parentWidget() ? static_cast<QObject *>(m_window->parentWidget()) : m_window;
    JobWatch::start(owner, m_pacer, m_queues, printer, job, {m_prompter, m_window->windowTitle(), m_told});
}

} // namespace vellora
