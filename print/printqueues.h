#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vellora {

// What a print job asks of the printer besides its pages.
struct JobOptions
{
    QString title = QStringLiteral("Vellora");
    int copies = 1;
    bool duplex = false; // both sides, turned on the long edge
};

// The printing system's queues. Pages go to the print server as one finished PDF document, so a job is either
// handed over whole or refused with a reason; the server is asked before every job whether the queue will
// really print. Tests put fakes in its place.
class PrintQueues
{
public:
    struct State
    {
        bool stopped = false;       // paused by its administrator, or halted by an error
        bool acceptingJobs = true;  // false once the queue rejects new jobs
        bool unreachable = false;   // the queue reports that its device cannot be reached
    };

    virtual ~PrintQueues() = default;
    // The default destination; empty when there is none or the print server does not answer.
    virtual QString defaultPrinter() const = 0;
    // The state of a queue as the print server reports it; nothing when the server does not know it.
    virtual std::optional<State> state(const QString &printer) const = 0;
    // Hands a whole PDF document to the queue as one job; empty when accepted, else why not.
    virtual QString submit(const QString &printer, const QByteArray &pdf, const JobOptions &options) const = 0;
};

// The system's print server through libcups. Every exchange has a deadline: a server that accepts connections
// and never answers costs a few seconds and a failure, not a frozen window.
class SystemPrintQueues final : public PrintQueues
{
public:
    static constexpr int kDefaultTimeoutMs = 5000;
    explicit SystemPrintQueues(int timeoutMs = kDefaultTimeoutMs) : m_timeoutMs(timeoutMs) {}

    QString defaultPrinter() const override;
    std::optional<State> state(const QString &printer) const override;
    QString submit(const QString &printer, const QByteArray &pdf, const JobOptions &options) const override;

private:
    int m_timeoutMs;
};

// Why no job can be printed on this printer now; empty when one can.
QString queueProblem(const PrintQueues &queues, const QString &printer);
// The same for the default printer, whose name is written to *printer when there is one.
QString defaultQueueProblem(const PrintQueues &queues, QString *printer);

} // namespace vellora
