#pragma once

#include "print/pdfdocument.h"
#include "print/printpage.h"

#include <QString>

#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

namespace vellora {

// What a print job asks of the printer besides its pages.
struct JobOptions
{
    QString title = QStringLiteral("Vellora");
    int copies = 1;
    QByteArray sides = "one-sided"; // or two-sided-long-edge, two-sided-short-edge
    QByteArray media = "iso_a4_210x297mm";
};

// A whole job as it is handed over: the pages laid out in twips, the printer and its options. Values only, so
// a job can be handed to another thread as it is.
struct PrintJob
{
    QString printer;
    std::vector<print::PrintPage> pages;
    JobOptions options;
};

// The printing system's queues: every print window hands its finished pages over here, one whole job per
// call. A job is either handed over whole or refused with a reason; the server is asked before every job
// whether the queue will really print. Nothing here touches a window, so a job may be handed over from a
// worker thread. Tests put fakes in its place that keep the pages.
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
    // Hands the job's pages to its printer as one job; when it is not accepted, an unreached failure whose
    // reason says why. `progress` follows the pages as they are made ready, on the calling thread. A stop
    // requested before the job has been handed over whole calls it off: nothing of it stays with the server.
    virtual Outcome submit(const PrintJob &job, const print::PageProgress &progress,
                           std::stop_token stop) const = 0;

    // The queues as one print action sees them: the lookups and the job of one press of a button, made one
    // after the other on one thread, which is the only thread to use what this returns. All its waits on
    // the print server share one deadline, and `stop` calls off whatever waits. Queues that answer at once
    // are their own action.
    virtual std::shared_ptr<const PrintQueues> action(std::stop_token stop) const;
    // The number the print server gave the last job this action handed over; 0 when it gave none.
    virtual int lastJob() const { return 0; }
    // Whether job `job` of `printer` has still not started printing because the printer cannot be reached;
    // false when it prints, has ended or the server does not say.
    virtual bool waitsForUnreachablePrinter(const QString &printer, int job) const;
};

// The system's print server through libcups. The pages become one PDF document in memory before anything is
// sent, so a full temporary folder or a lost connection can never turn into a truncated job that reports
// success. An action talks to the server over one connection of its own, and all its waits end by one
// deadline: a server that accepts connections and never answers costs a few seconds and a failure, however
// many questions the action has, never a frozen window. Each call made on the queues themselves is an action
// of its own.
class SystemPrintQueues final : public PrintQueues
{
public:
    // What one action may take in all, counted from when it was made: the page or deck drawn before its first
    // question counts too. However long that drawing took, the first question still gets kExchangeFloorMs, so
    // a slow machine never turns a printer that answers into a failure. Making the job's PDF, once the server
    // has answered, does not count. A job that went wrong on its way may take one more request to cancel: the
    // action still ends within 6 s of the press.
    static constexpr int kDefaultTimeoutMs = 4500;
    static constexpr int kExchangeFloorMs = 2000;
    explicit SystemPrintQueues(int timeoutMs = kDefaultTimeoutMs, int floorMs = kExchangeFloorMs)
        : m_timeoutMs(timeoutMs), m_floorMs(floorMs)
    {
    }

    QString defaultPrinter() const override;
    std::optional<State> state(const QString &printer) const override;
    Outcome submit(const PrintJob &job, const print::PageProgress &progress,
                   std::stop_token stop) const override;
    std::shared_ptr<const PrintQueues> action(std::stop_token stop) const override;
    bool waitsForUnreachablePrinter(const QString &printer, int job) const override;

private:
    int m_timeoutMs;
    int m_floorMs;
};

// Whether a job can be printed on this printer now; if not, an unreached failure whose reason says why.
Outcome queueProblem(const PrintQueues &queues, const QString &printer);
// The default printer, when a job can be printed on it now.
Result<QString> readyDefaultQueue(const PrintQueues &queues);

// The one message every print failure ends in, whatever went wrong. It was English in the Dutch program
// too, and is left as the user has always seen it.
namespace print {
inline constexpr char16_t kFailureText[] = u"No printer or printer offline!";
inline constexpr char16_t kFailureTitle[] = u" Error";
} // namespace print
// The user hears only that the printer failed, in the words they always saw; the log keeps `reason`.
Outcome unreached(const QString &reason);

} // namespace vellora
