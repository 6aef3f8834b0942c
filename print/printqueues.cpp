#include "printqueues.h"

#include <QPrinterInfo>

#include <cups/cups.h>

namespace vellora {

QString SystemPrintQueues::defaultPrinter() const
{
    return QPrinterInfo::defaultPrinter().printerName();
}

std::optional<PrintQueues::State> SystemPrintQueues::state(const QString &printer) const
{
    // Qt names an instance "queue/instance"; the server knows the queue.
    const QByteArray queue = printer.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray instance = printer.section(u'/', 1).toLocal8Bit();
    // One request for the one queue; listing every destination costs several times as much.
    cups_dest_t *dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    std::optional<State> result;
    if (dest) {
        State s;
        // IPP printer-state: 3 idle, 4 processing, 5 stopped.
        const char *printerState = cupsGetOption("printer-state", dest->num_options, dest->options);
        s.stopped = printerState && qstrcmp(printerState, "5") == 0;
        const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
        s.acceptingJobs = !accepting || qstricmp(accepting, "false") != 0;
        result = s;
        cupsFreeDests(1, dest);
    }
    return result;
}

QString SystemPrintQueues::lastSubmissionError() const
{
    // Qt's CUPS print engine submits the page with cupsPrintFile() and ignores its result; libcups keeps the
    // status of the last request per thread, and Qt's plugin shares this process's libcups.
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST)
        return {};
    const char *text = cupsLastErrorString();
    return QStringLiteral("the print server refused the job: %1").arg(QString::fromLocal8Bit(text ? text : ippErrorString(status)));
}

QString defaultQueueProblem(const PrintQueues &queues, QString *printer)
{
    const QString name = queues.defaultPrinter();
    if (printer)
        *printer = name;
    if (name.isEmpty())
        return QStringLiteral("no default printer");
    const std::optional<PrintQueues::State> state = queues.state(name);
    if (!state)
        return QStringLiteral("the print server does not know the printer %1").arg(name);
    if (state->stopped)
        return QStringLiteral("the printer %1 is stopped").arg(name);
    if (!state->acceptingJobs)
        return QStringLiteral("the printer %1 does not accept jobs").arg(name);
    return {};
}

} // namespace vellora
