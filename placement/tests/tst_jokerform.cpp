#include "appfolder.h"
#include "imagebutton.h"
#include "jokerbrowser.h"
#include "jokerform.h"
#include "picturebox.h"
#include "photos.h"
#include "testsupport.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <memory>

using vellora::AppFolder;
using vellora::ImageButton;
using vellora::JokerBrowser;
using vellora::JokerForm;
using vellora::PictureBox;
using vellora::Surface;
using namespace vellora::test;

namespace {

// Joker n is one flat colour that names it, so the preview tells which file was read.
QRgb jokerColour(int n) { return qRgb(10 * n, 255 - 10 * n, 100); }

QImage jokerPicture(int n, QSize size = QSize(240, 330))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(jokerColour(n));
    return image;
}

// An application folder with the Artwork of the product and `count` jokers of its own in Data.
std::unique_ptr<QTemporaryDir> folderWithJokers(int count)
{
    auto dir = artworkFolder();
    const QDir data(dir->path() + QStringLiteral("/Data"));
    for (int n = 1; n <= count; ++n)
        writePhoto(data.path(), QStringLiteral("joker-%1.jok").arg(n, 2, 10, QLatin1Char('0')), jokerPicture(n), "BMP");
    return dir;
}

struct Opened
{
    std::unique_ptr<QTemporaryDir> app;
    Surface sheet = plainSheet();
    QImage before = sheet.image().copy();
    CountingPacer pacer;
    ScriptedPrompter prompter;
    std::unique_ptr<JokerForm> dialog;

    explicit Opened(std::unique_ptr<QTemporaryDir> folder) : app(std::move(folder))
    {
        dialog = std::make_unique<JokerForm>(sheet, pacer, prompter, AppFolder(app->path()));
        dialog->show();
    }
    template<typename T> T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QString counter() const { return child<QLabel>("Label3")->text(); }
    QImage preview() const { return child<PictureBox>("KaartPic")->image(); }
    QScrollBar *bar() const { return child<QScrollBar>("VScroll1"); }
    void click(const char *name) const { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton, {}, QPoint(3, 3)); }
};

QImage flat(QRgb colour, QSize size = QSize(240, 330))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestJokerForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutAndTexts();
    void pagingShowsThatJoker_data();
    void pagingShowsThatJoker();
    void shippedJokersAreCountedAndShown();
    void missingJokerKeepsThePreviousOne();
    void noJokersAtAll();
    void pictureIsUsedFromItsTopLeft();
    void schoppenChangesOnlyItsJokerArea();
    void allFourLeaveTheStripsUntouched();
    void okWithoutTargetAsks();
    void cancelLeavesTheSheet();
};

void TestJokerForm::layoutAndTexts()
{
    const Opened opened(folderWithJokers(3));
    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Jokers plaatsen"));
    QCOMPARE(opened.dialog->size(), vellora::px(QSize(6510, 5940)));
    QCOMPARE(opened.child<QWidget>("KaartPic")->geometry(), vellora::twipRect(270, 300, 3600, 4950));
    QCOMPARE(opened.bar()->geometry(), vellora::twipRect(4080, 270, 300, 5025));
    QCOMPARE(opened.child<QWidget>("OkKnop")->geometry(), vellora::twipRect(5460, 4860, 765, 435));
    QCOMPARE(opened.child<QWidget>("CancelKnop")->geometry(), vellora::twipRect(4620, 4860, 765, 435));
    QCOMPARE(opened.child<QLabel>("Label4")->text(), QStringLiteral("Jokers plaatsen op..."));
    QCOMPARE(opened.child<QLabel>("Label5")->text(),
             QStringLiteral("Klik \u00e9\u00e9n van de vijf keuze mogelijkheden hierboven aan, klik dan op de 'Ok' knop."));
    QCOMPARE(opened.child<ImageButton>("Image1(3)")->toolTip(), QStringLiteral(" Op Ruiten kaart "));
    QCOMPARE(opened.child<ImageButton>("Image1(0)")->pos(), vellora::px(QPoint(4590, 660)));
    QCOMPARE(opened.bar()->minimum(), 1);
    QCOMPARE(opened.bar()->maximum(), 3);
    QCOMPARE(opened.bar()->value(), 1);
}

void TestJokerForm::pagingShowsThatJoker_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("counter");
    QTest::newRow("9 reads joker-09.jok") << 9 << "Joker 9/12";
    QTest::newRow("10 reads joker-10.jok") << 10 << "Joker 10/12";
    QTest::newRow("12") << 12 << "Joker 12/12";
    QTest::newRow("back to 1") << 1 << "Joker 1/12";
}

void TestJokerForm::pagingShowsThatJoker()
{
    QFETCH(int, number);
    QFETCH(QString, counter);
    const Opened opened(folderWithJokers(12));
    QCOMPARE(opened.counter(), QStringLiteral("Joker 1/12"));
    opened.bar()->setValue(5);
    opened.bar()->setValue(number);
    QCOMPARE(opened.counter(), counter);
    QCOMPARE(firstDifference(opened.preview(), jokerPicture(number)), QString());
}

void TestJokerForm::shippedJokersAreCountedAndShown()
{
    auto app = copyOfAppData();
    const QString first = AppFolder(app->path()).resolve(u"\\Data\\joker-01.jok");
    if (!QFileInfo::exists(first))
        QSKIP("the generated joker pictures are not there");
    const int shipped = int(QDir(app->path() + QStringLiteral("/Data")).entryList({QStringLiteral("*.jok")}).size());
    const Opened opened(std::move(app));
    QCOMPARE(opened.counter(), QStringLiteral("Joker 1/%1").arg(shipped));
    QCOMPARE(firstDifference(opened.preview(), QImage(first).convertToFormat(QImage::Format_RGB32)), QString());
}

void TestJokerForm::missingJokerKeepsThePreviousOne()
{
    auto app = folderWithJokers(4);
    QFile::remove(app->path() + QStringLiteral("/Data/joker-03.jok"));
    // Names are matched without regard to case, when counted and when read.
    QFile::rename(app->path() + QStringLiteral("/Data/joker-04.jok"), app->path() + QStringLiteral("/Data/JOKER-04.JOK"));
    const Opened opened(std::move(app));
    QCOMPARE(opened.counter(), QStringLiteral("Joker 1/3"));
    opened.bar()->setValue(2);
    opened.bar()->setValue(3);
    QCOMPARE(opened.counter(), QStringLiteral("Joker 3/3"));
    QCOMPARE(firstDifference(opened.preview(), jokerPicture(2)), QString());
    QVERIFY(opened.prompter.shown.isEmpty());
    opened.click("Image1(1)");
    opened.click("OkKnop");
    QCOMPARE(firstDifference(opened.sheet.image().copy(3729, 34, 240, 330), jokerPicture(2)), QString());

    const JokerBrowser browser{AppFolder(opened.app->path())};
    JokerBrowser paging = browser;
    QVERIFY(paging.show(4));
    QCOMPARE(firstDifference(paging.preview().image(), jokerPicture(4)), QString());
}

void TestJokerForm::noJokersAtAll()
{
    Opened opened(folderWithJokers(0));
    QCOMPARE(opened.counter(), QStringLiteral("Joker 1/0"));
    const QRgb background = QApplication::palette().color(QPalette::Base).rgb();
    QCOMPARE(firstDifference(opened.preview(), flat(background)), QString());
    opened.click("Image1(0)");
    opened.click("OkKnop");
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    for (int row = 0; row < 4; ++row)
        QCOMPARE(firstDifference(opened.sheet.image().copy(3729, 34 + 400 * row, 240, 330), flat(background)), QString());
}

void TestJokerForm::pictureIsUsedFromItsTopLeft()
{
    auto app = folderWithJokers(2);
    const QImage large = coordinatePhoto(300, 400);
    const QImage small = coordinatePhoto(100, 50);
    writePhoto(app->path() + QStringLiteral("/Data"), QStringLiteral("joker-01.jok"), large, "BMP");
    writePhoto(app->path() + QStringLiteral("/Data"), QStringLiteral("joker-02.jok"), small, "BMP");
    const Opened opened(std::move(app));
    QCOMPARE(firstDifference(opened.preview(), large.copy(0, 0, 240, 330)), QString());
    opened.bar()->setValue(2);
    const QImage preview = opened.preview();
    const QRgb background = QApplication::palette().color(QPalette::Base).rgb();
    QCOMPARE(firstDifference(preview.copy(0, 0, 100, 50), small), QString());
    QCOMPARE(preview.pixel(100, 0), background);
    QCOMPARE(preview.pixel(0, 50), background);
    QCOMPARE(preview.pixel(239, 329), background);
}

void TestJokerForm::schoppenChangesOnlyItsJokerArea()
{
    Opened opened(folderWithJokers(12));
    opened.bar()->setValue(7);
    opened.click("Image1(4)");
    opened.click("OkKnop");
    QCOMPARE(opened.pacer.pauses, QList<int>{200});
    QCOMPARE(changedArea(opened.before, opened.sheet.image()), QRect(3729, 1234, 240, 330));
    QCOMPARE(firstDifference(opened.sheet.image().copy(3729, 1234, 240, 330), jokerPicture(7)), QString());
}

void TestJokerForm::allFourLeaveTheStripsUntouched()
{
    Opened opened(folderWithJokers(12));
    opened.click("Image1(2)");
    opened.click("Image1(0)");
    opened.click("OkKnop");
    const QImage &after = opened.sheet.image();
    for (int row = 0; row < 4; ++row) {
        const QRect cell(3705, 400 * row, 285, 400);
        const QRect area(3729, 34 + 400 * row, 240, 330);
        QCOMPARE(firstDifference(after.copy(area), jokerPicture(1)), QString());
        // The 21 pixel strip at the right and the 36 pixel strip at the bottom of the cell keep the sheet.
        QCOMPARE(firstDifference(after.copy(area.right() + 1, cell.top(), 21, 400), opened.before.copy(3969, cell.top(), 21, 400)), QString());
        QCOMPARE(firstDifference(after.copy(3705, area.bottom() + 1, 285, 36), opened.before.copy(3705, area.bottom() + 1, 285, 36)), QString());
        QCOMPARE(changedArea(opened.before.copy(cell), after.copy(cell)), area.translated(-cell.topLeft()));
    }
    QCOMPARE(changedArea(opened.before, after), QRect(3729, 34, 240, 1530));
}

void TestJokerForm::okWithoutTargetAsks()
{
    Opened opened(folderWithJokers(2));
    opened.click("OkKnop");
    QCOMPARE(opened.prompter.shown.size(), 1);
    QCOMPARE(opened.prompter.shown[0].text, QStringLiteral("Selecteer op welke kaart(en) u de joker wilt plaatsen!"));
    QVERIFY(opened.dialog->isVisible());
    QCOMPARE(firstDifference(opened.sheet.image(), opened.before), QString());
}

void TestJokerForm::cancelLeavesTheSheet()
{
    Opened opened(folderWithJokers(2));
    opened.click("Image1(0)");
    opened.click("CancelKnop");
    QCOMPARE(opened.pacer.pauses, QList<int>{200});
    QCOMPARE(opened.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(firstDifference(opened.sheet.image(), opened.before), QString());
}

QTEST_MAIN(TestJokerForm)
#include "tst_jokerform.moc"
