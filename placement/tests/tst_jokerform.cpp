#include "placement/jokerform.h"
#include "placement/tests/photos.h"

#include <QPainter>

using namespace vellora;
using namespace vellora::test;

namespace {

// Joker n's file, one colour naming it; 9 is smaller than the area, shown from its top-left corner.
QImage jokerFile(int n)
{
    if (n == 9)
        return coordinatePhoto(100, 50);
    return paintPhoto(240, 330, [n](int, int) { return qRgb(10 * n, 255 - 10 * n, 100); });
}

// The preview of joker n, 0 for none: its picture from the top-left on the empty preview's background.
QImage jokerPicture(int n)
{
    QImage image = solidPicture({240, 330}, QApplication::palette().color(QPalette::Base).rgb());
    if (n)
        QPainter(&image).drawImage(0, 0, jokerFile(n));
    return image;
}

// Jokers 1 to `last` in Data, 11 missing and 10 in capitals: names match without regard to case.
std::unique_ptr<QTemporaryDir> folderWithJokers(int last)
{
    auto dir = emptyAppFolder();
    QDir(dir->path()).mkpath("Data");
    for (int n = 1; n <= last; ++n) {
        const QString name =
            n == 10 ? "JOKER-10.JOK" : QStringLiteral("joker-%1.jok").arg(n, 2, 10, QChar(u'0'));
        if (n != 11)
            writeBytes(dir->filePath("Data/" + name), imageFile(jokerFile(n), "BMP"));
    }
    return dir;
}

using Jokers = Opened<JokerForm>;

// The joker area of a row on the sheet, in pixels.
QRect jokerArea(int row) { return QRect(3729, 34 + 400 * row, 240, 330); }

} // namespace

class TestJokerForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Paged to `number` from 5, the form shows `counter` and joker `shown`, and pastes it on the targets.
    void okPastesTheJokerShown_data()
    {
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QStringList>("targets");
        QTest::addColumn<QList<int>>("rows");
        const QList<int> all{0, 1, 2, 3};
        QTest::newRow("9 reads joker-09.jok, smaller than the area")
            << 13 << 9 << "Joker 9/12" << 9 << QStringList{"Image1(4)"} << QList<int>{3};
        QTest::newRow("10 reads joker-10.jok as JOKER-10.JOK")
            << 13 << 10 << "Joker 10/12" << 10 << QStringList{"Image1(2)", "Image1(0)"} << all;
        QTest::newRow("11 is missing: 5 stays")
            << 13 << 11 << "Joker 11/12" << 5 << QStringList{"Image1(1)"} << QList<int>{0};
        QTest::newRow("no jokers at all") << 0 << 1 << "Joker 1/0" << 0 << QStringList{"Image1(0)"} << all;
    }

    void okPastesTheJokerShown()
    {
        QFETCH(int, last);
        QFETCH(int, number);
        QFETCH(QString, counter);
        QFETCH(int, shown);
        QFETCH(QStringList, targets);
        QFETCH(QList<int>, rows);
        Jokers opened(folderWithJokers(last));
        opened.child<QScrollBar>("VScroll1")->setValue(5);
        opened.child<QScrollBar>("VScroll1")->setValue(number);
        QCOMPARE(opened.child<QLabel>("Label3")->text(), counter);
        const QImage preview = opened.child<PictureBox>("KaartPic")->image();
        QCOMPARE(firstDifference(preview, jokerPicture(shown)), QString());
        for (const QString &target : targets)
            opened.click(target);
        opened.click("OkKnop");
        QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
        // Only the joker area changes, not the strips of its cell at the right and the bottom.
        opened.changedOnlyIn(rows, jokerArea);
        for (int row : rows)
            QCOMPARE(firstDifference(opened.sheet.image().copy(jokerArea(row)), jokerPicture(shown)),
                     QString());
    }

    void okWithoutTargetThenCancelLeaveTheSheet()
    {
        Jokers opened(folderWithJokers(2));
        opened.okWithoutTargetThenCancel("Selecteer op welke kaart(en) u de joker wilt plaatsen!");
    }
};

QTEST_MAIN(TestJokerForm)
#include "tst_jokerform.moc"
