#include "cardfinishing.h"
#include "picturefile.h"
#include "placementengine.h"
#include "platform.h"
#include "surface.h"
#include "testsupport.h"
#include "twips.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace vellora;

namespace {

// The finished faces, written out card by card as the deck shows them rather than step by step as they are
// painted, so that a slip on either side shows up. Twips in the cell.
enum Kind { Up, Down, Late }; // upright; its upside-down mirror image; painted after the mirroring
struct Pip { int x, y, size; Kind kind; };
constexpr int L = 785, C = 1755, R = 2765;
#define CORNERS {435, 960, 360, Up}, {3540, 960, 360, Up}, {435, 4695, 360, Down}, {3540, 4695, 360, Down}
const std::array<std::vector<Pip>, 13> kFaces = {{
    {CORNERS, {1410, 2280, 1500, Late}},
    {{C, 1200, 750, Up}, {C, 4065, 750, Down}},
    {{C, 1200, 750, Up}, {C, 2700, 750, Late}, {C, 4065, 750, Down}},
    {{L, 1200, 750, Up}, {R, 1200, 750, Up}, {L, 4065, 750, Down}, {R, 4065, 750, Down}},
    {{L, 1200, 750, Up}, {R, 1200, 750, Up}, {C, 2700, 750, Late}, {L, 4065, 750, Down}, {R, 4065, 750, Down}},
    {{L, 1200, 750, Up}, {R, 1200, 750, Up}, {C, 1950, 750, Up}, {C, 3315, 750, Down}, {L, 4065, 750, Down},
     {R, 4065, 750, Down}},
    {{L, 1200, 750, Up}, {R, 1200, 750, Up}, {C, 1950, 750, Late}, {L, 2700, 750, Late}, {R, 2700, 750, Late},
     {L, 4065, 750, Down}, {R, 4065, 750, Down}},
    {{L, 1200, 750, Up}, {R, 1200, 750, Up}, {C, 1950, 750, Up}, {L, 2700, 750, Late}, {R, 2700, 750, Late},
     {C, 3315, 750, Down}, {L, 4065, 750, Down}, {R, 4065, 750, Down}},
    {{L, 1050, 750, Up}, {R, 1050, 750, Up}, {L, 2100, 750, Up}, {R, 2100, 750, Up}, {C, 2700, 750, Late},
     {L, 3165, 750, Down}, {R, 3165, 750, Down}, {L, 4215, 750, Down}, {R, 4215, 750, Down}},
    {{L, 1050, 750, Up}, {R, 1050, 750, Up}, {C, 1650, 750, Up}, {L, 2100, 750, Up}, {R, 2100, 750, Up},
     {L, 3165, 750, Down}, {R, 3165, 750, Down}, {C, 3615, 750, Down}, {L, 4215, 750, Down}, {R, 4215, 750, Down}},
    {CORNERS}, {CORNERS}, {CORNERS},
}};
#undef CORNERS

QRect cellPixels(int suit, int column) { return {column * 285, suit * 400, 285, 400}; }
QRect pipPixels(int suit, int column, const Pip &p) { return px(QRect(column * 4275 + p.x, suit * 6000 + p.y, p.size, p.size)); }

// Pixels of a card that only pips painted after the mirroring may break the symmetry of, with their mirror images.
std::vector<char> lateMask(int suit, int column)
{
    std::vector<char> mask(285 * 400, 0);
    for (const Pip &pip : kFaces[size_t(column)]) {
        const QRect r = pipPixels(suit, column, pip).translated(-cellPixels(suit, column).topLeft());
        for (int y = r.top(); pip.kind == Late && y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                mask[size_t(y * 285 + x)] = mask[size_t((400 - y) * 285 + x)] = 1;
    }
    return mask;
}

// Label zones in a cell, pixels: room for any of the 13 labels, clear of every pip and inside the card's white.
const QRect kLeftLabelZone(10, 10, 100, 53), kRightLabelZone(180, 10, 100, 53);
QRect mirrored(const QRect &zone) { return {zone.x(), 400 - zone.bottom(), zone.width(), zone.height()}; }

QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    return image;
}

// Four suits of noise: a misplaced, shifted, swapped or wrongly scaled pip differs in nearly every pixel.
QImage symbolSet(quint32 seed) { return noise(50, 200, seed); }

// White cards on green, symmetric about each card's pixel row 200, with its own noise on each card's top row
// and a pattern on its middle row, so that a stray write to either shows.
QImage syntheticBlank()
{
    QImage image(3990, 1600, QImage::Format_RGB32);
    image.fill(qRgb(0, 128, 0));
    {
        QPainter painter(&image);
        for (int s = 0; s < 4; ++s)
            for (int c = 0; c < 14; ++c) {
                painter.fillRect(cellPixels(s, c).adjusted(4, 4, -4, -3), Qt::white); // rows 4 to 396
                painter.drawImage(cellPixels(s, c).topLeft(), noise(285, 1, quint32(1000 + s * 14 + c)));
            }
    }
    for (int s = 0; s < 4; ++s)
        for (int x = 4; x < 3990; ++x)
            image.setPixel(x, s * 400 + 200, qRgb(180 + x % 60, 200, 160 + (x + s) % 90));
    return image;
}

QImage square(const QImage &set, int suit, int size, Kind kind)
{
    QImage s = set.copy(0, suit * 50, 50, 50).convertToFormat(QImage::Format_RGB32);
    if (size != 750)
        s = s.scaled(px(size), px(size), Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    return kind == Down ? s.mirrored(false, true) : s;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((a.pixel(x, y) >> shift) & 255) - int((b.pixel(x, y) >> shift) & 255)));
    return worst;
}

bool rowsEqual(const QImage &a, int rowA, const QImage &b, int rowB, int x)
{
    return std::memcmp(a.constScanLine(rowA) + 4 * x, b.constScanLine(rowB) + 4 * x, 4 * 285) == 0;
}

class RecordingPacer final : public Pacer
{
public:
    void pause(int milliseconds) override
    {
        pauses.push_back(milliseconds);
        onPause();
    }
    std::vector<int> pauses;
    std::function<void()> onPause;
};

// One run with what the window would see of it: the bar at every pause, the repaints, the column offsets.
struct Run
{
    Surface sheet, bar{Surface::Units::Pixels};
    KolomX kolomX;
    RecordingPacer pacer;
    std::vector<QImage> barAtPause;
    int repaints = 0;

    Run(const QImage &blank, const QImage &symbols, const std::function<void()> &afterCard = [] {})
    {
        sheet.setPicture(blank);
        bar.resize(progress::kWidth, progress::kHeight);
        bar.box({0, 0}, {14, 200}, Qt::red, true); // whatever the bar showed must go
        kolomX.twips.fill(-1);
        kolomX.twips[0] = 0;
        pacer.onPause = [this] { barAtPause.push_back(bar.image()); };
        runPlacement({sheet, symbols, bar, kolomX, pacer, [&, this] {
                          ++repaints;
                          afterCard();
                      }});
    }
};

QImage finished(const QImage &blank, const QImage &symbols) { return Run(blank, symbols).sheet.image(); }

} // namespace

class TestPlacementEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pips_data();
    void pips();
    void nothingElseOnTheCardChanges_data() { pips_data(); }
    void nothingElseOnTheCardChanges();
    void mirroring_data();
    void mirroring();
    void indexLabels_data();
    void indexLabels();
    void jokersAreUntouched_data() { addBlankRows(); }
    void jokersAreUntouched();
    void secondRunChangesNothing_data() { addBlankRows(); }
    void secondRunChangesNothing();
    void newSymbolSetReplacesEveryPip();
    void transparentSymbolsArePaintedOpaque();
    void progressBar_data();
    void progressBar();
    void pausesOffsetsAndFont();
    void eachCardIsFinishedBeforeTheWindowRepaints();
    void runStartedDuringAPauseIsIgnored();
    void startStateOfTheBar();
    void mirrorOneCard_data();
    void mirrorOneCard();

private:
    void addBlankRows()
    {
        QTest::addColumn<QString>("blank");
        for (const auto &entry : m_blanks)
            QTest::newRow(qPrintable(entry.first)) << entry.first;
    }

    const QImage m_symbols = symbolSet(7);
    std::map<QString, QImage> m_blanks, m_finished; // by name: the blank sheets, and after one run
    std::unique_ptr<Run> m_run;                     // the run on the synthetic blank
};

void TestPlacementEngine::initTestCase()
{
    m_blanks["synthetic"] = syntheticBlank();
    const QString shipped = QStringLiteral(VELLORA_APPDATA_DIR "/Data/Kaarten.krt");
    if (QFile::exists(shipped) && PictureFile::load(shipped).image.size() == QSize(3990, 1600))
        m_blanks["shipped"] = PictureFile::load(shipped).image.convertToFormat(QImage::Format_RGB32);
    else
        qInfo("No shipped blank sheet in the application folder yet: its rows are left out.");
    m_run = std::make_unique<Run>(m_blanks["synthetic"], m_symbols);
    m_finished["synthetic"] = m_run->sheet.image();
    if (m_blanks.count("shipped"))
        m_finished["shipped"] = finished(m_blanks["shipped"], m_symbols);
}

void TestPlacementEngine::pips_data()
{
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("column");
    for (int s = 0; s < 4; ++s)
        for (int c = 0; c < 13; ++c)
            QTest::addRow("%s of %s", qPrintable(sheet::rankLabel(c)), qPrintable(sheet::suitName(s))) << s << c;
}

void TestPlacementEngine::pips()
{
    QFETCH(int, suit);
    QFETCH(int, column);
    for (const Pip &pip : kFaces[size_t(column)]) {
        const QImage painted = m_finished["synthetic"].copy(pipPixels(suit, column, pip));
        const QImage expected = square(m_symbols, suit, pip.size, pip.kind);
        const QString where = QStringLiteral("pip at (%1, %2), size %3: ").arg(pip.x).arg(pip.y).arg(pip.size);
        if (pip.size == 750) // a pip at the symbol's own size is its exact copy
            QVERIFY2(painted == expected, qPrintable(where + test::firstDifference(painted, expected)));
        else
            QVERIFY2(largestChannelDifference(painted, expected) <= 3, qPrintable(where));
    }
}

void TestPlacementEngine::nothingElseOnTheCardChanges()
{
    QFETCH(int, suit);
    QFETCH(int, column);
    const QRect cell = cellPixels(suit, column);
    QRegion allowed;
    for (const Pip &pip : kFaces[size_t(column)])
        allowed += pipPixels(suit, column, pip);
    for (const QRect &zone : {kLeftLabelZone, kRightLabelZone, mirrored(kLeftLabelZone), mirrored(kRightLabelZone)})
        allowed += zone.translated(cell.topLeft());
    const QImage &before = m_blanks["synthetic"], &after = m_finished["synthetic"];
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y) && !allowed.contains(QPoint(x, y)))
                QFAIL(qPrintable(QStringLiteral("stray change at (%1, %2) in the card").arg(x - cell.x()).arg(y - cell.y())));
}

void TestPlacementEngine::mirroring_data()
{
    QTest::addColumn<QString>("blank");
    QTest::addColumn<int>("suit");
    for (const auto &entry : m_blanks)
        for (int s = 0; s < 4; ++s)
            QTest::addRow("%s, %s", qPrintable(entry.first), qPrintable(sheet::suitName(s))) << entry.first << s;
}

// Each card mirror-symmetric about its pixel row 200, which keeps what the sheet had, and its top row not
// touched by the card above.
void TestPlacementEngine::mirroring()
{
    QFETCH(QString, blank);
    QFETCH(int, suit);
    const QImage &before = m_blanks[blank], &after = m_finished[blank];
    for (int c = 0; c < 13; ++c) {
        const QRect cell = cellPixels(suit, c);
        const std::vector<char> late = lateMask(suit, c);
        const auto at = [&](const QImage &image, int x, int y) { return image.pixel(cell.x() + x, cell.y() + y); };
        const QString card = sheet::rankLabel(c) + QStringLiteral(": ");
        QVERIFY2(rowsEqual(before, cell.top(), after, cell.top(), cell.x()), qPrintable(card + QStringLiteral("top row")));
        for (int x = 0; x < 285; ++x) {
            if (!late[size_t(200 * 285 + x)] && at(before, x, 200) != at(after, x, 200))
                QFAIL(qPrintable(card + QStringLiteral("middle row changed at x %1").arg(x)));
            for (int d = 1; d <= 199; ++d)
                if (!late[size_t((200 + d) * 285 + x)] && at(after, x, 200 - d) != at(after, x, 200 + d))
                    QFAIL(qPrintable(card + QStringLiteral("rows %1 and %2 differ at x %3").arg(200 - d).arg(200 + d).arg(x)));
        }
    }
}

void TestPlacementEngine::indexLabels_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("rightLabelX"); // pixels in the cell
    for (int c = 0; c < 13; ++c)
        QTest::newRow(qPrintable(sheet::rankLabel(c))) << c << (c == 9 ? 217 : 234);
}

void TestPlacementEngine::indexLabels()
{
    QFETCH(int, column);
    QFETCH(int, rightLabelX);
    // Arial 28 points (37 pixels at 96 dpi) bold, black, drawn plainly onto the white card with the text's
    // top-left at (405, 300) twips and at the right label's place.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(37);
    font.setBold(true);
    const int baseline = 20 + QFontMetrics(font).ascent();
    for (int s = 0; s < 4; ++s) {
        QImage expected = m_blanks["synthetic"].copy(cellPixels(s, column));
        {
            QPainter painter(&expected);
            painter.setFont(font);
            painter.drawText(27, baseline, sheet::rankLabel(column));
            painter.drawText(rightLabelX, baseline, sheet::rankLabel(column));
        }
        const QImage card = m_finished["synthetic"].copy(cellPixels(s, column));
        for (const QRect &zone : {kLeftLabelZone, kRightLabelZone}) {
            QVERIFY2(card.copy(zone) == expected.copy(zone), qPrintable(sheet::suitName(s)));
            // Mirrored top to bottom, not turned: the left label stays on the left.
            QVERIFY2(card.copy(mirrored(zone)) == expected.copy(zone).mirrored(false, true),
                     qPrintable(sheet::suitName(s) + QStringLiteral(", bottom corner")));
        }
    }
}

void TestPlacementEngine::jokersAreUntouched()
{
    QFETCH(QString, blank);
    const QRect jokers(3705, 0, 285, 1600);
    QVERIFY2(m_blanks[blank].copy(jokers) == m_finished[blank].copy(jokers),
             qPrintable(test::firstDifference(m_blanks[blank].copy(jokers), m_finished[blank].copy(jokers))));
}

void TestPlacementEngine::secondRunChangesNothing()
{
    QFETCH(QString, blank);
    const QImage twice = finished(m_finished[blank], m_symbols);
    QVERIFY2(twice == m_finished[blank], qPrintable(test::firstDifference(m_finished[blank], twice)));
}

void TestPlacementEngine::newSymbolSetReplacesEveryPip()
{
    const QImage other = symbolSet(99);
    const QImage repainted = finished(m_finished["synthetic"], other);
    const QImage fresh = finished(m_blanks["synthetic"], other);
    QVERIFY2(repainted == fresh, qPrintable(test::firstDifference(repainted, fresh)));
    for (int s = 0; s < 4; ++s)
        for (int c = 0; c < 13; ++c)
            for (const Pip &pip : kFaces[size_t(c)]) {
                const QImage painted = repainted.copy(pipPixels(s, c, pip));
                const QImage old = square(m_symbols, s, pip.size, pip.kind);
                for (int y = 0; y < painted.height(); ++y)
                    for (int x = 0; x < painted.width(); ++x)
                        if (painted.pixel(x, y) == old.pixel(x, y))
                            QFAIL(qPrintable(QStringLiteral("old symbol left in card %1 of row %2").arg(c).arg(s)));
            }
}

void TestPlacementEngine::transparentSymbolsArePaintedOpaque()
{
    QImage symbols = m_symbols.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 50; x += 2)
            symbols.setPixel(x, y, symbols.pixel(x, y) & 0x00ffffffu); // every other pixel fully transparent
    const QImage sheet = finished(m_blanks["synthetic"], symbols);
    for (int s = 0; s < 4; ++s) {
        QCOMPARE(sheet.copy(pipPixels(s, 1, kFaces[1][0])), square(m_symbols, s, 750, Up));
        QVERIFY(largestChannelDifference(sheet.copy(pipPixels(s, 0, kFaces[0][0])), square(m_symbols, s, 360, Up)) <= 3);
    }
}

void TestPlacementEngine::progressBar_data()
{
    QTest::addColumn<int>("card"); // 0 to 51: Harten first, columns 0 to 12 within a suit
    QTest::addColumn<int>("top");  // the bar's highest green row
    QTest::addColumn<int>("tolerance");
    QTest::newRow("after the first card: a quarter") << 0 << 150 << 0;
    QTest::newRow("king of Harten") << 12 << 112 << 1;
    QTest::newRow("7 of Klavers: still stands") << 19 << 112 << 1;
    QTest::newRow("8 of Klavers: moves") << 20 << 105 << 1;
    QTest::newRow("9 of Ruiten: stands") << 34 << 73 << 1;
    QTest::newRow("10 of Ruiten: moves") << 35 << 64 << 1;
    QTest::newRow("10 of Schoppen: stands") << 48 << 35 << 1;
    QTest::newRow("jack of Schoppen: moves") << 49 << 22 << 1;
    QTest::newRow("after the last card: full") << 51 << 0 << 0;
}

void TestPlacementEngine::progressBar()
{
    QFETCH(int, card);
    QFETCH(int, top);
    QFETCH(int, tolerance);
    QCOMPARE(m_run->barAtPause.size(), size_t(52));
    const QImage &bar = m_run->barAtPause[size_t(card)];
    int green = 200;
    while (green > 0 && bar.pixel(0, green - 1) == progress::kFill)
        --green;
    QVERIFY2(std::abs(green - top) <= tolerance, qPrintable(QString::number(green)));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 14; ++x)
            QCOMPARE(bar.pixel(x, y), y < green ? progress::kBackground : progress::kFill);
}

void TestPlacementEngine::pausesOffsetsAndFont()
{
    QCOMPARE(m_run->pacer.pauses, std::vector<int>(52, 50));
    QCOMPARE(m_run->repaints, 52);
    for (int c = 0; c < 14; ++c)
        QCOMPARE(m_run->kolomX[c], c * 4275);
    QCOMPARE(m_run->sheet.fontSize, 28.0);
    QVERIFY(m_run->sheet.fontBold);
}

void TestPlacementEngine::eachCardIsFinishedBeforeTheWindowRepaints()
{
    const QImage &blank = m_blanks["synthetic"];
    Surface sheet, bar(Surface::Units::Pixels);
    sheet.setPicture(blank);
    KolomX kolomX;
    NoPacer noPause;
    QStringList faults;
    int card = 0;
    runPlacement({sheet, m_symbols, bar, kolomX, noPause, [&] {
                      const QRect done = mirrored(kLeftLabelZone).translated(cellPixels(card / 13, card % 13).topLeft());
                      if (sheet.image().copy(done) == blank.copy(done))
                          faults << QStringLiteral("card %1 not mirrored at its repaint").arg(card);
                      const QRect next = kLeftLabelZone.translated(cellPixels((card + 1) / 13, (card + 1) % 13).topLeft());
                      if (card < 51 && sheet.image().copy(next) != blank.copy(next))
                          faults << QStringLiteral("card %1 labelled before its turn").arg(card + 1);
                      ++card;
                  }});
    QCOMPARE(card, 52);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestPlacementEngine::runStartedDuringAPauseIsIgnored()
{
    const QImage &blank = m_blanks["synthetic"];
    Surface other, otherBar(Surface::Units::Pixels);
    other.setPicture(blank);
    KolomX otherKolomX;
    NoPacer noPause;
    const QImage otherSymbols = symbolSet(5);
    bool runningMeanwhile = false;
    const Run run(blank, m_symbols, [&] {
        runningMeanwhile = placement::isRunning();
        runPlacement({other, otherSymbols, otherBar, otherKolomX, noPause, {}});
    });
    QVERIFY(runningMeanwhile);
    QVERIFY(!placement::isRunning());
    QVERIFY2(otherBar.isEmpty() && other.image() == blank, "a second run was started during a pause");
    QCOMPARE(run.pacer.pauses.size(), size_t(52));
    QVERIFY(run.sheet.image() == m_finished["synthetic"]);
}

void TestPlacementEngine::startStateOfTheBar()
{
    Surface bar(Surface::Units::Pixels);
    bar.resize(14, 200);
    bar.box({0, 0}, {14, 200}, Qt::red, true);
    progress::drawStartState(bar);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 14; ++x)
            QCOMPARE(bar.image().pixel(x, y), y >= 187 ? progress::kFill : progress::kBackground);
}

void TestPlacementEngine::mirrorOneCard_data()
{
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRect>("keep"); // twips in the cell
    QTest::newRow("ace of Harten") << 0 << 0 << QRect();
    QTest::newRow("6 of Klavers") << 1 << 5 << QRect();
    QTest::newRow("king of Ruiten, above the last row") << 2 << 12 << QRect();
    QTest::newRow("king of Schoppen, on the sheet's bottom edge") << 3 << 12 << QRect();
    QTest::newRow("7 of Ruiten, keeping a square") << 2 << 6 << QRect(1755, 3315, 750, 750);
    QTest::newRow("keeping the last row") << 1 << 3 << QRect(0, 5985, 4275, 15);
}

void TestPlacementEngine::mirrorOneCard()
{
    QFETCH(int, suit);
    QFETCH(int, column);
    QFETCH(QRect, keep);
    static const QImage before = noise(3990, 1600, 3);
    Surface sheet;
    sheet.setPicture(before);
    Surface flipPic = finishing::makeFlipPic(sheet);
    flipPic.paintPicture(noise(285, 200, 4), {}); // left over from an earlier card
    std::vector<QRect> keeps;
    if (!keep.isEmpty())
        keeps.push_back(keep);
    finishing::mirrorCard(sheet, flipPic, sheet::cellOrigin(suit, column), keeps);

    const QRect cell = cellPixels(suit, column);
    const QRect kept = px(keep).translated(cell.topLeft());
    QRect lower(cell.x(), cell.y() + 201, 285, 199);
    if (kept.bottom() == lower.bottom() && kept.width() == 285)
        lower.setBottom(kept.top() - 1);
    QCOMPARE(test::changedArea(before, sheet.image()), lower);
    for (int d = 1; d <= 199; ++d)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QPoint at(x, cell.y() + 200 + d);
            if (sheet.image().pixel(at) != (kept.contains(at) ? before.pixel(at) : before.pixel(x, cell.y() + 200 - d)))
                QFAIL(qPrintable(QStringLiteral("row %1, x %2").arg(200 + d).arg(x - cell.x())));
        }
}

QTEST_MAIN(TestPlacementEngine)
#include "tst_placementengine.moc"
