#include "shell/commandline.h"
#include "shell/qtoptions.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>

namespace vellora {

namespace {

constexpr unsigned bit(Command command)
{
    return 1u << unsigned(command);
}

// One row of the command line. A row that starts a command takes the name of the output as its value; the
// others qualify the commands they belong to. A row without a name is the command's own argument.
struct OptionRow
{
    const char *name;   // after the two dashes
    const char *value;  // the value's name in the usage; nullptr for a switch
    Command starts;     // Window for a row that starts nothing
    unsigned belongsTo; // bit(command) for each command it qualifies
    const char *usage;  // UTF-8
};

constexpr unsigned kShop = bit(Command::ExportShopPdf);
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
    {"cut", "card|frame", Command::Window, bit(Command::ExportCards) | kShop,
     "Elke voorkant gesneden in het wit van de kaart (standaard), of op de groene rand."},
    {"cmyk", nullptr, Command::Window, kShop, "De drukkerij-PDF in CMYK, als PDF/X-1a:2003."},
    {"ink", "300|240", Command::Window, kShop, "Ten hoogste zoveel procent inkt bij --cmyk; standaard 300."},
    {"no-cut-marks", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder snijtekens."},
    {"no-scale-bar", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder maatstreep."},
};

QString refusal(const QString &why)
{
    return QStringLiteral("vellora: ") + why;
}

QString dashed(const char *name)
{
    return QStringLiteral("--") + QLatin1String(name);
}

const OptionRow *findOption(const QByteArray &name)
{
    const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [&](const OptionRow &r) { return *r.name && name == r.name; });
    return row == std::end(kOptions) ? nullptr : row;
}

// What was given for each row of kOptions, by its index; a switch that was given holds an empty value.
using Given = std::array<std::optional<QByteArray>, std::size(kOptions)>;

std::optional<QByteArray> given(const Given &values, const char *name)
{
    return values[std::size_t(findOption(name) - kOptions)];
}

QString shownValue(const QByteArray &value)
{
    return QFile::decodeName(value);
}

// One of the words a valued option takes, as the option names them; nothing when the value is none of them.
template <typename T>
std::optional<T> oneOf(const std::optional<QByteArray> &value,
                       std::initializer_list<std::pair<const char *, T>> words)
{
    for (const auto &[word, meaning] : words)
        if (value && *value == word)
            return meaning;
    return std::nullopt;
}

// The output, the project and the back of a command that writes; empty when they are fine.
QString readNames(Command command, const Given &values, const QList<QByteArray> &arguments,
                  PdfExportRequest &request)
{
    const char *starter = command == Command::ExportPdf       ? "export-pdf"
                          : command == Command::ExportCards   ? "export-cards"
                          : command == Command::ExportShopPdf ? "export-shop-pdf"
                                                              : "calibration";
    request.output = *given(values, starter);
    if (request.output.isEmpty())
        return QStringLiteral("%1 heeft een %2 nodig")
            .arg(dashed(starter),
                 command == Command::ExportCards ? QStringLiteral("map") : QStringLiteral("bestandsnaam"));
    if (command == Command::Calibration && !arguments.isEmpty())
        return QStringLiteral("onverwacht argument \"%1\"; zie vellora --help")
            .arg(shownValue(arguments.front()));
    if (arguments.size() > 1)
        return QStringLiteral("één project tegelijk, niet %1").arg(arguments.size());
    request.project = arguments.value(0);
    if (arguments.size() == 1 && request.project.isEmpty())
        return QStringLiteral("de naam van het project is leeg");
    if (const auto back = given(values, "back")) {
        bool isNumber = false;
        request.back = back->toInt(&isNumber);
        if (!isNumber)
            request.back.reset(), request.backPicture = *back;
        if (back->isEmpty() || (isNumber && *request.back < 0))
            return QStringLiteral("--back is een nummer vanaf 0 of een plaatje, niet \"%1\"")
                .arg(shownValue(*back));
    }
    return {};
}

// A number as written, finite and within [low, high]; nan, inf and 1e999 are not measures.
std::optional<double> measure(const QByteArray &text, double low, double high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

QString notAllowed(const Given &values, const char *name, const char *allowed)
{
    return QStringLiteral("--%1 is %2, niet \"%3\"")
        .arg(QLatin1String(name), QString::fromUtf8(allowed), shownValue(*given(values, name)));
}

// One of the words option `name` takes, into `into` when given; why not when it is none of them.
template <typename T>
QString readWord(const Given &values, const char *name, const char *allowed,
                 std::initializer_list<std::pair<const char *, T>> words, T &into)
{
    if (!given(values, name))
        return {};
    const std::optional<T> meaning = oneOf<T>(given(values, name), words);
    if (!meaning)
        return notAllowed(values, name, allowed);
    into = *meaning;
    return {};
}

QString readWords(const Given &values, print::DeckOptions &options)
{
    using namespace print;
    QString why = readWord<DeckOrder>(
        values, "order", "duplex, alternate of faces-first",
        {{"duplex", DeckOrder::Duplex}, {"alternate", DeckOrder::Duplex}, {"faces-first", DeckOrder::FacesFirst}},
        options.order);
    if (why.isEmpty())
        why = readWord<DeckLayout>(values, "layout", "pages of cards",
                                   {{"pages", DeckLayout::Pages}, {"cards", DeckLayout::Cards}},
                                   options.layout);
    if (why.isEmpty())
        why = readWord<CardSize>(values, "card-size", "poker, bridge, 63x88 of 57x90",
                                 {{"poker", CardSize::Poker}, {"bridge", CardSize::Bridge},
                                  {"63x88", CardSize::Size63x88}, {"57x90", CardSize::Size57x90}},
                                 options.cardSize);
    return why;
}

// The pages give their cards their own size, so a size asked for them would silently not be the one printed.
QString cardSizeFits(Command command, const Given &values, const print::DeckOptions &options)
{
    if (command == Command::ExportPdf && options.layout == print::DeckLayout::Pages &&
        given(values, "card-size"))
        return QStringLiteral("--card-size geldt alleen voor hele kaarten; kies --layout cards");
    return {};
}

// The paper: the pages are A4; the cards take the paper of the user's part of the world unless told
// otherwise.
QString readPaper(Command command, const Given &values, print::DeckOptions &options)
{
    const bool pages = options.layout == print::DeckLayout::Pages && command == Command::ExportPdf;
    options.paper = pages ? print::Paper::A4 : print::defaultPaper(QLocale::system());
    print::Paper paper = options.paper;
    const QString why = readWord<print::Paper>(values, "paper", "a4 of letter",
                                               {{"a4", print::Paper::A4}, {"letter", print::Paper::Letter}}, paper);
    if (!why.isEmpty())
        return why;
    if (paper != print::Paper::A4 && pages)
        return QString::fromUtf16(print::kPagesOnA4Only) + QStringLiteral(" Kies --layout cards.");
    options.paper = paper;
    return {};
}

QString readMeasures(const Given &values, PdfExportRequest &request)
{
    print::DeckOptions &options = request.options;
    QString why = readWord<print::Turn>(values, "flip", "short of long",
                                        {{"short", print::Turn::ShortEdge}, {"long", print::Turn::LongEdge}},
                                        options.turn);
    if (!why.isEmpty())
        return why;
    if (const auto shift = given(values, "back-shift")) {
        // The comma parts X from Y, so a comma within a number cannot be told from it: 3,5,0 is refused.
        const QList<QByteArray> parts = shift->split(',');
        const double max = print::kMaxBackShiftMm;
        const auto x = measure(parts.value(0), -max, max), y = measure(parts.value(1), -max, max);
        if (parts.size() > 2)
            return notAllowed(values, "back-shift", "X,Y in mm; gebruik een punt in een getal (1.5,-0.5)");
        if (parts.size() != 2 || !x || !y)
            return notAllowed(values, "back-shift", "X,Y in mm, elk van -5.0 tot 5.0");
        options.backShiftMm = QPointF(std::round(*x * 10) / 10, std::round(*y * 10) / 10);
    }
    if (const auto bleed = given(values, "bleed")) {
        const auto mm = print::bleedFromText(QString::fromLocal8Bit(*bleed));
        if (!mm)
            return notAllowed(values, "bleed", "een maat in mm van 0 tot 10");
        request.bleedMm = *mm;
    }
    request.cmyk = given(values, "cmyk").has_value();
    options.wholePageBack = given(values, "whole-page-back").has_value();
    options.cutMarks = !given(values, "no-cut-marks");
    options.scaleBar = !given(values, "no-scale-bar");
    why = readWord<int>(values, "ink", "300 of 240", {{"300", 300}, {"240", 240}}, request.inkPercent);
    using print::FaceCut;
    return !why.isEmpty() ? why : readWord<FaceCut>(values, "cut", "card of frame",
                                                    {{"card", FaceCut::Card}, {"frame", FaceCut::Frame}}, request.cut);
}

std::variant<PdfExportRequest, QString> readRequest(Command command, const Given &values,
                                                    const QList<QByteArray> &arguments)
{
    PdfExportRequest request;
    QString why = readNames(command, values, arguments, request);
    if (why.isEmpty())
        why = readWords(values, request.options);
    if (why.isEmpty())
        why = cardSizeFits(command, values, request.options);
    if (why.isEmpty())
        why = readPaper(command, values, request.options);
    if (why.isEmpty())
        why = readMeasures(values, request);
    if (!why.isEmpty())
        return why;
    return request;
}

// The words of argv after the program's name, sorted into option values and arguments.
struct Reading
{
    Given values;
    QList<QByteArray> arguments;
    Command command = Command::Window;
};

// Option word argv[i], with its value; `i` moves past what it took. Why not, when it cannot be taken.
QString readOption(const QList<QByteArray> &argv, qsizetype &i, Reading &reading)
{
    const QByteArray &word = argv[i];
    const bool twoDashes = word.startsWith("--");
    const QByteArray body = word.mid(twoDashes ? 2 : 1);
    const qsizetype equals = body.indexOf('=');
    const QByteArray name = equals < 0 ? body : body.first(equals);
    const QString shown = QFile::decodeName(word.first(word.size() - body.size() + name.size()));
    const auto qt = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                 [&](const auto &option) { return name == option.name; });
    if (qt != std::end(kQtOptions))
        return qt->valued && equals < 0 && ++i == argv.size()
                   ? QStringLiteral("%1 heeft een waarde nodig").arg(shown)
                   : QString();
    const OptionRow *row = findOption(name);
    if (!row)
        return QStringLiteral("onbekende optie %1; zie vellora --help").arg(shown);
    if (!twoDashes)
        return QStringLiteral("%1 schrijft u met twee streepjes: --%2").arg(shown, QLatin1String(name));
    std::optional<QByteArray> &value = reading.values[std::size_t(row - kOptions)];
    if (value)
        return QStringLiteral("%1 staat er meer dan eens").arg(shown);
    if (!row->value) {
        if (equals >= 0)
            return QStringLiteral("%1 neemt geen waarde").arg(shown);
        value = QByteArray();
    } else if (equals >= 0) {
        value = body.mid(equals + 1);
    } else if (i + 1 < argv.size() && !argv[i + 1].startsWith("--")) {
        value = argv[++i];
    } else {
        return QStringLiteral("%1 heeft een waarde nodig: %2").arg(shown, QLatin1String(row->value));
    }
    if (row->starts == Command::Window)
        return {};
    if (reading.command != Command::Window)
        return QStringLiteral("één opdracht tegelijk, niet ook %1").arg(shown);
    reading.command = row->starts;
    return {};
}

// Every option given must belong to the command given.
QString belonging(const Reading &reading)
{
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
        const OptionRow &row = kOptions[i];
        if (!reading.values[i] || row.starts != Command::Window || (row.belongsTo & bit(reading.command)))
            continue;
        QStringList commands;
        for (const OptionRow &starter : kOptions)
            if (starter.starts != Command::Window && (row.belongsTo & bit(starter.starts)))
                commands << dashed(starter.name);
        return QStringLiteral("%1 hoort bij %2").arg(dashed(row.name), commands.join(QStringLiteral(" of ")));
    }
    return {};
}

} // namespace

std::variant<CommandLineRequest, QString> CommandLine::parse(const QList<QByteArray> &argv)
{
    // Asked for help, the rest of the line does not matter.
    const auto end = std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), argv.end(), "--");
    if (std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), end, "--help") != end)
        return CommandLineRequest{Command::Help, {}};

    Reading reading;
    bool namesOnly = false;
    for (qsizetype i = 1; i < argv.size(); ++i) {
        const QByteArray &word = argv[i];
        if (namesOnly || word.size() < 2 || !word.startsWith('-'))
            reading.arguments << word;
        else if (word == "--")
            namesOnly = true;
        else if (const QString why = readOption(argv, i, reading); !why.isEmpty())
            return refusal(why);
    }
    if (const QString why = belonging(reading); !why.isEmpty())
        return refusal(why);

    CommandLineRequest request{reading.command, {}};
    if (reading.command == Command::Window || reading.command == Command::Help) {
        if (!reading.arguments.isEmpty())
            return refusal(QStringLiteral("onverwacht argument \"%1\"; zie vellora --help")
                               .arg(QFile::decodeName(reading.arguments.front())));
        return request;
    }
    auto read = readRequest(reading.command, reading.values, reading.arguments);
    if (const QString *error = std::get_if<QString>(&read))
        return refusal(*error);
    request.exportPdf = std::get<PdfExportRequest>(std::move(read));
    return request;
}

QString CommandLine::usage()
{
    QStringList lines{
        QStringLiteral("Gebruik: vellora [--export-pdf UIT.pdf | --export-cards MAP [PROJECT] [OPTIES] | "
                       "--calibration UIT.pdf [--paper a4|letter]]"),
        QStringLiteral("Zonder opties opent vellora zijn venster.")};
    for (const OptionRow &row : kOptions) {
        QString left = *row.name ? dashed(row.name) : QString();
        if (row.value)
            left += (left.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1String(row.value);
        lines << QStringLiteral("  %1 %2").arg(left, -28).arg(QString::fromUtf8(row.usage));
    }
    lines << QStringLiteral(
        "Het venster neemt ook de opties van Qt aan, zoals -platform, -style, -session en -display.");
    return lines.join(u'\n') + u'\n';
}

} // namespace vellora
