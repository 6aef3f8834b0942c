#include "placement/folderlisting.h"
#include "placement/photoframing.h"
#include "placement/tests/photos.h"
#include "surface/photoloader.h"
#include "tests/support/hostilephotos.h"

#include <QProcess>

using vellora::PhotoLoader;
using namespace vellora::test;

namespace {

// The dialog's loads in a process of their own, each beside the one shown zoomed to 1 % (its halves made),
// after the files before "--" so that the decoders' code counts in the start. Prints 1 or 0 a photo, then
// the most the process held above its start, in bytes.
int loadInOrder(const QStringList &paths)
{
    vellora::limitPictureDecoders();
    const qsizetype split = paths.indexOf(QStringLiteral("--"));
    for (const QString &warm : paths.first(split))
        (void)PhotoLoader::load(warm);
    const qint64 start = vellora::test::processStatusBytes("VmRSS");
    vellora::PhotoFraming framing;
    QTextStream out(stdout);
    for (const QString &path : paths.sliced(split + 1)) {
        out << (framing.load(path) ? '1' : '0');
        framing.setZoom(1);
    }
    out << ' ' << vellora::test::processStatusBytes("VmHWM") - start << Qt::endl;
    return 0;
}

} // namespace

// The photo dialog's loads as the program makes them, and the listing it chooses them from.
class TestPhotoBudget : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    // The photo shown with its halves, the decoder and the new photo stay within one budget, whatever came
    // before, as the process's peak shows: small files that cost a great deal among them (a 90-byte WebP
    // of 9000 x 9000, a 390 KB RGBA PNG of 10000 x 10000, a HEIC grid of 141 x 141 tiles).
    void loadsInAnyOrder_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("loads"); // 1 or 0 for each
        const QList<std::pair<const char *, QByteArray>> photos = {
            {"small.jpg", imageFile(smoothPhoto(800, 600), "JPEG")},
            {"big.jpg", imageFile(smoothPhoto(800, 600).scaled(8000, 6000), "JPEG")},
            {"canvas.webp", canvasWebp(9000, 9000)},
            {"rgba.png", transparentPng(10000, 10000)},
            {"tiled.heic", tiledHeic(141, 141, kQuadrants[2])},
            {"warm.png", imageFile(quadrants(8, 8), "PNG")},
            {"warm.webp", imageFile(quadrants(8, 8), "WEBP")},
            {"warm.heic", heicBytes(quadrants(8, 8))},
        };
        for (const auto &[name, bytes] : photos)
            QVERIFY(!bytes.isEmpty() && writeBytes(m_dir.filePath(QString::fromLatin1(name)), bytes));
        auto row = [](const char *name, const char *order, const char *loads) {
            QTest::newRow(name) << QString::fromLatin1(order).split(u' ') << QString::fromLatin1(loads);
        };
        row("small photo, then the canvas WebP", "small.jpg canvas.webp", "10");
        row("48 MP photo, then the RGBA PNG", "big.jpg rgba.png", "10");
        row("RGBA PNG, then a 48 MP photo", "rgba.png big.jpg", "10");
        row("48 MP photo twice", "big.jpg big.jpg", "11");
        row("48 MP photo, then the tiled HEIC", "big.jpg tiled.heic", "10");
    }

    void loadsInAnyOrder()
    {
        QFETCH(QStringList, order);
        QFETCH(QString, loads);
        QStringList arguments{QStringLiteral("--in-order"), m_dir.filePath(QStringLiteral("warm.png")),
                              m_dir.filePath(QStringLiteral("warm.webp")),
                              m_dir.filePath(QStringLiteral("warm.heic")), QStringLiteral("--")};
        for (const QString &name : order)
            arguments << m_dir.filePath(name);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForFinished(100000));
        const QList<QByteArray> said = child.readAllStandardOutput().trimmed().split(' ');
        QCOMPARE(said.value(0), loads.toLatin1());
        // Beside the budget, the allocator's and the decoders' own; AddressSanitizer's shadow and freed
        // bytes would swamp it, so there only the loads are compared.
#ifndef __SANITIZE_ADDRESS__
        const qint64 peak = said.value(1).toLongLong();
        QVERIFY2(peak > 0 && peak <= PhotoLoader::kBudgetBytes + (48ll << 20),
                 qPrintable(QStringLiteral("%1 MB above the start").arg(peak >> 20)));
#endif
    }

    // Only the sparse file is a regular file; the lists leave out what the listing mistakes for either, so the
    // dialog never offers what would abort it or freeze it for good when read like a photo.
    void listsLeaveOutWhatIsNoRegularFile()
    {
        for (const QString kind : {"zero", "fifo", "sparse", "dir"}) {
            QTemporaryDir dir;
            QVERIFY(makeSpecialFile(kind, dir.filePath(QStringLiteral("x.jpg")), dir.path()));
            QVERIFY2(vellora::folders::pictureFiles(dir.path()).contains("x.jpg") == (kind == "sparse"),
                     qPrintable(kind));
            for (const auto &entry : vellora::folders::folderTree(dir.path()))
                QVERIFY2(entry.name != u"x.jpg" || kind == u"dir", qPrintable(kind));
        }
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--in-order") == 0)
        return loadInOrder(QCoreApplication::arguments().sliced(2));
    TestPhotoBudget test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_photobudget.moc"
