#include "afdrukform.h"
#include "appfolder.h"
#include "imagebutton.h"
#include "pageink.h"
#include "pagetables.h"
#include "printjobs.h"
#include "printqueues.h"
#include "qprintertarget.h"
#include "rugzijde.h"
#include "surface.h"
#include "testsupport.h"

#include <QStandardPaths>
#include <QtTest>

using namespace vellora;

namespace {

class FakeQueues final : public PrintQueues
{
public:
    QString printer;
    std::optional<State> queueState;
    QString submissionError;
    mutable int stateAsked = 0;
    QString defaultPrinter() const override { return printer; }
    std::optional<State> state(const QString &) const override
    {
        ++stateAsked;
        return queueState;
    }
    QString lastSubmissionError() const override { return submissionError; }
};

} // namespace

Q_DECLARE_METATYPE(std::optional<vellora::PrintQueues::State>)

class TestQPrinterTarget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void queueProblems_data();
    void queueProblems();
    void refusedQueueBeginsNoPage_data();
    void refusedQueueBeginsNoPage();
    void endVerdict_data();
    void endVerdict();
    void noPrintServerMeansMessageNotPdf();

    void pdfFacePageInkWhereTablesPutIt_data();
    void pdfFacePageInkWhereTablesPutIt();
    void pdfBackInkWhereMarginsPutIt();

private:
    QTemporaryDir m_scratch;
};

void TestQPrinterTarget::initTestCase()
{
    // No print server answers here, whatever this machine has: the tests that need one run their own.
    qputenv("CUPS_SERVER", QFile::encodeName(m_scratch.filePath(QStringLiteral("no-server.sock"))));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_scratch.path()));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
}

void TestQPrinterTarget::queueProblems_data()
{
    using State = PrintQueues::State;
    QTest::addColumn<QString>("printer");
    QTest::addColumn<std::optional<State>>("state");
    QTest::addColumn<QString>("problem"); // a word of the reason; empty when the queue is ready
    QTest::newRow("ready") << "Office" << std::optional<State>(State{false, true}) << "";
    QTest::newRow("no default printer") << "" << std::optional<State>(State{false, true}) << "no default";
    QTest::newRow("unknown to the server") << "Office" << std::optional<State>() << "does not know";
    QTest::newRow("stopped") << "Office" << std::optional<State>(State{true, true}) << "stopped";
    QTest::newRow("rejecting jobs") << "Office" << std::optional<State>(State{false, false}) << "does not accept";
    QTest::newRow("stopped and rejecting") << "Office" << std::optional<State>(State{true, false}) << "stopped";
}

void TestQPrinterTarget::queueProblems()
{
    QFETCH(QString, printer);
    QFETCH(std::optional<PrintQueues::State>, state);
    QFETCH(QString, problem);
    FakeQueues queues;
    queues.printer = printer;
    queues.queueState = state;
    QString name;
    const QString got = defaultQueueProblem(queues, &name);
    QCOMPARE(name, printer);
    if (problem.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got));
    else
        QVERIFY2(got.contains(problem), qPrintable(got));
}

void TestQPrinterTarget::refusedQueueBeginsNoPage_data()
{
    queueProblems_data();
}

void TestQPrinterTarget::refusedQueueBeginsNoPage()
{
    QFETCH(QString, printer);
    QFETCH(std::optional<PrintQueues::State>, state);
    FakeQueues queues;
    // A ready queue whose printer Qt has never heard of must fail too: Qt would print it to PDF instead.
    queues.printer = printer.isEmpty() ? printer : QStringLiteral("VelloraNoSuchPrinter");
    queues.queueState = state;
    QPrinterTarget target(queues);
    QString error;
    QVERIFY(!target.begin(QPageLayout::Landscape, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(!target.end(&error), "a page that never began cannot have printed");
}

void TestQPrinterTarget::endVerdict_data()
{
    QTest::addColumn<bool>("painterEnded");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("submission");
    QTest::addColumn<bool>("printed");
    QTest::newRow("all well") << true << int(QPrinter::Idle) << "" << true;
    QTest::newRow("still sending") << true << int(QPrinter::Active) << "" << true;
    QTest::newRow("painter could not end") << false << int(QPrinter::Idle) << "" << false;
    QTest::newRow("printer error") << true << int(QPrinter::Error) << "" << false;
    QTest::newRow("aborted") << true << int(QPrinter::Aborted) << "" << false;
    QTest::newRow("server refused the job") << true << int(QPrinter::Idle) << "client-error-not-possible" << false;
}

void TestQPrinterTarget::endVerdict()
{
    QFETCH(bool, painterEnded);
    QFETCH(int, state);
    QFETCH(QString, submission);
    QFETCH(bool, printed);
    const QString problem = QPrinterTarget::endProblem(painterEnded, QPrinter::PrinterState(state), submission);
    QCOMPARE(problem.isEmpty(), printed);
}

void TestQPrinterTarget::noPrintServerMeansMessageNotPdf()
{
    // The real printing path on a machine with no printer: Qt alone would switch to PDF output and succeed.
    SystemPrintQueues queues;
    QVERIFY(!defaultQueueProblem(queues, nullptr).isEmpty());

    const auto app = test::emptyAppFolder();
    const AppFolder folder(app->path());
    test::ScriptedPrompter prompter;
    test::CountingPacer pacer;
    QPrinterTarget printer;
    AfdrukForm faces(printtest::colouredSheet(), pacer, prompter, folder, printer);
    Q_EMIT faces.findChild<ImageButton *>(QStringLiteral("OkKnop"))->clicked();
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].text, QStringLiteral("No printer or printer offline!"));

    QDir(app->path()).mkpath(QStringLiteral("Backgrounds"));
    QVERIFY(printtest::quadrantBack({40, 60}).save(app->filePath(QStringLiteral("Backgrounds/Background-0.jpg"))));
    Rugzijde backs(pacer, prompter, folder, printer);
    Q_EMIT backs.findChild<ImageButton *>(QStringLiteral("PrintKnop"))->clicked();
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown[1].title, QStringLiteral(" Error"));
}

void TestQPrinterTarget::pdfFacePageInkWhereTablesPutIt_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("page 1, defaults") << 1 << "40" << "10" << QPoint(150, 600);
    QTest::newRow("page 3, defaults") << 3 << "40" << "10" << QPoint(150, 600);
    QTest::newRow("page 5, typed margins") << 5 << "60" << "25abc" << QPoint(375, 900);
}

void TestQPrinterTarget::pdfFacePageInkWhereTablesPutIt()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed (Debian package poppler-utils)");
    QFETCH(int, page);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QPoint, origin);
    const QString pdf = m_scratch.filePath(QStringLiteral("face-%1.pdf").arg(QTest::currentDataTag()));
    const auto target = QPrinterTarget::toPdfFile(pdf);
    Surface working;
    const print::PrintOutcome outcome =
        print::printFacePage(printtest::colouredSheet(), print::facePage(page), top, left, working, *target);
    QVERIFY2(outcome.printed, qPrintable(outcome.reason));

    QString error;
    const int dpi = 72;
    const std::optional<QImage> rendered = printtest::renderPdf(pdf, dpi, &error);
    QVERIFY2(rendered, qPrintable(error));
    // A4 landscape at 72 dpi.
    QCOMPARE(rendered->size(), QSize(842, 595));
    const QString problems = printtest::checkFacePage(*rendered, dpi, page, origin);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void TestQPrinterTarget::pdfBackInkWhereMarginsPutIt()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed (Debian package poppler-utils)");
    const QString pdf = m_scratch.filePath(QStringLiteral("back.pdf"));
    const auto target = QPrinterTarget::toPdfFile(pdf);
    const print::PrintOutcome outcome = print::printBack(printtest::quadrantBack({300, 420}), "12", "30", *target);
    QVERIFY2(outcome.printed, qPrintable(outcome.reason));
    QString error;
    const std::optional<QImage> rendered = printtest::renderPdf(pdf, 72, &error);
    QVERIFY2(rendered, qPrintable(error));
    QCOMPARE(rendered->size(), QSize(595, 842));
    const QString problems = printtest::checkBackPage(*rendered, 72, QPoint(450, 180));
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

QTEST_MAIN(TestQPrinterTarget)
#include "tst_qprintertarget.moc"
