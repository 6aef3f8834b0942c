#pragma once

#include <QString>

#include <optional>

namespace vellora {

// What the printing system says about its queues. Qt alone cannot tell whether a page will really print (it
// falls back to PDF output when there is no printer, and a queue that refuses jobs loses the page quietly), so
// the print target asks this before and after every page. Tests put fakes in its place.
class PrintQueues
{
public:
    struct State
    {
        bool stopped = false;       // paused by its administrator, or halted by an error
        bool acceptingJobs = true;  // false once the queue rejects new jobs
    };

    virtual ~PrintQueues() = default;
    // The printer Qt would print on; empty when there is none.
    virtual QString defaultPrinter() const = 0;
    // The state of a queue as the print server reports it; nothing when the server does not know it.
    virtual std::optional<State> state(const QString &printer) const = 0;
    // Why the last job handed to the print server on this thread was refused; empty when it was accepted.
    virtual QString lastSubmissionError() const = 0;
};

// Qt's default printer, with the state and the job results from libcups.
class SystemPrintQueues final : public PrintQueues
{
public:
    QString defaultPrinter() const override;
    std::optional<State> state(const QString &printer) const override;
    QString lastSubmissionError() const override;
};

// Why no page can be printed on the default printer now; empty when one can. The printer's name is
// written to *printer when there is one.
QString defaultQueueProblem(const PrintQueues &queues, QString *printer);

} // namespace vellora
