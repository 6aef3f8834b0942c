#include "print/deckdialogs.h"

#include "surface/twips.h"
#include "surface/userfolders.h"
#include "surface/widgets/dialogparts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vellora {

std::optional<QString> QtDeckDialogs::pdfPath(QWidget *parent, const QString &suggested)
{
    const QString path =
        QFileDialog::getSaveFileName(parent, QCoreApplication::translate("Print", "Opslaan als PDF"),
                                     suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".pdf");
}

std::optional<PrintChoice> QtDeckDialogs::printer(QWidget *parent, const QString &printer)
{
    QPrinter qprinter(QPrinterInfo::printerInfo(printer), QPrinter::HighResolution);
    qprinter.setDocName(QStringLiteral("Vellora"));
    QPrintDialog dialog(&qprinter, parent);
    // The pages are laid out already; only where they go, how often and on which sides is asked.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    choice.printer = qprinter.printerName();
    choice.options.copies = qprinter.copyCount();
    if (qprinter.duplex() != QPrinter::DuplexNone)
        choice.options.sides =
            qprinter.duplex() == QPrinter::DuplexShortSide ? "two-sided-short-edge" : "two-sided-long-edge";
    if (qprinter.outputFormat() == QPrinter::PdfFormat)
        choice.pdfFile = qprinter.outputFileName();
    const QPageSize::PageSizeId paper = qprinter.pageLayout().pageSize().id();
    if (paper == QPageSize::A4 || paper == QPageSize::Letter)
        choice.paper = paper == QPageSize::A4 ? print::Paper::A4 : print::Paper::Letter;
    return choice;
}

std::optional<QString> QtDeckDialogs::cardFolder(QWidget *parent, const QString &suggested)
{
    const QString folder = QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("Print", "Kaarten als afbeeldingen"), suggested);
    return folder.isEmpty() ? std::nullopt : std::optional(folder);
}

std::optional<QString> QtDeckDialogs::backPicture(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("Print", "Eigen rug"), UserFolders::ofThisUser().pictures,
        QCoreApplication::translate("Print",
                                    "Afbeeldingen (*.bmp *.jpg *.jpeg *.gif *.png *.webp *.heic *.heif)"));
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

QLabel *print::screenResolutionLine(QWidget *window, const QRect &twips)
{
    auto *line = new QLabel(screenResolutionText(), window);
    line->setObjectName(QStringLiteral("Schermresolutie"));
    line->setGeometry(px(twips));
    // Room for two lines, standing on the lower one, as the Dutch does not fit one at the window's width.
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    // The colour of the window's other warning, the edge band's.
    setColours(line, QColor(150, 20, 20));
    line->hide();
    return line;
}

void print::showScreenResolution(QLabel *line, const PrintRecord &record)
{
    line->setVisible(record.isSheetEnlarged());
}

} // namespace vellora
