#include "sheet/cardsheet.h"
#include "sheet/placementengine.h"
#include "surface/surface.h"
#include "surface/twips.h"
#include "tests/support/testsupport.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace vellora;

namespace {

// The finished faces card by card, not step by step as painted, so a slip on either side shows. Twips in the
// cell; a pip whose top is in the lower half is the symbol mirrored. The joker gets nothing.
struct Pip
{
    int x, y, size = 750;
};
// clang-format off
constexpr int L = 785, C = 1755, R = 2765;
#define CORNERS {435, 960, 360}, {3540, 960, 360}, {435, 4695, 360}, {3540, 4695, 360}
const std::array<std::vector<Pip>, 14> kFaces = {{
    {CORNERS, {1410, 2280, 1500}},
    {{C, 1200}, {C, 4065}},
    {{C, 1200}, {C, 2700}, {C, 4065}},
    {{L, 1200}, {R, 1200}, {L, 4065}, {R, 4065}},
    {{L, 1200}, {R, 1200}, {C, 2700}, {L, 4065}, {R, 4065}},
    {{L, 1200}, {R, 1200}, {C, 1950}, {C, 3315}, {L, 4065}, {R, 4065}},
    {{L, 1200}, {R, 1200}, {C, 1950}, {L, 2700}, {R, 2700}, {L, 4065}, {R, 4065}},
    {{L, 1200}, {R, 1200}, {C, 1950}, {L, 2700}, {R, 2700}, {C, 3315}, {L, 4065}, {R, 4065}},
    {{L, 1050}, {R, 1050}, {L, 2100}, {R, 2100}, {C, 2700}, {L, 3165}, {R, 3165}, {L, 4215}, {R, 4215}},
    {{L, 1050}, {R, 1050}, {C, 1650}, {L, 2100}, {R, 2100}, {L, 3165}, {R, 3165}, {C, 3615}, {L, 4215},
     {R, 4215}},
    {CORNERS}, {CORNERS}, {CORNERS}, {},
}};
#undef CORNERS
// clang-format on

const QStringList kLabels = QStringLiteral("A 2 3 4 5 6 7 8 9 10 B V K J").split(u' ');

const auto cellPixels = [](int suit, int column) { return QRect(column * 285, suit * 400, 285, 400); };

// Label zones in a cell, pixels: room for any label, clear of every pip, inside the card's white.
const QRect kLeftLabelZone(10, 10, 100, 53), kRightLabelZone(180, 10, 100, 53);

// Four suits of noise make a misplaced, shifted, swapped or wrongly scaled pip differ in nearly every pixel.
QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    std::generate_n(reinterpret_cast<QRgb *>(image.bits()), width * height,
                    [&] { return 0xff000000u | random.generate(); });
    return image;
}

// White cards on green, symmetric about each card's pixel row 200, with noise of its own on each card's top
// row and middle row, so that a stray write to either shows.
QImage syntheticBlank()
{
    QImage image = test::solidPicture({3990, 1600}, qRgb(0, 128, 0));
    QPainter painter(&image);
    for (int s = 0; s < 4; ++s)
        for (int c = 0; c < 14; ++c) {
            painter.fillRect(cellPixels(s, c).adjusted(4, 4, -4, -3), Qt::white); // rows 4 to 396
            painter.drawImage(cellPixels(s, c).topLeft(), noise(285, 1, quint32(1000 + s * 14 + c)));
            painter.drawImage(cellPixels(s, c).topLeft() + QPoint(0, 200),
                              noise(285, 1, quint32(2000 + s * 14 + c)));
        }
    painter.end();
    return image;
}

// A card as it must come out: the blank, labels in bold Arial of 37 pixels with their top-left at (405, 300)
// and (3510, 300) twips ("10" at 3255), mirrored in the bottom corners, the pips; scaled ones go to `scaled`.
QImage expectedCard(const QImage &blank, const QImage &symbols, int suit, int column, QRegion &scaled)
{
    QImage card = blank.copy(cellPixels(suit, column));
    if (column == sheet::kJokerColumn)
        return card;
    QFont font(QStringLiteral("Arial"), -1, QFont::Bold);
    font.setPixelSize(37);
    QPainter painter(&card);
    painter.setFont(font);
    const int baseline = 20 + QFontMetrics(font).ascent();
    painter.drawText(27, baseline, kLabels[column]);
    painter.drawText(column == 9 ? 217 : 234, baseline, kLabels[column]);
    painter.end();
    for (const QRect &zone : {kLeftLabelZone, kRightLabelZone})
        QPainter(&card).drawImage(zone.x(), 400 - zone.bottom(), card.copy(zone).mirrored(false, true));
    for (const Pip &pip : kFaces[size_t(column)]) {
        QImage square = symbols.copy(0, suit * 50, 50, 50).convertToFormat(QImage::Format_RGB32);
        const QRect at = px(QRect(pip.x, pip.y, pip.size, pip.size));
        if (pip.size != 750) { // only a pip at the symbol's own size is its exact copy
            square = square.scaled(at.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            scaled += at;
        }
        QPainter(&card).drawImage(at.topLeft(), pip.y > 3000 ? square.mirrored(false, true) : square);
    }
    return card;
}

// One run as the window sees it: the count of finished cards at every repaint.
struct Run
{
    Surface sheet;
    KolomX kolomX;
    test::CountingPacer pacer;
    QList<int> counts;

    Run(const QImage &blank, const QImage &symbols)
    {
        sheet.setPicture(blank);
        std::fill(kolomX.twips.begin() + 1, kolomX.twips.end(), -1); // entry 0 is the one a run leaves alone
        runPlacement({.sheet = sheet,
                      .symbols = symbols,
                      .kolomX = kolomX,
                      .pacer = pacer,
                      .afterCard = [this](int finished) { counts << finished; },
                      .done = {}});
    }
};

} // namespace

class TestPlacementEngine : public QObject
{
    Q_OBJECT

    const QImage m_blank = syntheticBlank(), m_symbols = noise(50, 200, 7), m_otherStyle = noise(50, 200, 99);
    std::unique_ptr<Run> m_run;
    // After one run on the blank sheet; after a run in the other style over that.
    QImage m_finished, m_restyled;

private Q_SLOTS:
    void initTestCase()
    {
        m_run = std::make_unique<Run>(m_blank, m_symbols);
        m_finished = m_run->sheet.image();
        m_restyled = Run(m_finished, m_otherStyle).sheet.image();
    }

    void faces_data()
    {
        QTest::addColumn<bool>("restyled");
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("column");
        for (const bool restyled : {false, true})
            for (int s = 0; s < 4; ++s)
                for (int c = 0; c < 14; ++c)
                    QTest::addRow("%s style, %s of %s", restyled ? "second" : "first", qPrintable(kLabels[c]),
                                  qPrintable(sheet::suitName(s)))
                        << restyled << s << c;
    }

    // Every cell pixel for pixel: pips, labels, the lower half mirroring the upper outside phase-B pips, the
    // top and middle rows as the blank had them, jokers untouched; a second style leaves only its own pips.
    void faces()
    {
        QFETCH(bool, restyled);
        QFETCH(int, suit);
        QFETCH(int, column);
        QRegion scaled;
        const QImage want = expectedCard(m_blank, restyled ? m_otherStyle : m_symbols, suit, column, scaled);
        const QImage card = (restyled ? m_restyled : m_finished).copy(cellPixels(suit, column));
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 285; ++x)
                if (test::channelDifference(card.pixel(x, y), want.pixel(x, y)) >
                    (scaled.contains(QPoint(x, y)) ? 3 : 0))
                    QFAIL(qPrintable(QStringLiteral("card pixel (%1, %2) is wrong").arg(x).arg(y)));
    }

    // Twice is once, the 7's centre pip included; transparent symbol pixels come over in their bare colours.
    void rerun()
    {
        QImage transparent = m_symbols.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 50; x += 2)
                transparent.setPixel(x, y, transparent.pixel(x, y) & 0x00ffffffu);
        for (const auto &[start, symbols] :
             {std::pair(m_finished, m_symbols), std::pair(m_blank, transparent)}) {
            const QImage sheet = Run(start, symbols).sheet.image();
            QVERIFY2(sheet == m_finished, qPrintable(test::firstDifference(m_finished, sheet)));
        }
    }

    // One repaint after each card, counting one more, and a 50 ms pause after each: the bar follows the run.
    void countsEachCard()
    {
        QList<int> expected;
        for (int card = 1; card <= placement::kFinishedCards; ++card)
            expected << card;
        QCOMPARE(m_run->counts, expected);
        QCOMPARE(m_run->pacer.pauses, QList<int>(placement::kFinishedCards, placement::kPauseMilliseconds));
    }
};

QTEST_MAIN(TestPlacementEngine)
#include "tst_placementengine.moc"
