// The user-interface pictures are loaded by name and shown at their own size, so names and pixel sizes
// are fixed; the mouse pointer is set with its hotspot at the fingertip.

#include "appdata.h"
#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void files_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QList<QPair<QString, QSize>> expected = {
            {"icon.png", {32, 32}},      {"logo.png", {195, 195}},    {"vinkje.png", {50, 50}},
            {"suit-0.png", {50, 50}},    {"suit-1.png", {50, 50}},    {"suit-2.png", {50, 50}},
            {"suit-3.png", {50, 50}},    {"picture-0.png", {50, 49}}, {"picture-1.png", {50, 49}},
            {"picture-2.png", {50, 49}}, {"picture-3.png", {50, 49}}, {"picture-4.png", {50, 49}},
            {"ok.png", {51, 29}},        {"cancel.png", {51, 29}},    {"exit.png", {51, 29}},
            {"import-0.png", {88, 21}},  {"import-1.png", {22, 21}},  {"import-2.png", {22, 21}},
            {"import-3.png", {22, 21}},  {"import-4.png", {22, 21}},  {"pointer.png", {32, 32}},
        };
        for (const auto &e : expected)
            QTest::newRow(qPrintable(e.first)) << e.first << e.second;
    }

    void files()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QByteArray bytes = readAll(appFile(QStringLiteral("Artwork/") + name));
        QVERIFY2(bytes.startsWith("\x89PNG"), qPrintable(name + QStringLiteral(" missing or not a PNG")));
        // A time or text chunk would make every build differ.
        for (const char *chunk : {"tIME", "tEXt", "zTXt", "iTXt"})
            QVERIFY2(!bytes.contains(chunk), chunk);
        QImage img;
        QVERIFY(img.loadFromData(bytes, "PNG"));
        QCOMPARE(img.size(), size);
        img = img.convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 200;
        const double share = double(opaque) / (size.width() * size.height());
        QVERIFY2(share > 0.1, qPrintable(QStringLiteral("only %1 of the picture is drawn").arg(share)));
        QVERIFY2(colourVariety(img) >= 3, "a flat picture");
    }

    void listMatchesFiles()
    {
        const QStringList onDisk = QDir(appFile(QStringLiteral("Artwork"))).entryList(QDir::Files, QDir::Name);
        QStringList listed;
        for (const appdata::ArtworkItem &item : appdata::artworkItems())
            listed.append(item.name);
        listed.sort();
        QCOMPARE(onDisk, listed);
    }

    void suitButtonsCarryTheirColour_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<bool>("red");
        QTest::newRow("hearts") << 0 << true;
        QTest::newRow("clubs") << 1 << false;
        QTest::newRow("diamonds") << 2 << true;
        QTest::newRow("spades") << 3 << false;
    }

    void suitButtonsCarryTheirColour()
    {
        QFETCH(int, suit);
        QFETCH(bool, red);
        QImage img(appFile(QStringLiteral("Artwork/suit-%1.png").arg(suit)));
        QVERIFY(!img.isNull());
        img = img.convertToFormat(QImage::Format_RGB32);
        const Ink ink = measureInk(img, img.pixel(25, 4));
        QVERIFY(ink.box.contains(QPoint(25, 25)));
        if (red)
            QVERIFY2(ink.red > 200, qPrintable(QString::number(ink.red)));
        else
            QVERIFY2(ink.dark > 200 && ink.red == 0, qPrintable(QString::number(ink.dark)));
    }

    void pointerHotspotIsTheFingertip()
    {
        QImage img(appFile(QStringLiteral("Artwork/pointer.png")));
        QVERIFY(!img.isNull());
        img = img.convertToFormat(QImage::Format_ARGB32);
        // The shell uses hotspot (12, 1): the topmost clearly drawn pixels must be right there.
        int top = -1;
        QList<int> columns;
        for (int y = 0; y < 32 && top < 0; ++y)
            for (int x = 0; x < 32; ++x)
                if (qAlpha(img.pixel(x, y)) > 128) {
                    top = y;
                    columns.append(x);
                }
        QVERIFY(top >= 0 && top <= 1);
        QVERIFY2(columns.contains(12), "fingertip is not at x = 12");
        QVERIFY(qAlpha(img.pixel(12, 1)) > 200);
        // Transparent around the hand, so it works on any background.
        for (QPoint p : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31), QPoint(2, 2), QPoint(29, 5)})
            QCOMPARE(qAlpha(img.pixel(p)), 0);
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
