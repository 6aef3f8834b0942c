// Pages and their layout: margins, where each page and back lands on paper, the deck's pages from the
// sheet and from the print master, the backs behind the cards, the edge band and the alignment page.
#include "print/tests/printfixture.h"

using namespace vellora;
using namespace vellora::printtest;

class TestPrintPages : public PrintFixture
{
    Q_OBJECT

private Q_SLOTS:
    // The leading number of a margin text, at 15 twips to a unit; -1 where that is no position on a page:
    // letters end the number, blanks lead it, a second point ends it, no exponent, no hexadecimal. A window
    // takes it so: placement's "page 6, typed".
    void marginText()
    {
        const std::pair<QString, int> rows[] = {{"25abc", 375},   {"abc", 0},
                                                {"  7", 105},     {"-2", -30},
                                                {" - 4", 0},      {"2.5", 38},
                                                {"1.5.5", 23},    {"1e3", 15},
                                                {"0x10", 0},      {"66666666", 999999990},
                                                {"66666667", -1}, {QString(400, u'9'), -1},
                                                {"", 0}};
        for (const auto &[text, twips] : rows) {
            const int got = print::marginTwips(text).value_or(-1);
            QVERIFY2(got == twips, qPrintable(QStringLiteral("\"%1\" gives %2").arg(text.left(20)).arg(got)));
        }
    }

    void placement_data()
    {
        QTest::addColumn<Placed>("row");
        const QRect wide(150, 600, 16200, 10200), narrow(150, 600, 12860, 10200);
        // Page 2 prints from 21430 twips, 1428.67 pixels: it starts at the nearest pixel.
        QTest::newRow("page 1") << Placed{1, "40", "10", wide, QRect(0, 0, 1430, 800)};
        QTest::newRow("page 2") << Placed{2, "40", "10", wide, QRect(1429, 0, 1426, 800)};
        QTest::newRow("page 3") << Placed{3, "40", "10", narrow, QRect(2854, 0, 1134, 800)};
        QTest::newRow("page 6, typed")
            << Placed{6, "150", "25abc", QRect(375, 2250, 12860, 10200), QRect(2854, 800, 1134, 800)};
        // A back goes whole to the printer and is stretched there, whatever its size.
        QTest::newRow("back") << Placed{0, "0.2", "1.1", QRect(17, 3, 12000, 16900), {}};
    }

    // Each window previews the page chosen, or shows the top left of a back larger than its preview, and
    // prints it; then the page goes to a PDF, for where the ink lands on paper.
    void placement()
    {
        QFETCH(const Placed, row);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backgrounds")));
        const QString backFile = m_dir->filePath(QStringLiteral("Backgrounds/Background-0.jpg"));
        QVERIFY(m_addressed.copy(0, 0, 608, 848).save(backFile, "JPEG", 100));
        const QImage back = rgb(QImage(backFile));
        // Pages 3 and 6 preview a narrower part of the sheet.
        const int page = row.page, previewX = (page - 1) % 3 * 21390 - (page % 3 == 0) * 30;
        Surface preview;
        preview.resize(px(4080), px(2580));
        preview.paintPicture(m_addressed, QRectF(45, 180, page % 3 ? 3990 : 3165, 2220),
                             QRectF(previewX, page > 3 ? 12000 : 0, page % 3 ? 21450 : 17010, 12000));
        AfdrukForm faces(m_addressed, m_pacer, m_prompter, *m_folder, m_queues);
        Rugzijde backs(m_pacer, m_prompter, *m_folder, m_queues);
        QDialog *form = page ? static_cast<QDialog *>(&faces) : &backs;
        child<QRadioButton>(&faces, QStringLiteral("Option1(%1)").arg(std::max(page - 1, 0)))->click();
        child<QComboBox>(form, "Combo1")->setCurrentText(row.top);
        child<QComboBox>(form, "Combo2")->setCurrentText(row.left);
        const QImage shown = rgb(child<PictureBox>(form, "Pic")->grab().toImage());
        QCOMPARE(test::firstDifference(shown, page ? rgb(preview.image()) : back.copy(0, 0, 152, 212)), "");
        pressPrint(form);
        QVERIFY(workEnds(form));
        QCOMPARE(onlyPage(m_queues).picture.twips, row.twips);
        QCOMPARE(m_queues.jobs[0].printer, QStringLiteral("Office"));
        QCOMPARE(child<QComboBox>(form, "Combo1")->count(), 100); // a typed value is no new list entry
        const print::PrintPage &printed = onlyPage(m_queues);
        QCOMPARE(printed.orientation, page ? QPageLayout::Landscape : QPageLayout::Portrait);
        const QImage sheetPart = page ? m_addressed.copy(row.sheetPixels) : back;
        QCOMPARE(test::firstDifference(rgb(printed.picture.image), sheetPart), "");

        // The page of a coloured sheet made into the document a print server is sent.
        test::RecordingPrintQueues sent;
        Surface working;
        if (page)
            QVERIFY(print::printFacePage(ScaledPicture{m_coloured}, print::facePage(page), row.top, row.left,
                                         working, sent)
                        .ok());
        else
            QVERIFY(print::printBack(quadrantBack({300, 420}), row.top, row.left, sent).ok());
        const QString pdf = m_scratch.filePath(QStringLiteral("page.pdf"));
        QVERIFY(print::savePdf(*print::pdfDocument(sent.jobs.at(0).pages), pdf).ok());
        const QImage paper = renderPdf(pdf);
        QCOMPARE(paper.size(), page ? QSize(842, 595) : QSize(595, 842)); // A4 at 72 dpi
        QCOMPARE(checkPrintedPage(paper, page, row.twips.topLeft()), "");
    }

    void deck_data()
    {
        QTest::addColumn<Deck>("row");
        const auto duplex = print::DeckOrder::Duplex, facesFirst = print::DeckOrder::FacesFirst;
        QTest::newRow("duplex; page 2, a cut card at each side")
            << Deck{duplex, true, "40", "27", {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}, 2, 50};
        QTest::newRow("faces first; page 6, four columns")
            << Deck{facesFirst, true, "40", "10", {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0}, 6, 50};
        QTest::newRow("no back; page 3, little room below, none left")
            << Deck{duplex, false, "99", "0", {1, 2, 3, 4, 5, 6}, 3, 0};
    }

    // Each deck page is what its window prints, in order; cut marks lie at each card edge on each side with
    // room, never near the cards; the scale bar's longest dark run below is 50 mm within 0.3.
    void deck()
    {
        QFETCH(const Deck, row);
        const print::BackChoice back = backOf(row.back ? quadrantBack({30, 40}) : QImage());
        print::DeckOptions options{.order = row.order,
                                   .topMargin = row.top,
                                   .leftMargin = row.left,
                                   .backShiftMm = {},
                                   .wholePageBack = true};
        const int dpi = 150, at = row.pages.indexOf(row.marked);
        QImage with, without;
        for (QImage *image : {&without, &with}) {
            options.cutMarks = image == &with;
            const QString pdf = m_scratch.filePath(QStringLiteral("deck.pdf"));
            QVERIFY(print::savePdf(*print::deckPdf(ScaledPicture{m_coloured}, back, options), pdf).ok());
            *image = renderPdf(pdf, at + 1, dpi);
            QVERIFY(!image->isNull());
        }
        const auto deck = print::deckPages(ScaledPicture{m_coloured}, back, options);
        QVERIFY(deck);
        QCOMPARE(deck->size(), size_t(row.pages.size()));
        for (int i = 0; i < row.pages.size(); ++i) {
            test::RecordingPrintQueues single;
            Surface working;
            const print::FacePage &face = print::facePage(row.pages[i]);
            QVERIFY((row.pages[i] ? print::printFacePage(ScaledPicture{m_coloured}, face, row.top, row.left,
                                                         working, single)
                                  : print::printBack(back.image, "0", "0", single))
                        .ok());
            QCOMPARE(deck->at(i).faceNumber, row.pages[i]);
            QCOMPARE(deck->at(i).orientation, onlyPage(single).orientation);
            QCOMPARE(deck->at(i).picture.twips, onlyPage(single).picture.twips);
            QCOMPARE(deck->at(i).picture.image, onlyPage(single).picture.image);
        }

        const print::PrintPage &laidOut = deck->at(at);
        const QRect printed = laidOut.picture.twips, cards = toPixels(printed, dpi);
        const int keepOff = qRound(1.5 / 25.4 * dpi) - 1;
        const QRect nearCards = cards.adjusted(-keepOff, -keepOff, keepOff, keepOff);
        QCOMPARE(test::firstDifference(with.copy(nearCards), without.copy(nearCards)), "");
        const print::CardEdges edges = print::cardEdges(print::facePage(row.marked), printed);
        QCOMPARE(QPair(edges.x.size(), edges.y.size()), QPair(size_t(row.marked % 3 ? 6 : 5), size_t(3)));
        // 1.5 mm of distance and 1 mm of line outside the 4 mm band: 369 twips.
        const QSize paper = laidOut.paperTwips();
        const size_t above = printed.top() >= 369, onLeft = printed.left() >= 369,
                     below = paper.height() - printed.bottom() > 369,
                     onRight = paper.width() - printed.right() > 369;
        QCOMPARE(laidOut.cutMarks.size(),
                 edges.x.size() * (above + below) + edges.y.size() * (onLeft + onRight));
        for (const QLine &line : laidOut.cutMarks) {
            QVERIFY(line.dx() ? std::ranges::count(edges.y, line.y1())
                              : std::ranges::count(edges.x, line.x1()));
            const QPoint centre = toPixels(QRect(line.p1(), line.p2()).normalized(), dpi).center();
            const QRect near(centre - QPoint(1, 1), QSize(3, 3));
            QVERIFY(!test::changedArea(with.copy(near), without.copy(near)).isEmpty());
        }
        const auto changes = [&](QPoint a, QPoint b) {
            return colourDistance(with.pixelColor(a), with.pixelColor(b)) > 20;
        };
        const int top = cards.top() + 4, right = cards.right() - 4;
        for (const int x : edges.x)
            if (const int px = qRound(x * dpi / 1440.0); px >= 3) // not the paper's own edge
                QVERIFY2(changes({px - 3, top}, {px + 3, top}), qPrintable(QString::number(x)));
        for (const int y : edges.y)
            QVERIFY2(changes({right, qRound(y * dpi / 1440.0) - 3}, {right, qRound(y * dpi / 1440.0) + 3}),
                     qPrintable(QString::number(y)));
        // Only under the picture: the cut marks beside it are dark runs too.
        int longest = 0;
        for (int y = cards.bottom() + 2; y < with.height(); ++y)
            for (int x = cards.left(), run = 0; x <= cards.right(); ++x)
                longest = std::max(longest, run = qGray(with.pixel(x, y)) < 128 ? run + 1 : 0);
        const double mm = longest * 25.4 / dpi;
        QVERIFY2(std::abs(mm - row.bar) <= (row.bar ? 0.3 : 3.0), qPrintable(QString::number(mm)));
    }

    // From the print master (three times the sheet's pixels) every page keeps its place and size on paper,
    // the sheet's right and bottom edge too (pages 3 and 6): everything is taken by its twips. Its PDF's
    // resolution and encoding: tst_deckexport's windowPrintsFromTheMaster.
    void fromTheMaster()
    {
        const QImage master = m_coloured.scaled(m_coloured.size() * 3);
        print::DeckOptions options;
        const auto fromSheet = print::deckPages(ScaledPicture{m_coloured}, {}, options);
        const auto fromMaster = print::deckPages(ScaledPicture{master, 3}, {}, options);
        QVERIFY(fromSheet && fromMaster);
        QCOMPARE(fromMaster->size(), fromSheet->size());
        for (size_t i = 0; i < fromSheet->size(); ++i) {
            QCOMPARE(fromMaster->at(i).picture.twips, fromSheet->at(i).picture.twips);
            QCOMPARE(fromMaster->at(i).picture.image.size(), fromSheet->at(i).picture.image.size() * 3);
            QCOMPARE(fromMaster->at(i).cutMarks, fromSheet->at(i).cutMarks);
            const QImage down = fromMaster->at(i).picture.image.scaled(fromSheet->at(i).picture.image.size());
            QCOMPARE(test::firstDifference(down, fromSheet->at(i).picture.image), QString());
        }
        test::RecordingPrintQueues single;
        Surface working;
        QVERIFY(print::printFacePage(ScaledPicture{master, 3}, print::facePage(2), options.topMargin,
                                     options.leftMargin, working, single)
                    .ok());
        QCOMPARE(onlyPage(single).picture.twips, fromSheet->at(1).picture.twips);
    }

    // Each card's back lies behind its face once turned as chosen, moved by the shift, all the same upright
    // crop; only a shift puts anything within 4 mm of the edges (clear: none does).
    void cardBacks_data()
    {
        QTest::addColumn<BackRow>("row");
        using L = print::DeckLayout;
        using S = print::CardSize;
        using P = print::Paper;
        using T = print::Turn;
        QTest::newRow("pages, A4, short edge")
            << BackRow{L::Pages, S::Size63x88, P::A4, T::ShortEdge, {}, true, 6};
        QTest::newRow("pages, A4, long edge, shifted")
            << BackRow{L::Pages, S::Size63x88, P::A4, T::LongEdge, {3, -2}, false, 6};
        QTest::newRow("63x88, A4, short edge")
            << BackRow{L::Cards, S::Size63x88, P::A4, T::ShortEdge, {}, true, 7};
        QTest::newRow("63x88, Letter, long edge, shifted to the corner")
            << BackRow{L::Cards, S::Size63x88, P::Letter, T::LongEdge, {-5, 5}, false, 7};
        QTest::newRow("57x90, Letter lying down, short edge")
            << BackRow{L::Cards, S::Size57x90, P::Letter, T::ShortEdge, {0.3, 0}, true, 7};
    }

    void cardBacks()
    {
        QFETCH(const BackRow, row);
        const print::DeckOptions options{.layout = row.layout,
                                         .cardSize = row.size,
                                         .paper = row.paper,
                                         .turn = row.turn,
                                         .backShiftMm = row.shift};
        const print::BackChoice back = backOf(quadrantBack({120, 160}));
        const auto pages = print::deckPages(ScaledPicture{m_coloured}, back, options);
        QVERIFY(pages);
        QCOMPARE(int(pages->size()), 2 * row.faces);
        const QPoint shift(qRound(row.shift.x() * 1440 / 25.4), qRound(row.shift.y() * 1440 / 25.4));
        int cards = 0;
        bool backsClear = true;
        for (int f = 0; f < row.faces; ++f) {
            const print::PrintPage &face = pages->at(2 * f), &backPage = pages->at(2 * f + 1);
            const QSize paper = face.paperTwips();
            QCOMPARE(backPage.paperTwips(), paper);
            QCOMPARE(backPage.cardCuts.size(), face.cardCuts.size());
            QVERIFY(row.layout == print::DeckLayout::Pages || face.cards.size() == face.cardCuts.size());
            // Lying down the short edge is the side; standing up it is the top.
            const bool acrossWidth = (row.turn == print::Turn::ShortEdge) == (paper.width() > paper.height());
            for (size_t i = 0; i < face.cardCuts.size(); ++i, ++cards) {
                const QRect f = face.cardCuts[i];
                QVERIFY(QRect(QPoint(), paper).contains(f));
                const QPoint mirrored = acrossWidth ? QPoint(paper.width() - f.x() - f.width(), f.y())
                                                    : QPoint(f.x(), paper.height() - f.y() - f.height());
                QCOMPARE(backPage.cardCuts[i], QRect(mirrored + shift, f.size()));
            }
            QCOMPARE(print::clearOfEdgeBand(face), true);
            backsClear = backsClear && print::clearOfEdgeBand(backPage);
        }
        QCOMPARE(cards, 56);
        QCOMPARE(backsClear, row.clear);

        // The first back page rendered: each card's back, bar its outermost pixel, scaled to 12 x 16, is the
        // same, with the back's quadrants where they belong; the edge band of face and back stays white.
        const QString pdf = m_scratch.filePath(QStringLiteral("backs.pdf"));
        QVERIFY(print::savePdf(*print::deckPdf(ScaledPicture{m_coloured}, back, options), pdf).ok());
        const int dpi = 50;
        const QImage rendered = renderPdf(pdf, 2, dpi), faceRendered = renderPdf(pdf, 1, dpi);
        QImage first;
        for (const QRect &cut : pages->at(1).cardCuts) {
            const QImage crop = rendered.copy(toPixels(cut, dpi).adjusted(1, 1, -1, -1))
                                    .scaled(12, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            for (int q = 0; q < 4; ++q)
                QVERIFY(colourDistance(crop.pixelColor(3 + q % 2 * 6, 4 + q / 2 * 8), QColor(kQuadrants[q])) <
                        40);
            if (first.isNull())
                first = crop;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 12; ++x)
                    QVERIFY(colourDistance(crop.pixelColor(x, y), first.pixelColor(x, y)) < 24);
        }
        const int band = qFloor(4 / 25.4 * dpi);
        for (const QImage *page : {&faceRendered, &rendered}) {
            const QRect inside = page->rect().adjusted(band, band, -band, -band);
            bool white = true;
            for (int y = 0; y < page->height(); ++y)
                for (int x = 0; x < page->width(); ++x)
                    white = white && (inside.contains(x, y) || qGray(page->pixel(x, y)) > 250);
            QCOMPARE(white, page == &faceRendered || row.clear);
        }
    }

    // The window's first margins keep the pages layout out of the edge band; typed ones may not.
    void edgeBand_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QPointF>("shift");
        QTest::addColumn<bool>("warned");
        QTest::newRow("first choices") << "40"
                                       << "27" << QPointF() << false;
        QTest::newRow("top 99") << "99"
                                << "27" << QPointF() << true;
        QTest::newRow("back shifted 5 mm right") << "40"
                                                 << "27" << QPointF(5, 0) << true;
    }

    void edgeBand()
    {
        QFETCH(const QString, top);
        QFETCH(const QString, left);
        QFETCH(const QPointF, shift);
        QFETCH(const bool, warned);
        print::DeckOptions options{.topMargin = top, .leftMargin = left, .backShiftMm = shift};
        QCOMPARE(print::edgeBandWarning(options).isEmpty(), !warned);
        // Centred with room to spare, the cards take no margins and 5 mm of shift.
        options.layout = print::DeckLayout::Cards;
        QCOMPARE(print::edgeBandWarning(options), QString());
    }

    // The front's scale at every millimetre through the middle, and the back's lying just behind it.
    void calibration()
    {
        const QString pdf = m_scratch.filePath(QStringLiteral("calibration.pdf"));
        QVERIFY(print::savePdf(*print::calibrationPdf(print::Paper::Letter), pdf).ok());
        QCOMPARE(test::pdfPageCount(pdf), 2);
        QList<int> ticks[2];
        for (int side = 0; side < 2; ++side) {
            const QImage page = renderPdf(pdf, side + 1, 254); // 10 pixels to the millimetre
            QCOMPARE(page.size(), QSize(2159, 2794));
            const int y = page.height() / 2 - 7;
            // The middle of each tick, from the back mirrored left to right.
            for (int x = 1, start = 0; x < page.width(); ++x) {
                const bool dark = qGray(page.pixel(x, y)) < 160, before = qGray(page.pixel(x - 1, y)) < 160;
                if (dark && !before)
                    start = x;
                else if (!dark && before)
                    ticks[side] << (side ? page.width() - (start + x) / 2 : (start + x) / 2);
            }
        }
        QCOMPARE(ticks[0].size(), 21);
        for (int k = 0; k < 21; ++k) {
            QVERIFY(std::abs(ticks[0][k] - (2159 / 2 + (k - 10) * 10)) <= 2);
            QVERIFY(std::abs(ticks[1][20 - k] - ticks[0][k]) <= 2);
        }
    }
};

VELLORA_PRINT_TEST_MAIN(TestPrintPages)

#include "tst_printpages.moc"
