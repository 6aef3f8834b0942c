#include "print/deckexport.h"

#include "surface/appfolder.h"
#include "print/backgallery.h"
#include "sheet/cardsheet.h"
#include "surface/picturefile.h"

#include <QCommandLineParser>

namespace vellora::print {

namespace {

const QString kExport = QStringLiteral("export-pdf");

PdfExportCommand::Outcome refused(const QString &why)
{
    return {PdfExportCommand::kExitRefused, QStringLiteral("vellora: ") + why};
}

} // namespace

std::optional<QByteArray> deckPdf(const QImage &sheet, const BackChoice &back, const DeckOptions &options,
                                  QString *error, const PageProgress &progress)
{
    const std::optional<std::vector<PrintPage>> pages = deckPages(sheet, back, options, error);
    if (!pages)
        return std::nullopt;
    return pdfDocument(*pages, error, progress);
}

bool PdfExportCommand::requested(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == QLatin1String("--export-pdf") || a.startsWith(QLatin1String("--export-pdf=")))
            return true;
    }
    return false;
}

PdfExportCommand::Outcome PdfExportCommand::run(const QStringList &arguments) const
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption out(kExport, QStringLiteral("Schrijf het hele deck als PDF."), QStringLiteral("OUT.pdf"));
    const QCommandLineOption back(QStringLiteral("back"), QStringLiteral("Rugzijde N uit Backgrounds, vanaf 1."),
                                  QStringLiteral("N"));
    const QCommandLineOption order(QStringLiteral("order"), QStringLiteral("duplex of faces-first."),
                                   QStringLiteral("ORDER"), QStringLiteral("duplex"));
    const QCommandLineOption noMarks(QStringLiteral("no-cut-marks"), QStringLiteral("Zonder snijtekens."));
    const QCommandLineOption noBar(QStringLiteral("no-scale-bar"), QStringLiteral("Zonder maatstreep."));
    parser.addOptions({out, back, order, noMarks, noBar});
    parser.addPositionalArgument(QStringLiteral("PROJECT.krt"), QStringLiteral("Het project; anders het lege blad."));
    if (!parser.parse(arguments))
        return refused(parser.errorText());
    const QString path = parser.value(out);
    if (path.isEmpty())
        return refused(QStringLiteral("--export-pdf heeft een bestandsnaam nodig"));
    const QStringList projects = parser.positionalArguments();
    if (projects.size() > 1)
        return refused(QStringLiteral("één project tegelijk, niet %1").arg(projects.size()));

    DeckOptions options;
    const QString orderText = parser.value(order);
    if (orderText != u"duplex" && orderText != u"faces-first")
        return refused(QStringLiteral("--order is duplex of faces-first, niet \"%1\"").arg(orderText));
    options.order = orderText == u"duplex" ? DeckOrder::Duplex : DeckOrder::FacesFirst;
    options.cutMarks = !parser.isSet(noMarks);
    options.scaleBar = !parser.isSet(noBar);

    const QString sheetPath = projects.isEmpty() ? m_folder.resolve(u"\\Data\\Kaarten.krt") : projects.front();
    const PictureLoad sheet =
        PictureFile::loadExactly(sheetPath, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!sheet.ok())
        return refused(QStringLiteral("%1 is geen Vellora-project: %2").arg(sheetPath, sheet.error));

    BackChoice chosen;
    if (parser.isSet(back)) {
        const BackGallery gallery(m_folder);
        bool isNumber = false;
        const int n = parser.value(back).toInt(&isNumber);
        if (isNumber && n >= 1 && n <= gallery.count())
            chosen = gallery.choice(n - 1);
        if (chosen.image.isNull())
            return refused(QStringLiteral("rugzijde %1 bestaat niet (Backgrounds heeft er %2)")
                               .arg(parser.value(back))
                               .arg(gallery.count()));
    }

    QString error;
    const std::optional<QByteArray> pdf = deckPdf(sheet.image, chosen, options, &error);
    if (!pdf)
        return refused(error);
    if (!savePdf(*pdf, path, &error))
        return refused(QStringLiteral("%1 kan niet worden geschreven: %2").arg(path, error));
    return {};
}

} // namespace vellora::print
