// Prints through the product's own windows and SystemPrintTarget on the default print queue, then checks what
// came out. Run by cups_e2e.sh against a print server of its own with a PDF queue:
//   vellora_cups_print print <pdf folder>    "Serie 1" and one back; both PDFs must show the pages where they
//   belong vellora_cups_print refused <pdf folder>  both windows must report the failure and no PDF may
//   appear
// Exit 0 when all is as expected, 1 otherwise.

#include "afdrukform.h"
#include "heledeckform.h"
#include "appfolder.h"
#include "imagebutton.h"
#include "pageink.h"
#include "printjobs.h"
#include "printqueues.h"
#include "systemprinttarget.h"
#include "rugzijde.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTransform>
#include <cstdio>

using namespace vellora;

namespace {

int failures = 0;

void fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

QStringList pdfsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// The PDF that the queue makes of the job just sent, once it is whole: cups-pdf writes it through
// Ghostscript, which puts the end-of-file marker last. The print server works on its own time, so this waits,
// up to 90 s.
QString waitForNewPdf(const QString &folder, const QStringList &before)
{
    for (const QDeadlineTimer deadline(90000); !deadline.hasExpired(); QThread::msleep(100)) {
        for (const QString &name : pdfsIn(folder)) {
            QFile f(QDir(folder).filePath(name));
            if (!before.contains(name) && f.open(QIODevice::ReadOnly) &&
                f.seek(std::max<qint64>(0, f.size() - 32)) && f.readAll().contains("%%EOF"))
                return f.fileName();
        }
    }
    return {};
}

// Presses the print button of a window that prints page `pageNumber` (0: the back). On a ready queue the PDF
// that comes out must show the page where it belongs; on a refusing one the window must show the one failure
// message, and no PDF may appear.
void printAndCheck(QWidget &window, const test::ScriptedPrompter &prompter, const QString &folder, bool ready,
                   int pageNumber, QPoint origin)
{
    const QString what = pageNumber ? QStringLiteral("\"Serie 1\" at the default margins")
                                    : QStringLiteral("the back at margins 10 and 20");
    const QStringList before = pdfsIn(folder);
    Q_EMIT window.findChild<ImageButton *>(pageNumber ? "OkKnop" : "PrintKnop")->clicked();
    const auto &shown = prompter.shown;
    if (!ready) {
        if (shown.size() != 1 || shown[0].text != QString::fromUtf16(print::kFailureText) ||
            shown[0].title != QString::fromUtf16(print::kFailureTitle) ||
            shown[0].icon != Prompter::Icon::Critical)
            return fail(what + QStringLiteral(": not the one failure message"));
        if (pdfsIn(folder) != before)
            return fail(what + QStringLiteral(": a PDF appeared although the page was refused"));
        return (void)std::printf("ok: %s reported the failure\n", qPrintable(what));
    }
    if (!shown.isEmpty())
        return fail(what + QStringLiteral(" was refused: ") +
                    defaultQueueProblem(SystemPrintQueues(), nullptr));
    const QString pdf = waitForNewPdf(folder, before);
    if (pdf.isEmpty())
        return fail(what + QStringLiteral(": no PDF appeared in ") + folder);
    QString problems;
    QImage page = printtest::renderPdf(pdf, &problems);
    // The print server hands a landscape page to the printer turned a quarter to the left on portrait paper,
    // as printers take it; turned back it must be the page as laid out.
    if (pageNumber && page.width() < page.height())
        page = page.transformed(QTransform().rotate(90));
    if (!page.isNull())
        problems = printtest::checkPrintedPage(page, pageNumber, origin);
    if (!problems.isEmpty())
        return fail(what + QStringLiteral(" in ") + pdf + QStringLiteral(":\n") + problems);
    std::printf("ok: %s in %s\n", qPrintable(what), qPrintable(pdf));
}

// The print dialog's part: the printer it starts from, as it is, one copy.
struct DefaultPrinterDialogs final : DeckDialogs
{
    std::optional<QString> pdfPath(QWidget *, const QString &) override { return std::nullopt; }
    std::optional<PrintChoice> printer(QWidget *, const QString &printer) override
    {
        return PrintChoice{printer, {}, {}};
    }
};

void printDeck(const AppFolder &folder, const QString &outFolder)
{
    NoPacer pacer;
    test::ScriptedPrompter prompter;
    const SystemPrintQueues queues;
    DefaultPrinterDialogs dialogs;
    HeleDeckForm deck(printtest::colouredSheet(), {}, pacer, prompter, folder, queues, dialogs);
    const QStringList before = pdfsIn(outFolder);
    deck.findChild<QPushButton *>(QStringLiteral("PrintKnop"))->click();
    if (!prompter.shown.isEmpty())
        return fail(QStringLiteral("the deck was refused: ") + prompter.shown[0].text);
    const QString pdf = waitForNewPdf(outFolder, before);
    if (pdf.isEmpty())
        return fail(QStringLiteral("the deck: no PDF appeared"));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                          .match(QString::fromLocal8Bit(info.readAllStandardOutput()))
                          .captured(1)
                          .toInt();
    if (pages != 12)
        return fail(QStringLiteral("the deck came out as %1 pages in %2").arg(pages).arg(pdf));
    std::printf("ok: the whole deck as one job of 12 pages in %s\n", qPrintable(pdf));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc == 3 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode != QLatin1String("print") && mode != QLatin1String("refused") && mode != QLatin1String("deck")) {
        std::fprintf(stderr, "usage: %s print|refused|deck <pdf folder>\n", argv[0]);
        return 2;
    }
    const QString outFolder = QString::fromLocal8Bit(argv[2]);
    // Not in the temporary folder: the driver runs once with that folder full.
    QTemporaryDir appDir(outFolder + QStringLiteral("/app-XXXXXX"));
    QDir(appDir.path()).mkpath(QStringLiteral("Backgrounds"));
    // A back larger than the page's share of pixels, so that stretching is exercised too.
    printtest::quadrantBack({900, 1270})
        .save(appDir.filePath(QStringLiteral("Backgrounds/Background-0.jpg")), "JPEG", 95);
    const AppFolder folder(appDir.path());
    if (mode == QLatin1String("deck")) {
        printDeck(folder, outFolder);
        return failures ? 1 : 0;
    }
    NoPacer pacer;
    SystemPrintTarget printer;
    test::ScriptedPrompter facePrompter, backPrompter;
    AfdrukForm faces(printtest::colouredSheet(), pacer, facePrompter, folder, printer);
    Rugzijde backs(pacer, backPrompter, folder, printer);
    backs.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("10"));
    backs.findChild<QComboBox *>(QStringLiteral("Combo2"))->setCurrentText(QStringLiteral("20"));
    printAndCheck(faces, facePrompter, outFolder, mode == QLatin1String("print"), 1, QPoint(150, 600));
    printAndCheck(backs, backPrompter, outFolder, mode == QLatin1String("print"), 0, QPoint(300, 150));
    return failures ? 1 : 0;
}
