#include "dialogform.h"
#include "imagebutton.h"
#include "picturebox.h"
#include "photos.h"
#include "photoview.h"
#include "testsupport.h"
#include "twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <memory>

using vellora::AppFolder;
using vellora::Dialogform;
using vellora::ImageButton;
using vellora::KaartSoort;
using vellora::PictureBox;
using vellora::Surface;
using vellora::twipRect;
using namespace vellora::test;

namespace {

// One opening of the dialog over a scratch application folder with a Foto's folder of test pictures.
struct Opened
{
    std::unique_ptr<QTemporaryDir> app = artworkFolder();
    Surface sheet = plainSheet();
    QImage before = sheet.image().copy();
    CountingPacer pacer;
    ScriptedPrompter prompter;
    QString photos;
    QImage photo = coordinatePhoto(640, 480);
    std::unique_ptr<Dialogform> dialog;

    explicit Opened(KaartSoort soort = KaartSoort::Koning)
    {
        QDir(app->path()).mkpath(QStringLiteral("Foto's"));
        photos = QDir(app->path()).filePath(QStringLiteral("Foto's"));
        writePhoto(photos, QStringLiteral("IMG_0001.JPG"), smoothPhoto(800, 600), "JPEG");
        writePhoto(photos, QStringLiteral("kasteel.Bmp"), photo, "BMP");
        writeBytes(QDir(photos).filePath(QStringLiteral("clip.gif")), gifBytes(coordinatePhoto(30, 20)));
        writeBytes(QDir(photos).filePath(QStringLiteral("broken.jpg")), QByteArray("\xff\xd8\xff\xe0 broken", 12));
        writePhoto(photos, QStringLiteral("notes.txt"), photo, "BMP");
        writePhoto(photos, QStringLiteral("shot.png"), photo, "PNG");
        dialog = std::make_unique<Dialogform>(sheet, soort, pacer, prompter, AppFolder(app->path()));
        dialog->show();
    }

    template<typename T> T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QListWidget *files() const { return child<QListWidget>("List1"); }
    QWidget *slidePic() const { return child<QWidget>("SlidePic"); }
    QScrollBar *zoom() const { return child<QScrollBar>("ZoomScroll"); }
    QString zoomLabel() const { return child<QLabel>("Label4")->text(); }
    QImage preview() const { return child<PictureBox>("Picture1")->image(); }

    void clickFile(const QString &name) const
    {
        const QList<QListWidgetItem *> found = files()->findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, files()->visualItemRect(found[0]).center());
    }
    void openPhotos() const { dialog->Dir1_Change(photos); }
    void click(const char *name) const
    {
        QTest::mouseClick(child<QWidget>(name), Qt::LeftButton, {}, QPoint(3, 3));
    }
    void pressPicture(QPoint pixel) const { QTest::mousePress(slidePic(), Qt::LeftButton, {}, pixel); }
    void releasePicture(QPoint pixel) const { QTest::mouseRelease(slidePic(), Qt::LeftButton, {}, pixel); }
    void dragPictureTo(QPoint pixel) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel), slidePic()->mapToGlobal(QPointF(pixel)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(slidePic(), &move);
    }
};

} // namespace

class TestDialogform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutAndTexts_data();
    void layoutAndTexts();
    void startsInTheApplicationFolder();
    void listsPicturesWhateverTheCaseOfTheirNames();
    void folderListOpensASubfolder();
    void unreadableDriveKeepsTheFolderList();
    void loadingSetsCaptionAndKeepsTheFirstLabel();
    void zoomRewritesLabelAndSize();
    void zeroZoomShowsNothing();
    void unreadableFileLeavesThePreviousPicture();
    void pressPreviewsThePhotoFromThatPixel();
    void dragStopsAtTheViewportEdges();
    void viewportDrawsTheZoomedPhotoWhereItShows();
    void zoomComputesOnlyWhatTheViewportShows();
    void okWithoutTargetAsksAndKeepsTheSheet();
    void cancelLeavesTheSheet();
    void okPastesIntoTheAceOfRuitenOnly();
    void anotherTargetLeavesOneChosen();
    void borderReachesTheSheetOnlyWhenTicked();
};

void TestDialogform::layoutAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Dir1") << "Dir1" << twipRect(150, 585, 3300, 2730);
    QTest::newRow("List1") << "List1" << twipRect(150, 3360, 3300, 3000);
    QTest::newRow("PicCont") << "PicCont" << twipRect(3690, 270, 3675, 5400);
    QTest::newRow("SlidePic") << "SlidePic" << twipRect(0, 0, 3675, 5400);
    QTest::newRow("LayerW") << "LayerW" << twipRect(600, 600, 2490, 4215);
    QTest::newRow("ZoomScroll") << "ZoomScroll" << twipRect(3630, 6030, 2535, 285);
    QTest::newRow("Picture1") << "Picture1" << twipRect(7710, 240, 2475, 4200);
    QTest::newRow("Shape1") << "Shape1" << twipRect(0, 0, 2475, 4200);
    QTest::newRow("CancelKnop") << "CancelKnop" << twipRect(10260, 5900, 765, 435);
    QTest::newRow("OkKnop") << "OkKnop" << twipRect(11100, 5900, 765, 435);
}

void TestDialogform::layoutAndTexts()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    const Opened opened;
    const QWidget *widget = opened.dialog->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);

    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Importeer (Koning)"));
    QCOMPARE(opened.dialog->size(), vellora::px(QSize(12180, 6960)));
    QCOMPARE(opened.zoomLabel(), QStringLiteral("100%  (0 x 0 Pixels)"));
    QCOMPARE(opened.child<QLabel>("Label3")->text(), QStringLiteral("Plaatsen op..."));
    QCOMPARE(opened.child<QLabel>("Label5")->text(),
             QStringLiteral("Klik \u00e9\u00e9n van de vijf keuze mogelijkheden hierboven aan, druk dan op de 'Ok' knop."));
    QCOMPARE(opened.child<QLabel>("Label8")->text(),
             QStringLiteral("Beweeg de afbeelding met ingedrukte linkermuisknop. Klik dan om de linkerbovenhoek van de "
                            "rechthoek te\npositioneren. Het resultaat is dan hierboven te zien."));
    QCOMPARE(opened.child<QCheckBox>("Check1")->text(), QStringLiteral("Border"));
    QVERIFY(!opened.child<QCheckBox>("Check1")->isChecked());
    QVERIFY(opened.child<QWidget>("Shape1")->isHidden());
    const QStringList tips = {" Alle 4 kaarten ", " Op Harten kaart ", " Op Klaver kaart ", " Op Ruiten kaart ",
                              " Op Schoppen kaart "};
    for (int i = 0; i < 5; ++i) {
        const auto *option = opened.dialog->findChild<ImageButton *>(QStringLiteral("Image1(%1)").arg(i));
        QVERIFY(option);
        QCOMPARE(option->toolTip(), tips[i]);
        QCOMPARE(option->frameShape(), QFrame::NoFrame);
        QCOMPARE(option->pos(), vellora::px(QPoint(10410, 660 + 420 * i)));
    }
    QCOMPARE(opened.zoom()->minimum(), 0);
    QCOMPARE(opened.zoom()->maximum(), 250);
    QCOMPARE(opened.zoom()->value(), 100);
    QVERIFY(opened.child<QComboBox>("Drive1")->count() >= 1);
}

void TestDialogform::startsInTheApplicationFolder()
{
    const Opened opened;
    QCOMPARE(QFileInfo(opened.dialog->folder()).canonicalFilePath(), QFileInfo(opened.app->path()).canonicalFilePath());
    const auto *folders = opened.child<QListWidget>("Dir1");
    QVERIFY(folders->currentItem());
    QCOMPARE(folders->currentItem()->text().trimmed(), QFileInfo(opened.app->path()).fileName());
    // Its subfolders follow it, the photo folder among them.
    QVERIFY(!folders->findItems(QStringLiteral("Foto's"), Qt::MatchEndsWith).isEmpty());
}

void TestDialogform::listsPicturesWhateverTheCaseOfTheirNames()
{
    const Opened opened;
    opened.openPhotos();
    QStringList names;
    for (int i = 0; i < opened.files()->count(); ++i)
        names << opened.files()->item(i)->text();
    QCOMPARE(names, (QStringList{"broken.jpg", "clip.gif", "IMG_0001.JPG", "kasteel.Bmp"}));
}

void TestDialogform::folderListOpensASubfolder()
{
    const Opened opened;
    auto *folders = opened.child<QListWidget>("Dir1");
    const QList<QListWidgetItem *> found = folders->findItems(QStringLiteral("Foto's"), Qt::MatchEndsWith);
    QCOMPARE(found.size(), 1);
    const QPoint at = folders->visualItemRect(found[0]).center();
    // A single click only selects, as in any folder list; the double click opens.
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(QFileInfo(opened.dialog->folder()).fileName(), QFileInfo(opened.app->path()).fileName());
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(opened.dialog->folder(), opened.photos);
    QCOMPARE(opened.files()->count(), 4);
}

void TestDialogform::unreadableDriveKeepsTheFolderList()
{
    const Opened opened;
    opened.openPhotos();
    auto *drives = opened.child<QComboBox>("Drive1");
    // As an empty card reader would be: listed, but nothing can be read there.
    drives->addItem(QDir(opened.app->path()).filePath(QStringLiteral("no-card-inserted")));
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(drives->currentIndex(), drives->count() - 1);
    QCOMPARE(opened.dialog->folder(), opened.photos);
    QCOMPARE(opened.files()->count(), 4);
    // Back on the drive of the application folder, the lists return to where they were left.
    drives->setCurrentIndex(0);
    QCOMPARE(opened.dialog->folder(), opened.photos);
}

void TestDialogform::loadingSetsCaptionAndKeepsTheFirstLabel()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Importeer (Koning) / 640 x 480"));
    // At 100 % already, so the zoom does not run and the first label stays.
    QCOMPARE(opened.zoomLabel(), QStringLiteral("100%  (0 x 0 Pixels)"));
    QCOMPARE(opened.slidePic()->geometry(), QRect(0, 0, 640, 480));
    QVERIFY(!QGuiApplication::overrideCursor());

    opened.clickFile(QStringLiteral("IMG_0001.JPG"));
    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Importeer (Koning) / 800 x 600"));
    QCOMPARE(opened.slidePic()->size(), QSize(800, 600));
}

void TestDialogform::zoomRewritesLabelAndSize()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.zoom()->setValue(50);
    QCOMPARE(opened.zoomLabel(), QStringLiteral("50%  (320 x 240 Pixel)"));
    QCOMPARE(opened.slidePic()->geometry(), QRect(0, 0, 320, 240));
    opened.zoom()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(opened.zoomLabel(), QStringLiteral("51%  (326 x 244 Pixel)"));
    // A new load goes back to 100 %, and this time the zoom runs and says so.
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    QCOMPARE(opened.zoom()->value(), 100);
    QCOMPARE(opened.zoomLabel(), QStringLiteral("100%  (640 x 480 Pixel)"));
    QCOMPARE(opened.slidePic()->size(), QSize(640, 480));
}

void TestDialogform::zeroZoomShowsNothing()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.zoom()->setValue(0);
    QCOMPARE(opened.zoomLabel(), QStringLiteral("0%  (0 x 0 Pixel)"));
    QCOMPARE(opened.slidePic()->size(), QSize(0, 0));
    const QImage shown = opened.dialog->grab().toImage();
    QVERIFY(!shown.isNull());
    // The viewport shows its own grey only.
    const QPoint inside = opened.child<QWidget>("PicCont")->geometry().center();
    QCOMPARE(shown.pixel(inside), qRgb(224, 224, 224));
    opened.zoom()->setValue(100);
    QCOMPARE(opened.slidePic()->size(), QSize(640, 480));
}

void TestDialogform::unreadableFileLeavesThePreviousPicture()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.zoom()->setValue(50);
    opened.clickFile(QStringLiteral("broken.jpg"));
    QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Importeer (Koning) / 640 x 480"));
    QCOMPARE(opened.zoomLabel(), QStringLiteral("50%  (320 x 240 Pixel)"));
    QCOMPARE(opened.slidePic()->size(), QSize(320, 240));
    QCOMPARE(opened.dialog->framing().photo().size(), QSize(640, 480));
    QVERIFY(opened.prompter.shown.isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestDialogform::pressPreviewsThePhotoFromThatPixel()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    const QPoint at(37, 101);
    opened.pressPicture(at);
    opened.releasePicture(at);
    QCOMPARE(opened.child<QWidget>("LayerW")->pos(), at);
    QCOMPARE(firstDifference(opened.preview(), opened.photo.copy(QRect(at, QSize(165, 280)))), QString());
}

void TestDialogform::dragStopsAtTheViewportEdges()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.pressPicture(QPoint(100, 100));
    opened.dragPictureTo(QPoint(130, 150));
    QCOMPARE(opened.slidePic()->pos(), QPoint(0, 0));
    opened.dragPictureTo(QPoint(90, 95));
    QCOMPARE(opened.slidePic()->pos(), QPoint(-10, -5));
    // The frame follows the pointer in the picture.
    QCOMPARE(opened.child<QWidget>("LayerW")->pos(), QPoint(90, 95));
    // Moves without the left button alone do nothing.
    QMouseEvent hover(QEvent::MouseMove, QPointF(10, 10), opened.slidePic()->mapToGlobal(QPointF(10, 10)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(opened.slidePic(), &hover);
    QCOMPARE(opened.slidePic()->pos(), QPoint(-10, -5));
}

void TestDialogform::viewportDrawsTheZoomedPhotoWhereItShows()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.zoom()->setValue(250);
    opened.pressPicture(QPoint(300, 300));
    opened.dragPictureTo(QPoint(100, 50));
    opened.releasePicture(QPoint(100, 50));
    QCOMPARE(opened.slidePic()->pos(), QPoint(-200, -250));
    const QImage shown = opened.child<QWidget>("PicCont")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = opened.dialog->framing().view().region(QRect(200, 250, 245, 360));
    // The frame rectangle lies over the picture; compare away from its outline.
    const QRect frame(QPoint(100, 50) - QPoint(200, 250), QSize(166, 281));
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 245; ++x) {
            const bool onFrame = (x == frame.left() || x == frame.right() || y == frame.top() || y == frame.bottom());
            if (!onFrame && shown.pixel(x, y) != expected.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("viewport pixel (%1, %2)").arg(x).arg(y)));
        }
    }
}

void TestDialogform::zoomComputesOnlyWhatTheViewportShows()
{
    const Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.zoom()->setValue(250);
    auto *slide = opened.dialog->findChild<vellora::PhotoView *>(QStringLiteral("SlidePic"));
    QCOMPARE(slide->size(), QSize(1600, 1200));
    (void)opened.child<QWidget>("PicCont")->grab();
    // The 1600 x 1200 zoomed picture is never made; the 245 x 360 pixels in view are.
    QCOMPARE(slide->computedPixels(), qint64(245 * 360));
    // Dragging further computes a margin around the view once, and then paints from it.
    opened.pressPicture(QPoint(100, 100));
    opened.dragPictureTo(QPoint(90, 90));
    (void)opened.child<QWidget>("PicCont")->grab();
    const qint64 afterFirstMove = slide->computedPixels();
    QVERIFY(afterFirstMove <= 245 * 360 + 2 * 245 * 2 * 360);
    opened.dragPictureTo(QPoint(85, 85));
    (void)opened.child<QWidget>("PicCont")->grab();
    QCOMPARE(slide->computedPixels(), afterFirstMove);
}

void TestDialogform::okWithoutTargetAsksAndKeepsTheSheet()
{
    Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.pressPicture(QPoint(10, 10));
    opened.click("OkKnop");
    QCOMPARE(opened.prompter.shown.size(), 1);
    QCOMPARE(opened.prompter.shown[0].text, QStringLiteral("Selecteer op welke kaart(en) u de foto wilt plaatsen!"));
    QCOMPARE(opened.prompter.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(opened.pacer.pauses, QList<int>{200});
    QVERIFY(opened.dialog->isVisible());
    QCOMPARE(firstDifference(opened.sheet.image(), opened.before), QString());
    // Still open with everything kept: a target and Ok now paste.
    opened.click("Image1(2)");
    opened.click("OkKnop");
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(changedArea(opened.before, opened.sheet.image()), QRect(3480, 460, 165, 280));
}

void TestDialogform::cancelLeavesTheSheet()
{
    Opened opened;
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.pressPicture(QPoint(10, 10));
    opened.click("Image1(0)");
    opened.click("CancelKnop");
    QCOMPARE(opened.pacer.pauses, QList<int>{200});
    QCOMPARE(opened.dialog->result(), int(QDialog::Rejected));
    QVERIFY(!opened.dialog->isVisible());
    QCOMPARE(firstDifference(opened.sheet.image(), opened.before), QString());
}

void TestDialogform::okPastesIntoTheAceOfRuitenOnly()
{
    Opened opened(KaartSoort::Aas);
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.pressPicture(QPoint(20, 30));
    opened.click("Image1(3)");
    opened.click("OkKnop");
    QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(changedArea(opened.before, opened.sheet.image()), QRect(60, 860, 165, 280));
    QCOMPARE(firstDifference(opened.sheet.image().copy(60, 860, 165, 280), opened.photo.copy(20, 30, 165, 280)),
             QString());
}

void TestDialogform::anotherTargetLeavesOneChosen()
{
    Opened opened(KaartSoort::Joker);
    opened.openPhotos();
    opened.clickFile(QStringLiteral("kasteel.Bmp"));
    opened.pressPicture(QPoint(0, 0));
    opened.click("Image1(1)");
    opened.click("Image1(4)");
    int framed = 0;
    for (int i = 0; i < 5; ++i)
        framed += opened.child<ImageButton>(qPrintable(QStringLiteral("Image1(%1)").arg(i)))->frameShape() == QFrame::Box;
    QCOMPARE(framed, 1);
    QCOMPARE(opened.child<ImageButton>("Image1(4)")->frameShape(), QFrame::Box);
    opened.click("OkKnop");
    QCOMPARE(changedArea(opened.before, opened.sheet.image()), QRect(3765, 1260, 165, 280));
}

void TestDialogform::borderReachesTheSheetOnlyWhenTicked()
{
    for (bool keepTicked : {true, false}) {
        Opened opened(KaartSoort::Aas);
        opened.openPhotos();
        opened.clickFile(QStringLiteral("kasteel.Bmp"));
        opened.pressPicture(QPoint(50, 60));
        auto *check = opened.child<QCheckBox>("Check1");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        QVERIFY(check->isChecked());
        QVERIFY(opened.child<QWidget>("Shape1")->isVisible());
        if (!keepTicked) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
            QVERIFY(opened.child<QWidget>("Shape1")->isHidden());
        }
        opened.click("Image1(1)");
        opened.click("OkKnop");
        const QImage pasted = opened.sheet.image().copy(60, 60, 165, 280);
        const QImage photo = opened.photo.copy(50, 60, 165, 280);
        for (int y = 0; y < 280; ++y) {
            for (int x = 0; x < 165; ++x) {
                const bool edge = x == 0 || y == 0 || x == 164 || y == 279;
                const QRgb expected = keepTicked && edge ? qRgb(0, 0, 0) : photo.pixel(x, y);
                if (pasted.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("ticked %1, pixel (%2, %3)").arg(keepTicked).arg(x).arg(y)));
            }
        }
    }
}

QTEST_MAIN(TestDialogform)
#include "tst_dialogform.moc"
