#include "print/systemprinttarget.h"

#include "print/pdfdocument.h"
#include "print/printqueues.h"

namespace vellora {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

SystemPrintTarget::SystemPrintTarget()
    : m_ownQueues(std::make_unique<SystemPrintQueues>()), m_queues(m_ownQueues.get())
{
}

SystemPrintTarget::SystemPrintTarget(const PrintQueues &queues) : m_queues(&queues) {}

SystemPrintTarget::SystemPrintTarget(const PrintQueues *queues, QString pdfPath)
    : m_queues(queues), m_pdfPath(std::move(pdfPath))
{
}

std::unique_ptr<SystemPrintTarget> SystemPrintTarget::toPdfFile(const QString &path)
{
    return std::unique_ptr<SystemPrintTarget>(new SystemPrintTarget(nullptr, path));
}

SystemPrintTarget::~SystemPrintTarget() = default;

bool SystemPrintTarget::begin(QPageLayout::Orientation orientation, QString *error)
{
    m_page.reset();
    if (m_queues) {
        const QString problem = defaultQueueProblem(*m_queues, &m_printer);
        if (!problem.isEmpty())
            return fail(error, problem);
    }
    m_page.emplace();
    m_page->orientation = orientation;
    return true;
}

void SystemPrintTarget::paintPicture(const QImage &picture, const QRect &twips)
{
    if (m_page)
        m_page->picture = {picture, twips, {}};
}

bool SystemPrintTarget::end(QString *error)
{
    if (!m_page)
        return fail(error, QStringLiteral("no page was begun"));
    const std::vector<print::PrintPage> pages{*std::exchange(m_page, std::nullopt)};
    QString problem;
    const std::optional<QByteArray> pdf = print::pdfDocument(pages, &problem);
    if (!pdf)
        return fail(error, problem);
    if (!m_queues)
        return print::savePdf(*pdf, m_pdfPath, error);
    problem = m_queues->submit(m_printer, *pdf, JobOptions{});
    return problem.isEmpty() || fail(error, problem);
}

} // namespace vellora
