#include "sheet/cardsheet.h"
#include "sheet/placementengine.h"
#include "sheet/printmaster.h"
#include "surface/surface.h"
#include "tests/support/testsupport.h"

#include <QPainter>
#include <QTest>

using namespace vellora;

namespace {

// Each suit's symbol: a disc in one flat colour on white and a black hook in its top-left corner, so that a
// mirrored pip and a turned one differ. Drawn at `scale` for the master.
const QRgb kDiscs[4] = {qRgb(210, 20, 40), qRgb(20, 20, 20), qRgb(170, 0, 60), qRgb(40, 40, 40)};

QImage symbols(int scale)
{
    QImage image = test::solidPicture({50 * scale, 200 * scale}, Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    for (int suit = 0; suit < 4; ++suit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(kDiscs[suit]));
        painter.drawEllipse(QRect(12, suit * 50 + 12, 30, 30));
        painter.fillRect(QRect(6, suit * 50 + 4, 14, 4), Qt::black);
        painter.fillRect(QRect(6, suit * 50 + 4, 4, 12), Qt::black);
    }
    return image;
}

// White cards on green, symmetric about each card's pixel row 200, as the blank deck is.
QImage blankSheet()
{
    QImage image = test::solidPicture({3990, 1600}, qRgb(0, 128, 0));
    QPainter painter(&image);
    for (int cell = 0; cell < 56; ++cell)
        painter.fillRect(QRect(cell % 14 * 285 + 4, cell / 14 * 400 + 4, 277, 393), Qt::white);
    return image;
}

QImage run(const QImage &start, const QImage &set, CardStyle style)
{
    Surface sheet;
    sheet.setPicture(start);
    KolomX kolomX;
    PlacementRun placement(sheet, set, kolomX, style);
    while (placement.finishNextCard()) {
    }
    return sheet.image();
}

// Pixels in a card. The upper pips of the first phase, which the lower half carries turned, in their
// columns; and the zones of the two upper corners, each holding an index or the suit under it alone.
constexpr int L = 52, C = 117, R = 184;
const std::array<std::vector<QPoint>, 13> kUpperPips = {{
    {},
    {{C, 80}},
    {{C, 80}},
    {{L, 80}, {R, 80}},
    {{L, 80}, {R, 80}},
    {{L, 80}, {R, 80}, {C, 130}},
    {{L, 80}, {R, 80}},
    {{L, 80}, {R, 80}, {C, 130}},
    {{L, 70}, {R, 70}, {L, 140}, {R, 140}},
    {{L, 70}, {R, 70}, {L, 140}, {R, 140}, {C, 110}},
    {},
    {},
    {},
}};
// The pips painted after the turn, upright: they stand on the middle line or above it.
const std::array<std::vector<QRect>, 13> kLatePips = {{
    {{94, 152, 100, 100}},
    {},
    {{C, 180, 50, 50}},
    {},
    {{C, 180, 50, 50}},
    {},
    {{C, 130, 50, 50}, {L, 180, 50, 50}, {R, 180, 50, 50}},
    {{L, 180, 50, 50}, {R, 180, 50, 50}},
    {{C, 180, 50, 50}},
    {},
    {},
    {},
    {},
}};
const QRect kLeftIndex(10, 10, 100, 53), kRightIndex(180, 10, 100, 53);
const QRect kLeftSuit(20, 63, 31, 28), kRightSuit(234, 63, 37, 28);
const QRect kSuitPip(29, 64, 24, 24); // the whole suit symbol under the left index

// Where the turn takes an upper rectangle of the card.
QRect turned(const QRect &r)
{
    return {285 - r.x() - r.width(), 401 - r.y() - r.height(), r.width(), r.height()};
}

QImage cardOf(const QImage &sheet, int suit, int column)
{
    return sheet.copy(column * 285, suit * 400, 285, 400);
}

QRgb darkest(const QImage &card, const QRect &zone)
{
    QRgb found = qRgb(255, 255, 255);
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (qGray(card.pixel(x, y)) < qGray(found))
                found = card.pixel(x, y);
    return found;
}

} // namespace

class TestClassicCards : public QObject
{
    Q_OBJECT

    const QImage m_blank = blankSheet(), m_symbols = symbols(1);
    QImage m_classic;

private Q_SLOTS:
    void initTestCase() { m_classic = run(m_blank, m_symbols, CardStyle::Classic); }

    void cards_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("column");
        for (int suit = 0; suit < 4; ++suit)
            for (int column = 0; column < 13; ++column)
                QTest::addRow("%s %s", qPrintable(sheet::suitName(suit)),
                              qPrintable(sheet::rankLabel(column)))
                    << suit << column;
    }

    // Each card: the index in its suit's ink, the suit under it, the lower corners the upper ones turned
    // round, each lower pip the upper one turned in its own column, and nothing else in the lower half.
    void cards()
    {
        QFETCH(int, suit);
        QFETCH(int, column);
        const QImage card = cardOf(m_classic, suit, column);
        const QRgb ink = sheet::isRedSuit(suit) ? kDiscs[suit] : qRgb(0, 0, 0);
        QCOMPARE(darkest(card, kLeftIndex), ink);
        QCOMPARE(darkest(card, kRightIndex), ink);

        const QImage square = m_symbols.copy(0, suit * 50, 50, 50);
        const QImage small = square.scaled(24, 24, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 23; ++x) // its last column lies under the first pip of the 8 and the 9
                QVERIFY(test::channelDifference(card.pixel(kSuitPip.topLeft() + QPoint(x, y)),
                                                small.pixel(x, y)) <= 3);

        QRegion marked;
        for (const QRect &zone : {kLeftIndex, kRightIndex, kLeftSuit, kRightSuit}) {
            QCOMPARE(card.copy(turned(zone)), card.copy(zone).mirrored(true, true));
            marked += turned(zone);
        }
        marked += turned(kSuitPip);
        marked += turned(kSuitPip.translated(207, 0));
        for (const QPoint pip : kUpperPips[std::size_t(column)]) {
            const QRect lower(pip.x(), 351 - pip.y(), 50, 50);
            QCOMPARE(card.copy(QRect(pip, QSize(50, 50))), square);
            QCOMPARE(card.copy(lower), square.mirrored(true, true));
            marked += lower;
        }
        for (const QRect &late : kLatePips[std::size_t(column)])
            marked += late;
        const QImage blank = cardOf(m_blank, suit, column);
        for (int y = 201; y < 400; ++y)
            for (int x = 0; x < 285; ++x)
                if (!marked.contains(QPoint(x, y)) && card.pixel(x, y) != blank.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("stray pixel (%1, %2)").arg(x).arg(y)));
    }

    void jokersUntouched()
    {
        for (int suit = 0; suit < 4; ++suit)
            QCOMPARE(cardOf(m_classic, suit, 13), cardOf(m_blank, suit, 13));
    }

    // Twice is once, the 7's upper centre pip included; and a classic run is a deck of its own.
    void rerun()
    {
        const QImage again = run(m_classic, m_symbols, CardStyle::Classic);
        QVERIFY2(again == m_classic, qPrintable(test::firstDifference(m_classic, again)));
        QVERIFY(run(m_blank, m_symbols, CardStyle::Mirrored) != m_classic);
    }

    // The master draws the same deck at three times the pixels: brought down, it is the sheet, but for the
    // edges of the index text, which a font at three times the size draws a little differently, and for
    // pips a third of a pixel off, where the sheet rounds their twips to its coarser pixels.
    void masterMatchesSheet()
    {
        // Drawings at three times the pixels that come down to the sheet's exactly.
        PrintRecord record =
            PrintRecord::fromCard(cardOf(m_blank, 0, 0).scaled(855, 1200), QImage::Format_RGB32);
        record.compose(m_symbols.scaled(150, 600), CardStyle::Classic);
        const QImage master = record.render();
        QCOMPARE(master.size(), QSize(11970, 4800));
        const QImage down = master.scaled(3990, 1600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QRegion text;
        for (int cell = 0; cell < 56; ++cell)
            for (const QRect &zone : {kLeftIndex, kRightIndex, turned(kLeftIndex), turned(kRightIndex)})
                text += zone.translated(cell % 14 * 285, cell / 14 * 400);
        for (int y = 0; y < 1600; ++y)
            for (int x = 0; x < 3990; ++x)
                if (!text.contains(QPoint(x, y)) &&
                    test::channelDifference(down.pixel(x, y), m_classic.pixel(x, y)) > 96)
                    QFAIL(
                        qPrintable(QStringLiteral("master pixel (%1, %2) is not the sheet's").arg(x).arg(y)));
        for (int suit = 0; suit < 4; ++suit) {
            const QImage card = master.copy(855 * 4, 1200 * suit, 855, 1200);
            const QRect index(30, 30, 300, 159);
            QCOMPARE(card.copy(QRect(855 - 30 - 300, 1203 - 30 - 159, 300, 159)),
                     card.copy(index).mirrored(true, true));
            QCOMPARE(darkest(card, index), sheet::isRedSuit(suit) ? kDiscs[suit] : qRgb(0, 0, 0));
        }
    }
};

QTEST_MAIN(TestClassicCards)
#include "tst_classiccards.moc"
