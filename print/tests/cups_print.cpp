// Prints through the product's own windows and QPrinterTarget on the default print queue, then checks what
// came out. Run by cups_e2e.sh against a print server of its own with a PDF queue:
//   vellora_cups_print print <pdf folder>    "Serie 1" and one back; both PDFs must show the pages where they belong
//   vellora_cups_print refused <pdf folder>  both windows must report the failure and no PDF may appear
// Exit 0 when all is as expected, 1 otherwise.

#include "afdrukform.h"
#include "appfolder.h"
#include "imagebutton.h"
#include "pageink.h"
#include "printjobs.h"
#include "printqueues.h"
#include "qprintertarget.h"
#include "rugzijde.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
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
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// cups-pdf writes its file through Ghostscript, which puts the end-of-file marker last.
bool pdfComplete(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16)
        return false;
    f.seek(f.size() - std::min<qint64>(f.size(), 32));
    return f.readAll().contains("%%EOF");
}

// The PDF that the queue makes of the job just sent, once it is whole. The print server works on its own
// time, so this waits for it, bounded by a deadline.
QString waitForNewPdf(const QString &folder, const QStringList &before, int seconds)
{
    const QDeadlineTimer deadline(seconds * 1000);
    QString found;
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        for (const QString &name : pdfsIn(folder)) {
            if (!before.contains(name) && pdfComplete(QDir(folder).filePath(name))) {
                found = QDir(folder).filePath(name);
                loop.quit();
                return;
            }
        }
        if (deadline.hasExpired())
            loop.quit();
    });
    tick.start(100);
    loop.exec();
    return found;
}

void press(QWidget *window, const char *button)
{
    Q_EMIT window->findChild<ImageButton *>(QLatin1String(button))->clicked();
}

QString explainRefusal()
{
    const QString problem = defaultQueueProblem(SystemPrintQueues(), nullptr);
    return problem.isEmpty() ? QStringLiteral("the queue looked ready; the job itself failed") : problem;
}

void checkRendered(const QString &pdf, const std::function<QString(const QImage &)> &check, const QString &what)
{
    QString error;
    const std::optional<QImage> page = printtest::renderPdf(pdf, 72, &error);
    if (!page) {
        fail(error);
        return;
    }
    const QString problems = check(*page);
    if (!problems.isEmpty())
        fail(QStringLiteral("%1 (%2):\n%3").arg(what, pdf, problems));
    else
        std::printf("ok: %s in %s\n", qPrintable(what), qPrintable(pdf));
}

bool expectOneFailureBox(const test::ScriptedPrompter &prompter, const QString &what)
{
    if (prompter.shown.size() != 1) {
        fail(QStringLiteral("%1: %2 message boxes instead of one").arg(what).arg(prompter.shown.size()));
        return false;
    }
    const auto &box = prompter.shown.first();
    if (box.text != QString::fromUtf16(print::kFailureText) || box.title != QString::fromUtf16(print::kFailureTitle) ||
        box.icon != Prompter::Icon::Critical) {
        fail(QStringLiteral("%1: wrong box \"%2\" / \"%3\"").arg(what, box.text, box.title));
        return false;
    }
    std::printf("ok: %s reported \"%s\"\n", qPrintable(what), qPrintable(box.text));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s print|refused <pdf folder>\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString outFolder = QString::fromLocal8Bit(argv[2]);

    QTemporaryDir appDir;
    QDir(appDir.path()).mkpath(QStringLiteral("Backgrounds"));
    // A back larger than the page's share of pixels, so that stretching is exercised too.
    printtest::quadrantBack(QSize(900, 1270)).save(appDir.filePath(QStringLiteral("Backgrounds/Background-0.jpg")), "JPEG", 95);
    const AppFolder folder(appDir.path());
    const QImage sheet = printtest::colouredSheet();
    NoPacer pacer;
    QPrinterTarget printer;

    if (mode == QLatin1String("print")) {
        QStringList before = pdfsIn(outFolder);
        {
            test::ScriptedPrompter prompter;
            AfdrukForm faces(sheet, pacer, prompter, folder, printer);
            press(&faces, "OkKnop");
            if (!prompter.shown.isEmpty())
                fail(QStringLiteral("\"Serie 1\" was refused: %1").arg(explainRefusal()));
        }
        QString pdf = waitForNewPdf(outFolder, before, 90);
        if (pdf.isEmpty())
            fail(QStringLiteral("no PDF of \"Serie 1\" appeared in %1").arg(outFolder));
        else
            checkRendered(pdf, [](const QImage &page) {
                // The print server hands a landscape page to the printer turned a quarter to the left on
                // portrait paper, as printers take it; turned back it must be the page as laid out.
                const QImage landscape = page.width() < page.height() ? page.transformed(QTransform().rotate(90)) : page;
                return printtest::checkFacePage(landscape, 72, 1, QPoint(150, 600)); },
                          QStringLiteral("\"Serie 1\" at the default margins"));

        before = pdfsIn(outFolder);
        {
            test::ScriptedPrompter prompter;
            Rugzijde backs(pacer, prompter, folder, printer);
            backs.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("10"));
            backs.findChild<QComboBox *>(QStringLiteral("Combo2"))->setCurrentText(QStringLiteral("20"));
            press(&backs, "PrintKnop");
            if (!prompter.shown.isEmpty())
                fail(QStringLiteral("the back was refused: %1").arg(explainRefusal()));
        }
        pdf = waitForNewPdf(outFolder, before, 90);
        if (pdf.isEmpty())
            fail(QStringLiteral("no PDF of the back appeared in %1").arg(outFolder));
        else
            checkRendered(pdf, [](const QImage &page) { return printtest::checkBackPage(page, 72, QPoint(300, 150)); },
                          QStringLiteral("the back at margins 10 and 20"));
    } else if (mode == QLatin1String("refused")) {
        const QStringList before = pdfsIn(outFolder);
        {
            test::ScriptedPrompter prompter;
            AfdrukForm faces(sheet, pacer, prompter, folder, printer);
            press(&faces, "OkKnop");
            expectOneFailureBox(prompter, QStringLiteral("\"Serie 1\""));
        }
        {
            test::ScriptedPrompter prompter;
            Rugzijde backs(pacer, prompter, folder, printer);
            press(&backs, "PrintKnop");
            expectOneFailureBox(prompter, QStringLiteral("the back"));
        }
        if (pdfsIn(outFolder) != before)
            fail(QStringLiteral("a PDF appeared although the pages were refused"));
    } else {
        std::fprintf(stderr, "unknown mode %s\n", argv[1]);
        return 2;
    }
    return failures ? 1 : 0;
}
