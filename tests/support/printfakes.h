#pragma once

#include "print/printqueues.h"

#include <vector>

namespace vellora::test {

// A print server that knows one queue, the default, in the state given; it refuses every job for a printer
// named "Refused" and keeps the others whole, pages and all, so that a test sees every placement.
class RecordingPrintQueues final : public PrintQueues
{
public:
    QString printer = QStringLiteral("Office");
    std::optional<State> queueState = State{};
    mutable std::vector<PrintJob> jobs;

    QString defaultPrinter() const override { return printer; }
    std::optional<State> state(const QString &) const override { return queueState; }
    Outcome submit(const PrintJob &job, const print::PageProgress &, std::stop_token) const override
    {
        if (job.printer == u"Refused")
            return unreached(QStringLiteral("client-error-not-possible"));
        jobs.push_back(job);
        return {};
    }
};

} // namespace vellora::test
