// The user's own backs: what the folder may hold that is no back, what "Eigen rug…" takes, and the line a
// print window shows for a deck that prints from its sheet alone.
#include "print/tests/printfixture.h"
#include "sheet/printmaster.h"
#include "surface/regularfile.h"
#include "surface/userfolders.h"

#include <QElapsedTimer>
#include <fcntl.h>

using namespace vellora;
using namespace vellora::printtest;

class TestOwnBacks : public PrintFixture
{
    Q_OBJECT

    // A fresh data folder for each row, so the own backs are the row's alone.
    QString freshOwnFolder()
    {
        const QString data = m_scratch.filePath(QStringLiteral("data-%1").arg(++m_rows));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        return UserFolders::ofThisUser().backgrounds();
    }
    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    int m_rows = 0;

private Q_SLOTS:
    // Something that is no back between two own backs is listed and read nowhere, at once, and the good
    // ones keep their numbers after the program's; a name that is not valid UTF-8 is a back like any other.
    void ownFolderHoldsNoBack_data()
    {
        QTest::addColumn<QString>("kind"); // as test::makeSpecialFile makes it, or "not UTF-8"
        for (const char *kind : {"zero", "fifo", "sparse", "dir", "dangling"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
        QTest::newRow("name not UTF-8") << QStringLiteral("not UTF-8");
    }
    void ownFolderHoldsNoBack()
    {
        QFETCH(const QString, kind);
        writeBacks();
        const QString own = freshOwnFolder();
        QVERIFY(QDir().mkpath(own));
        QVERIFY(solid(kQuadrants[1]).save(own + "/a.jpg", "JPEG", 95));
        QVERIFY(solid(kQuadrants[3]).save(own + "/c.jpg", "JPEG", 95));
        const bool isBack = kind == u"not UTF-8";
        if (isBack) {
            const QByteArray name = QFile::encodeName(own) + "/b\xff.jpg";
            const QByteArray jpeg = test::imageFile(solid(kQuadrants[2]), "JPEG", 95);
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            QVERIFY(fd >= 0 && ::write(fd, jpeg.constData(), size_t(jpeg.size())) == jpeg.size());
            ::close(fd);
        } else {
            const QString scratch = m_scratch.filePath(QStringLiteral("targets-%1").arg(m_rows));
            QVERIFY(QDir().mkpath(scratch));
            QVERIFY(test::makeSpecialFile(kind, own + "/b.jpg", scratch));
        }
        QElapsedTimer timer;
        timer.start();
        const BackGallery gallery(*m_folder, own);
        QCOMPARE(gallery.count(), isBack ? 4 : 3);
        QCOMPARE(colourShown(gallery.load(1)), 1);
        QCOMPARE(colourShown(gallery.choice(1).image), 1);
        QCOMPARE(colourShown(gallery.load(gallery.count() - 1)), 3);
        if (isBack)
            QCOMPARE(colourShown(gallery.choice(2).image), 2);
        QVERIFY(gallery.load(gallery.count()).isNull());
        QVERIFY(gallery.choice(gallery.count()).image.isNull());
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(folderEntries(own).size(), size_t(3)); // QDir would not name the one that is not UTF-8
        if (isBack)
            ::unlink(QFile::encodeName(own) + "/b\xff.jpg"); // QTemporaryDir cannot name it
    }

    // "Eigen rug…" keeps what the gallery itself reads again, decoded through the photo loader, and shows
    // it; what the photo loader refuses is refused at once with its reason, and nothing is kept.
    void addOwnTakesWhatPrints_data()
    {
        QTest::addColumn<QString>("name");
        // The formats reach the back through the photo loader alike; tst_photoloader decodes each.
        QTest::addColumn<QByteArray>("bytes"); // "LINK": a link to /dev/zero
        QTest::addColumn<QString>("kept");     // the file kept in the own folder; empty when refused
        const QImage back = quadrantBack({60, 80});
        QTest::newRow("PNG") << "own.png" << test::imageFile(back, "PNG") << "own.jpg";
        QTest::newRow("JPEG") << "own.jpg" << test::imageFile(back, "JPEG", 95) << "own.jpg";
        QTest::newRow("text") << "notes.png" << QByteArray("text") << "";
        QTest::newRow("link to /dev/zero") << "zero.jpg" << QByteArray("LINK") << "";
    }
    void addOwnTakesWhatPrints()
    {
        QFETCH(const QString, name);
        QFETCH(const QByteArray, bytes);
        QFETCH(const QString, kept);
        writeBacks();
        const QString own = freshOwnFolder();
        AnsweringDialogs dialogs;
        dialogs.picture = m_scratch.filePath(QStringLiteral("picked-%1/").arg(m_rows) + name);
        QVERIFY(QDir().mkpath(QFileInfo(dialogs.picture).path()));
        QVERIFY(bytes == "LINK" ? test::makeSpecialFile("zero", dialogs.picture, m_scratch.path())
                                : test::writeBytes(dialogs.picture, bytes));
        HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, m_queues, dialogs, *m_settings);
        child<QPushButton>(&form, "EigenRugKnop")->click();
        auto *scroll = child<QScrollBar>(&form, "VScroll1");
        if (kept.isEmpty()) {
            QCOMPARE(m_prompter.shown.size(), 1);
            QVERIFY2(m_prompter.shown[0].text.startsWith(name + " kan geen rugzijde zijn:\n"),
                     qPrintable(m_prompter.shown[0].text));
            QCOMPARE(filesIn(own), QStringList());
            QCOMPARE(scroll->maximum(), 1);
            return;
        }
        QCOMPARE(m_prompter.shown.size(), 0);
        QCOMPARE(filesIn(own), QStringList{kept});
        QCOMPARE(scroll->value(), 2);
        const QImage preview = child<PictureBox>(&form, "RugPic")->image();
        const int w = preview.width(), h = preview.height();
        for (int q = 0; q < 4; ++q)
            QCOMPARE(colourShown(preview.copy(q % 2 * w / 2, q / 2 * h / 2, w / 2, h / 2)), q);
        // What "Opslaan als PDF…" then takes: the kept JPEG itself.
        const print::BackChoice chosen = BackGallery(*m_folder, own).choice(1);
        QCOMPARE(chosen.jpeg, test::readBytes(own + u'/' + kept));
        QCOMPARE(colourShown(chosen.image.copy(0, 0, 30, 40)), 0);
    }

    // A picture whose 32-bit image the gallery's decoder would refuse is kept smaller, not refused later.
    void ownFormFitsTheGallery()
    {
        const QImage big = tiles({6000, 6000}, 2, 2, [](int q) { return QColor(kQuadrants[q]); });
        const Result<print::BackChoice> kept = BackGallery::ownForm(big);
        QVERIFY2(kept, qPrintable(kept.outcome().text()));
        QVERIFY(qint64(kept->image.width()) * kept->image.height() * 4 <= PictureFile::kDefaultMaxBytes);
        QCOMPARE(kept->image.width(), kept->image.height());
        QCOMPARE(PictureFile::decode(kept->jpeg).value_or(QImage()).size(), kept->image.size());
    }

    // The deck window and the print window say that the deck prints at the sheet's resolution exactly when
    // its record is the sheet enlarged: a project opened without its companion. A blank new deck is not.
    void screenResolutionLine_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("said");
        QTest::newRow("project without companion") << "sheet" << true;
        QTest::newRow("blank new deck") << "blank" << false;
        QTest::newRow("blank deck, drawing found") << "card" << false;
        QTest::newRow("companion-less project since changed") << "changed" << false;
    }
    void screenResolutionLine()
    {
        QFETCH(const QString, record);
        QFETCH(const bool, said);
        const QImage card(master::kCardWidthPixels, master::kCardHeightPixels, QImage::Format_RGB32);
        PrintRecord given = record == u"card" ? PrintRecord::fromCard(card, QImage::Format_RGB32)
                            : record == u"blank"
                                ? PrintRecord::fromCardWhenNeeded([card] { return card; }, m_coloured)
                                : PrintRecord::fromSheet(m_coloured);
        if (record == u"changed")
            given.compose(QImage(150, 600, QImage::Format_ARGB32));
        AnsweringDialogs dialogs;
        HeleDeckForm deck(m_coloured, {}, m_pacer, m_prompter, *m_folder, m_queues, dialogs, *m_settings);
        AfdrukForm page(m_coloured, m_pacer, m_prompter, *m_folder, m_queues);
        deck.setPrintRecord(given);
        page.setPrintRecord(given);
        for (QDialog *form : {static_cast<QDialog *>(&deck), static_cast<QDialog *>(&page)}) {
            form->show();
            auto *line = child<QLabel>(form, "Schermresolutie");
            QCOMPARE(line->isVisible(), said);
            QVERIFY(QRect(QPoint(), form->size()).contains(line->geometry()));
        }
    }
};

VELLORA_PRINT_TEST_MAIN(TestOwnBacks)
#include "tst_ownbacks.moc"
