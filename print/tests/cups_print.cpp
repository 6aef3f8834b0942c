// Prints through the product's windows on the default print queue and checks what came out; run by
// cups_e2e.sh against a print server of its own with a PDF queue. Modes: "print" (page 1 and a back must
// come out where they belong), "refused" (both windows report the failure, no PDF appears), "deck" (one job
// of 12 pages). Exit 0 when all is as expected, 1 otherwise.

#include "afdrukform.h"
#include "appfolder.h"
#include "heledeckform.h"
#include "pageink.h"
#include "printjobs.h"
#include "printqueues.h"
#include "rugzijde.h"
#include "systemprinttarget.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <QTransform>
#include <cstdio>

using namespace vellora;

namespace {

int failures = 0;
QString outFolder;

void fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

QStringList pdfs() { return QDir(outFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files); }

// The print dialog's part: the printer it starts from, as it is.
struct DefaultPrinterDialogs final : DeckDialogs
{
    std::optional<QString> pdfPath(QWidget *, const QString &) override { return std::nullopt; }
    std::optional<PrintChoice> printer(QWidget *, const QString &p) override { return PrintChoice{p, {}, {}}; }
};

// Presses a window's print button. On a ready queue returns the PDF the queue makes of the job once it is
// whole (Ghostscript writes the end-of-file marker last), waiting up to 90 s for the server; on a refusing
// queue the window must show the one failure message, and no PDF may appear.
QString press(QWidget &window, const char *button, const test::ScriptedPrompter &prompter, bool ready,
              const QString &what)
{
    const QStringList before = pdfs();
    QMetaObject::invokeMethod(window.findChild<QObject *>(QLatin1String(button)), "clicked");
    const auto &shown = prompter.shown;
    if (!ready) {
        if (shown.size() != 1 || shown[0].text != QString::fromUtf16(print::kFailureText) ||
            shown[0].icon != Prompter::Icon::Critical || pdfs() != before)
            fail(what + QStringLiteral(": not the one failure message, or a PDF appeared"));
        return {};
    }
    if (!shown.isEmpty())
        return fail(what + QStringLiteral(" was refused: ") + defaultQueueProblem(SystemPrintQueues(), nullptr)),
               QString();
    for (const QDeadlineTimer deadline(90000); !deadline.hasExpired(); QThread::msleep(100)) {
        for (const QString &name : pdfs()) {
            QFile f(QDir(outFolder).filePath(name));
            if (!before.contains(name) && f.open(QIODevice::ReadOnly) &&
                f.seek(std::max<qint64>(0, f.size() - 32)) && f.readAll().contains("%%EOF"))
                return f.fileName();
        }
    }
    return fail(what + QStringLiteral(": no PDF appeared")), QString();
}

void checkPage(const QString &pdf, int pageNumber, QPoint origin, const QString &what)
{
    QString problems;
    QImage page = printtest::renderPdf(pdf, &problems);
    // The server hands a landscape page to the printer turned a quarter on portrait paper; turned back it
    // must be the page as laid out.
    if (pageNumber && page.width() < page.height())
        page = page.transformed(QTransform().rotate(90));
    if (!page.isNull())
        problems = printtest::checkPrintedPage(page, pageNumber, origin);
    if (!problems.isEmpty())
        fail(what + QStringLiteral(" in ") + pdf + QStringLiteral(":\n") + problems);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc == 3 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!QStringList{"print", "refused", "deck"}.contains(mode))
        return std::fprintf(stderr, "usage: %s print|refused|deck <pdf folder>\n", argv[0]), 2;
    outFolder = QString::fromLocal8Bit(argv[2]);
    // Not in the temporary folder: the driver runs once with that folder full.
    QTemporaryDir appDir(outFolder + QStringLiteral("/app-XXXXXX"));
    QDir(appDir.path()).mkpath(QStringLiteral("Backgrounds"));
    // A back larger than the page's share of pixels, so that stretching is exercised too.
    printtest::quadrantBack({900, 1270}).save(appDir.filePath("Backgrounds/Background-0.jpg"), "JPEG", 95);
    const AppFolder folder(appDir.path());
    NoPacer pacer;
    test::ScriptedPrompter facePrompter, backPrompter;
    if (mode == u"deck") {
        const SystemPrintQueues queues;
        DefaultPrinterDialogs dialogs;
        HeleDeckForm deck(printtest::colouredSheet(), {}, pacer, facePrompter, folder, queues, dialogs);
        const QString pdf = press(deck, "PrintKnop", facePrompter, true, QStringLiteral("the deck"));
        if (!pdf.isEmpty() && printtest::pdfPages(pdf) != 12)
            fail(QStringLiteral("the deck came out as %1 pages in %2").arg(printtest::pdfPages(pdf)).arg(pdf));
        return failures ? 1 : 0;
    }
    SystemPrintTarget printer;
    AfdrukForm faces(printtest::colouredSheet(), pacer, facePrompter, folder, printer);
    Rugzijde backs(pacer, backPrompter, folder, printer);
    backs.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("10"));
    backs.findChild<QComboBox *>(QStringLiteral("Combo2"))->setCurrentText(QStringLiteral("20"));
    const bool ready = mode == u"print";
    if (const QString pdf = press(faces, "OkKnop", facePrompter, ready, "page 1"); !pdf.isEmpty())
        checkPage(pdf, 1, QPoint(150, 600), QStringLiteral("page 1 at the default margins"));
    if (const QString pdf = press(backs, "PrintKnop", backPrompter, ready, "the back"); !pdf.isEmpty())
        checkPage(pdf, 0, QPoint(300, 150), QStringLiteral("the back at margins 10 and 20"));
    std::printf("%s: %d failures\n", qPrintable(mode), failures);
    return failures ? 1 : 0;
}
