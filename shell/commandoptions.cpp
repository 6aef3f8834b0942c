#include "shell/commandoptions.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace vellora::options {

namespace {

constexpr unsigned kShop = bit(Command::ExportShopPdf);
constexpr unsigned kCompose = bit(Command::Compose);
// The commands that write the deck itself.
constexpr unsigned kDecks = bit(Command::ExportPdf) | bit(Command::ExportCards) | kShop;

const OptionRow kOptions[] = {
    {"help", nullptr, Command::Help, 0, QT_TRANSLATE_NOOP("CommandLine", "Toont deze uitleg.")},
    {"export-pdf", QT_TRANSLATE_NOOP("CommandLine", "UIT.pdf"), Command::ExportPdf, 0,
     QT_TRANSLATE_NOOP("CommandLine", "Schrijft het hele deck als PDF, zonder venster. Een bestaande PDF "
                                      "wordt vervangen, een ander bestand "
                                      "nooit.")},
    {"export-cards", QT_TRANSLATE_NOOP("CommandLine", "MAP"), Command::ExportCards, 0,
     QT_TRANSLATE_NOOP("CommandLine", "Schrijft elke kaart en de rugzijde als PNG van 300 dpi met afloop, in "
                                      "een nieuwe of lege map of over "
                                      "eerder geschreven kaarten.")},
    {"calibration", QT_TRANSLATE_NOOP("CommandLine", "UIT.pdf"), Command::Calibration, 0,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Schrijft de uitlijnpagina voor dubbelzijdig afdrukken als PDF van twee pagina's.")},
    {"export-shop-pdf", QT_TRANSLATE_NOOP("CommandLine", "UIT.pdf"), Command::ExportShopPdf, 0,
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Schrijft een PDF voor de drukkerij: elke kant van elke kaart een pagina, met afloop.")},
    {"", "PROJECT", Command::Window, kDecks,
     QT_TRANSLATE_NOOP("CommandLine", "Het project; een naam zonder map komt uit de map Projecten van het "
                                      "venster. Zonder: het lege blad.")},
    {"back", QT_TRANSLATE_NOOP("CommandLine", "N|PLAATJE"), Command::Window, kDecks,
     QT_TRANSLATE_NOOP("CommandLine", "Rugzijde N uit Backgrounds, vanaf 1, 0 voor geen rugzijde, of een "
                                      "eigen plaatje. Zonder: de eerste, "
                                      "zoals in het venster.")},
    {"order", "duplex|alternate|faces-first", Command::Window, bit(Command::ExportPdf) | kShop,
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Elke pagina voorkanten gevolgd door haar rugzijde (standaard), of eerst alle voorkanten.")},
    {"layout", "pages|cards", Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "De pagina's van \"Serie 1\" tot \"Serie 6\" op A4 (standaard), of hele kaarten op ware grootte.")},
    {"card-size", "poker|bridge|63x88|57x90", Command::Window, kDecks,
     QT_TRANSLATE_NOOP("CommandLine", "De maat van de kaarten in mm; standaard 63x88.")},
    {"paper", "a4|letter", Command::Window, bit(Command::ExportPdf) | bit(Command::Calibration),
     QT_TRANSLATE_NOOP("CommandLine", "Het papier van de kaarten; standaard dat van de taalinstelling.")},
    {"flip", "short|long", Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP("CommandLine", "Het blad keert over de korte zijde (standaard) of over de lange.")},
    {"back-shift", "X,Y", Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP("CommandLine",
                       "Schuift de rugzijden X mm naar rechts en Y mm omlaag, elk van -5.0 tot 5.0.")},
    {"whole-page-back", nullptr, Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP("CommandLine", "Rug over de hele pagina.")},
    {"bleed", "MM|INCHin", Command::Window, bit(Command::ExportCards) | kShop,
     QT_TRANSLATE_NOOP("CommandLine", "Afloop rond elke kaart in mm, van 0 tot 10; standaard 3.")},
    {"cut", "card|frame", Command::Window, bit(Command::ExportCards) | kShop,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Elke voorkant gesneden in het wit van de kaart (standaard), of op de groene rand.")},
    {"cmyk", nullptr, Command::Window, kShop,
     QT_TRANSLATE_NOOP("CommandLine", "De drukkerij-PDF in CMYK, als PDF/X-1a:2003.")},
    {"ink", "300|240", Command::Window, kShop,
     QT_TRANSLATE_NOOP("CommandLine", "Ten hoogste zoveel procent inkt bij --cmyk; standaard 300.")},
    {"no-cut-marks", nullptr, Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP("CommandLine", "Zonder snijtekens.")},
    {"no-scale-bar", nullptr, Command::Window, bit(Command::ExportPdf),
     QT_TRANSLATE_NOOP("CommandLine", "Zonder maatstreep.")},
    {"compose", QT_TRANSLATE_NOOP("CommandLine", "UIT.krt"), Command::Compose, 0,
     QT_TRANSLATE_NOOP("CommandLine", "Maakt een project zoals het venster met Ok, zonder venster; een naam "
                                      "zonder map komt in de map Projecten. "
                                      "Een bestaand bestand wordt nooit vervangen.")},
    {"style", "0-9", Command::Window, kCompose,
     QT_TRANSLATE_NOOP("CommandLine", "De symboolstijl, als de tien keuzes in het venster; standaard 0.")},
    {"classic", nullptr, Command::Window, kCompose, QT_TRANSLATE_NOOP("CommandLine", "Klassieke kaarten.")},
    {"courts", nullptr, Command::Window, kCompose,
     QT_TRANSLATE_NOOP("CommandLine", "Met de hofkaarten van het programma.")},
    {"joker", "N", Command::Window, kCompose,
     QT_TRANSLATE_NOOP("CommandLine", "Joker N op alle vier de jokers, vanaf 1.")},
};

} // namespace

std::span<const OptionRow> rows()
{
    return kOptions;
}

const OptionRow *find(const QByteArray &name)
{
    const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [&](const OptionRow &r) { return *r.name && name == r.name; });
    return row == std::end(kOptions) ? nullptr : row;
}

std::size_t indexOf(const OptionRow *row)
{
    return std::size_t(row - kOptions);
}

QString dashed(const char *name)
{
    return QStringLiteral("--") + QLatin1String(name);
}

} // namespace vellora::options

namespace vellora {

QString CommandLine::usage()
{
    QStringList lines{
        QCoreApplication::translate(
            "CommandLine", "Gebruik: vellora [--export-pdf UIT.pdf | --export-cards MAP [PROJECT] [OPTIES] | "
                           "--calibration UIT.pdf [--paper a4|letter] | --compose UIT.krt [OPTIES]]"),
        QCoreApplication::translate("CommandLine", "Zonder opties opent vellora zijn venster.")};
    for (const options::OptionRow &row : options::rows()) {
        QString left = *row.name ? options::dashed(row.name) : QString();
        if (row.value)
            left += (left.isEmpty() ? QString() : QStringLiteral(" ")) +
                    QCoreApplication::translate("CommandLine", row.value);
        lines << QStringLiteral("  %1 %2").arg(left, -28).arg(
            QCoreApplication::translate("CommandLine", row.usage));
    }
    lines << QCoreApplication::translate("CommandLine",
                                         "Het venster neemt ook de opties van Qt aan, met één "
                                         "streepje, zoals -platform, -style, -session en -display.");
    return lines.join(u'\n') + u'\n';
}

namespace {

// Text as troff takes it: a backslash doubled, a dash that is a minus, a line that starts with a dot or an
// apostrophe guarded.
QString troff(QString text)
{
    text.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

} // namespace

QString CommandLine::manualPage(const QString &version)
{
    QStringList lines{
        QStringLiteral(".TH VELLORA 1 \"\" \"Vellora %1\"").arg(version),
        QStringLiteral(".SH ") + QCoreApplication::translate("CommandLine", "NAAM"),
        QStringLiteral("vellora \\- ") +
            troff(QCoreApplication::translate("CommandLine",
                                              "een heel spel van 56 speelkaarten ontwerpen en afdrukken")),
        QStringLiteral(".SH ") + QCoreApplication::translate("CommandLine", "OVERZICHT"),
        QStringLiteral(".B vellora"),
        troff(QCoreApplication::translate("CommandLine", "[OPTIES]")),
        QStringLiteral(".SH ") + QCoreApplication::translate("CommandLine", "BESCHRIJVING"),
        troff(QCoreApplication::translate("CommandLine", "Zonder opties opent vellora zijn venster.")),
        QStringLiteral(".SH ") + QCoreApplication::translate("CommandLine", "OPTIES")};
    for (const options::OptionRow &row : options::rows()) {
        lines << QStringLiteral(".TP");
        QString term =
            *row.name ? QStringLiteral("\\fB") + troff(options::dashed(row.name)) + QStringLiteral("\\fR")
                      : QString();
        if (row.value)
            term += (term.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("\\fI") +
                    troff(QCoreApplication::translate("CommandLine", row.value)) + QStringLiteral("\\fR");
        lines << term << troff(QCoreApplication::translate("CommandLine", row.usage));
    }
    lines << QStringLiteral(".PP")
          << troff(QCoreApplication::translate("CommandLine",
                                               "Het venster neemt ook de opties van Qt aan, met één "
                                               "streepje, zoals -platform, -style, -session en -display."));
    return lines.join(u'\n') + u'\n';
}

} // namespace vellora
