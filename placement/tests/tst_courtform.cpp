#include "placement/courtform.h"
#include "placement/tests/photos.h"
#include "surface/masterdrawing.h"

using namespace vellora;
using namespace vellora::test;

namespace {

// Court figure n of a rank in a folder of our own: one colour naming rank and suit, so a swap shows.
QImage figureFile(KaartSoort soort, int suit)
{
    return paintPhoto(165, 280,
                      [=](int x, int y) { return qRgb(40 * int(soort), 50 * suit, (x + y) & 255); });
}

// The four figures of every rank in Data, Schoppen's Vrouw missing; the Koning of Klavers with a drawing that
// names its file, the Boer of Ruiten of another size than the picture area.
std::unique_ptr<QTemporaryDir> folderWithFigures()
{
    auto dir = emptyAppFolder();
    QDir(dir->path()).mkpath("Data");
    const AppFolder folder(dir->path());
    for (KaartSoort soort : {KaartSoort::Boer, KaartSoort::Vrouw, KaartSoort::Koning})
        for (int suit = 0; suit < 4; ++suit) {
            if (soort == KaartSoort::Vrouw && suit == 3)
                continue;
            const QString relative = courts::relativePath(soort, suit).mid(1).replace(u'\\', u'/');
            const QImage image =
                soort == KaartSoort::Boer && suit == 2 ? coordinatePhoto(240, 330) : figureFile(soort, suit);
            writeBytes(dir->filePath(relative), imageFile(image, "BMP"));
        }
    const QString koning = dir->filePath("Data/court-k-k.bmp");
    QImage drawing = figureFile(KaartSoort::Koning, 1).scaled(495, 840);
    drawing.setText(masterdrawing::kKey,
                    QString::fromLatin1(masterdrawing::tagFor("court-k-k.bmp", readBytes(koning))));
    drawing.save(dir->filePath("Data/court-k-k@3x.png"), "PNG");
    return dir;
}

// The picture area of a row of the rank's column on the sheet, in pixels.
QRect pictureArea(KaartSoort soort, int row)
{
    return QRect(285 * (9 + int(soort)) + 60, 60 + 400 * row, 165, 280);
}

// Paged to `suit` by way of Schoppen, the dialog shows `counter` and the figure of suit `shown`.
struct Paging
{
    KaartSoort rank;
    int suit;
    QString counter;
    int shown;
    QString target;
    QList<int> rows;
};

struct Courts : Opened<CourtForm>
{
    explicit Courts(KaartSoort soort) : Opened<CourtForm>(folderWithFigures(), soort) {}
};

} // namespace

class TestCourtForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The figure shown is the one pasted on the target; only the Koning of Klavers brings a drawing of its
    // own for the master. A figure missing or of another size leaves the one before it, the counter follows.
    void okPastesTheFigureShown_data()
    {
        QTest::addColumn<Paging>("paging");
        using enum KaartSoort;
        const QList<int> all{0, 1, 2, 3};
        QTest::newRow("Boer of Harten on all four") << Paging{Boer, 0, "Boer Harten", 0, "Image1(0)", all};
        QTest::newRow("Koning of Klavers on Ruiten")
            << Paging{Koning, 1, "Koning Klavers", 1, "Image1(3)", {2}};
        QTest::newRow("Vrouw of Ruiten on Harten") << Paging{Vrouw, 2, "Vrouw Ruiten", 2, "Image1(1)", {0}};
        QTest::newRow("Vrouw of Schoppen is missing: Harten stays")
            << Paging{Vrouw, 3, "Vrouw Schoppen", 0, "Image1(2)", {1}};
        QTest::newRow("Boer of Ruiten is no figure: Schoppen stays")
            << Paging{Boer, 2, "Boer Ruiten", 3, "Image1(4)", {3}};
    }

    void okPastesTheFigureShown()
    {
        QFETCH(Paging, paging);
        const auto &[rank, suit, counter, shown, target, rows] = paging;
        Courts opened(rank);
        QCOMPARE(opened.dialog->windowTitle(),
                 QStringList({"", "Boeren plaatsen", "Vrouwen plaatsen", "Koningen plaatsen"})[int(rank)]);
        opened.child<QScrollBar>("VScroll1")->setValue(3);
        opened.child<QScrollBar>("VScroll1")->setValue(suit);
        QCOMPARE(opened.child<QLabel>("Label3")->text(), counter);
        const QImage figure = figureFile(rank, shown);
        QCOMPARE(firstDifference(opened.child<PictureBox>("KaartPic")->image(), figure), QString());
        opened.click(target);
        opened.click("OkKnop");
        QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
        opened.changedOnlyIn(rows, [rank](int row) { return pictureArea(rank, row); });
        for (int row : rows)
            QCOMPARE(firstDifference(opened.sheet.image().copy(pictureArea(rank, row)), figure), QString());
        const QImage master = opened.dialog->chosen()->master;
        if (rank == KaartSoort::Koning && shown == 1)
            QCOMPARE(firstDifference(master, figure.scaled(495, 840)), QString());
        else
            QVERIFY(master.isNull());
    }

    void okWithoutTargetThenCancelLeaveTheSheet()
    {
        Courts opened(KaartSoort::Koning);
        opened.okWithoutTargetThenCancel("Selecteer op welke kaart(en) u de figuur wilt plaatsen!");
    }
};

QTEST_MAIN(TestCourtForm)
#include "tst_courtform.moc"
