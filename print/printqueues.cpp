#include "print/printqueues.h"

#include <cups/cups.h>

#include <memory>

namespace vellora {

namespace {

struct HttpClose
{
    void operator()(http_t *http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

// A connection of our own to the configured server, so that the deadline holds for connecting and for every
// answer; libcups's shared connection would wait for minutes.
Connection connect(int timeoutMs)
{
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs,
                                 nullptr));
    if (http)
        httpSetTimeout(http.get(), timeoutMs / 1000.0, [](http_t *, void *) { return 0; }, nullptr);
    return http;
}

QString lastError(const char *step)
{
    const char *text = cupsLastErrorString();
    return QStringLiteral("%1: %2").arg(QLatin1String(step),
                                        QString::fromLocal8Bit(text ? text : ippErrorString(cupsLastError())));
}

// Qt and lpoptions name an instance "queue/instance"; the server knows the queue.
QByteArray queueOf(const QString &printer) { return printer.section(u'/', 0, 0).toLocal8Bit(); }

bool reportsUnreachable(const char *reason)
{
    for (const char *prefix : {"offline", "timed-out", "shutdown"}) {
        if (qstrncmp(reason, prefix, qstrlen(prefix)) == 0)
            return true;
    }
    return false;
}

} // namespace

QString SystemPrintQueues::defaultPrinter() const
{
    const Connection http = connect(m_timeoutMs);
    if (!http)
        return {};
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(http.get(), &dests);
    QString name;
    if (const cups_dest_t *dest = cupsGetDest(nullptr, nullptr, count, dests)) {
        name = QString::fromLocal8Bit(dest->name);
        if (dest->instance)
            name += u'/' + QString::fromLocal8Bit(dest->instance);
    }
    cupsFreeDests(count, dests);
    return name;
}

std::optional<PrintQueues::State> SystemPrintQueues::state(const QString &printer) const
{
    const Connection http = connect(m_timeoutMs);
    if (!http)
        return std::nullopt;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queueOf(printer).constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-state-reasons", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t *response = cupsDoRequest(http.get(), request, "/");
    std::optional<State> result;
    if (response && ippGetStatusCode(response) < IPP_STATUS_ERROR_BAD_REQUEST) {
        State s;
        // IPP printer-state: 3 idle, 4 processing, 5 stopped.
        if (ipp_attribute_t *a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
            s.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
        if (ipp_attribute_t *a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            s.acceptingJobs = ippGetBoolean(a, 0);
        if (ipp_attribute_t *a = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)) {
            for (int i = 0; i < ippGetCount(a); ++i)
                s.unreachable = s.unreachable || reportsUnreachable(ippGetString(a, i, nullptr));
        }
        result = s;
    }
    ippDelete(response);
    return result;
}

QString SystemPrintQueues::submit(const PrintJob &job, const print::PageProgress &progress,
                                  std::stop_token stop) const
{
    if (stop.stop_requested())
        return QString::fromUtf16(kCalledOff);
    QString problem;
    const std::optional<QByteArray> pdf = print::pdfDocument(job.pages, &problem, progress);
    if (!pdf)
        return problem;
    if (stop.stop_requested())
        return QString::fromUtf16(kCalledOff);
    const Connection http = connect(m_timeoutMs);
    if (!http)
        return QStringLiteral("the print server does not answer");
    const JobOptions &options = job.options;
    const QByteArray queue = queueOf(job.printer), title = options.title.toUtf8();
    cups_option_t *list = nullptr;
    int n = 0;
    n = cupsAddOption("media", "iso_a4_210x297mm", n, &list);
    n = cupsAddOption("copies", QByteArray::number(std::max(1, options.copies)).constData(), n, &list);
    n = cupsAddOption("sides", options.duplex ? "two-sided-long-edge" : "one-sided", n, &list);
    const int id = cupsCreateJob(http.get(), queue.constData(), title.constData(), n, list);
    cupsFreeOptions(n, list);
    if (id <= 0)
        return lastError("the print server refused the job");
    // The document is whole before it is sent; a failure on the way cancels the job rather than printing part.
    if (cupsStartDocument(http.get(), queue.constData(), id, title.constData(), CUPS_FORMAT_PDF, 1) ==
            HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(http.get(), pdf->constData(), size_t(pdf->size())) == HTTP_STATUS_CONTINUE &&
        cupsFinishDocument(http.get(), queue.constData()) < IPP_STATUS_ERROR_BAD_REQUEST)
        return {};
    problem = lastError("the job could not be handed over");
    cupsCancelJob2(http.get(), queue.constData(), id, 0);
    return problem;
}

QString queueProblem(const PrintQueues &queues, const QString &printer)
{
    const std::optional<PrintQueues::State> state = queues.state(printer);
    if (!state)
        return QStringLiteral("the print server does not know the printer %1").arg(printer);
    if (state->stopped)
        return QStringLiteral("the printer %1 is stopped").arg(printer);
    if (state->unreachable)
        return QStringLiteral("the printer %1 cannot be reached").arg(printer);
    if (!state->acceptingJobs)
        return QStringLiteral("the printer %1 does not accept jobs").arg(printer);
    return {};
}

QString defaultQueueProblem(const PrintQueues &queues, QString *printer)
{
    const QString name = queues.defaultPrinter();
    if (printer)
        *printer = name;
    if (name.isEmpty())
        return QStringLiteral("no default printer");
    return queueProblem(queues, name);
}

} // namespace vellora
