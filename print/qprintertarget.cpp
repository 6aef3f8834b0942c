#include "qprintertarget.h"

#include "printqueues.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>

namespace vellora {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

constexpr double kTwipsPerInch = 1440.0;

} // namespace

QPrinterTarget::QPrinterTarget()
    : m_ownQueues(std::make_unique<SystemPrintQueues>()), m_queues(m_ownQueues.get())
{
}

QPrinterTarget::QPrinterTarget(const PrintQueues &queues) : m_queues(&queues) {}

QPrinterTarget::QPrinterTarget(const PrintQueues *queues, QString pdfPath)
    : m_queues(queues), m_pdfPath(std::move(pdfPath))
{
}

std::unique_ptr<QPrinterTarget> QPrinterTarget::toPdfFile(const QString &path)
{
    return std::unique_ptr<QPrinterTarget>(new QPrinterTarget(nullptr, path));
}

QPrinterTarget::~QPrinterTarget()
{
    // A page begun and never ended is abandoned rather than sent.
    if (m_painter && m_painter->isActive())
        m_printer->abort();
}

bool QPrinterTarget::begin(QPageLayout::Orientation orientation, QString *error)
{
    if (m_painter && m_painter->isActive()) {
        m_printer->abort();
        m_painter.reset();
    }
    m_printer.reset();

    if (m_queues) {
        QString name;
        const QString problem = defaultQueueProblem(*m_queues, &name);
        if (!problem.isEmpty())
            return fail(error, problem);
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (info.isNull())
            return fail(error, QStringLiteral("Qt does not know the printer %1").arg(name));
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        // Without a usable printer Qt quietly writes PDF to no file and calls that success.
        if (m_printer->outputFormat() != QPrinter::NativeFormat || m_printer->printerName() != name) {
            m_printer.reset();
            return fail(error, QStringLiteral("Qt cannot print on %1").arg(name));
        }
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdfPath);
    }
    m_printer->setDocName(QStringLiteral("Vellora"));
    m_printer->setCopyCount(1);
    m_printer->setColorMode(QPrinter::Color);
    // Positions count from the paper's corner, not from the printable area.
    m_printer->setFullPage(true);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(orientation);

    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_printer.reset();
        return fail(error, QStringLiteral("the printer refused to start a page"));
    }
    return true;
}

void QPrinterTarget::paintPicture(const QImage &picture, const QRect &twips)
{
    if (!m_painter || !m_painter->isActive())
        return;
    const double scale = m_printer->resolution() / kTwipsPerInch;
    const QRectF device(twips.x() * scale, twips.y() * scale, twips.width() * scale, twips.height() * scale);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter->drawImage(device, picture);
}

bool QPrinterTarget::end(QString *error)
{
    if (!m_painter)
        return fail(error, QStringLiteral("no page was begun"));
    const bool ended = m_painter->end();
    const QPrinter::PrinterState state = m_printer->printerState();
    const QString submission = m_queues ? m_queues->lastSubmissionError() : QString();
    m_painter.reset();
    m_printer.reset();
    const QString problem = endProblem(ended, state, submission);
    if (!problem.isEmpty())
        return fail(error, problem);
    return true;
}

QString QPrinterTarget::endProblem(bool painterEnded, QPrinter::PrinterState state, const QString &submissionError)
{
    if (!painterEnded)
        return QStringLiteral("the printer could not finish the page");
    if (state == QPrinter::Error || state == QPrinter::Aborted)
        return QStringLiteral("the printer reported an error");
    return submissionError;
}

} // namespace vellora
