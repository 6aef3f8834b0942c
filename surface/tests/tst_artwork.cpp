#include "surface/backgroundtask.h"
#include "surface/widgets/artwork.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QtTest>

using namespace vellora;
using namespace Qt::StringLiterals;

// The program's own pictures on screens scaled by 100 to 200 %.
class TestArtwork : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_app = test::copyOfAppData();

    QImage file(const QString &name) const
    {
        return QImage(m_app->filePath(u"Artwork/"_s + name)).convertToFormat(QImage::Format_ARGB32);
    }
    QImage shown(const QString &name, qreal scale, QSize plainSize) const
    {
        const QPixmap pixmap = artworkPixmap(AppFolder(m_app->path()), name, scale);
        if (pixmap.deviceIndependentSize().toSize() != plainSize)
            return {};
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    }

private Q_SLOTS:
    // Every picture keeps its size on screen: at 100 % the plain file, at 200 % the double-size drawing pixel
    // for pixel, and in between that drawing brought to the screen's own pixels.
    void sharpAtEveryScale()
    {
        const QStringList names = QDir(m_app->filePath(u"Artwork"_s)).entryList({u"*.png"_s});
        // An empty or half-made folder must not pass: at least the pictures the windows ask for by name.
        for (const char *used : {"ok.png", "cancel.png", "exit.png", "icon.png", "logo.png", "pointer.png",
                                 "vinkje.png", "import-0.png"})
            QVERIFY2(names.contains(QLatin1String(used)), used);
        for (const QString &name : names) {
            if (name.contains(u"@2x"))
                continue;
            const QImage plain = file(name), sharp = file(QString(name).replace(u".png"_s, u"@2x.png"_s));
            QCOMPARE(sharp.size(), plain.size() * 2);
            QCOMPARE(test::firstDifference(shown(name, 1.0, plain.size()), plain), QString());
            QCOMPARE(shown(name, 1.5, plain.size()).size(), plain.size() * 3 / 2);
            QCOMPARE(test::firstDifference(shown(name, 2.0, plain.size()), sharp), QString());
        }
    }

    // A double-size file of another kind is used when it has the right size; otherwise the plain picture is
    // shown, for the painter to stretch.
    void doubleSizeFileOfAnyKind_data()
    {
        QTest::addColumn<QByteArray>("sharpBytes");
        QTest::addColumn<bool>("used");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("wrong size") << QByteArray("P1\n2 2\n0 1 1 0\n") << false;
        QTest::newRow("one-bit") << QByteArray("P4\n102 58\n") + QByteArray(13 * 58, '\x55') << true;
    }
    void doubleSizeFileOfAnyKind()
    {
        QFETCH(QByteArray, sharpBytes);
        QFETCH(bool, used);
        const QString sharpPath = m_app->filePath(u"Artwork/ok@2x.png"_s);
        QFile::remove(sharpPath);
        QVERIFY(sharpBytes.isEmpty() || test::writeBytes(sharpPath, sharpBytes));
        const QImage image = shown(u"OK.PNG"_s, 1.25, QSize(51, 29));
        QCOMPARE(image.size(), used ? QSize(64, 36) : QSize(51, 29));
    }

    // What the shelf read ahead is what would have been read in its place, whatever order it is asked in; a
    // name or scale it does not hold, and a file that is missing, are read as they are asked for.
    void shelfGivesWhatWouldBeRead()
    {
        const AppFolder folder(m_app->path());
        BackgroundTask task;
        const ArtworkShelf shelf(folder, {{u"logo.png"_s, 2.0}, {u"ok.png"_s, 1.0}, {u"gone.png"_s, 1.0},
                                          {u"vinkje.png"_s, 1.5}},
                                 task);
        const std::pair<QString, qreal> asked[] = {{u"vinkje.png"_s, 1.5}, {u"gone.png"_s, 1.0},
                                                   {u"ok.png"_s, 2.0},      {u"cancel.png"_s, 1.0},
                                                   {u"logo.png"_s, 2.0},    {u"ok.png"_s, 1.0}};
        for (const auto &[name, scale] : asked) {
            const QPixmap got = shelf.pixmap(name, scale), read = artworkPixmap(folder, name, scale);
            QCOMPARE(got.isNull(), name == u"gone.png");
            QCOMPARE(got.devicePixelRatio(), read.devicePixelRatio());
            QCOMPARE(test::firstDifference(got.toImage(), read.toImage()), QString());
        }
    }

    // A shelf let go before its worker came to it neither waits for that worker nor leaves it work to do.
    void shelfLetGoUnread()
    {
        BackgroundTask task;
        QSemaphore busy, release;
        task.run(nullptr, [&](std::stop_token, const TaskProgress &) {
            busy.release();
            release.acquire();
        }, [] {});
        busy.acquire();
        const AppFolder folder(m_app->path());
        std::optional<ArtworkShelf> shelf(std::in_place, folder,
                                          std::vector<ArtworkShelf::Piece>{{u"logo.png"_s, 1.0}}, task);
        shelf.reset();
        release.release();
        task.waitForFinished();
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
