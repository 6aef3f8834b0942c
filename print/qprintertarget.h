#pragma once

#include "platform.h"

#include <QPrinter>
#include <QString>

#include <memory>

class QPainter;

namespace vellora {

class PrintQueues;

// Pages on the system's default printer through Qt: A4, one copy, laid out in twips from the paper's origin
// and scaled by the printer's own resolution. begin() refuses a page that would not really print, and end()
// reports a page printed only when Qt and the print server both accepted it.
class QPrinterTarget final : public PrintTarget
{
public:
    // The default printer, judged by the system's print server.
    QPrinterTarget();
    // The default printer, judged by the queues given (kept by reference).
    explicit QPrinterTarget(const PrintQueues &queues);
    // Pages written to a PDF file by the same painting, with no printer or queue involved: for tests and
    // measurements that need the real output without a print server.
    static std::unique_ptr<QPrinterTarget> toPdfFile(const QString &path);
    ~QPrinterTarget() override;

    bool begin(QPageLayout::Orientation orientation, QString *error) override;
    void paintPicture(const QImage &picture, const QRect &twips) override;
    bool end(QString *error) override;

    // The verdict on a page once Qt has finished with it; kept apart so that each way of failing can be
    // tried without a failing printer. `submissionError` is the print server's complaint, if any.
    static QString endProblem(bool painterEnded, QPrinter::PrinterState state, const QString &submissionError);

private:
    QPrinterTarget(const PrintQueues *queues, QString pdfPath);

    std::unique_ptr<PrintQueues> m_ownQueues;
    const PrintQueues *m_queues = nullptr; // null for PDF output
    QString m_pdfPath;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace vellora
