#pragma once

#include "surface/platform.h"
#include "print/printpage.h"

#include <QString>

#include <memory>
#include <optional>

namespace vellora {

class PrintQueues;

// Pages on the system's default printer: each page is laid out, made into a whole PDF document in memory and
// only then handed to the print server, so a full temporary folder or a lost connection can never turn into a
// truncated job that reports success. begin() refuses a page that would not really print; end() reports a page
// printed only when the server accepted the whole document.
class SystemPrintTarget final : public PrintTarget
{
public:
    // The default printer, judged by the system's print server.
    SystemPrintTarget();
    // The default printer, judged by the queues given (kept by reference).
    explicit SystemPrintTarget(const PrintQueues &queues);
    // Pages written to a PDF file by the same layout, with no printer or queue involved: for tests and
    // measurements that need the real output without a print server.
    static std::unique_ptr<SystemPrintTarget> toPdfFile(const QString &path);
    ~SystemPrintTarget() override;

    bool begin(QPageLayout::Orientation orientation, QString *error) override;
    void paintPicture(const QImage &picture, const QRect &twips) override;
    bool end(QString *error) override;

private:
    SystemPrintTarget(const PrintQueues *queues, QString pdfPath);

    std::unique_ptr<PrintQueues> m_ownQueues;
    const PrintQueues *m_queues = nullptr; // null for PDF output
    QString m_pdfPath;
    QString m_printer;
    std::optional<print::PrintPage> m_page;
};

} // namespace vellora
