#include "shell/commandline.h"

#include "surface/photoloader.h"
#include "print/backgallery.h"
#include "print/calibration.h"
#include "print/deckexport.h"
#include "project/mastercompanion.h"
#include "project/projectfolder.h"
#include "sheet/cardsheet.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"

#include <QFile>
#include <QGuiApplication>
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
    {"", "PROJECT", Command::Window, bit(Command::ExportPdf) | bit(Command::ExportCards),
     "Het project; een naam zonder map komt uit de map Projecten van het venster. Zonder: het lege blad."},
    {"back", "N|PLAATJE", Command::Window, bit(Command::ExportPdf) | bit(Command::ExportCards),
     "Rugzijde N uit Backgrounds, vanaf 1, 0 voor geen rugzijde, of een eigen plaatje. Zonder: de eerste, "
     "zoals in het venster."},
    {"order", "duplex|faces-first", Command::Window, bit(Command::ExportPdf),
     "Elke pagina voorkanten gevolgd door haar rugzijde (standaard), of eerst alle voorkanten."},
    {"layout", "pages|cards", Command::Window, bit(Command::ExportPdf),
     "De pagina's van \"Serie 1\" tot \"Serie 6\" op A4 (standaard), of hele kaarten op ware grootte."},
    {"card-size", "63x88|57x90", Command::Window, bit(Command::ExportPdf) | bit(Command::ExportCards),
     "De maat van de kaarten in mm; standaard 63x88."},
    {"paper", "a4|letter", Command::Window, bit(Command::ExportPdf) | bit(Command::Calibration),
     "Het papier van de kaarten; standaard dat van de taalinstelling."},
    {"flip", "short|long", Command::Window, bit(Command::ExportPdf),
     "Het blad keert over de korte zijde (standaard) of over de lange."},
    {"back-shift", "X,Y", Command::Window, bit(Command::ExportPdf),
     "Schuift de rugzijden X mm naar rechts en Y mm omlaag, elk van -5.0 tot 5.0."},
    {"whole-page-back", nullptr, Command::Window, bit(Command::ExportPdf), "Rug over de hele pagina."},
    {"bleed", "MM", Command::Window, bit(Command::ExportCards),
     "Afloop rond elke kaart in mm, van 0 tot 10; standaard 3."},
    {"no-cut-marks", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder snijtekens."},
    {"no-scale-bar", nullptr, Command::Window, bit(Command::ExportPdf), "Zonder maatstreep."},
};

// Qt's own options, which the window's application takes out of argv itself, one dash or two.
const struct
{
    const char *name;
    bool valued;
} kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},        {"qwindowtitle", true},  {"session", true},
    {"display", true},         {"geometry", true},           {"style", true},         {"stylesheet", true},
    {"qmljsdebugger", false},  {"reverse", false},           {"widgetcount", false},  {"nograb", false},
    {"dograb", false},
};

const DocumentKind kPdf{QByteArrayLiteral("%PDF-"), QStringLiteral("PDF")};

QString refusal(const QString &why)
{
    return QStringLiteral("vellora: ") + why;
}

CommandRunner::Outcome refused(const QString &why)
{
    return {CommandLine::kExitRefused, {}, refusal(why)};
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

std::variant<PdfExportRequest, QString> readRequest(Command command, const Given &values,
                                                    const QList<QByteArray> &arguments)
{
    PdfExportRequest request;
    const char *starter = command == Command::ExportPdf     ? "export-pdf"
                          : command == Command::ExportCards ? "export-cards"
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
    print::DeckOptions &options = request.options;
    const auto refused = [&values](const char *name, const char *allowed) {
        return QStringLiteral("--%1 is %2, niet \"%3\"")
            .arg(QLatin1String(name), QString::fromUtf8(allowed), shownValue(*given(values, name)));
    };
    if (given(values, "order")) {
        const auto order =
            oneOf<print::DeckOrder>(given(values, "order"), {{"duplex", print::DeckOrder::Duplex},
                                                             {"faces-first", print::DeckOrder::FacesFirst}});
        if (!order)
            return refused("order", "duplex of faces-first");
        options.order = *order;
    }
    if (given(values, "layout")) {
        const auto layout =
            oneOf<print::DeckLayout>(given(values, "layout"), {{"pages", print::DeckLayout::Pages},
                                                               {"cards", print::DeckLayout::Cards}});
        if (!layout)
            return refused("layout", "pages of cards");
        options.layout = *layout;
    }
    if (given(values, "card-size")) {
        const auto size =
            oneOf<print::CardSize>(given(values, "card-size"), {{"63x88", print::CardSize::Size63x88},
                                                                {"57x90", print::CardSize::Size57x90}});
        if (!size)
            return refused("card-size", "63x88 of 57x90");
        options.cardSize = *size;
    }
    // The pages are A4; the cards take the paper of the user's part of the world unless told otherwise.
    options.paper = options.layout == print::DeckLayout::Pages && command == Command::ExportPdf
                        ? print::Paper::A4
                        : print::defaultPaper(QLocale::system());
    if (given(values, "paper")) {
        const auto paper = oneOf<print::Paper>(given(values, "paper"),
                                               {{"a4", print::Paper::A4}, {"letter", print::Paper::Letter}});
        if (!paper)
            return refused("paper", "a4 of letter");
        if (*paper != print::Paper::A4 && options.layout == print::DeckLayout::Pages &&
            command == Command::ExportPdf)
            return QString::fromUtf16(print::kPagesOnA4Only) + QStringLiteral(" Kies --layout cards.");
        options.paper = *paper;
    }
    if (given(values, "flip")) {
        const auto turn = oneOf<print::Turn>(
            given(values, "flip"), {{"short", print::Turn::ShortEdge}, {"long", print::Turn::LongEdge}});
        if (!turn)
            return refused("flip", "short of long");
        options.turn = *turn;
    }
    if (const auto shift = given(values, "back-shift")) {
        const QList<QByteArray> parts = shift->split(',');
        bool okX = false, okY = false;
        const double x = parts.value(0).toDouble(&okX), y = parts.value(1).toDouble(&okY);
        if (parts.size() != 2 || !okX || !okY || std::abs(x) > print::kMaxBackShiftMm ||
            std::abs(y) > print::kMaxBackShiftMm)
            return refused("back-shift", "X,Y in mm, elk van -5.0 tot 5.0");
        options.backShiftMm = QPointF(std::round(x * 10) / 10, std::round(y * 10) / 10);
    }
    if (const auto bleed = given(values, "bleed")) {
        bool ok = false;
        request.bleedMm = bleed->toDouble(&ok);
        if (!ok || request.bleedMm < 0 || request.bleedMm > print::kMaxBleedMm)
            return refused("bleed", "een maat in mm van 0 tot 10");
    }
    options.wholePageBack = given(values, "whole-page-back").has_value();
    options.cutMarks = !given(values, "no-cut-marks");
    options.scaleBar = !given(values, "no-scale-bar");
    return request;
}

} // namespace

std::variant<CommandLineRequest, QString> CommandLine::parse(const QList<QByteArray> &argv)
{
    // Asked for help, the rest of the line does not matter.
    const auto end = std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), argv.end(), "--");
    if (std::find(argv.begin() + std::min<qsizetype>(1, argv.size()), end, "--help") != end)
        return CommandLineRequest{Command::Help, {}};

    Given values;
    QList<QByteArray> arguments;
    Command command = Command::Window;
    bool namesOnly = false;
    for (qsizetype i = 1; i < argv.size(); ++i) {
        const QByteArray &word = argv[i];
        if (namesOnly || word.size() < 2 || !word.startsWith('-')) {
            arguments << word;
            continue;
        }
        if (word == "--") {
            namesOnly = true;
            continue;
        }
        const bool twoDashes = word.startsWith("--");
        const QByteArray body = word.mid(twoDashes ? 2 : 1);
        const qsizetype equals = body.indexOf('=');
        const QByteArray name = equals < 0 ? body : body.first(equals);
        const QString shown = QFile::decodeName(word.first(word.size() - body.size() + name.size()));
        const auto qt = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                     [&](const auto &option) { return name == option.name; });
        if (qt != std::end(kQtOptions)) {
            if (qt->valued && equals < 0 && ++i == argv.size())
                return refusal(QStringLiteral("%1 heeft een waarde nodig").arg(shown));
            continue;
        }
        const OptionRow *row = findOption(name);
        if (!row)
            return refusal(QStringLiteral("onbekende optie %1; zie vellora --help").arg(shown));
        if (!twoDashes)
            return refusal(
                QStringLiteral("%1 schrijft u met twee streepjes: --%2").arg(shown, QLatin1String(name)));
        std::optional<QByteArray> &value = values[std::size_t(row - kOptions)];
        if (value)
            return refusal(QStringLiteral("%1 staat er meer dan eens").arg(shown));
        if (!row->value) {
            if (equals >= 0)
                return refusal(QStringLiteral("%1 neemt geen waarde").arg(shown));
            value = QByteArray();
        } else if (equals >= 0) {
            value = body.mid(equals + 1);
        } else if (i + 1 < argv.size() && !argv[i + 1].startsWith("--")) {
            value = argv[++i];
        } else {
            return refusal(
                QStringLiteral("%1 heeft een waarde nodig: %2").arg(shown, QLatin1String(row->value)));
        }
        if (row->starts != Command::Window) {
            if (command != Command::Window)
                return refusal(QStringLiteral("één opdracht tegelijk, niet ook %1").arg(shown));
            command = row->starts;
        }
    }

    // Every option given must belong to the command given.
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
        const OptionRow &row = kOptions[i];
        if (!values[i] || row.starts != Command::Window || (row.belongsTo & bit(command)))
            continue;
        QStringList commands;
        for (const OptionRow &starter : kOptions)
            if (starter.starts != Command::Window && (row.belongsTo & bit(starter.starts)))
                commands << dashed(starter.name);
        return refusal(
            QStringLiteral("%1 hoort bij %2").arg(dashed(row.name), commands.join(QStringLiteral(" of "))));
    }

    CommandLineRequest request{command, {}};
    switch (command) {
    case Command::Window:
    case Command::Help:
        if (!arguments.isEmpty())
            return refusal(QStringLiteral("onverwacht argument \"%1\"; zie vellora --help")
                               .arg(QFile::decodeName(arguments.front())));
        break;
    case Command::ExportPdf:
    case Command::ExportCards:
    case Command::Calibration: {
        auto read = readRequest(command, values, arguments);
        if (const QString *error = std::get_if<QString>(&read))
            return refusal(*error);
        request.exportPdf = std::get<PdfExportRequest>(std::move(read));
        break;
    }
    }
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

CommandRunner::CommandRunner(const AppFolder &program, QString userFolder)
    : m_program(program), m_userFolder(std::move(userFolder))
{
}

CommandRunner::Outcome CommandRunner::run(const CommandLineRequest &request) const
{
    switch (request.command) {
    case Command::Help:
        return {0, CommandLine::usage(), {}};
    case Command::ExportPdf:
        return exportPdf(request.exportPdf);
    case Command::ExportCards:
        return exportCards(request.exportPdf);
    case Command::Calibration:
        return calibration(request.exportPdf);
    case Command::Window:
        break;
    }
    return refused(QStringLiteral("het venster start niet vanuit een opdracht"));
}

QByteArray CommandRunner::projectPath(const QByteArray &given) const
{
    if (given.contains('/'))
        return given;
    const QByteArray folder = QFile::encodeName(ProjectFolder::choose(m_program, m_userFolder).path) + '/';
    // The chooser lists projects without their extension; such a name finds its project too.
    if (entryKind(folder + given) == EntryKind::Missing &&
        entryKind(folder + given + ".krt") != EntryKind::Missing)
        return folder + given + ".krt";
    return folder + given;
}

QByteArray CommandRunner::sheetPath(const PdfExportRequest &request) const
{
    return request.project.isEmpty() ? QFile::encodeName(m_program.resolve(u"\\Data\\Kaarten.krt"))
                                     : projectPath(request.project);
}

std::variant<std::pair<QImage, print::BackChoice>, CommandRunner::Outcome>
CommandRunner::deckOf(const PdfExportRequest &request) const
{
    const QByteArray sheetPath = this->sheetPath(request);
    const QString sheetName = QFile::decodeName(sheetPath);
    const PictureLoad loaded =
        PictureFile::loadExactly(sheetPath, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!loaded.ok())
        return refused(QStringLiteral("%1 is geen Vellora-project: %2").arg(sheetName, loaded.error));
    // A project's companion, when it belongs to it, gives the print master. Drawing it takes fonts, which
    // only a GUI application has; where there is none, the deck prints from the sheet, as it always did.
    const bool canDraw = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    const std::optional<PrintRecord> record =
        request.project.isEmpty() || !canDraw ? std::nullopt : companion::read(sheetPath);
    const QImage picture = record ? record->render() : loaded.image;

    print::BackChoice chosen;
    if (!request.backPicture.isEmpty()) {
        QString error;
        const PhotoLoad photo = PhotoLoader::load(QFile::decodeName(request.backPicture));
        chosen.image = photo.image;
        error = photo.error;
        if (chosen.image.isNull())
            return refused(QStringLiteral("%1 kan geen rugzijde zijn: %2")
                               .arg(QFile::decodeName(request.backPicture), error));
        return std::pair(picture, chosen);
    }
    const BackGallery gallery(m_program);
    const int back = request.back.value_or(std::min(1, gallery.count()));
    if (back > gallery.count())
        return refused(QStringLiteral("rugzijde %1 bestaat niet (Backgrounds heeft er %2)")
                           .arg(back)
                           .arg(gallery.count()));
    if (back > 0) {
        chosen = gallery.choice(back - 1);
        if (chosen.image.isNull())
            return refused(QStringLiteral("rugzijde %1 kan niet worden gelezen").arg(back));
    }
    return std::pair(picture, chosen);
}

CommandRunner::Outcome CommandRunner::exportPdf(const PdfExportRequest &request) const
{
    const QString output = QFile::decodeName(request.output);
    const auto kept = [&output](const QString &why) {
        return refused(QStringLiteral("%1 wordt niet overschreven: %2").arg(output, why));
    };
    if (sameFile(request.output, sheetPath(request)))
        return kept(request.project.isEmpty() ? QStringLiteral("Dit is het lege blad.")
                                              : QStringLiteral("Dit is het project zelf."));
    if (const QString why = replaceRefusal(request.output, kPdf); !why.isEmpty())
        return kept(why);
    auto deck = deckOf(request);
    if (const Outcome *no = std::get_if<Outcome>(&deck))
        return *no;
    const auto &[sheet, back] = std::get<0>(deck);
    QString error;
    const std::optional<QByteArray> pdf = print::deckPdf(sheet, back, request.options, &error);
    if (!pdf)
        return refused(error);
    if (!writeWhole(request.output, *pdf, kPdf, &error))
        return refused(QStringLiteral("%1 kan niet worden geschreven: %2").arg(output, error));
    return {};
}

CommandRunner::Outcome CommandRunner::exportCards(const PdfExportRequest &request) const
{
    const QString folder = QFile::decodeName(request.output);
    if (const QString why = print::cardFolderRefusal(folder); !why.isEmpty())
        return refused(why);
    auto deck = deckOf(request);
    if (const Outcome *no = std::get_if<Outcome>(&deck))
        return *no;
    const auto &[sheet, back] = std::get<0>(deck);
    const QString error =
        print::writeCardImages(sheet, back.image, folder, request.options.cardSize, request.bleedMm);
    return error.isEmpty() ? Outcome{} : refused(error);
}

CommandRunner::Outcome CommandRunner::calibration(const PdfExportRequest &request) const
{
    const QString output = QFile::decodeName(request.output);
    if (const QString why = replaceRefusal(request.output, kPdf); !why.isEmpty())
        return refused(QStringLiteral("%1 wordt niet overschreven: %2").arg(output, why));
    QString error;
    const std::optional<QByteArray> pdf = print::calibrationPdf(request.options.paper, &error);
    if (!pdf || !writeWhole(request.output, *pdf, kPdf, &error))
        return refused(QStringLiteral("%1 kan niet worden geschreven: %2").arg(output, error));
    return {};
}

} // namespace vellora
