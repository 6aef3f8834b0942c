// The deck's files through the one export path: the deck PDF, the card images and the alignment page, from
// the deck window as from the command line, under the same refusals; called off, and the master first.
#include "print/tests/printfixture.h"

#include <numeric>

using namespace vellora;
using namespace vellora::printtest;

class TestDeckExport : public PrintFixture
{
    Q_OBJECT

    // Every name in the folder, hidden ones too, with its bytes.
    static QMap<QString, QByteArray> contents(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (const QString &name :
             QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            files[name] = test::readBytes(QDir(folder).filePath(name));
        return files;
    }

    const print::BackChoice m_back = backOf(quadrantBack({60, 80}));
    // The coloured sheet's card images, 63 x 88 with 3 mm of bleed unless told; the refusal, empty when
    // written.
    QString cards(const QString &folder, const print::BackChoice &back = {},
                  print::CardSize size = print::CardSize::Size63x88, double bleedMm = 3) const
    {
        return print::writeCardImages({m_coloured, 1}, back, folder, size, bleedMm).text();
    }

private Q_SLOTS:
    // The 56 cards and the back as images at 300 dpi, the bleed carried out from each edge; written twice.
    // Each side of card and bleed together is rounded once: poker with 1/8 inch is 825 x 1125.
    void cardImages_data()
    {
        QTest::addColumn<print::CardSize>("size");
        QTest::addColumn<QString>("bleedText");
        QTest::addColumn<QSize>("whole");
        QTest::addColumn<QRect>("card");
        QTest::newRow("63 x 88, 3 mm") << print::CardSize::Size63x88 << QStringLiteral("3")
                                       << QSize(815, 1110) << QRect(35, 35, 744, 1039);
        QTest::newRow("57 x 90, no bleed") << print::CardSize::Size57x90 << QStringLiteral("0 mm")
                                           << QSize(673, 1063) << QRect(0, 0, 673, 1063);
        QTest::newRow("poker, 1/8 inch") << print::CardSize::Poker << QStringLiteral("0.125in")
                                         << QSize(825, 1125) << QRect(37, 37, 750, 1050);
    }

    void cardImages()
    {
        QFETCH(const print::CardSize, size);
        QFETCH(const QString, bleedText);
        QFETCH(const QSize, whole);
        QFETCH(const QRect, card);
        const QString folder = freshPath(QStringLiteral("cards/new"));
        const std::optional<double> bleedMm = print::bleedFromText(bleedText);
        QVERIFY(bleedMm);
        for (int pass = 0; pass < 2; ++pass)
            QCOMPARE(cards(folder, m_back, size, *bleedMm), QString());
        const QStringList names = print::cardImageNames();
        QCOMPARE(names.mid(12, 3), QStringList({"harten-k.png", "harten-joker.png", "klavers-a.png"}));
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), sorted);
        for (const int i : {0, 13, 30, 55, 56}) {
            const QImage image = rgb(QImage(QDir(folder).filePath(names[i])));
            QCOMPARE(image.size(), whole);
            QCOMPARE(QPair(image.dotsPerMeterX(), image.dotsPerMeterY()), QPair(11811, 11811));
            for (int y = 0; y < image.height(); ++y) {
                const int inside = std::clamp(y, card.top(), card.bottom());
                for (const int x : {0, card.left() / 2, image.width() - 1})
                    QCOMPARE(image.pixel(x, y),
                             image.pixel(std::clamp(x, card.left(), card.right()), inside));
            }
            if (i < 56)
                QVERIFY(colourDistance(image.pixelColor(card.center()), cellColour(i)) < 8);
            else
                for (int q = 0; q < 4; ++q)
                    QVERIFY(colourDistance(image.pixelColor(card.x() + card.width() * (1 + q % 2 * 2) / 4,
                                                            card.y() + card.height() * (1 + q / 2 * 2) / 4),
                                           QColor(kQuadrants[q])) < 8);
        }
    }

    // A folder holding anything but earlier card images is refused and left as it was. A link names the
    // folder it leads to; one that leads nowhere, or to a file, is no folder.
    void cardFolderRefused()
    {
        const QString base = freshPath(QStringLiteral("refused"));
        const auto at = [&](const char *name) { return base + u'/' + QLatin1String(name); };
        for (const char *folder : {"other", "notpng", "folder/rug.png", "real"})
            QVERIFY(QDir().mkpath(at(folder)));
        QVERIFY(test::writeBytes(at("other/notes.txt"), "mine"));
        QVERIFY(test::writeBytes(at("notpng/harten-a.png"), "not a picture"));
        QVERIFY(test::writeBytes(at("file"), "a file"));
        for (const char *name : {"other", "notpng", "folder", "file"}) {
            const QStringList before = QDir(at(name)).entryList(QDir::AllEntries | QDir::Hidden);
            QVERIFY(!cards(at(name)).isEmpty());
            QCOMPARE(QDir(at(name)).entryList(QDir::AllEntries | QDir::Hidden), before);
        }
        QVERIFY(QFile::link(at("real"), at("to-folder")));
        QVERIFY(QFile::link(at("file"), at("to-file")));
        QVERIFY(QFile::link(at("gone"), at("to-nothing")));
        QCOMPARE(cards(at("to-folder")), QString());
        QCOMPARE(QDir(at("real")).entryList(QDir::Files).size(), sheet::kCardCount);
        for (const char *name : {"to-file", "to-nothing"})
            QCOMPARE(cards(at(name)), at(name) + QStringLiteral(" is geen map."));
        QCOMPARE(test::readBytes(at("file")), QByteArray("a file"));
        QVERIFY(!QFileInfo::exists(at("gone")));
    }

    void cardImagesAllOrNothing_data()
    {
        QTest::addColumn<qint64>("limit"); // the largest file the disk takes
        QTest::addColumn<QString>("failing");
        // The cards are plain colours and small; a noisy back is not.
        QTest::newRow("full at the back") << qint64(256 << 10) << QStringLiteral("rug.png");
        QTest::newRow("full at the first card") << qint64(512) << QStringLiteral("harten-a.png");
    }

    // A full disk leaves the folder with the earlier export as it was, and names the first file that failed;
    // the same folder then takes the next export.
    void cardImagesAllOrNothing()
    {
        QFETCH(const qint64, limit);
        QFETCH(const QString, failing);
        const QString folder = freshPath(QStringLiteral("cards/full"));
        QCOMPARE(cards(folder, m_back), QString());
        const QMap<QString, QByteArray> before = contents(folder);
        QImage noise(600, 800, QImage::Format_RGB32);
        QRandomGenerator random(28);
        for (int y = 0; y < noise.height(); ++y)
            random.fillRange(reinterpret_cast<quint32 *>(noise.scanLine(y)), noise.width());
        QString why;
        QVERIFY(test::withFileSizeLimit(limit, [&] {
            why = cards(folder, backOf(noise), print::CardSize::Size57x90, 0);
            return true;
        }));
        QVERIFY2(why.startsWith(failing + QStringLiteral(" kan niet worden geschreven: ")), qPrintable(why));
        QVERIFY(!why.contains(u'\n'));
        QCOMPARE(contents(folder), before);
        QCOMPARE(cards(folder, {}, print::CardSize::Size57x90, 0), QString());
    }

    void cardImagesOnEveryCore_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("ahead");
        QTest::addColumn<int>("stopAt"); // the file whose count stops the export; 0 for none
        QTest::newRow("three threads, one card ahead") << 3 << 1 << 0;
        QTest::newRow("two threads, stopped after the fifth") << 2 << 0 << 5;
        QTest::newRow("four threads, stopped after the last") << 4 << 0 << 57;
    }

    // However many threads draw the cards, the folder gets the files one thread writes, each counted once
    // and in order; a stop between two files, or after the last, leaves the earlier export as it was.
    void cardImagesOnEveryCore()
    {
        QFETCH(const int, threads);
        QFETCH(const int, ahead);
        QFETCH(const int, stopAt);
        const QString one = freshPath(QStringLiteral("cards/one")),
                      many = freshPath(QStringLiteral("cards/many"));
        const auto size = print::CardSize::Size63x88;
        const auto cut = print::kDefaultCut;
        QCOMPARE(print::writeCardImages({m_coloured, 1}, m_back, one, size, 3, cut, {}, {}, {1}).text(),
                 QString());
        QCOMPARE(cards(many, {}, print::CardSize::Bridge, 0), QString());
        const QMap<QString, QByteArray> before = contents(many);
        std::vector<int> counted;
        bool totalKept = true;
        std::stop_source stop;
        const Outcome why = print::writeCardImages({m_coloured, 1}, m_back, many, size, 3, cut,
                                                   [&](int done, int total) {
                                                       counted.push_back(done);
                                                       totalKept = totalKept && total == 57;
                                                       if (done == stopAt)
                                                           stop.request_stop();
                                                   },
                                                   stop.get_token(), {threads, ahead});
        std::vector<int> expected(std::size_t(stopAt ? stopAt : 57));
        std::iota(expected.begin(), expected.end(), 1);
        QCOMPARE(counted, expected);
        QVERIFY(totalKept);
        QVERIFY2(stopAt ? why.isCalledOff() : bool(why), qPrintable(why.text()));
        QCOMPARE(contents(many), stopAt ? before : contents(one));
    }

    void cardFolderHeld_data()
    {
        QTest::addColumn<QString>("lock"); // what the folder's lock name is
        QTest::addColumn<QString>("refusal");
        QTest::newRow("another export")
            << QStringLiteral("held") << QStringLiteral("worden al kaarten geschreven");
        QTest::newRow("a FIFO") << QStringLiteral("fifo") << QStringLiteral("kies een nieuwe of lege map");
        QTest::newRow("a link to /dev/zero")
            << QStringLiteral("zero") << QStringLiteral("kies een nieuwe of lege map");
    }

    // While one export holds the folder a second is refused at once, and the folder keeps the first one's
    // cards; a lock name that is no small regular file is never opened.
    void cardFolderHeld()
    {
        QFETCH(const QString, lock);
        QFETCH(const QString, refusal);
        const QString folder = freshPath(QStringLiteral("cards/held"));
        QCOMPARE(cards(folder), QString());
        const QString lockPath = QDir(folder).filePath(QStringLiteral(".vellora-kaarten.lock"));
        QLockFile other(lockPath);
        if (lock == u"held")
            QVERIFY(other.tryLock(0));
        else if (lock == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), lockPath));
        const QByteArray card = test::readBytes(QDir(folder).filePath(QStringLiteral("harten-a.png")));
        QElapsedTimer timer;
        timer.start();
        const QString why = cards(folder, {}, print::CardSize::Size57x90, 0);
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY2(why.contains(refusal), qPrintable(why));
        QCOMPARE(test::readBytes(QDir(folder).filePath(QStringLiteral("harten-a.png"))), card);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 57);
    }

    // The folder holds exactly the last export's files: its back goes when the new one has none, and what a
    // killed export left under a passing name goes too.
    void cardFolderHoldsTheLastExport()
    {
        const QString folder = freshPath(QStringLiteral("cards/last"));
        QCOMPARE(cards(folder, m_back), QString());
        QVERIFY(
            test::writeBytes(QDir(folder).filePath(QStringLiteral(".vellora-kaart-harten-a.png")), "half"));
        QCOMPARE(cards(folder), QString());
        QStringList names = print::cardImageNames().mid(0, 56);
        names.sort();
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 names);
    }

    void deckPdfCalledOff_data()
    {
        QTest::addColumn<int>("stopAt"); // the page made before the stop
        QTest::addColumn<bool>("older");
        QTest::newRow("while the pages are made") << 3 << false;
        QTest::newRow("while the pages are made, older file") << 3 << true;
        QTest::newRow("after the last page, older file") << 12 << true;
    }

    // A stop before the PDF takes its name leaves no file and an older one as it was; so does the window's
    // Cancel, silently, its worker held back by a busy pool so that the stop comes first.
    void deckPdfCalledOff()
    {
        QFETCH(const int, stopAt);
        QFETCH(const bool, older);
        const QString path = m_scratch.filePath(QStringLiteral("called off.pdf"));
        QFile::remove(path);
        const QByteArray olderPdf = "%PDF-older";
        if (older)
            QVERIFY(test::writeBytes(path, olderPdf));
        std::stop_source stop;
        int made = 0;
        const print::ExportOptions chosen{{}, backOf(quadrantBack({30, 40})), print::kDefaultBleedMm, {}};
        const Outcome outcome = print::exportDeck(
            DeckSnapshot{m_coloured, {}, {}, {}}, chosen,
            {print::ExportKind::DeckPdf, QFile::encodeName(path)},
            [&](int done, int) {
                // The bar's first part is the master; the pages follow, one report each.
                if (done > print::kMasterSteps && ++made == stopAt)
                    stop.request_stop();
            },
            stop.get_token());
        QCOMPARE(made, stopAt);
        QVERIFY(outcome.isCalledOff());
        QCOMPARE(test::readBytes(path), older ? olderPdf : QByteArray());
        QCOMPARE(QFile::exists(path), older);
        QCOMPARE(QDir(m_scratch.path())
                     .entryList({"*called off*", ".vellora-*"}, QDir::Files | QDir::Hidden)
                     .size(),
                 older ? 1 : 0);

        AnsweringDialogs dialogs;
        dialogs.path = path;
        HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, m_queues, dialogs, *m_settings);
        QThreadPool *pool = QThreadPool::globalInstance();
        const auto busy = std::make_shared<QSemaphore>();
        for (int i = 0; i < pool->maxThreadCount(); ++i)
            pool->start([busy] { busy->acquire(); });
        child<QPushButton>(&form, "PdfKnop")->click();
        child<QPushButton>(&form, "StopKnop")->click();
        busy->release(pool->maxThreadCount());
        QVERIFY(workEnds(&form));
        QCOMPARE(test::readBytes(path), older ? olderPdf : QByteArray());
        QVERIFY(m_prompter.shown.isEmpty());
    }

    // The print master is drawn before the first page, as the bar's first part, and a stop meanwhile ends it
    // with no picture; the pages then fill the rest of the bar. Without a record the sheet is the picture.
    void theMasterIsTheBarsFirstPart_data()
    {
        QTest::addColumn<bool>("record");
        QTest::addColumn<int>("stopAt"); // the report of the master's drawing that stops it; 0 for none
        QTest::newRow("the sheet") << false << 0;
        QTest::newRow("the master") << true << 0;
        QTest::newRow("stopped while drawn") << true << 2;
    }

    void theMasterIsTheBarsFirstPart()
    {
        QFETCH(const bool, record);
        QFETCH(const int, stopAt);
        PrintRecord master =
            PrintRecord::fromCard(test::solidPicture({855, 1200}, Qt::white), QImage::Format_RGB32);
        const QImage red = test::solidPicture({165, 280}, Qt::darkRed);
        for (const int row : {0, 1, 2})
            master.paste({red, {row}, QPoint(900, 900), QSize(2475, 4200), {}});
        std::stop_source stop;
        QList<int> bar;
        const print::PageProgress progress = [&](int done, int total) {
            QCOMPARE(total, print::kBarSteps);
            bar << done;
            if (bar.size() == stopAt)
                stop.request_stop();
        };
        const ScaledPicture picture =
            print::masterPicture(m_coloured, record ? master : PrintRecord(), progress, stop.get_token());
        QCOMPARE(picture.isNull(), stopAt > 0);
        if (stopAt) {
            QCOMPARE(bar.size(), stopAt);
            return;
        }
        QCOMPARE(picture.image.size(), m_coloured.size() * (record ? 3 : 1));
        QCOMPARE(picture.scale, record ? 3 : 1);
        QCOMPARE(bar.size(), record ? 4 : 1);
        QVERIFY(std::is_sorted(bar.begin(), bar.end()) && bar.first() > 0);
        QCOMPARE(bar.last(), print::kMasterSteps);
        const print::PageProgress pages = print::afterMaster(progress);
        for (int page = 1; page <= 4; ++page)
            pages(page, 4);
        QVERIFY(std::is_sorted(bar.begin(), bar.end()));
        QCOMPARE(bar.last(), print::kBarSteps);
    }

    // With the deck's print record the window's PDF comes from the master, three times as fine per page, each
    // face image at least 300 dpi at its printed size and stored as it is (Flate), not as JPEG.
    void windowPrintsFromTheMaster()
    {
        AnsweringDialogs dialogs;
        QList<QList<QSize>> sizes;
        for (const bool record : {false, true}) {
            HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, m_queues, dialogs, *m_settings);
            if (record)
                form.setPrintRecord(PrintRecord::fromSheet(m_coloured));
            child<QComboBox>(&form, "Opmaak")->setCurrentIndex(0);
            dialogs.path =
                m_scratch.filePath(record ? QStringLiteral("master.pdf") : QStringLiteral("sheet.pdf"));
            QVERIFY(clickedAndDone(&form, "PdfKnop"));
            sizes.append(QList<QSize>());
            for (const QString &line : pdfImageList(dialogs.path)) {
                const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
                sizes.back() << QSize(f.at(3).toInt(), f.at(4).toInt());
                // enc, then the pixels per inch across and down.
                QVERIFY2(!record ||
                             (f.at(8) == u"image" && f.at(12).toInt() >= 300 && f.at(13).toInt() >= 300),
                         qPrintable(line));
            }
        }
        QVERIFY(m_prompter.shown.isEmpty());
        QCOMPARE(sizes[0].size(), print::kPageCount);
        QCOMPARE(sizes[1].size(), print::kPageCount);
        for (int i = 0; i < print::kPageCount; ++i)
            QCOMPARE(sizes[1][i], sizes[0][i] * 3);
    }

    // Save and print from the window; each is one document, the suggested file named after the project. A
    // full disk leaves the older file as it was and says so.
    void deckWindow()
    {
        writeBacks();
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        dialogs.path = m_scratch.filePath(QStringLiteral("window.pdf"));
        HeleDeckForm form(m_coloured, QStringLiteral("Zomer"), m_pacer, m_prompter, *m_folder, queues,
                          dialogs, *m_settings);
        child<QComboBox>(&form, "Opmaak")->setCurrentIndex(0); // the six pages, chosen
        QVERIFY(clickedAndDone(&form, "PdfKnop"));
        QCOMPARE(QFileInfo(dialogs.suggested).fileName(), QStringLiteral("Zomer.pdf"));
        QCOMPARE(test::pdfPageCount(dialogs.path), 12);
        QVERIFY(clickedAndDone(&form, "PrintKnop"));
        QCOMPARE(queues.jobs.size(), size_t(1)); // the pages just saved, made by the same code
        QCOMPARE(queues.jobs[0].pages.size(), size_t(12));
        // Turned on the short edge by default, on the deck's own paper.
        QCOMPARE(queues.jobs[0].options.sides, QByteArray("two-sided-short-edge"));
        QCOMPARE(queues.jobs[0].options.media, QByteArray("iso_a4_210x297mm"));
        // Cards go on the printer's own paper.
        child<QComboBox>(&form, "Opmaak")->setCurrentIndex(1);
        dialogs.paper = print::Paper::Letter;
        QVERIFY(clickedAndDone(&form, "PrintKnop"));
        QCOMPARE(queues.jobs.at(1).options.media, QByteArray("na_letter_8.5x11in"));
        QCOMPARE(queues.jobs[1].pages.front().paper, print::Paper::Letter);
        child<QComboBox>(&form, "Opmaak")->setCurrentIndex(0);
        QVERIFY(m_prompter.shown.isEmpty());
        const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QVERIFY(documents.mkpath(QStringLiteral(".")));
        const HeleDeckForm unnamed(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs,
                                   *m_settings);
        QCOMPARE(unnamed.suggestedPdfPath(), documents.filePath("Vellora.pdf"));
        // A margin off any paper is refused before anything is written.
        child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("99999999"));
        dialogs.path = m_scratch.filePath(QStringLiteral("off the paper.pdf"));
        QVERIFY(clickedAndDone(&form, "PdfKnop"));
        QVERIFY(!QFile::exists(dialogs.path));
        QCOMPARE(m_prompter.shown.value(0).text, "De marge is te groot om een plaats op het papier te zijn.");
        m_prompter.shown.clear();
        child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("40"));

        const QString disk = m_scratch.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(disk));
        QVERIFY2(mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=8k") == 0,
                 "cannot mount a small tmpfs here (needs root)");
        dialogs.path = disk + QStringLiteral("/deck.pdf");
        QVERIFY(test::writeBytes(dialogs.path, "%PDF-older"));
        QVERIFY(clickedAndDone(&form, "PdfKnop"));
        QCOMPARE(test::readBytes(dialogs.path), QByteArray("%PDF-older"));
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{"deck.pdf"});
        QCOMPARE(umount(QFile::encodeName(disk).constData()), 0);
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].text, print::pdfFailedText(QStringLiteral("De schijf is vol.")));
    }

    // The window's further choices: turn, shift and paper kept (the paper the locale's at first), the edge
    // band named, cards and alignment sheet written where the dialogs say, an own back listed last (what it
    // keeps and refuses: tst_ownbacks' addOwnTakesWhatPrints).
    void deckChoices()
    {
        writeBacks();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_scratch.filePath(QStringLiteral("data"))));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QSettings settings(m_scratch.filePath(QStringLiteral("choices.ini")), QSettings::IniFormat);
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        {
            HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, settings);
            QCOMPARE(form.options().paper, print::Paper::Letter);
            auto *warning = child<QLabel>(&form, "RandWaarschuwing");
            QCOMPARE(warning->text(), QString());
            child<QComboBox>(&form, "Opmaak")->setCurrentIndex(0);
            child<QComboBox>(&form, "Combo2")->setCurrentText(QStringLiteral("10"));
            QCOMPARE(warning->text(), print::edgeBandText());
            child<QComboBox>(&form, "Opmaak")->setCurrentIndex(1);
            child<QComboBox>(&form, "Papier")->setCurrentIndex(0);
            child<QComboBox>(&form, "Keren")->setCurrentIndex(1);
            child<QDoubleSpinBox>(&form, "RugX")->setValue(-1.3);
            child<QCheckBox>(&form, "HelePagina")->setChecked(true);
            QVERIFY(form.options().wholePageBack); // the rest as the window opened again reads it

            dialogs.folder = m_scratch.filePath(QStringLiteral("pictures"));
            QVERIFY(clickedAndDone(&form, "KaartenKnop"));
            QCOMPARE(QDir(dialogs.folder).entryList(QDir::Files).size(), 57);
            dialogs.path = m_scratch.filePath(QStringLiteral("align.pdf"));
            QVERIFY(clickedAndDone(&form, "UitlijnKnop"));
            QCOMPARE(test::pdfPageCount(dialogs.path), 2);

            dialogs.picture = m_scratch.filePath(QStringLiteral("own.jpg"));
            QVERIFY(quadrantBack({30, 40}).save(dialogs.picture));
            child<QPushButton>(&form, "EigenRugKnop")->click();
            QCOMPARE(child<QLabel>(&form, "Label3")->text(), QStringLiteral("Rugzijde 2 / 2"));
        }
        QLocale::setDefault(QLocale::system());
        const HeleDeckForm again(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, settings);
        const print::DeckOptions o = again.options();
        QCOMPARE(QPair(o.layout, o.paper), QPair(print::DeckLayout::Cards, print::Paper::A4));
        QCOMPARE(QPair(o.turn, o.backShiftMm), QPair(print::Turn::LongEdge, QPointF(-1.3, 0)));
        QVERIFY(!o.wholePageBack);
        QCOMPARE(child<QScrollBar>(const_cast<HeleDeckForm *>(&again), "VScroll1")->maximum(), 2);
    }

    // What the command line will not write over, no button of the window writes over: the same check, in
    // the window's words; the name stays, nothing is left beside it, nothing goes to a printer.
    void refusedLikeTheCommandLine_data()
    {
        QTest::addColumn<QString>("before"); // what the name is before
        QTest::addColumn<QString>("via"); // the button; PrintKnop: its print dialog told to print to a file
        QTest::addColumn<QString>("reason"); // the command line's, after "wordt niet overschreven: "
        for (const auto &[before, reason] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"folder", "Dit is een map."},
                 {"project", "Dit bestand is geen PDF."},
                 {"link to a PDF", "Dit is een koppeling, geen gewoon bestand."},
                 {"link to nothing", "Dit is een koppeling, geen gewoon bestand."},
                 {"fifo", "Dit is geen gewoon bestand."},
                 {"device", "Dit is geen gewoon bestand."}})
            for (const char *via : {"PdfKnop", "PrintKnop", "UitlijnKnop"})
                QTest::addRow("%s via %s", before, via)
                    << QString::fromUtf8(before) << QString::fromUtf8(via) << QString::fromUtf8(reason);
    }
    void refusedLikeTheCommandLine()
    {
        QFETCH(const QString, before);
        QFETCH(const QString, via);
        QFETCH(const QString, reason);
        const QString folder = freshPath(QStringLiteral("refusals"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/deck.pdf"),
                      older = folder + QStringLiteral("/older.pdf");
        const QByteArray name = QFile::encodeName(target);
        QVERIFY(test::writeBytes(older, "%PDF-older"));
        if (before == u"folder")
            QVERIFY(QDir().mkpath(target));
        if (before == u"project")
            QVERIFY(PictureFile::saveBmp(m_coloured, target));
        if (before.startsWith(u"link"))
            QCOMPARE(
                ::symlink(QFile::encodeName(before == u"link to a PDF" ? older : folder + "/gone.pdf"), name),
                0);
        if (before == u"fifo")
            QCOMPARE(::mkfifo(name, 0600), 0);
        if (before == u"device")
            QVERIFY2(::mknod(name, S_IFCHR | 0600, makedev(1, 3)) == 0, "making a device node needs root");
        // The name to its inode, and everything beside it.
        const auto state = [&] {
            return QStringList{QString::fromLatin1(test::nameState(name)),
                               QString::fromLatin1(test::readBytes(older))} +
                   QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot);
        };
        const QStringList was = state();

        writeBacks();
        test::RecordingPrintQueues queues;
        AnsweringDialogs dialogs;
        (via == u"PrintKnop" ? dialogs.printFile : dialogs.path) = target;
        HeleDeckForm form(m_coloured, {}, m_pacer, m_prompter, *m_folder, queues, dialogs, *m_settings);
        QVERIFY(clickedAndDone(&form, via));
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].text, print::pdfFailedText(reason));
        QCOMPARE(state(), was);
        QVERIFY(queues.jobs.empty());
    }
};

VELLORA_PRINT_TEST_MAIN(TestDeckExport)

#include "tst_deckexport.moc"
