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
        for (int i = 1; i <= appdata::kJokers; ++i) {
            QImage img;
            const QString name = QStringLiteral("Data/joker-%1.jok").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY2(img.load(appFile(name), "BMP"), qPrintable(name));
            m_jokers.append(img.convertToFormat(QImage::Format_RGB32));
        }
        for (int i = 0; i < appdata::kBacks; ++i) {
            QImage img;
            const QString name = QStringLiteral("Backgrounds/Background-%1.jpg").arg(i);
            QVERIFY2(img.load(appFile(name), "JPEG"), qPrintable(name));
            m_backs.append(img.convertToFormat(QImage::Format_RGB32));
        }
    }

    void jokers_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kJokers; ++i)
            QTest::addRow("joker-%02d", i + 1) << i;
    }

    void jokers()
    {
        QFETCH(int, index);
        const QImage &img = m_jokers.at(index);
        QCOMPARE(img.size(), QSize(240, 330));
        // White paper outside the frame, a coloured frame just inside it.
        for (QPoint p : {QPoint(1, 1), QPoint(238, 1), QPoint(1, 328), QPoint(238, 328), QPoint(120, 2)})
            QCOMPARE(img.pixel(p), qRgb(255, 255, 255));
        QVERIFY2(qGray(img.pixel(120, 8)) < 200, "no frame line at the top");
        QVERIFY2(colourVariety(img) > 60, qPrintable(QStringLiteral("%1 colours").arg(colourVariety(img))));
        // The jester's face sits in the upper middle: skin or white make-up with dark features.
        const QImage face = img.copy(90, 130, 60, 110);
        int light = 0, dark = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                const int g = qGray(face.pixel(x, y));
                light += g > 200;
                dark += g < 70;
            }
        QVERIFY2(light > 400 && dark > 60, qPrintable(QStringLiteral("face area: %1 light, %2 dark").arg(light).arg(dark)));
        QVERIFY(appdata::renderJoker(index).convertToFormat(QImage::Format_RGB32) == img);
    }

    void jokersArePairwiseDifferent()
    {
        for (int a = 0; a < m_jokers.size(); ++a)
            for (int b = a + 1; b < m_jokers.size(); ++b) {
                const double d = meanDifference(m_jokers[a], m_jokers[b]);
                QVERIFY2(d > 12, qPrintable(QStringLiteral("jokers %1 and %2 differ by %3").arg(a + 1).arg(b + 1).arg(d)));
            }
    }

    void backs_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < appdata::kBacks; ++i)
            QTest::addRow("Background-%d", i) << i;
    }

    void backs()
    {
        QFETCH(int, index);
        const QImage &img = m_backs.at(index);
        QCOMPARE(img.size(), QSize(1240, 1754));
        QVERIFY(std::abs(double(img.height()) / img.width() - 297.0 / 210.0) < 0.005); // A4 portrait
        // A white margin round a design that fills the rest of the page.
        for (QPoint p : {QPoint(10, 10), QPoint(1229, 10), QPoint(10, 1743), QPoint(1229, 1743), QPoint(620, 20)})
            QVERIFY(channelDistance(img.pixel(p), qRgb(255, 255, 255)) < 12);
        const QImage inner = img.copy(100, 100, 1040, 1554);
        QVERIFY2(colourVariety(inner) > 20, "the design is flat");
        int paper = 0, samples = 0;
        for (int y = 0; y < inner.height(); y += 7)
            for (int x = 0; x < inner.width(); x += 7, ++samples)
                paper += channelDistance(inner.pixel(x, y), qRgb(255, 255, 255)) < 30;
        QVERIFY2(paper < samples / 4, "the design leaves most of the page white");
        // Left and right halves mirror each other closely: a card back must look the same either way up.
        const QImage left = inner.copy(0, 0, 520, 1554);
        const QImage right = inner.copy(520, 0, 520, 1554).mirrored(true, false);
        QVERIFY2(meanDifference(left, right) < 40, qPrintable(QString::number(meanDifference(left, right))));
    }

    void backsArePairwiseDifferent()
    {
        for (int a = 0; a < m_backs.size(); ++a)
            for (int b = a + 1; b < m_backs.size(); ++b) {
                const double d = meanDifference(m_backs[a], m_backs[b]);
                QVERIFY2(d > 15, qPrintable(QStringLiteral("backs %1 and %2 differ by %3").arg(a).arg(b).arg(d)));
            }
    }

    void guideIsAFixedPdfWithItsTitle()
    {
        const QByteArray pdf = readAll(appFile(QStringLiteral("Help/Beeldscherm.pdf")));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QVERIFY(pdf.contains("Beeldscherm instellen op 96 dpi"));
        QVERIFY(pdf.contains("/CreationDate (D:20240101120000"));
        // The offset after startxref must point at the cross-reference table: patching kept lengths.
        const qsizetype at = pdf.lastIndexOf("startxref");
        QVERIFY(at > 0);
        const qsizetype offset = pdf.mid(at + 9).trimmed().split('\n').first().trimmed().toLongLong();
        QVERIFY(pdf.mid(offset, 4) == "xref");
        QVERIFY2(pdf.size() > 10000, "the guide has no real content");
    }

private:
    QList<QImage> m_jokers;
    QList<QImage> m_backs;
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
