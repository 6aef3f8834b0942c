#include "afdrukform.h"
#include "appfolder.h"
#include "imagebutton.h"
#include "pageink.h"
#include "picturebox.h"
#include "platform.h"
#include "printjobs.h"
#include "rugzijde.h"
#include "testsupport.h"
#include "twips.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace vellora;

namespace {

// The preview a sheet rectangle gives when painted where the face window paints its previews.
QImage previewFrom(const QImage &sheet, QRect sheetRect, QRect destination)
{
    Surface s;
    s.resize(px(4080), px(2580));
    s.paintPicture(sheet, QRectF(destination), QRectF(sheetRect));
    return s.image();
}

class FailingTarget final : public PrintTarget
{
public:
    bool begin(QPageLayout::Orientation, QString *error) override
    {
        *error = QStringLiteral("offline");
        return false;
    }
    void paintPicture(const QImage &, const QRect &) override {}
    bool end(QString *) override { return false; }
};

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writeBack(const QDir &backgrounds, const QString &name, const QImage &image)
{
    QVERIFY(image.save(backgrounds.filePath(name), "JPEG", 95));
}

template <typename T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// JPEG moves colours a little; a whole picture of one colour is recognised by its centre.
bool showsColour(const QImage &image, QColor colour)
{
    if (image.isNull())
        return false;
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return std::abs(c.red() - colour.red()) < 12 && std::abs(c.green() - colour.green()) < 12 &&
           std::abs(c.blue() - colour.blue()) < 12;
}

} // namespace

class TestPrintWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void faceWindowOpensOnSerie1WithDefaultMargins();
    void reopeningResetsChoices();
    void previewAndPrintTakeDifferentRectangles_data();
    void previewAndPrintTakeDifferentRectangles();
    void okPrintsSelectedPageEachTime();
    void printerFailureShowsOneMessageAndKeepsWindowOpen();

    void backCounterAndScrollRange();
    void numberWithoutFileKeepsPreviousBack();
    void largeBackShowsTopLeftAndPrintsWhole();
    void backPrintFailure();
    void missingFolderOrFirstBack();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppFolder> m_folder;
    test::CountingPacer m_pacer;
    test::ScriptedPrompter m_prompter;
    QDir backgrounds() const { return QDir(m_dir->filePath(QStringLiteral("Backgrounds"))); }
};

void TestPrintWindows::init()
{
    m_dir = test::emptyAppFolder();
    QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds"));
    m_folder = std::make_unique<AppFolder>(m_dir->path());
    m_pacer.pauses.clear();
    m_prompter.shown.clear();
}

void TestPrintWindows::faceWindowOpensOnSerie1WithDefaultMargins()
{
    const QImage sheet = printtest::addressedSheet();
    RecordingPrintTarget target;
    AfdrukForm form(sheet, m_pacer, m_prompter, *m_folder, target);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vellora Afdrukken"));
    QCOMPARE(form.size(), QSize(440, 300));
    QCOMPARE(child<QRadioButton>(&form, "Option1(5)")->text(), QStringLiteral("Serie 6"));
    QCOMPARE(form.selectedPage(), 1);
    auto *top = child<QComboBox>(&form, "Combo1");
    auto *left = child<QComboBox>(&form, "Combo2");
    QCOMPARE(top->currentText(), QStringLiteral("40"));
    QCOMPARE(left->currentText(), QStringLiteral("10"));
    QVERIFY(top->isEditable());
    QCOMPARE(top->count(), 100);
    QCOMPARE(top->itemText(0), QStringLiteral("0"));
    QCOMPARE(top->itemText(99), QStringLiteral("99"));
    // The first preview is there before anything is clicked.
    QCOMPARE(child<PictureBox>(&form, "Pic")->image(), previewFrom(sheet, {0, 0, 21450, 12000}, {45, 180, 3990, 2220}));
}

void TestPrintWindows::reopeningResetsChoices()
{
    RecordingPrintTarget target;
    {
        AfdrukForm form(printtest::addressedSheet(), m_pacer, m_prompter, *m_folder, target);
        child<QRadioButton>(&form, "Option1(4)")->click();
        child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("7"));
        child<QComboBox>(&form, "Combo2")->setCurrentIndex(55);
        QCOMPARE(form.selectedPage(), 5);
        form.show();
        Q_EMIT child<ImageButton>(&form, "CancelKnop")->clicked();
        QCOMPARE(m_pacer.pauses, QList<int>{200});
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
        QCOMPARE(target.pagesEnded, 0);
    }
    AfdrukForm again(printtest::addressedSheet(), m_pacer, m_prompter, *m_folder, target);
    QCOMPARE(again.selectedPage(), 1);
    QVERIFY(child<QRadioButton>(&again, "Option1(0)")->isChecked());
    QCOMPARE(child<QComboBox>(&again, "Combo1")->currentText(), QStringLiteral("40"));
    QCOMPARE(child<QComboBox>(&again, "Combo2")->currentText(), QStringLiteral("10"));
}

void TestPrintWindows::previewAndPrintTakeDifferentRectangles_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QRect>("previewRect");
    QTest::addColumn<QRect>("printRect");
    QTest::addColumn<QRect>("destination");
    QTest::newRow("page 2") << 1 << QRect(21390, 0, 21450, 12000) << QRect(21430, 0, 21450, 12000)
                            << QRect(45, 180, 3990, 2220);
    QTest::newRow("page 3") << 2 << QRect(42750, 0, 17010, 12000) << QRect(42810, 0, 17010, 12000)
                            << QRect(45, 180, 3165, 2220);
    QTest::newRow("page 5") << 4 << QRect(21390, 12000, 21450, 12000) << QRect(21430, 12000, 21450, 12000)
                            << QRect(45, 180, 3990, 2220);
    QTest::newRow("page 6") << 5 << QRect(42750, 12000, 17010, 12000) << QRect(42810, 12000, 17010, 12000)
                            << QRect(45, 180, 3165, 2220);
}

void TestPrintWindows::previewAndPrintTakeDifferentRectangles()
{
    QFETCH(int, option);
    QFETCH(QRect, previewRect);
    QFETCH(QRect, printRect);
    QFETCH(QRect, destination);
    const QImage sheet = printtest::addressedSheet();
    RecordingPrintTarget target;
    AfdrukForm form(sheet, m_pacer, m_prompter, *m_folder, target);
    child<QRadioButton>(&form, QStringLiteral("Option1(%1)").arg(option))->click();

    const QImage preview = child<PictureBox>(&form, "Pic")->image();
    QCOMPARE(preview, previewFrom(sheet, previewRect, destination));
    QVERIFY(preview != previewFrom(sheet, printRect, destination));

    Q_EMIT child<ImageButton>(&form, "OkKnop")->clicked();
    QCOMPARE(target.placements.size(), size_t(1));
    // The printed picture starts at the print rectangle's first pixel column, not the preview's.
    const QImage printed = target.placements[0].picture;
    QCOMPARE(printed.pixel(0, 0), sheet.pixel(px(printRect.x()), px(printRect.y())));
    QVERIFY(printed.pixel(0, 0) != sheet.pixel(px(previewRect.x()), px(previewRect.y())));
}

void TestPrintWindows::okPrintsSelectedPageEachTime()
{
    RecordingPrintTarget target;
    AfdrukForm form(printtest::addressedSheet(), m_pacer, m_prompter, *m_folder, target);
    auto *ok = child<ImageButton>(&form, "OkKnop");
    child<QRadioButton>(&form, "Option1(2)")->click();
    child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("150"));
    child<QComboBox>(&form, "Combo2")->setCurrentText(QStringLiteral("25abc"));
    Q_EMIT ok->clicked();
    QCOMPARE(m_pacer.pauses, QList<int>{200});
    QCOMPARE(ok->pos(), px(QPoint(5550, 3390)));
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(target.orientation, QPageLayout::Landscape);
    QCOMPARE(target.placements.size(), size_t(1));
    QCOMPARE(target.placements[0].twips, QRect(375, 2250, 12860, 10200));
    QCOMPARE(form.backPic().image().size(), QSize(1134, 800));
    // A typed value is a margin, not a new list entry.
    QCOMPARE(child<QComboBox>(&form, "Combo1")->count(), 100);

    // Ok again without changes prints the same page again.
    const RecordingPrintTarget::Placement first = target.placements.at(0);
    Q_EMIT ok->clicked();
    QCOMPARE(target.pagesEnded, 2);
    QCOMPARE(target.placements.at(0).twips, first.twips);
    QCOMPARE(target.placements.at(0).picture, first.picture);
}

void TestPrintWindows::printerFailureShowsOneMessageAndKeepsWindowOpen()
{
    FailingTarget target;
    AfdrukForm form(printtest::addressedSheet(), m_pacer, m_prompter, *m_folder, target);
    form.show();
    Q_EMIT child<ImageButton>(&form, "OkKnop")->clicked();
    QCOMPARE(m_prompter.shown.size(), 1);
    QCOMPARE(m_prompter.shown[0].text, QStringLiteral("No printer or printer offline!"));
    QCOMPARE(m_prompter.shown[0].title, QStringLiteral(" Error"));
    QCOMPARE(m_prompter.shown[0].icon, Prompter::Icon::Critical);
    QVERIFY(form.isVisible());
    // Still usable: the next press tries again and fails again the same way.
    Q_EMIT child<ImageButton>(&form, "OkKnop")->clicked();
    QCOMPARE(m_prompter.shown.size(), 2);
}

void TestPrintWindows::backCounterAndScrollRange()
{
    const QColor colours[3] = {QColor(200, 40, 40), QColor(40, 200, 40), QColor(40, 40, 200)};
    for (int i = 0; i < 3; ++i)
        writeBack(backgrounds(), QStringLiteral("Background-%1.jpg").arg(i), solid({60, 80}, colours[i]));
    RecordingPrintTarget target;
    Rugzijde form(m_pacer, m_prompter, *m_folder, target);
    QCOMPARE(form.windowTitle(), QStringLiteral(" Afdrukken Rugzijde"));
    QCOMPARE(child<QComboBox>(&form, "Combo1")->currentText(), QStringLiteral("0"));
    QCOMPARE(child<QComboBox>(&form, "Combo2")->currentText(), QStringLiteral("0"));
    auto *counter = child<QLabel>(&form, "Label3");
    auto *scroll = child<QScrollBar>(&form, "VScroll1");
    QCOMPARE(counter->text(), QStringLiteral("Rugzijde 1 / 3"));
    QCOMPARE(scroll->minimum(), 0);
    QCOMPARE(scroll->maximum(), 2);
    QVERIFY(showsColour(form.backPic().image(), colours[0]));
    scroll->setValue(scroll->maximum());
    QCOMPARE(counter->text(), QStringLiteral("Rugzijde 3 / 3"));
    QVERIFY(showsColour(form.backPic().image(), colours[2]));
    QVERIFY(showsColour(child<PictureBox>(&form, "Pic")->image(), colours[2]));
    Q_EMIT child<ImageButton>(&form, "PrintKnop")->clicked();
    QVERIFY(showsColour(target.placements.at(0).picture, colours[2]));

    // Reopening starts at the first back again.
    Rugzijde again(m_pacer, m_prompter, *m_folder, target);
    QCOMPARE(child<QScrollBar>(&again, "VScroll1")->value(), 0);
    QCOMPARE(child<QLabel>(&again, "Label3")->text(), QStringLiteral("Rugzijde 1 / 3"));
    QVERIFY(showsColour(again.backPic().image(), colours[0]));
}

void TestPrintWindows::numberWithoutFileKeepsPreviousBack()
{
    // Three ".jpg" files but no Background-1.jpg: number 1 is counted and has no picture. Letter case does
    // not matter to the count.
    writeBack(backgrounds(), QStringLiteral("Background-0.jpg"), solid({40, 40}, QColor(200, 40, 40)));
    writeBack(backgrounds(), QStringLiteral("Background-2.jpg"), solid({40, 40}, QColor(40, 40, 200)));
    writeBack(backgrounds(), QStringLiteral("holiday.JPG"), solid({40, 40}, Qt::black));
    QFile(backgrounds().filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);
    RecordingPrintTarget target;
    Rugzijde form(m_pacer, m_prompter, *m_folder, target);
    auto *scroll = child<QScrollBar>(&form, "VScroll1");
    QCOMPARE(scroll->maximum(), 2);
    scroll->setValue(1);
    QCOMPARE(child<QLabel>(&form, "Label3")->text(), QStringLiteral("Rugzijde 2 / 3"));
    QVERIFY(showsColour(form.backPic().image(), QColor(200, 40, 40)));
    QVERIFY(showsColour(child<PictureBox>(&form, "Pic")->image(), QColor(200, 40, 40)));
    Q_EMIT child<ImageButton>(&form, "PrintKnop")->clicked();
    QVERIFY(showsColour(target.placements.at(0).picture, QColor(200, 40, 40)));
}

void TestPrintWindows::largeBackShowsTopLeftAndPrintsWhole()
{
    // A back four times the preview's size, each pixel different, so the preview's crop can be told exactly.
    QImage big(608, 848, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)));
    QVERIFY(big.save(backgrounds().filePath(QStringLiteral("Background-0.jpg")), "JPEG", 100));
    const QImage stored = QImage(backgrounds().filePath(QStringLiteral("Background-0.jpg"))).convertToFormat(QImage::Format_RGB32);

    RecordingPrintTarget target;
    Rugzijde form(m_pacer, m_prompter, *m_folder, target);
    auto *pic = child<PictureBox>(&form, "Pic");
    const QImage shown = pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(152, 212));
    const QString diff = test::firstDifference(shown, stored.copy(0, 0, 152, 212));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    Q_EMIT child<ImageButton>(&form, "PrintKnop")->clicked();
    QCOMPARE(target.orientation, QPageLayout::Portrait);
    QCOMPARE(target.placements.at(0).twips, QRect(0, 0, 12000, 16900));
    QCOMPARE(target.placements.at(0).picture.convertToFormat(QImage::Format_RGB32), stored);
}

void TestPrintWindows::backPrintFailure()
{
    writeBack(backgrounds(), QStringLiteral("Background-0.jpg"), solid({30, 30}, Qt::gray));
    FailingTarget failing;
    Rugzijde offline(m_pacer, m_prompter, *m_folder, failing);
    offline.show();
    auto *printKnop = child<ImageButton>(&offline, "PrintKnop");
    Q_EMIT printKnop->clicked();
    QCOMPARE(m_pacer.pauses, QList<int>{200});
    QCOMPARE(printKnop->pos(), px(QPoint(5550, 3390)));
    QCOMPARE(m_prompter.shown.size(), 1);
    QCOMPARE(m_prompter.shown[0].text, QStringLiteral("No printer or printer offline!"));
    QCOMPARE(m_prompter.shown[0].title, QStringLiteral(" Error"));
    QCOMPARE(m_prompter.shown[0].icon, Prompter::Icon::Critical);
    QVERIFY(offline.isVisible());

    Q_EMIT child<ImageButton>(&offline, "CancelKnop")->clicked();
    QVERIFY(!offline.isVisible());
    QCOMPARE(offline.result(), int(QDialog::Rejected));
}


void TestPrintWindows::missingFolderOrFirstBack()
{
    RecordingPrintTarget target;
    {
        // No Backgrounds folder at all.
        const auto empty = test::emptyAppFolder();
        const AppFolder folder(empty->path());
        Rugzijde form(m_pacer, m_prompter, folder, target);
        QCOMPARE(child<QLabel>(&form, "Label3")->text(), QStringLiteral("Rugzijde 1 / 0"));
        QVERIFY(form.backPic().isEmpty());
        QVERIFY(child<PictureBox>(&form, "Pic")->image().isNull());
        QCOMPARE(child<QScrollBar>(&form, "VScroll1")->maximum(), 0);
        // Nothing to print is a failure like any other.
        Q_EMIT child<ImageButton>(&form, "PrintKnop")->clicked();
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(target.pagesEnded, 0);
    }
    {
        // The folder has backs, but not number 0; the folder is found whatever its letter case.
        QVERIFY(QDir(m_dir->path()).rename(QStringLiteral("Backgrounds"), QStringLiteral("BACKGROUNDS")));
        const QDir folder(m_dir->filePath(QStringLiteral("BACKGROUNDS")));
        writeBack(folder, QStringLiteral("Background-1.jpg"), solid({30, 30}, QColor(40, 200, 40)));
        writeBack(folder, QStringLiteral("Background-2.jpg"), solid({30, 30}, QColor(40, 40, 200)));
        Rugzijde form(m_pacer, m_prompter, *m_folder, target);
        QCOMPARE(child<QLabel>(&form, "Label3")->text(), QStringLiteral("Rugzijde 1 / 2"));
        QVERIFY(form.backPic().isEmpty());
        child<QScrollBar>(&form, "VScroll1")->setValue(1);
        QVERIFY(showsColour(form.backPic().image(), QColor(40, 200, 40)));
    }
}

QTEST_MAIN(TestPrintWindows)
#include "tst_printwindows.moc"
