// The user-interface pictures are loaded by name and shown at their own size, so names and pixel sizes
// are fixed; the mouse pointer is set with its hotspot at the fingertip.

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
        QTest::addColumn<QString>("ink"); // the colour a suit button's symbol must have
        const QList<std::tuple<QString, QSize, QString>> expected = {
            {"icon.png", {32, 32}, ""},       {"logo.png", {195, 195}, ""},     {"vinkje.png", {50, 50}, ""},
            {"suit-0.png", {50, 50}, "red"},  {"suit-1.png", {50, 50}, "black"}, {"suit-2.png", {50, 50}, "red"},
            {"suit-3.png", {50, 50}, "black"}, {"picture-0.png", {50, 49}, ""}, {"picture-1.png", {50, 49}, ""},
            {"picture-2.png", {50, 49}, ""},  {"picture-3.png", {50, 49}, ""},  {"picture-4.png", {50, 49}, ""},
            {"ok.png", {51, 29}, ""},         {"cancel.png", {51, 29}, ""},     {"exit.png", {51, 29}, ""},
            {"import-0.png", {88, 21}, ""},   {"import-1.png", {22, 21}, ""},   {"import-2.png", {22, 21}, ""},
            {"import-3.png", {22, 21}, ""},   {"import-4.png", {22, 21}, ""},   {"pointer.png", {32, 32}, ""},
        };
        for (const auto &[name, size, ink] : expected)
            QTest::newRow(qPrintable(name)) << name << size << ink;
    }

    // A PNG without time or text chunks (they would make every build differ), at its exact size, with at least
    // a tenth of it opaque and more than two colours.
    void files()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QString, ink);
        const QByteArray bytes = readAll(appFile(QStringLiteral("Artwork/") + name));
        QVERIFY2(bytes.startsWith("\x89PNG"), "missing or not a PNG");
        for (const char *chunk : {"tIME", "tEXt", "zTXt", "iTXt"})
            QVERIFY2(!bytes.contains(chunk), chunk);
        const QImage img = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), size);
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 200;
        QVERIFY2(opaque * 10 > size.width() * size.height(), qPrintable(QStringLiteral("%1 opaque pixels").arg(opaque)));
        QVERIFY2(colourVariety(img) >= 3, "a flat picture");
        if (ink.isEmpty())
            return;
        const Ink symbol = measureInk(img.convertToFormat(QImage::Format_RGB32), img.pixel(25, 4));
        QVERIFY(symbol.box.contains(QPoint(25, 25)));
        QVERIFY2(ink == "red" ? symbol.red > 200 : symbol.dark > 200 && symbol.red == 0,
                 qPrintable(QStringLiteral("%1 red, %2 black").arg(symbol.red).arg(symbol.dark)));
    }

    // The shell sets the pointer with hotspot (12, 1): the topmost clearly drawn pixels must be right there, and
    // the hand transparent around, so that it works on any background.
    void pointerHotspotIsTheFingertip()
    {
        const QImage img = QImage(appFile(QStringLiteral("Artwork/pointer.png"))).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(32, 32));
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
        for (QPoint p : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31), QPoint(2, 2), QPoint(29, 5)})
            QCOMPARE(qAlpha(img.pixel(p)), 0);
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
