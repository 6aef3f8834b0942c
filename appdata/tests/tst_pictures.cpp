// Jokers, card backs and the display guide as the program finds them in its folders.

#include "appdata.h"
#include "imagecheck.h"

#include <QtTest>

using namespace imagecheck;

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (int i = 1; i <= appdata::kJokers; ++i)
            m_jokers.append(bmp24(QStringLiteral("Data/joker-%1.jok").arg(i, 2, 10, QLatin1Char('0'))));
        for (int i = 0; i < appdata::kBacks; ++i)
            m_backs.append(QImage(appFile(QStringLiteral("Backgrounds/Background-%1.jpg").arg(i)), "JPEG")
                               .convertToFormat(QImage::Format_RGB32));
    }

    void pictures_data()
    {
        QTest::addColumn<bool>("joker");
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kJokers; ++i)
            QTest::addRow("joker-%02d", i + 1) << true << i;
        for (int i = 0; i < appdata::kBacks; ++i)
            QTest::addRow("Background-%d", i) << false << i;
    }

    // A joker: white paper round a coloured frame, and the jester's face in the upper middle, skin or white
    // make-up with dark features. A back: A4 portrait with a white margin round a design that fills the rest of
    // the page, its halves mirroring each other closely so that it looks the same either way up.
    void pictures()
    {
        QFETCH(bool, joker);
        QFETCH(int, index);
        const QImage &img = joker ? m_jokers.at(index) : m_backs.at(index);
        if (joker) {
            QCOMPARE(img.size(), QSize(240, 330));
            for (QPoint p : {QPoint(1, 1), QPoint(238, 1), QPoint(1, 328), QPoint(238, 328), QPoint(120, 2)})
                QCOMPARE(img.pixel(p), qRgb(255, 255, 255));
            QVERIFY2(qGray(img.pixel(120, 8)) < 200, "no frame line at the top");
            QVERIFY2(colourVariety(img) > 60, qPrintable(QStringLiteral("%1 colours").arg(colourVariety(img))));
            int light = 0, dark = 0;
            for (int y = 130; y < 240; ++y)
                for (int x = 90; x < 150; ++x) {
                    light += qGray(img.pixel(x, y)) > 200;
                    dark += qGray(img.pixel(x, y)) < 70;
                }
            QVERIFY2(light > 400 && dark > 60, qPrintable(QStringLiteral("face: %1 light, %2 dark").arg(light).arg(dark)));
            return;
        }
        QCOMPARE(img.size(), QSize(1240, 1754));
        QVERIFY(std::abs(double(img.height()) / img.width() - 297.0 / 210.0) < 0.005);
        for (QPoint p : {QPoint(10, 10), QPoint(1229, 10), QPoint(10, 1743), QPoint(1229, 1743), QPoint(620, 20)})
            QVERIFY(channelDistance(img.pixel(p), qRgb(255, 255, 255)) < 12);
        const QImage inner = img.copy(100, 100, 1040, 1554);
        QVERIFY2(colourVariety(inner) > 20, "the design is flat");
        int paper = 0, samples = 0;
        for (int y = 0; y < inner.height(); y += 7)
            for (int x = 0; x < inner.width(); x += 7, ++samples)
                paper += channelDistance(inner.pixel(x, y), qRgb(255, 255, 255)) < 30;
        QVERIFY2(paper < samples / 4, "the design leaves most of the page white");
        const double halves = meanDifference(inner.copy(0, 0, 520, 1554), inner.copy(520, 0, 520, 1554).mirrored(true, false));
        QVERIFY2(halves < 40, qPrintable(QString::number(halves)));
    }

    void pairwiseDifferent()
    {
        QVERIFY2(alikePair(m_jokers, 12).isEmpty(), qPrintable(QStringLiteral("jokers ") + alikePair(m_jokers, 12)));
        QVERIFY2(alikePair(m_backs, 15).isEmpty(), qPrintable(QStringLiteral("backs ") + alikePair(m_backs, 15)));
    }

    // The offset after startxref must point at the cross-reference table: patching the dates kept the lengths.
    void guideIsAFixedPdfWithItsTitle()
    {
        const QByteArray pdf = readAll(appFile(QStringLiteral("Help/Beeldscherm.pdf")));
        QVERIFY(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
        QVERIFY2(pdf.size() > 10000, "the guide has no real content");
        QVERIFY(pdf.contains("Beeldscherm instellen op 96 dpi"));
        QVERIFY(pdf.contains("/CreationDate (D:20240101120000"));
        const qsizetype at = pdf.lastIndexOf("startxref");
        QVERIFY(at > 0);
        QCOMPARE(pdf.mid(pdf.mid(at + 9).trimmed().split('\n').first().trimmed().toLongLong(), 4), "xref");
    }

private:
    QList<QImage> m_jokers, m_backs;
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
