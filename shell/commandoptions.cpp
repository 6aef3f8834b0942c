#include "shell/commandoptions.h"

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
    {"help", nullptr, Command::Help, 0, "Toont deze uitleg."},
    {"export-pdf", "UIT.pdf", Command::ExportPdf, 0,
     "Schrijft het hele deck als PDF, zonder venster. Een bestaande PDF wordt vervangen, een ander bestand "
     "nooit."},
    {"export-cards", "MAP", Command::ExportCards, 0,
     "Schrijft elke kaart en de rugzijde als PNG van 300 dpi met afloop, in een nieuwe of lege map of over "
     "eerder geschreven kaarten."},
    {"calibration", "UIT.pdf", Command::Calibration, 0,
     "Schrijft de uitlijnpagina voor dubbelzijdig afdrukken als PDF van twee pagina's."},
    {"export-shop-pdf", "UIT.pdf", Command::ExportShopPdf, 0,
     "Schrijft een PDF voor de drukkerij: elke kant van elke kaart een pagina, met afloop."},
    {"", "PROJECT", Command::Window, kDecks,
     "Het project; een naam zonder map komt uit de map Projecten van het venster. Zonder: het lege blad."},
    {"back", "N|PLAATJE", Command::Window, kDecks,
     "Rugzijde N uit Backgrounds, vanaf 1, 0 voor geen rugzijde, of een eigen plaatje. Zonder: de eerste, "
     "zoals in het venster."},
    {"order", "duplex|alternate|faces-first", Command::Window, bit(Command::ExportPdf) | kShop,
     "Elke pagina voorkanten gevolgd door haar rugzijde (standaard), of eerst alle voorkanten."},
    {"layout", "pages|cards", Command::Window, bit(Command::ExportPdf),
     "De pagina's van \"Serie 1\" tot \"Serie 6\" op A4 (standaard), of hele kaarten op ware grootte."},
    {"card-size", "poker|bridge|63x88|57x90", Command::Window, kDecks,
     "De maat van de kaarten in mm; standaard 63x88."},
    {"paper", "a4|letter", Command::Window, bit(Command::ExportPdf) | bit(Command::Calibration),
     "Het papier van de kaarten; standaard dat van de taalinstelling."},
    {"flip", "short|long", Command::Window, bit(Command::ExportPdf),
     "Het blad keert over de korte zijde (standaard) of over de lange."},
    {"back-shift", "X,Y", Command::Window, bit(Command::ExportPdf),
     "Schuift de rugzijden X mm naar rechts en Y mm omlaag, elk van -5.0 tot 5.0."},
    {"whole-page-back", nullptr, Command::Window, bit(Command::ExportPdf), "Rug over de hele pagina."},
    {"bleed", "MM|INCHin", Command::Window, bit(Command::ExportCards) | kShop,
     "Afloop rond elke kaart in mm, van 0 tot 10; standaard 3."},
    {"cmyk", nullptr, Command::Window, kShop, "De drukkerij-PDF in CMYK, als PDF/X-1a:2003."},
    {"ink", "300|240", Command::Window, kShop, "Ten hoogste zoveel procent inkt bij --cmyk; standaard 300."},
    {"no-cut-marks", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder snijtekens."},
    {"no-scale-bar", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder maatstreep."},
    {"compose", "UIT.krt", Command::Compose, 0,
     "Maakt een project zoals het venster met Ok, zonder venster; een naam zonder map komt in de map Projecten. "
     "Een bestaand bestand wordt nooit vervangen."},
    {"style", "0-9", Command::Window, kCompose, "De symboolstijl, als de tien keuzes in het venster; standaard 0."},
    {"classic", nullptr, Command::Window, kCompose, "Klassieke kaarten."},
    {"courts", nullptr, Command::Window, kCompose, "Met de hofkaarten van het programma."},
    {"joker", "N", Command::Window, kCompose, "Joker N op alle vier de jokers, vanaf 1."},
};

} // namespace

std::span<const OptionRow> rows() { return kOptions; }

const OptionRow *find(const QByteArray &name)
{
    const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [&](const OptionRow &r) { return *r.name && name == r.name; });
    return row == std::end(kOptions) ? nullptr : row;
}

std::size_t indexOf(const OptionRow *row) { return std::size_t(row - kOptions); }

QString dashed(const char *name) { return QStringLiteral("--") + QLatin1String(name); }

} // namespace vellora::options

namespace vellora {

QString CommandLine::usage()
{
    QStringList lines{
        QStringLiteral("Gebruik: vellora [--export-pdf UIT.pdf | --export-cards MAP [PROJECT] [OPTIES] | "
                       "--calibration UIT.pdf [--paper a4|letter] | --compose UIT.krt [OPTIES]]"),
        QStringLiteral("Zonder opties opent vellora zijn venster.")};
    for (const options::OptionRow &row : options::rows()) {
        QString left = *row.name ? options::dashed(row.name) : QString();
        if (row.value)
            left += (left.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1String(row.value);
        lines << QStringLiteral("  %1 %2").arg(left, -28).arg(QString::fromUtf8(row.usage));
    }
    lines << QStringLiteral(
        "Het venster neemt ook de opties van Qt aan, met één streepje, zoals -platform, -style, -session en -display.");
    return lines.join(u'\n') + u'\n';
}

} // namespace vellora
