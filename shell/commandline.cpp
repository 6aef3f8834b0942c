#include "shell/commandline.h"

#include "print/backgallery.h"
#include "print/deckexport.h"
#include "project/mastercompanion.h"
#include "project/projectfolder.h"
#include "sheet/cardsheet.h"
#include "surface/appfolder.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <array>
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
    {"", "PROJECT", Command::Window, bit(Command::ExportPdf),
     "Het project; een naam zonder map komt uit de map Projecten van het venster. Zonder: het lege blad."},
    {"back", "N", Command::Window, bit(Command::ExportPdf),
     "Rugzijde N uit Backgrounds, vanaf 1; 0 voor geen rugzijde. Zonder: de eerste, zoals in het venster."},
    {"order", "duplex|faces-first", Command::Window, bit(Command::ExportPdf),
     "Elke pagina voorkanten gevolgd door haar rugzijde (standaard), of eerst alle voorkanten."},
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

std::variant<PdfExportRequest, QString> readExportPdf(const Given &values, const QList<QByteArray> &arguments)
{
    PdfExportRequest request;
    request.output = *given(values, "export-pdf");
    if (request.output.isEmpty())
        return QStringLiteral("--export-pdf heeft een bestandsnaam nodig");
    if (arguments.size() > 1)
        return QStringLiteral("één project tegelijk, niet %1").arg(arguments.size());
    request.project = arguments.value(0);
    if (arguments.size() == 1 && request.project.isEmpty())
        return QStringLiteral("de naam van het project is leeg");
    if (const auto back = given(values, "back")) {
        bool isNumber = false;
        request.back = back->toInt(&isNumber);
        if (!isNumber || *request.back < 0)
            return QStringLiteral("--back is een nummer vanaf 0, niet \"%1\"").arg(QFile::decodeName(*back));
    }
    if (const auto order = given(values, "order")) {
        if (*order != "duplex" && *order != "faces-first")
            return QStringLiteral("--order is duplex of faces-first, niet \"%1\"")
                .arg(QFile::decodeName(*order));
        request.options.order = *order == "duplex" ? print::DeckOrder::Duplex : print::DeckOrder::FacesFirst;
    }
    request.options.cutMarks = !given(values, "no-cut-marks");
    request.options.scaleBar = !given(values, "no-scale-bar");
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
    case Command::ExportPdf: {
        auto read = readExportPdf(values, arguments);
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
    QStringList lines{QStringLiteral("Gebruik: vellora [--export-pdf UIT.pdf [PROJECT] [OPTIES]]"),
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

CommandRunner::Outcome CommandRunner::exportPdf(const PdfExportRequest &request) const
{
    const QByteArray sheetPath = request.project.isEmpty()
                                     ? QFile::encodeName(m_program.resolve(u"\\Data\\Kaarten.krt"))
                                     : projectPath(request.project);
    const QString output = QFile::decodeName(request.output), sheetName = QFile::decodeName(sheetPath);
    const auto kept = [&output](const QString &why) {
        return refused(QStringLiteral("%1 wordt niet overschreven: %2").arg(output, why));
    };
    if (sameFile(request.output, sheetPath))
        return kept(request.project.isEmpty() ? QStringLiteral("Dit is het lege blad.")
                                              : QStringLiteral("Dit is het project zelf."));
    if (const QString why = replaceRefusal(request.output, kPdf); !why.isEmpty())
        return kept(why);

    const PictureLoad sheet =
        PictureFile::loadExactly(sheetPath, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!sheet.ok())
        return refused(QStringLiteral("%1 is geen Vellora-project: %2").arg(sheetName, sheet.error));

    const BackGallery gallery(m_program);
    const int back = request.back.value_or(std::min(1, gallery.count()));
    if (back > gallery.count())
        return refused(QStringLiteral("rugzijde %1 bestaat niet (Backgrounds heeft er %2)")
                           .arg(back)
                           .arg(gallery.count()));
    print::BackChoice chosen;
    if (back > 0) {
        chosen = gallery.choice(back - 1);
        if (chosen.image.isNull())
            return refused(QStringLiteral("rugzijde %1 kan niet worden gelezen").arg(back));
    }

    QString error;
    // A project's companion, when it belongs to it, gives the print master. Drawing it takes fonts, which
    // only a GUI application has; a command run without a display prints from the sheet, as it always did.
    const bool canDraw = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    const std::optional<PrintRecord> record =
        request.project.isEmpty() || !canDraw ? std::nullopt : companion::read(sheetPath);
    const QImage picture = record ? record->render() : sheet.image;
    const std::optional<QByteArray> pdf = print::deckPdf(picture, chosen, request.options, &error);
    if (!pdf)
        return refused(error);
    if (!writeWhole(request.output, *pdf, kPdf, &error))
        return refused(QStringLiteral("%1 kan niet worden geschreven: %2").arg(output, error));
    return {};
}

} // namespace vellora
