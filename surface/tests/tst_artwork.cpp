#include "artwork.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace vellora;

// The program's own pictures on screens scaled by 100 to 200 %.
class TestArtwork : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_app = test::copyOfAppData();

    QImage file(const QString &name) const
    {
        return QImage(m_app->filePath(QStringLiteral("Artwork/") + name))
            .convertToFormat(QImage::Format_ARGB32);
    }

private Q_SLOTS:
    // Every picture keeps its size on screen; at 100 % it is the plain file, at 200 % the double-size drawing
    // pixel for pixel, and in between that drawing brought to the screen's own pixels.
    void sharpAtEveryScale()
    {
        const AppFolder folder(m_app->path());
        const QStringList names = QDir(m_app->filePath(QStringLiteral("Artwork"))).entryList({"*.png"});
        QVERIFY(names.size() > 10);
        for (const QString &name : names) {
            if (name.contains(QLatin1String("@2x")))
                continue;
            const QImage plain = file(name);
            QString sharpName = name;
            const QImage sharp = file(sharpName.replace(QLatin1String(".png"), QLatin1String("@2x.png")));
            QCOMPARE(sharp.size(), plain.size() * 2);
            for (const qreal scale : {1.0, 1.25, 1.5, 2.0}) {
                const QPixmap pixmap = artworkPixmap(folder, name, scale);
                const QImage shown = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
                QCOMPARE(pixmap.devicePixelRatio(), scale);
                QCOMPARE(pixmap.deviceIndependentSize().toSize(), plain.size());
                QCOMPARE(shown.size(), (QSizeF(plain.size()) * scale).toSize());
                if (scale == 1.0)
                    QVERIFY2(test::firstDifference(shown, plain).isEmpty(), qPrintable(name));
                if (scale == 2.0)
                    QVERIFY2(test::firstDifference(shown, sharp).isEmpty(), qPrintable(name));
            }
        }
    }

    // A double-size file of another kind is used when it has the right size; otherwise the plain picture is
    // shown, stretched by the painter.
    void doubleSizeFileOfAnyKind_data()
    {
        QTest::addColumn<QByteArray>("sharpBytes");
        QTest::addColumn<bool>("used");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("damaged") << QByteArray("\x89PNG\r\n\x1a\n broken") << false;
        QTest::newRow("wrong size") << QByteArray("P1\n2 2\n0 1 1 0\n") << false;
        QTest::newRow("one-bit") << QByteArray("P4\n102 58\n") + QByteArray(13 * 58, '\x55') << true;
    }
    void doubleSizeFileOfAnyKind()
    {
        QFETCH(QByteArray, sharpBytes);
        QFETCH(bool, used);
        const QString sharpPath = m_app->filePath(QStringLiteral("Artwork/ok@2x.png"));
        QFile::remove(sharpPath);
        if (!sharpBytes.isEmpty()) {
            QFile out(sharpPath);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(sharpBytes) == sharpBytes.size());
        }
        const AppFolder folder(m_app->path());
        for (const qreal scale : {1.25, 2.0}) {
            const QPixmap pixmap = artworkPixmap(folder, QStringLiteral("OK.PNG"), scale);
            QCOMPARE(pixmap.devicePixelRatio(), used ? scale : 1.0);
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(51, 29));
            if (!used)
                QVERIFY(test::firstDifference(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                                              file("ok.png"))
                            .isEmpty());
        }
        QVERIFY(artworkPixmap(folder, QStringLiteral("gone.png"), 2.0).isNull());
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
