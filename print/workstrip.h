#pragma once

#include "print/pdfdocument.h"
#include "print/printqueues.h"
#include "surface/backgroundtask.h"
#include "surface/outcome.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <stop_token>

class QDialog;
class QProgressBar;
class QPushButton;

namespace vellora {

class Pacer;
class Prompter;

// What a print window does in the background, and the strip at its foot that shows it: once a piece of work
// has taken half a second, a bar follows the task's progress beside a button that calls the task off. The window goes on painting
// and taking input meanwhile. One piece of work at a time; a window closing while work runs calls it off and
// closes once it has ended, so nothing is ever left half done.
class WorkStrip : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kShowAfterMs = 500;

    // The strip of `window`, placed at `twips`; hidden while nothing runs.
    WorkStrip(QDialog *window, Pacer &pacer, Prompter &prompter, const PrintQueues &queues, const QRect &twips);
    // Work still running is called off and waited for: it ends within a short wait.
    ~WorkStrip() override;

    bool busy() const { return m_running; }

    // Runs `work` on a worker. `done` gets its result on the window's thread once it has ended, unless it
    // was called off: then there is nothing to say.
    template <typename Result>
    void run(std::function<Result(std::stop_token, const print::PageProgress &)> work,
             std::function<void(const Result &)> done);
    // Calls off the work that runs.
    void cancel();
    // For the window's reject(): false when nothing runs; else the work is called off and the window closes
    // after it.
    bool holdClose();

    // Makes a job and prints it on the default printer, both in the background: a job that cannot be made
    // and any other failure end in the one failure message, and a job handed over is watched for a printer
    // that cannot be reached. `makeJob` says why it made none in its argument; what it reports of its own
    // progress (the print master drawn first) is the bar's first part, and a stop may end it with none.
    using JobMaker = std::function<Result<PrintJob>(std::stop_token stop, const print::PageProgress &progress)>;
    void printOnDefault(JobMaker makeJob);
    // Watches job `job` of `printer`: when it has not started 30 s on because the printer cannot be reached,
    // the user hears so, once for this window. The watch outlives the window, so the answer still comes after
    // it has closed.
    void watchJob(const QString &printer, int job);
    // The printer's failure message.
    void printerFailed();

Q_SIGNALS:
    // Work has ended and its result has been dealt with, and no further work was started on it.
    void finished();

private:
    void begin();
    void showProgress(int done, int total);
    bool end(); // true when the result is wanted
    void afterEnd();

    QDialog *m_window;
    Pacer &m_pacer;
    Prompter &m_prompter;
    const PrintQueues &m_queues;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QPointer<QObject> m_showing; // the pending show of the strip, dropped when the work ends first
    // The work itself; going with the strip, it calls off what runs and waits for it.
    BackgroundTask m_task;
    bool m_running = false;
    bool m_calledOff = false;
    bool m_closeAfter = false;
    std::shared_ptr<bool> m_told = std::make_shared<bool>(false);
};

template <typename Result>
void WorkStrip::run(std::function<Result(std::stop_token, const print::PageProgress &)> work,
                    std::function<void(const Result &)> done)
{
    if (m_running)
        return;
    begin();
    m_task.run(this, std::move(work), [this, done = std::move(done)](Result result) {
        if (end())
            done(result);
        afterEnd();
    }, [this](int at, int total) { showProgress(at, total); });
}

} // namespace vellora
