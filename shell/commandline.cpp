#include "shell/commandline.h"

#include "shell/commandoptions.h"
#include "shell/qtoptions.h"

#include <QCoreApplication>
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

// The command line's one line: the program's name, then why.
Outcome refusal(const Outcome &why)
{
    return Outcome::refusal(QStringLiteral("vellora: ") + why.text(), why.reason());
}

using options::dashed;
using options::OptionRow;

// What was given for each row of the options, by its index; a switch that was given holds an empty value.
using Given = std::vector<std::optional<QByteArray>>;

std::optional<QByteArray> given(const Given &values, const char *name)
{
    return values[options::indexOf(options::find(name))];
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
Outcome readNames(Command command, const Given &values, const QList<QByteArray> &arguments,
                  PdfExportRequest &request)
{
    const char *starter = command == Command::ExportPdf       ? "export-pdf"
                          : command == Command::ExportCards   ? "export-cards"
                          : command == Command::ExportShopPdf ? "export-shop-pdf"
                          : command == Command::Compose       ? "compose"
                                                              : "calibration";
    request.output = *given(values, starter);
    if (request.output.isEmpty())
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "%1 heeft een %2 nodig")
                .arg(dashed(starter), command == Command::ExportCards
                                          ? QCoreApplication::translate("CommandLine", "map")
                                          : QCoreApplication::translate("CommandLine", "bestandsnaam")));
    if ((command == Command::Calibration || command == Command::Compose) && !arguments.isEmpty())
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "onverwacht argument \"%1\"; zie vellora --help")
                .arg(shownValue(arguments.front())));
    if (arguments.size() > 1)
        return Outcome::refusal(QCoreApplication::translate("CommandLine", "één project tegelijk, niet %1")
                                    .arg(arguments.size()));
    request.project = arguments.value(0);
    if (arguments.size() == 1 && request.project.isEmpty())
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "de naam van het project is leeg"));
    if (const auto back = given(values, "back")) {
        bool isNumber = false;
        request.back = back->toInt(&isNumber);
        if (!isNumber)
            request.back.reset(), request.backPicture = *back;
        if (back->isEmpty() || (isNumber && *request.back < 0))
            return Outcome::refusal(
                QCoreApplication::translate("CommandLine",
                                            "--back is een nummer vanaf 0 of een plaatje, niet \"%1\"")
                    .arg(shownValue(*back)));
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

Outcome notAllowed(const Given &values, const char *name, const char *allowed)
{
    return Outcome::refusal(QCoreApplication::translate("CommandLine", "--%1 is %2, niet \"%3\"")
                                .arg(QLatin1String(name), QCoreApplication::translate("CommandLine", allowed),
                                     shownValue(*given(values, name))));
}

// One of the words option `name` takes, into `into` when given; why not when it is none of them.
template <typename T>
Outcome readWord(const Given &values, const char *name, const char *allowed,
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

Outcome readWords(const Given &values, print::DeckOptions &options)
{
    using namespace print;
    Outcome why = readWord<DeckOrder>(values, "order",
                                      QT_TRANSLATE_NOOP("CommandLine", "duplex, alternate of faces-first"),
                                      {{"duplex", DeckOrder::Duplex},
                                       {"alternate", DeckOrder::Duplex},
                                       {"faces-first", DeckOrder::FacesFirst}},
                                      options.order);
    if (why)
        why = readWord<DeckLayout>(values, "layout", QT_TRANSLATE_NOOP("CommandLine", "pages of cards"),
                                   {{"pages", DeckLayout::Pages}, {"cards", DeckLayout::Cards}},
                                   options.layout);
    if (why)
        why = readWord<CardSize>(values, "card-size",
                                 QT_TRANSLATE_NOOP("CommandLine", "poker, bridge, 63x88 of 57x90"),
                                 {{"poker", CardSize::Poker},
                                  {"bridge", CardSize::Bridge},
                                  {"63x88", CardSize::Size63x88},
                                  {"57x90", CardSize::Size57x90}},
                                 options.cardSize);
    return why;
}

// The pages give their cards their own size, so a size asked for them would silently not be the one printed.
Outcome cardSizeFits(Command command, const Given &values, const print::DeckOptions &options)
{
    if (command == Command::ExportPdf && options.layout == print::DeckLayout::Pages &&
        given(values, "card-size"))
        return Outcome::refusal(QCoreApplication::translate(
            "CommandLine", "--card-size geldt alleen voor hele kaarten; kies --layout cards"));
    return {};
}

// The paper: the pages are A4; the cards take the paper of the user's part of the world unless told
// otherwise.
Outcome readPaper(Command command, const Given &values, print::DeckOptions &options)
{
    const bool pages = options.layout == print::DeckLayout::Pages && command == Command::ExportPdf;
    options.paper = pages ? print::Paper::A4 : print::defaultPaper(QLocale::system());
    print::Paper paper = options.paper;
    if (Outcome why =
            readWord<print::Paper>(values, "paper", QT_TRANSLATE_NOOP("CommandLine", "a4 of letter"),
                                   {{"a4", print::Paper::A4}, {"letter", print::Paper::Letter}}, paper);
        !why)
        return why;
    if (paper != print::Paper::A4 && pages)
        return Outcome::refusal(print::pagesOnA4Only() +
                                QCoreApplication::translate("CommandLine", " Kies --layout cards."));
    options.paper = paper;
    return {};
}

Outcome readMeasures(const Given &values, PdfExportRequest &request)
{
    print::DeckOptions &options = request.options;
    Outcome why = readWord<print::Turn>(values, "flip", QT_TRANSLATE_NOOP("CommandLine", "short of long"),
                                        {{"short", print::Turn::ShortEdge}, {"long", print::Turn::LongEdge}},
                                        options.turn);
    if (!why)
        return why;
    if (const auto shift = given(values, "back-shift")) {
        // The comma parts X from Y, so a comma within a number cannot be told from it: 3,5,0 is refused.
        const QList<QByteArray> parts = shift->split(',');
        const double max = print::kMaxBackShiftMm;
        const auto x = measure(parts.value(0), -max, max), y = measure(parts.value(1), -max, max);
        if (parts.size() > 2)
            return notAllowed(
                values, "back-shift",
                QT_TRANSLATE_NOOP("CommandLine", "X,Y in mm; gebruik een punt in een getal (1.5,-0.5)"));
        if (parts.size() != 2 || !x || !y)
            return notAllowed(values, "back-shift",
                              QT_TRANSLATE_NOOP("CommandLine", "X,Y in mm, elk van -5.0 tot 5.0"));
        options.backShiftMm = QPointF(std::round(*x * 10) / 10, std::round(*y * 10) / 10);
    }
    if (const auto bleed = given(values, "bleed")) {
        const auto mm = print::bleedFromText(QString::fromLocal8Bit(*bleed));
        if (!mm)
            return notAllowed(values, "bleed",
                              QT_TRANSLATE_NOOP("CommandLine", "een maat in mm van 0 tot 10"));
        request.bleedMm = *mm;
    }
    request.cmyk = given(values, "cmyk").has_value();
    if (const Outcome why = readWord<int>(values, "ink", QT_TRANSLATE_NOOP("CommandLine", "300 of 240"),
                                          {{"300", 300}, {"240", 240}}, request.inkPercent);
        !why)
        return why;
    options.wholePageBack = given(values, "whole-page-back").has_value();
    options.cutMarks = !given(values, "no-cut-marks");
    options.scaleBar = !given(values, "no-scale-bar");
    using print::FaceCut;
    return readWord<FaceCut>(values, "cut", QT_TRANSLATE_NOOP("CommandLine", "card of frame"),
                             {{"card", FaceCut::Card}, {"frame", FaceCut::Frame}}, request.cut);
}

// A whole number as written, within [low, high].
std::optional<int> count(const QByteArray &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

Outcome readCompose(const Given &values, ComposeChoices &choices)
{
    if (const auto style = given(values, "style")) {
        const auto number = count(*style, 0, 9);
        if (!number)
            return notAllowed(values, "style", QT_TRANSLATE_NOOP("CommandLine", "een stijl van 0 tot 9"));
        choices.style = *number;
    }
    if (const auto joker = given(values, "joker")) {
        const auto number = count(*joker, 1, 99);
        if (!number)
            return notAllowed(values, "joker",
                              QT_TRANSLATE_NOOP("CommandLine", "het nummer van een joker, vanaf 1"));
        choices.joker = *number;
    }
    choices.classic = given(values, "classic").has_value();
    choices.courts = given(values, "courts").has_value();
    return {};
}

Result<PdfExportRequest> readRequest(Command command, const Given &values, const QList<QByteArray> &arguments)
{
    PdfExportRequest request;
    Outcome why = readNames(command, values, arguments, request);
    if (why)
        why = readWords(values, request.options);
    if (why)
        why = cardSizeFits(command, values, request.options);
    if (why)
        why = readPaper(command, values, request.options);
    if (why)
        why = readMeasures(values, request);
    if (!why)
        return why;
    return request;
}

// The words of argv after the program's name, sorted into option values and arguments.
struct Reading
{
    Given values = Given(options::rows().size());
    QList<QByteArray> arguments;
    Command command = Command::Window;
};

// Option word argv[i], with its value; `i` moves past what it took. Why not, when it cannot be taken.
Outcome readOption(const QList<QByteArray> &argv, qsizetype &i, Reading &reading)
{
    const QByteArray &word = argv[i];
    const bool twoDashes = word.startsWith("--");
    const QByteArray body = word.mid(twoDashes ? 2 : 1);
    const qsizetype equals = body.indexOf('=');
    const QByteArray name = equals < 0 ? body : body.first(equals);
    const QString shown = QFile::decodeName(word.first(word.size() - body.size() + name.size()));
    const auto qt = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                 [&](const auto &option) { return name == option.name; });
    // Written with two dashes, a name of our own is ours: --style picks the deck's symbols, -style Qt's look.
    if (qt != std::end(kQtOptions) && !(twoDashes && options::find(name)))
        return qt->valued && equals < 0 && ++i == argv.size()
                   ? Outcome::refusal(
                         QCoreApplication::translate("CommandLine", "%1 heeft een waarde nodig").arg(shown))
                   : Outcome();
    const OptionRow *row = options::find(name);
    if (!row)
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "onbekende optie %1; zie vellora --help").arg(shown));
    if (!twoDashes)
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "%1 schrijft u met twee streepjes: --%2")
                .arg(shown, QLatin1String(name)));
    std::optional<QByteArray> &value = reading.values[options::indexOf(row)];
    if (value)
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "%1 staat er meer dan eens").arg(shown));
    if (!row->value) {
        if (equals >= 0)
            return Outcome::refusal(
                QCoreApplication::translate("CommandLine", "%1 neemt geen waarde").arg(shown));
        value = QByteArray();
    } else if (equals >= 0) {
        value = body.mid(equals + 1);
    } else if (i + 1 < argv.size() && !argv[i + 1].startsWith("--")) {
        value = argv[++i];
    } else {
        return Outcome::refusal(QCoreApplication::translate("CommandLine", "%1 heeft een waarde nodig: %2")
                                    .arg(shown, QCoreApplication::translate("CommandLine", row->value)));
    }
    if (row->starts == Command::Window)
        return {};
    if (reading.command != Command::Window)
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "één opdracht tegelijk, niet ook %1").arg(shown));
    reading.command = row->starts;
    return {};
}

// Every option given must belong to the command given.
Outcome belonging(const Reading &reading)
{
    const auto rows = options::rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OptionRow &row = rows[i];
        if (!reading.values[i] || row.starts != Command::Window ||
            (row.belongsTo & options::bit(reading.command)))
            continue;
        QStringList commands;
        for (const OptionRow &starter : rows)
            if (starter.starts != Command::Window && (row.belongsTo & options::bit(starter.starts)))
                commands << dashed(starter.name);
        return Outcome::refusal(
            QCoreApplication::translate("CommandLine", "%1 hoort bij %2")
                .arg(dashed(row.name), commands.join(QCoreApplication::translate("CommandLine", " of "))));
    }
    return {};
}

} // namespace

Result<CommandLineRequest> CommandLine::parse(const QList<QByteArray> &argv)
{
    // Asked for help, the rest of the line does not matter.
    const auto end = std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), argv.end(), "--");
    if (std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), end, "--help") != end)
        return CommandLineRequest{Command::Help, {}, {}};

    Reading reading;
    bool namesOnly = false;
    for (qsizetype i = 1; i < argv.size(); ++i) {
        const QByteArray &word = argv[i];
        if (namesOnly || word.size() < 2 || !word.startsWith('-'))
            reading.arguments << word;
        else if (word == "--")
            namesOnly = true;
        else if (const Outcome why = readOption(argv, i, reading); !why)
            return refusal(why);
    }
    if (const Outcome why = belonging(reading); !why)
        return refusal(why);

    CommandLineRequest request{reading.command, {}, {}};
    if (reading.command == Command::Window || reading.command == Command::Help) {
        if (!reading.arguments.isEmpty())
            return refusal(Outcome::refusal(
                QCoreApplication::translate("CommandLine", "onverwacht argument \"%1\"; zie vellora --help")
                    .arg(QFile::decodeName(reading.arguments.front()))));
        return request;
    }
    Result<PdfExportRequest> read = readRequest(reading.command, reading.values, reading.arguments);
    if (!read)
        return refusal(read.outcome());
    request.exportPdf = std::move(*read);
    if (const Outcome why = readCompose(reading.values, request.compose); !why)
        return refusal(why);
    return request;
}

} // namespace vellora
