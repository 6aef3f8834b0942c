#include "placement/dialogform.h"
#include "placement/photoplace.h"
#include "placement/photoview.h"
#include "placement/tests/photos.h"
#include "surface/photoloader.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSemaphore>
#include <QTimer>

using namespace vellora;
using namespace vellora::test;

namespace {

// A scratch application folder with a Foto's folder of test pictures, and files the file list leaves out.
std::unique_ptr<QTemporaryDir> photoFolder()
{
    auto app = emptyAppFolder();
    const QString photos = app->path() + QStringLiteral("/Foto's/");
    QDir().mkpath(photos);
    writeBytes(photos + "IMG_0001.JPG", imageFile(smoothPhoto(800, 600), "JPEG"));
    writeBytes(photos + "kasteel.Bmp", imageFile(coordinatePhoto(640, 480), "BMP"));
    writeBytes(photos + "clip.gif", imageFile(coordinatePhoto(30, 20), "GIF"));
    writeBytes(photos + "broken.jpg", QByteArray("\xff\xd8\xff\xe0 broken", 12));
    writeBytes(photos + "notes.txt", imageFile(coordinatePhoto(64, 48), "BMP"));
    writeBytes(photos + "shot.png", imageFile(coordinatePhoto(64, 48), "PNG"));
    writeBytes(photos + "phone.Heic", heicBytes(coordinatePhoto(64, 48)));
    writeBytes(photos + "portrait.JPEG", withExifOrientation(imageFile(smoothPhoto(300, 200), "JPEG"), 6));
    QDir().mkpath(app->path() + QStringLiteral("/Vakantie"));
    writeBytes(app->path() + QStringLiteral("/Vakantie/strand.webp"),
               imageFile(smoothPhoto(120, 90), "WEBP"));
    return app;
}

// The import dialog over that folder, which opens in Foto's, the Pictures folder; with a file named, the file
// is clicked. The place is declared first so that it exists before the dialog.
struct Place
{
    PhotoPlace place;
};

struct Import : Place, Opened<Dialogform>
{
    explicit Import(KaartSoort soort = KaartSoort::Koning, const QString &file = QString(),
                    std::unique_ptr<QTemporaryDir> folder = photoFolder())
        : Place{PhotoPlace(folder->path() + QStringLiteral("/Foto's"), folder->path())},
          Opened(std::move(folder), soort, std::ref(place))
    {
        if (!file.isEmpty()) {
            clickFile(file);
            settle();
        }
    }
    // Photos decode on the dialog's worker; this waits until the newest pick is shown or refused.
    void settle() const { QTRY_VERIFY(!dialog->loading()); }
    QListWidget *files() const { return child<QListWidget>("List1"); }
    QWidget *slide() const { return child("SlidePic"); }
    QScrollBar *zoom() const { return child<QScrollBar>("ZoomScroll"); }
    QString zoomLabel() const { return child<QLabel>("Label4")->text(); }
    void clickFile(const QString &name) const
    {
        const QRect item = files()->visualItemRect(files()->findItems(name, Qt::MatchExactly).value(0));
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, item.center());
    }
    void press(QPoint pixel) const { QTest::mousePress(slide(), Qt::LeftButton, {}, pixel); }
    void moveTo(QPoint pixel, Qt::MouseButtons buttons = Qt::LeftButton) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel), slide()->mapToGlobal(QPointF(pixel)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(slide(), &move);
    }
};

// Framed from (20, 30) at 100 %, with Border clicked `ticks` times and the `targets` clicked in turn, the
// photo of `soort` is pasted into the picture areas at `left` of these rows of the sheet.
struct Pasting
{
    KaartSoort soort;
    int ticks;
    QStringList targets;
    int left;
    QList<int> rows;
    bool doubleHeaded = false; // Dubbelkoppig ticked, which court cards alone offer
};

} // namespace

class TestDialogform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensInPicturesAndListsPhotosOfAnyCase()
    {
        Import opened;
        QCOMPARE(opened.dialog->windowTitle(), QStringLiteral("Importeer (Koning)"));
        QCOMPARE(opened.zoomLabel(), QStringLiteral("100%  (0 x 0 Pixels)"));
        const QString photos = opened.app->path() + QStringLiteral("/Foto's");
        QCOMPARE(opened.dialog->folder(), photos);
        auto names = [&] {
            QStringList list;
            for (int i = 0; i < opened.files()->count(); ++i)
                list << opened.files()->item(i)->text();
            return list;
        };
        QCOMPARE(names(), (QStringList{"broken.jpg", "clip.gif", "IMG_0001.JPG", "kasteel.Bmp", "phone.Heic",
                                       "portrait.JPEG", "shot.png"}));
        // A double click in the folder list opens the folder; the first click of it only selects.
        auto *folders = opened.child<QListWidget>("Dir1");
        const QPoint at = folders->visualItemRect(folders->item(folders->count() - 2)).center();
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(opened.dialog->folder(), opened.app->path());
        QCOMPARE(names(), QStringList());
    }

    // The next opening starts in the folder of the photo chosen last; a folder that has gone, and a Pictures
    // folder the user does not have, are passed over.
    void opensWhereTheLastPhotoWasChosen()
    {
        Import opened;
        const QString home = opened.app->path();
        QCOMPARE(PhotoPlace(home + "/Plaatjes", home).startFolder(), home);
        opened.dialog->showFolder(home + "/Vakantie");
        QCOMPARE(opened.place.startFolder(), home + "/Foto's");
        opened.files()->setCurrentRow(0);
        opened.settle();
        QCOMPARE(opened.place.startFolder(), home + "/Vakantie");
        QDir(home + "/Vakantie").removeRecursively();
        QCOMPARE(opened.place.startFolder(), home + "/Foto's");
    }

    // A file loaded by click or arrow key shows at 100 %, its size in the caption and the label; the file
    // shown clicked loads afresh; an unreadable one keeps the picture at its zoom, with no message.
    void loadingAndZoomSetCaptionLabelAndSize()
    {
        struct Step
        {
            const char *steps; // files clicked, zooms set, + a step, d(own), u(p), from kasteel.Bmp shown
            QSize photo;       // in the caption
            const char *label;
            QSize slide;
        };
        const QSize vga(640, 480), clip(30, 20);
        const Step script[] = {
            {"", vga, "100%  (640 x 480 Pixel)", vga},
            {"50 +", vga, "51%  (326 x 244 Pixel)", QSize(326, 244)},
            {"50 kasteel.Bmp", vga, "100%  (640 x 480 Pixel)", vga},
            {"50 broken.jpg", vga, "50%  (320 x 240 Pixel)", QSize(320, 240)},
            {"d", clip, "100%  (30 x 20 Pixel)", clip},
            {"50 u", clip, "50%  (15 x 10 Pixel)", QSize(15, 10)},
            {"d d", QSize(800, 600), "100%  (800 x 600 Pixel)", QSize(800, 600)},
        };
        Import opened(KaartSoort::Koning, "kasteel.Bmp");
        for (const auto &[steps, photo, label, slide] : script) {
            for (const QString &step : QString(steps).split(u' ', Qt::SkipEmptyParts)) {
                if (step == u'+')
                    opened.zoom()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                else if (step == u'd' || step == u'u')
                    QTest::keyClick(opened.files(), step == u'd' ? Qt::Key_Down : Qt::Key_Up);
                else if (step.front().isDigit())
                    opened.zoom()->setValue(step.toInt());
                else
                    opened.clickFile(step);
                opened.settle();
            }
            QCOMPARE(opened.dialog->windowTitle(),
                     QStringLiteral("Importeer (Koning) / %1 x %2").arg(photo.width()).arg(photo.height()));
            QCOMPARE(opened.zoomLabel(), QString(label));
            QVERIFY2(opened.slide()->geometry() == QRect(QPoint(0, 0), slide), steps);
        }
        QVERIFY(opened.prompter.shown.isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void zoomedViewportComputesAndDrawsOnlyWhatShows()
    {
        Import opened(KaartSoort::Koning, "kasteel.Bmp");
        opened.zoom()->setValue(250);
        const auto *view = opened.dialog->findChild<PhotoView *>("SlidePic");
        QCOMPARE(view->size(), QSize(1600, 1200));
        auto shown = [&] {
            return opened.child("PicCont")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        shown();
        // The 1600 x 1200 zoomed picture is never made; the 245 x 360 pixels in view are.
        QCOMPARE(view->computedPixels(), qint64(245 * 360));
        // Dragged with the left button alone, the picture follows the pointer and the frame goes to it.
        opened.press(QPoint(300, 300));
        opened.moveTo(QPoint(100, 50));
        QCOMPARE(view->pos(), QPoint(-200, -250));
        QCOMPARE(opened.child("LayerW")->pos(), QPoint(100, 50));
        opened.moveTo(QPoint(10, 10), Qt::NoButton);
        QCOMPARE(view->pos(), QPoint(-200, -250));
        const QImage image = shown();
        // What shows is that part of the zoomed photo, away from the outline of the frame lying over it,
        // whose right and bottom sides are at x 65 and y 80 in the viewport.
        const QImage expected = opened.dialog->framing().view().region(QRect(200, 250, 245, 360));
        for (QRect part : {QRect(0, 0, 65, 80), QRect(66, 0, 179, 360), QRect(0, 81, 245, 279)})
            QCOMPARE(firstDifference(image.copy(part), expected.copy(part)), QString());
    }

    // While a decode is held the dialog answers and, after half a second, shows that it works; a pick
    // overtaken meanwhile never appears, the newest wins, and a file that cannot be read changes nothing.
    void picksDecodeAwayFromTheWindowAndTheNewestWins()
    {
        Import opened(KaartSoort::Koning, "clip.gif");
        QSemaphore entered, release;
        opened.dialog->setDecoder([&](const QString &path, qint64 shown) {
            entered.release();
            release.acquire();
            return PhotoLoader::load(path, shown);
        });
        QStringList titles;
        connect(opened.dialog.get(), &QWidget::windowTitleChanged, this,
                [&](const QString &t) { titles << t; });
        const QString clip = QStringLiteral("Importeer (Koning) / 30 x 20");

        opened.clickFile("IMG_0001.JPG");
        entered.acquire();
        bool answered = false;
        QTimer::singleShot(0, this, [&] { answered = true; });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 50);
        QTRY_VERIFY(opened.child("LoadBusy")->isVisible());
        QTest::keyClick(opened.files(), Qt::Key_Down); // kasteel.Bmp, then phone.Heic below it
        QTest::keyClick(opened.files(), Qt::Key_Down);
        QCOMPARE(opened.files()->currentItem()->text(), QStringLiteral("phone.Heic"));
        QCOMPARE(opened.dialog->windowTitle(), clip);
        release.release();
        // Only the newest pick decodes next, once the window saw the first end; kasteel.Bmp never starts.
        bool next = false;
        QTRY_VERIFY(next = next || entered.tryAcquire());
        QCOMPARE(opened.dialog->windowTitle(), clip);
        release.release();
        opened.settle();
        QCOMPARE(entered.available(), 0);
        QCOMPARE(titles, QStringList{QStringLiteral("Importeer (Koning) / 64 x 48")});
        QVERIFY(opened.child("LoadBusy")->isHidden());

        opened.clickFile("broken.jpg");
        entered.acquire();
        release.release();
        opened.settle();
        QCOMPARE(titles.size(), 1);
        QCOMPARE(opened.zoomLabel(), QStringLiteral("100%  (64 x 48 Pixel)"));
        QVERIFY(opened.prompter.shown.isEmpty());
    }

    void okPastesTheFramedPhoto_data()
    {
        QTest::addColumn<Pasting>("pasting");
        const QList<int> all{0, 1, 2, 3};
        QTest::newRow("ace of Ruiten") << Pasting{KaartSoort::Aas, 0, {"Image1(3)"}, 60, {2}};
        QTest::newRow("all four jacks, border") << Pasting{KaartSoort::Boer, 1, {"Image1(0)"}, 2910, all};
        QTest::newRow("all four own-photo jokers, the last target chosen")
            << Pasting{KaartSoort::Joker, 0, {"Image1(2)", "Image1(0)"}, 3765, all};
        QTest::newRow("king of Klavers, double-headed")
            << Pasting{KaartSoort::Koning, 0, {"Image1(2)"}, 3480, {1}, true};
        QTest::newRow("queen of Harten, double-headed, border")
            << Pasting{KaartSoort::Vrouw, 1, {"Image1(1)"}, 3195, {0}, true};
    }

    void okPastesTheFramedPhoto()
    {
        QFETCH(Pasting, pasting);
        const auto &[soort, ticks, targets, left, rows, doubleHeaded] = pasting;
        Import opened(soort, "kasteel.Bmp");
        // At 100 % a press previews the photo's own pixels from the pressed one.
        const QPoint at(20, 30);
        opened.press(at);
        QImage photo = coordinatePhoto(640, 480).copy(QRect(at, QSize(165, 280)));
        auto *doubled = opened.child<QCheckBox>("Check2");
        QCOMPARE(doubled->isVisible(),
                 soort == KaartSoort::Boer || soort == KaartSoort::Vrouw || soort == KaartSoort::Koning);
        if (doubleHeaded) {
            // The frame holds the upper half, and the preview shows the card's lower half turned at once.
            QTest::mouseClick(doubled, Qt::LeftButton, {}, QPoint(5, doubled->height() / 2));
            QCOMPARE(opened.child("LayerW")->size(), QSize(166, 141));
            QPainter(&photo).drawImage(0, 140, photo.copy(0, 0, 165, 140).mirrored(true, true));
        }
        QCOMPARE(firstDifference(opened.child<PictureBox>("Picture1")->image(), photo), QString());
        auto *check = opened.child<QCheckBox>("Check1");
        for (int i = 0; i < ticks; ++i) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
            QCOMPARE(opened.child("Shape1")->isVisible(), i % 2 == 0);
        }
        for (const QString &target : targets)
            opened.click(target);
        opened.click("OkKnop");
        QCOMPARE(opened.dialog->result(), int(QDialog::Accepted));
        auto area = [left](int row) { return QRect(left, 60 + 400 * row, 165, 280); };
        opened.changedOnlyIn(rows, area);
        // The border is a one-pixel black outline on the outermost pixels; Shape1 itself never reaches the
        // sheet.
        QImage expected = photo;
        if (ticks % 2)
            QPainter(&expected).drawRect(0, 0, 164, 279);
        for (int row : rows)
            QCOMPARE(firstDifference(opened.sheet.image().copy(area(row)), expected), QString());
        // The print takes the same from the photo at three times the pixels, turned the same way.
        const QImage master = opened.dialog->chosen()->master;
        QCOMPARE(master.size(), QSize(495, 840));
        const QImage lower = master.copy(0, 420, 495, 420),
                     upper = master.copy(0, 0, 495, 420).mirrored(true, true);
        QCOMPARE(lower == upper, doubleHeaded);
    }

    void okWithoutTargetThenCancelLeaveTheSheet()
    {
        Import opened(KaartSoort::Koning, "kasteel.Bmp");
        opened.press(QPoint(10, 10));
        opened.okWithoutTargetThenCancel("Selecteer op welke kaart(en) u de foto wilt plaatsen!");
    }
};

QTEST_MAIN(TestDialogform)
#include "tst_dialogform.moc"
