#include "surface/masterdrawing.h"
#include "surface/photofile.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"
#include "tests/support/hostilephotos.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <sys/resource.h>
#include <unistd.h>

using namespace vellora;
using namespace Qt::StringLiterals;
using test::gradientPicture;
using test::imageFile;

// Rows stored top row first, as many programs write them: the height field is negative, and the mirrored
// picture, stored bottom row first, has its rows in just that order.
const auto topDownBmp = [](const QImage &image) {
    return test::claiming(imageFile(image.mirrored(), "bmp"), "BMP", image.width(), -image.height());
};

class TestPictureFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Read by content whatever the name, by the exact-size reader too at the sheet's size; bad input refused
    // with a reason, nothing read that would freeze or abort: special files, early ends, huge headers.
    void readsOrRefuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");    // a special file instead of the bytes
        QTest::addColumn<QSize>("size");      // empty when the file is refused
        QTest::addColumn<QImage>("original"); // null when lossy: then only the size is checked
        const QImage small = gradientPicture(61, 37), sheet = gradientPicture(3990, 1600);
        QTest::newRow("gif") << imageFile(small, "gif") << QString() << small.size() << QImage();
        QTest::newRow("sheet-sized jpeg")
            << imageFile(sheet, "jpeg") << QString() << sheet.size() << QImage();
        QTest::newRow("top-down bmp") << topDownBmp(sheet) << QString() << sheet.size() << sheet;
        const auto refused = [](const char *name, const QByteArray &bytes, const char *kind = "") {
            QTest::newRow(name) << bytes << QString::fromLatin1(kind) << QSize(0, 0) << QImage();
        };
        for (const char *format : {"bmp", "jpeg", "gif"}) {
            const QByteArray whole = imageFile(gradientPicture(200, 150), format);
            refused(qPrintable(format + " less 1 byte"_ba), whole.chopped(1));
            refused(qPrintable(format + " at half"_ba), whole.left(whole.size() / 2));
        }
        refused("sheet bmp less 1 byte", imageFile(sheet, "bmp").chopped(1));
        refused("png", imageFile(small, "png"));
        refused("empty", {});
        refused("bmp magic only", "BM");
        const QByteArray padding(1 << 20, '\0');
        // Headers claiming a huge picture, the BMP ones with no pixel data after them.
        const QByteArray bmp = imageFile(gradientPicture(1, 1), "bmp");
        const QByteArray jpeg = imageFile(gradientPicture(16, 16), "jpeg");
        refused("huge jpeg", test::claiming(jpeg, "JPEG", 60000, 60000) + padding);
        refused("huge bmp", test::claiming(bmp, "BMP", 60000, 60000).left(54) + padding);
        refused("huge top-down bmp", test::claiming(bmp, "BMP", 60000, -60000).left(54) + padding);
        // A header of an unknown size whose fields, read as the usual one, give rows so wide and so many that
        // their byte count passes 64 bits.
        refused("bmp whose byte count overflows",
                QByteArray::fromHex("424dfe0018000000000028000000180000001100"
                                    "00b60100180000dd00c4") +
                    QByteArray(117, '\0') + QByteArray::fromHex("c40e00"));
        for (const char *kind : {"zero", "fifo", "sparse", "dir", "dangling", "missing", "unreadable"})
            refused(kind, {}, kind);
    }

    void readsOrRefuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(QSize, size);
        QFETCH(QImage, original);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"x.jpg"_s);
        if (kind == u"unreadable") {
            if (geteuid() == 0) {
                const QString failed = test::rerunAsNobody();
                QVERIFY2(failed.isEmpty(), qPrintable(failed));
                return;
            }
            QVERIFY(test::writeBytes(path, imageFile(gradientPicture(8, 8), "bmp")));
            QFile::setPermissions(path, QFileDevice::WriteOwner);
        } else if (kind.isEmpty()) {
            QVERIFY(test::writeBytes(path, bytes));
            QCOMPARE(PictureFile::decode(bytes).value_or(QImage()).size(), size);
        } else if (kind != u"missing") {
            QVERIFY(test::makeSpecialFile(kind, path, dir.path()));
        }
        QList loads{PictureFile::load(path)};
        if (QByteArray(QTest::currentDataTag()) == "huge jpeg") // by the budget, before Qt's own limit
            QVERIFY2(loads[0].outcome().text().startsWith(u"De afbeelding is te groot"),
                     qPrintable(loads[0].outcome().text()));
        if (size == QSize(3990, 1600) || size.isEmpty())
            loads << PictureFile::loadExactly(path, QSize(3990, 1600));
        for (const auto &load : loads) {
            QCOMPARE(load.outcome().text().isEmpty(), !size.isEmpty());
            QCOMPARE(load.value_or(QImage()).size(), size);
            if (!original.isNull())
                QCOMPARE(test::firstDifference(load.value_or(QImage()), original), QString());
        }
    }

    // Plain 24-bit BMPs are written into the bytes Qt's writer makes and read into the picture its reader
    // makes, whatever the row padding, alpha, resolution, row order or a gap before the rows.
    void plainBmpAsQtHasIt_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QString>("variant");
        for (const auto &[w, h] : {std::pair(1, 1), {2, 3}, {5, 2}, {3990, 1600}})
            QTest::addRow("%dx%d", w, h) << gradientPicture(w, h) << QString();
        QImage alpha = gradientPicture(7, 3).convertToFormat(QImage::Format_ARGB32);
        alpha.setPixel(1, 1, qRgba(200, 100, 50, 7));
        alpha.setDotsPerMeterX(2000);
        QTest::newRow("alpha, resolution") << alpha << QString();
        QTest::newRow("top-down") << gradientPicture(6, 4) << u"top-down"_s;
        QTest::newRow("gap before the rows") << gradientPicture(6, 4) << u"gap"_s;
    }

    void plainBmpAsQtHasIt()
    {
        QFETCH(QImage, picture);
        QFETCH(QString, variant);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.krt"_s);
        QVERIFY(PictureFile::saveBmp(picture, path));
        QByteArray bytes = test::readBytes(path);
        QCOMPARE(bytes, imageFile(picture, "bmp"));
        if (variant == u"top-down") {
            bytes = topDownBmp(picture);
        } else if (variant == u"gap") {
            bytes.insert(54, "gap!");
            qToLittleEndian<quint32>(58, bytes.data() + 10);
        }
        QVERIFY(test::writeBytes(path, bytes));
        const QImage qt = QImage::fromData(bytes, "BMP");
        const auto resolution = [](const QImage &i) { return QSize(i.dotsPerMeterX(), i.dotsPerMeterY()); };
        for (const QImage &ours :
             {PictureFile::load(path).value_or(QImage()), PictureFile::decode(bytes).value_or(QImage())}) {
            QCOMPARE(test::byteDifference(ours, qt), QString());
            QCOMPARE(resolution(ours), resolution(qt));
        }
    }

    // A save that cannot be made says why in Dutch and leaves the folder as it was; an older file stays whole
    // when the write stops short (here at the file size limit, as at a full disk).
    void saveFailsAndKeepsWhatWasThere_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file system")
            << u"ro-mount"_s << u"Op deze schijf kan alleen gelezen worden."_s;
        QTest::newRow("name too long") << u"long"_s << u"De naam is te lang."_s;
        QTest::newRow("folder missing") << u"gone"_s << u"De map bestaat niet (meer)."_s;
        QTest::newRow("stopped short over an older file")
            << u"limit"_s << u"Het bestand wordt groter dan hier mag."_s;
    }

    void saveFailsAndKeepsWhatWasThere()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(setup == u"long"   ? QString(300, u'x') + u".krt"_s
                                          : setup == u"gone" ? u"weg/project.krt"_s
                                                             : u"project.krt"_s);
        if (setup == u"limit")
            QVERIFY(PictureFile::saveBmp(gradientPicture(40, 40), path));
        const auto entries = [&] {
            return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        };
        const QStringList entriesBefore = entries();
        const QByteArray before = test::readBytes(path);
        const bool mounted =
            setup == u"ro-mount" && geteuid() == 0 &&
            QProcess::execute(u"mount"_s, {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", dir.path()}) == 0;
        QVERIFY2(setup != u"ro-mount" || mounted, "mounting a tmpfs needs root and mount rights");
        QString error;
        const bool saved = test::withFileSizeLimit(setup == u"limit" ? 64 << 10 : RLIM_INFINITY, [&] {
            const Outcome written = PictureFile::saveBmp(gradientPicture(200, 200), path); // 120 kB
            error = written.text();
            return written.ok();
        });
        if (mounted)
            QProcess::execute(u"umount"_s, {dir.path()});
        QVERIFY(!saved);
        QCOMPARE(error, reason);
        QCOMPARE(test::readBytes(path), before);
        QCOMPARE(entries(), entriesBefore);
    }

    // A file's hash, read in pieces, is its bytes' hash at every size around a piece's end, and a whole read
    // gives its bytes; beyond the limit, grown beyond it after opening, or no regular file: neither (the
    // other kinds of file are readsOrRefuses', through the same RegularFile).
    void fileHashes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("hashed");
        for (const qint64 size : {0ll, 1ll, 262143ll, 262144ll, 262145ll, 1048579ll})
            QTest::newRow(qPrintable(QStringLiteral("%1 bytes").arg(size))) << "plain" << size << true;
        QTest::newRow("over the limit") << "plain" << 1048577ll << false;
        QTest::newRow("grown beyond the limit") << "grown" << 1048576ll << false;
        QTest::newRow("fifo") << "fifo" << 0ll << false;
    }
    void fileHashes()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, size);
        QFETCH(bool, hashed);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Kaarten.krt"_s);
        QByteArray bytes(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + i / 251);
        QVERIFY(kind == u"fifo" ? test::makeSpecialFile(kind, path, dir.path())
                                : test::writeBytes(path, bytes));
        const qint64 limit = size >= 1048576 && !hashed ? 1048576 : 2 << 20;
        const QByteArray sha = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        if (kind != u"grown")
            QCOMPARE(masterdrawing::fileHash(path, limit), hashed ? sha : QByteArray());

        RegularFile file(path, hashed ? qint64(1) << 40 : limit);
        if (kind == u"grown") {
            QFile more(path);
            QVERIFY(more.open(QIODevice::Append) && more.write("!") == 1);
        }
        QCOMPARE(file.readAll(), hashed ? bytes : QByteArray());
        QCOMPARE(file.error().isEmpty(), hashed);
    }

    // Fuzz seeds: a small complete file of each kind each reader takes, each checked to be read.
    void writesFuzzSeeds()
    {
        const QImage opaque = gradientPicture(24, 17, 10);
        QImage alpha = opaque.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < alpha.height(); ++y) // a transparent band on the left
            std::fill_n(reinterpret_cast<QRgb *>(alpha.scanLine(y)), 8, qRgba(0, 0, 0, 0));
        // Qt's conversion leaves the bytes that pad each row to 32 bits as it found them, and the BMP
        // writer copies them: cleared, the seed is the same on every run.
        QImage mono = opaque.convertToFormat(QImage::Format_Mono);
        for (int y = 0; y < mono.height(); ++y)
            std::fill(mono.scanLine(y) + (mono.width() + 7) / 8, mono.scanLine(y) + mono.bytesPerLine(), 0);
        const QList<std::pair<const char *, QByteArray>> pictures = {
            {"rgb.bmp", imageFile(opaque, "bmp")},
            {"indexed.bmp", imageFile(opaque.convertToFormat(QImage::Format_Indexed8), "bmp")},
            {"mono.bmp", imageFile(mono, "bmp")},
            {"baseline.jpg", imageFile(opaque, "jpeg", 80)},
            {"progressive.jpg", imageFile(opaque, "jpeg", 60, true)},
            {"grey.gif", imageFile(opaque, "gif")},
        };
        QList<std::pair<const char *, QByteArray>> photos = {
            {"turned.jpg", test::withExifOrientation(imageFile(alpha, "jpeg", 80), 6)},
            {"alpha.png", imageFile(alpha, "png")},
            {"lossy.webp", imageFile(alpha, "webp", 80)},
            {"lossless.webp", imageFile(alpha, "webp", 100)},
            // The second frame after the first, behind the header and grey table they share (781 bytes).
            {"animated.gif", test::gifBytes(opaque).chopped(1) + test::gifBytes(opaque.mirrored()).mid(781)},
            {"plain.bmp", imageFile(alpha, "bmp")},
        };
        if (const QByteArray heic = test::heicBytes(opaque); !heic.isEmpty())
            photos.append({"photo.heic", heic});
        if (const QByteArray tiled = test::tiledHeic(2, 3, qRgb(200, 100, 50)); !tiled.isEmpty())
            photos.append({"tiled.heic", tiled});
        const QString pictureSeeds = QStringLiteral(VELLORA_FUZZ_SEEDS),
                      photoSeeds = QStringLiteral(VELLORA_PHOTO_SEEDS);
        QVERIFY(QDir().mkpath(pictureSeeds) && QDir().mkpath(photoSeeds));
        for (const auto &[name, bytes] : pictures) {
            QVERIFY2(PictureFile::decode(bytes).ok(), name);
            QVERIFY(test::writeBytes(pictureSeeds + u'/' + QString::fromLatin1(name), bytes));
        }
        for (const auto &[name, bytes] : photos) {
            const auto header = PhotoFile::peek(bytes);
            QVERIFY2(header && PhotoFile::decode(bytes, *header, header->size).ok(), name);
            QVERIFY(test::writeBytes(photoSeeds + u'/' + QString::fromLatin1(name), bytes));
        }
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
