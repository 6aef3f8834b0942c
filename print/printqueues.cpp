#include "print/printqueues.h"

#include <cups/cups.h>

#include <QDeadlineTimer>

#include <algorithm>
#include <memory>

namespace vellora {

namespace {

const char16_t kCalledOff[] = u"the job was called off before it reached the queue";

struct HttpClose
{
    void operator()(http_t *http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

// libcups asks before every further wait of this long whether to go on, so a deadline or a stop is seen
// within it.
constexpr double kWaitSeconds = 0.1;
// Except at the start of a request, where it waits up to a second for the server to take it without asking:
// a request is only started with more time than that left.
constexpr qint64 kRequestStartMs = 1000 + 100;
// A job that went wrong on its way is cancelled even when the action's time is up: one more request.
constexpr qint64 kCancelGraceMs = kRequestStartMs + 100;
// A server that takes part of the document is not silent: it gets at least this long for the next part.
constexpr qint64 kUploadPatienceMs = 1000;
constexpr qsizetype kUploadChunk = 256 * 1024;

QString lastError(const char *step)
{
    const char *text = cupsLastErrorString();
    return QStringLiteral("%1: %2").arg(QLatin1String(step),
                                        QString::fromLocal8Bit(text ? text : ippErrorString(cupsLastError())));
}

// Qt and lpoptions name an instance "queue/instance"; the server knows the queue.
QByteArray queueOf(const QString &printer) { return printer.section(u'/', 0, 0).toLocal8Bit(); }

bool startsWithAny(const char *reason, std::initializer_list<const char *> prefixes)
{
    for (const char *prefix : prefixes) {
        if (qstrncmp(reason, prefix, qstrlen(prefix)) == 0)
            return true;
    }
    return false;
}

bool reportsUnreachable(const char *reason) { return startsWithAny(reason, {"offline", "timed-out", "shutdown"}); }

// A queue that has been trying for a while to reach its device cannot reach it: a job waiting that long
// while the queue says it is still connecting will not print.
bool stillUnreachable(const char *reason)
{
    return reportsUnreachable(reason) || startsWithAny(reason, {"connecting-to-device"});
}

// How long a printer on the network may take to take a connection before it counts as out of reach.
constexpr qint64 kDeviceAnswerMs = 3000;

// Every question of one action, on the thread that made it: libcups keeps its last error per thread, and an
// action is made on one thread only, so this holds no lock. What changes as the questions go is mutable
// because the interface asks questions of const queues.
class ServerAction final : public PrintQueues
{
public:
    ServerAction(int budgetMs, int floorMs, std::stop_token stop)
        : m_budgetMs(budgetMs), m_floorMs(floorMs), m_stop(std::move(stop)), m_deadline(budgetMs),
          m_onStop(m_stop, CallOffConnect{&m_connectCalledOff})
    {
    }

    QString defaultPrinter() const override;
    std::optional<State> state(const QString &printer) const override;
    Outcome submit(const PrintJob &job, const print::PageProgress &progress,
                   std::stop_token stop) const override;
    std::shared_ptr<const PrintQueues> action(std::stop_token stop) const override
    {
        return std::make_shared<ServerAction>(m_budgetMs, m_floorMs, std::move(stop));
    }
    int lastJob() const override { return m_lastJob; }
    bool waitsForUnreachablePrinter(const QString &printer, int job) const override;

private:
    // libcups's own way to call off a connect that is under way.
    struct CallOffConnect
    {
        int *flag;
        void operator()() const { *flag = 1; }
    };

    bool calledOff() const { return m_stop.stop_requested() || m_jobStop.stop_requested(); }
    bool mayWait() const { return !m_deadline.hasExpired() && (m_cancelling || !calledOff()); }
    static int keepWaiting(http_t *, void *self) { return static_cast<const ServerAction *>(self)->mayWait(); }
    // The action's connection for its next request, made at its first; nothing when too little time is left
    // to start one or the server cannot be reached in it.
    http_t *connection() const;
    // submit()'s work: empty when the job was handed over, else why not.
    QString handOver(const PrintJob &job, const print::PageProgress &progress, std::stop_token stop) const;
    // The queue's attributes, nothing when the server does not answer or know it; the caller frees them.
    ipp_t *queueAttributes(const QString &printer) const;
    // Whether the device behind a queue takes a connection; true when it is no device on the network.
    bool deviceAnswers(const char *deviceUri) const;
    void cancelJob(const QByteArray &queue, int id) const;

    int m_budgetMs;
    int m_floorMs;
    std::stop_token m_stop;
    mutable std::stop_token m_jobStop;
    mutable QDeadlineTimer m_deadline;
    mutable Connection m_http;
    mutable bool m_cancelling = false;
    mutable bool m_asked = false; // whether the first question has had its floor
    mutable int m_lastJob = 0;
    mutable int m_connectCalledOff = 0;
    std::stop_callback<CallOffConnect> m_onStop;
};

http_t *ServerAction::connection() const
{
    if (!m_asked) {
        m_asked = true;
        m_deadline = QDeadlineTimer(std::max<qint64>(m_deadline.remainingTime(), m_floorMs));
    }
    if (!mayWait() || m_deadline.remainingTime() <= kRequestStartMs)
        return nullptr;
    if (!m_http) {
        // 0 would mean no connect at all.
        const int msec = int(std::max<qint64>(1, m_deadline.remainingTime()));
        m_http.reset(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec,
                                  &m_connectCalledOff));
        if (m_http)
            httpSetTimeout(m_http.get(), kWaitSeconds, keepWaiting, const_cast<ServerAction *>(this));
    }
    return m_http.get();
}

QString ServerAction::defaultPrinter() const
{
    http_t *http = connection();
    if (!http)
        return {};
    // The user's own default (lpoptions, LPDEST, PRINTER) or else the server's, in one request: libcups
    // would start a further request of a list of all printers even after the deadline.
    cups_dest_t *dest = cupsGetNamedDest(http, nullptr, nullptr);
    QString name;
    if (dest) {
        name = QString::fromLocal8Bit(dest->name);
        if (dest->instance)
            name += u'/' + QString::fromLocal8Bit(dest->instance);
    }
    cupsFreeDests(dest ? 1 : 0, dest);
    return name;
}

ipp_t *ServerAction::queueAttributes(const QString &printer) const
{
    http_t *http = connection();
    if (!http)
        return nullptr;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queueOf(printer).constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-state-reasons", "printer-is-accepting-jobs",
                                         "device-uri"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    ipp_t *response = cupsDoRequest(http, request, "/");
    if (response && ippGetStatusCode(response) < IPP_STATUS_ERROR_BAD_REQUEST)
        return response;
    ippDelete(response);
    return nullptr;
}

std::optional<PrintQueues::State> ServerAction::state(const QString &printer) const
{
    ipp_t *response = queueAttributes(printer);
    if (!response)
        return std::nullopt;
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
    ippDelete(response);
    return s;
}

Outcome ServerAction::submit(const PrintJob &job, const print::PageProgress &progress,
                             std::stop_token stop) const
{
    const QString problem = handOver(job, progress, std::move(stop));
    if (problem.isEmpty())
        return {};
    return calledOff() ? Outcome::calledOff() : unreached(problem);
}

QString ServerAction::handOver(const PrintJob &job, const print::PageProgress &progress,
                               std::stop_token stop) const
{
    m_lastJob = 0;
    m_jobStop = std::move(stop);
    if (calledOff())
        return QString::fromUtf16(kCalledOff);
    // Making the pages is no waiting on the server: the clock stands still meanwhile.
    const qint64 left = m_deadline.remainingTime();
    const Result<QByteArray> pdf = print::pdfDocument(job.pages, progress, m_jobStop);
    m_deadline = QDeadlineTimer(left);
    if (calledOff())
        return QString::fromUtf16(kCalledOff);
    if (!pdf)
        return pdf.outcome().text();
    http_t *http = connection();
    if (!http)
        return calledOff() ? QString::fromUtf16(kCalledOff) : QStringLiteral("the print server does not answer");
    const JobOptions &options = job.options;
    const QByteArray queue = queueOf(job.printer), title = options.title.toUtf8();
    cups_option_t *list = nullptr;
    int n = 0;
    n = cupsAddOption("media", options.media.constData(), n, &list);
    n = cupsAddOption("copies", QByteArray::number(std::max(1, options.copies)).constData(), n, &list);
    n = cupsAddOption("sides", options.sides.constData(), n, &list);
    const int id = cupsCreateJob(http, queue.constData(), title.constData(), n, list);
    cupsFreeOptions(n, list);
    if (id <= 0)
        return calledOff() ? QString::fromUtf16(kCalledOff) : lastError("the print server refused the job");
    // The document is whole before it is sent; a failure or a stop on the way cancels the job rather than
    // printing part of it.
    bool sent = connection() && cupsStartDocument(http, queue.constData(), id, title.constData(),
                                                  CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    for (qsizetype at = 0; sent && at < pdf->size(); at += kUploadChunk) {
        const size_t length = size_t(std::min(kUploadChunk, pdf->size() - at));
        sent = cupsWriteRequestData(http, pdf->constData() + at, length) == HTTP_STATUS_CONTINUE;
        if (sent)
            m_deadline = QDeadlineTimer(std::max(m_deadline.remainingTime(), kUploadPatienceMs));
    }
    sent = sent && !calledOff() && cupsFinishDocument(http, queue.constData()) < IPP_STATUS_ERROR_BAD_REQUEST;
    if (sent && !calledOff()) {
        m_lastJob = id;
        return {};
    }
    const QString problem =
        calledOff() ? QString::fromUtf16(kCalledOff) : lastError("the job could not be handed over");
    cancelJob(queue, id);
    return problem;
}

void ServerAction::cancelJob(const QByteArray &queue, int id) const
{
    // Over a connection of its own: the one the document went over may be broken halfway through a request.
    m_cancelling = true;
    m_connectCalledOff = 0;
    m_deadline = QDeadlineTimer(std::max(m_deadline.remainingTime(), kCancelGraceMs));
    m_http.reset();
    if (http_t *http = connection())
        cupsCancelJob2(http, queue.constData(), id, 0);
    m_cancelling = false;
}

bool ServerAction::waitsForUnreachablePrinter(const QString &printer, int job) const
{
    http_t *http = job > 0 ? connection() : nullptr;
    if (!http)
        return false;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddStringf(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, "ipp://localhost/jobs/%d", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char *const wanted[] = {"job-state", "job-impressions-completed"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
    ipp_t *response = cupsDoRequest(http, request, "/");
    bool waiting = false;
    if (response && ippGetStatusCode(response) < IPP_STATUS_ERROR_BAD_REQUEST) {
        ipp_attribute_t *state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
        ipp_attribute_t *done = ippFindAttribute(response, "job-impressions-completed", IPP_TAG_INTEGER);
        // Pending, held, processing or stopped, and not one page out yet.
        waiting = state && ippGetInteger(state, 0) >= IPP_JSTATE_PENDING &&
                  ippGetInteger(state, 0) <= IPP_JSTATE_STOPPED && (!done || ippGetInteger(done, 0) == 0);
    }
    ippDelete(response);
    if (!waiting)
        return false;
    // The server's own backends often say no more than a message in the user's language while they try
    // again, so a printer on the network is tried from here as well.
    ipp_t *queue = queueAttributes(printer);
    bool unreachable = false;
    if (ipp_attribute_t *a = queue ? ippFindAttribute(queue, "printer-state-reasons", IPP_TAG_KEYWORD) : nullptr) {
        for (int i = 0; i < ippGetCount(a); ++i)
            unreachable = unreachable || stillUnreachable(ippGetString(a, i, nullptr));
    }
    if (ipp_attribute_t *a = queue && !unreachable ? ippFindAttribute(queue, "device-uri", IPP_TAG_URI) : nullptr)
        unreachable = !deviceAnswers(ippGetString(a, 0, nullptr));
    ippDelete(queue);
    return unreachable;
}

bool ServerAction::deviceAnswers(const char *deviceUri) const
{
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (!deviceUri ||
        httpSeparateURI(HTTP_URI_CODING_ALL, deviceUri, scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK ||
        !host[0] || port <= 0)
        return true;
    static const char *const network[] = {"socket", "ipp", "ipps", "http", "https", "lpd"};
    if (std::none_of(std::begin(network), std::end(network), [&](const char *s) { return qstrcmp(scheme, s) == 0; }))
        return true;
    if (!mayWait())
        return true;
    // A name that cannot be found cannot be reached either.
    http_addrlist_t *addresses = httpAddrGetList(host, AF_UNSPEC, QByteArray::number(port).constData());
    if (!addresses)
        return false;
    int socket = -1;
    const int msec = int(std::clamp<qint64>(m_deadline.remainingTime(), 1, kDeviceAnswerMs));
    const http_addrlist_t *reached = httpAddrConnect2(addresses, &socket, msec, &m_connectCalledOff);
    if (reached)
        httpAddrClose(nullptr, socket);
    httpAddrFreeList(addresses);
    // Called off or out of time before it could tell: nothing is said.
    return reached || !mayWait();
}

} // namespace

std::shared_ptr<const PrintQueues> PrintQueues::action(std::stop_token) const
{
    // Not owned: the queues outlive every action made on them.
    return std::shared_ptr<const PrintQueues>(std::shared_ptr<const PrintQueues>(), this);
}

bool PrintQueues::waitsForUnreachablePrinter(const QString &, int) const { return false; }

QString SystemPrintQueues::defaultPrinter() const { return action({})->defaultPrinter(); }

std::optional<PrintQueues::State> SystemPrintQueues::state(const QString &printer) const
{
    return action({})->state(printer);
}

Outcome SystemPrintQueues::submit(const PrintJob &job, const print::PageProgress &progress,
                                  std::stop_token stop) const
{
    return action(stop)->submit(job, progress, stop);
}

std::shared_ptr<const PrintQueues> SystemPrintQueues::action(std::stop_token stop) const
{
    return std::make_shared<ServerAction>(m_timeoutMs, m_floorMs, std::move(stop));
}

bool SystemPrintQueues::waitsForUnreachablePrinter(const QString &printer, int job) const
{
    return action({})->waitsForUnreachablePrinter(printer, job);
}

Outcome unreached(const QString &reason)
{
    return Outcome::failure(QString::fromUtf16(print::kFailureText), reason, Outcome::Failure::Unreached);
}

Outcome queueProblem(const PrintQueues &queues, const QString &printer)
{
    const std::optional<PrintQueues::State> state = queues.state(printer);
    if (!state)
        return unreached(QStringLiteral("the print server does not know the printer %1").arg(printer));
    if (state->stopped)
        return unreached(QStringLiteral("the printer %1 is stopped").arg(printer));
    if (state->unreachable)
        return unreached(QStringLiteral("the printer %1 cannot be reached").arg(printer));
    if (!state->acceptingJobs)
        return unreached(QStringLiteral("the printer %1 does not accept jobs").arg(printer));
    return {};
}

Result<QString> readyDefaultQueue(const PrintQueues &queues)
{
    const QString name = queues.defaultPrinter();
    if (name.isEmpty())
        return unreached(QStringLiteral("no default printer"));
    if (Outcome problem = queueProblem(queues, name); !problem)
        return problem;
    return name;
}

} // namespace vellora
