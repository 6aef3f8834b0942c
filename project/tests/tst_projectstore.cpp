#include "picturefile.h"
#include "projectcommands.h"
#include "projectstore.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace vellora;
using vellora::test::ScriptedPrompter;

namespace {

QImage sheetPicture(int w = 3990, int h = 1600, int seed = 1)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * seed) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    return image;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// Everything under a folder with its size, to show that nothing was written anywhere.
QStringList snapshot(const QString &folder)
{
    QStringList all;
    for (const QFileInfo &info : QDir(folder).entryInfoList(
             QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        all << info.fileName() + u' ' + QString::number(info.isSymLink() ? -1 : info.size());
    return all;
}

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

// An application folder with an empty Projecten, and a prompter scripted by the test.
struct Fixture
{
    std::unique_ptr<QTemporaryDir> dir = test::emptyAppFolder();
    ScriptedPrompter prompter;
    explicit Fixture(bool withProjects = true)
    {
        if (withProjects)
            QDir(dir->path()).mkpath(QStringLiteral("Projecten"));
    }
    QString projects() const { return dir->path() + QStringLiteral("/Projecten"); }
    ProjectStore store() const { return ProjectStore(AppFolder(dir->path())); }
    bool save(const QImage &sheet)
    {
        const ProjectStore s = store();
        return ProjectCommands(s, prompter).save(sheet);
    }
    std::optional<QImage> open(const QString &name)
    {
        const ProjectStore s = store();
        return ProjectCommands(s, prompter).open(name);
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(projects() + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void expectError(int index) const
    {
        QVERIFY(prompter.shown.size() > index);
        QCOMPARE(prompter.shown[index].title, QStringLiteral("Error"));
        QCOMPARE(prompter.shown[index].icon, Prompter::Icon::Critical);
    }
};

} // namespace

class TestProjectStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveThenOpenGivesTheSameSheet_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "Mijn kaarten" << "Mijn kaarten.krt";
        QTest::newRow("blanks at both ends kept") << "  feest  " << "  feest  .krt";
        QTest::newRow("extension always appended") << "x.krt" << "x.krt.krt";
    }

    void saveThenOpenGivesTheSameSheet()
    {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        Fixture f;
        f.prompter.inputs << typed;
        const QImage sheet = sheetPicture();
        QVERIFY(f.save(sheet));
        QCOMPARE(f.prompter.shown.size(), 1); // the name box only: a successful save says nothing
        QCOMPARE(filesIn(f.projects()), QStringList{file});
        QVERIFY(readAll(f.projects() + u'/' + file).startsWith("BM"));
        QCOMPARE(f.store().names(), QStringList{typed});
        const auto opened = f.open(typed);
        QVERIFY(opened);
        QCOMPARE(test::firstDifference(opened->convertToFormat(QImage::Format_RGB32), sheet), QString());
    }

    void saveRefusesAndWritesNothing_data()
    {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("kind"); // what stands at Projecten/Naam.krt; "none": no Projecten at all
        QTest::addColumn<bool>("error");   // an error box follows the name box
        QTest::newRow("cancel") << std::optional<QString>() << "" << false;
        QTest::newRow("empty") << std::optional<QString>(QString()) << "" << false;
        QTest::newRow("blanks only") << std::optional<QString>(QStringLiteral("   ")) << "" << false;
        for (const char *bad : {"../../etc/x", "a\\b", ".", "..", "a\tb", "a\nb"})
            QTest::addRow("unusable: %s", bad) << std::optional<QString>(QString::fromLatin1(bad)) << "" << true;
        QTest::newRow("no Projecten folder") << std::optional<QString>(QStringLiteral("naam")) << "none" << true;
        // Never through a link or onto what is no plain file, whatever the overwrite answer.
        for (const char *kind : {"device", "dangling", "outside", "fifo", "dir"})
            QTest::addRow("occupied: %s", kind) << std::optional<QString>(QStringLiteral("naam")) << kind << true;
    }

    void saveRefusesAndWritesNothing()
    {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, kind);
        QFETCH(bool, error);
        Fixture f(kind != u"none");
        QTemporaryDir scratch;
        if (!kind.isEmpty() && kind != u"none" &&
            !test::makeSpecialFile(kind, f.projects() + QStringLiteral("/Naam.krt"), scratch.path()))
            QSKIP("this machine does not let the test make that kind of file");
        const auto all = [&] { return snapshot(f.dir->path()) + snapshot(f.projects()) + snapshot(scratch.path()); };
        const QStringList before = all();
        f.prompter.inputs << typed;
        f.prompter.answers << true; // were the overwrite question asked, it would be answered Yes
        QVERIFY(!f.save(sheetPicture(20, 20)));
        QCOMPARE(f.prompter.shown.size(), error ? 2 : 1);
        if (error)
            f.expectError(1);
        if (!kind.isEmpty() && kind != u"none")
            QCOMPARE(f.prompter.shown[1].text, texts::kOccupied.arg(QStringLiteral("naam")));
        QCOMPARE(all(), before);
    }

    void overwrite_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::newRow("same name, No") << "Test.krt" << "Test" << false;
        QTest::newRow("other case, Yes replaces that file") << "Test.krt" << "test" << true;
        QTest::newRow("upper-case extension, Yes") << "X.KRT" << "x" << true;
    }

    void overwrite()
    {
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        Fixture f;
        const QByteArray old = encoded(sheetPicture(3990, 1600, 7), "BMP");
        f.write(existing, old);
        f.prompter.inputs << typed;
        f.prompter.answers << yes;
        const QImage sheet = sheetPicture();
        QCOMPARE(f.save(sheet), yes);
        QCOMPARE(f.prompter.shown.size(), 2);
        QCOMPARE(f.prompter.shown[1].text, QStringLiteral("Naam bestaat reeds, overschrijven?"));
        QCOMPARE(filesIn(f.projects()), QStringList{existing});
        const QByteArray now = readAll(f.projects() + u'/' + existing);
        if (yes)
            QCOMPARE(PictureFile::decode(now).image.convertToFormat(QImage::Format_RGB32), sheet);
        else
            QCOMPARE(now, old);
    }

    void openRefusesWhatIsNoSheet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("special");
        const QByteArray whole = encoded(sheetPicture(), "BMP");
        QTest::newRow("one column short") << encoded(sheetPicture(3989, 1600), "BMP") << "smal" << "";
        QTest::newRow("one row too many") << encoded(sheetPicture(3990, 1601), "BMP") << "hoog" << "";
        QTest::newRow("cut short") << whole.left(whole.size() - 4000) << "kapot" << "";
        QTest::newRow("png") << encoded(sheetPicture(), "PNG") << "png" << "";
        QTest::newRow("text") << QByteArray("geen plaatje") << "tekst" << "";
        QTest::newRow("empty file") << QByteArray() << "leeg" << "";
        QTest::newRow("no entry chosen") << whole << "" << ""; // ".krt" is no project, however it looks
        QTest::newRow("file gone") << QByteArray() << "weg" << "";
        // Each of these would abort the program or freeze it for good in open() if it were read like a file.
        for (const char *special : {"zero", "fifo", "sparse", "dir"})
            QTest::addRow("special: %s", special) << QByteArray() << "x" << QString::fromLatin1(special);
    }

    void openRefusesWhatIsNoSheet()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, special);
        Fixture f;
        QTemporaryDir scratch;
        if (!special.isEmpty())
            QVERIFY(test::makeSpecialFile(special, f.projects() + QStringLiteral("/x.krt"), scratch.path()));
        else if (name != u"weg")
            f.write(name + QStringLiteral(".krt"), bytes);
        QVERIFY(!f.open(name));
        QCOMPARE(f.prompter.shown.size(), 1);
        QCOMPARE(f.prompter.shown[0].text, QStringLiteral("Géén orginele Vellora!"));
        f.expectError(0);
    }

    void opensFilesWrittenElsewhere_data()
    {
        QTest::addColumn<QByteArray>("file"); // the name's bytes on disk
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("Latin-1 name, as an old disk may hold") << QByteArray("caf\xe9.krt") << QByteArray("BMP");
        QTest::newRow("a photo under the project extension") << QByteArray("foto.krt") << QByteArray("JPEG");
    }

    void opensFilesWrittenElsewhere()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, format);
        Fixture f;
        const QByteArray native = QFile::encodeName(f.projects()) + '/' + file;
        const QByteArray bytes = encoded(sheetPicture(), format.constData());
        FILE *out = std::fopen(native.constData(), "wb");
        QVERIFY(out);
        QCOMPARE(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out), size_t(bytes.size()));
        std::fclose(out);
        const QStringList names = f.store().names();
        QCOMPARE(names.size(), 1);
        const auto opened = f.open(names[0]);
        ::unlink(native.constData()); // QTemporaryDir cannot remove a name it cannot decode
        QVERIFY(opened);
        QVERIFY(f.prompter.shown.isEmpty());
        if (format == "BMP")
            QCOMPARE(opened->convertToFormat(QImage::Format_RGB32), sheetPicture());
        QCOMPARE(opened->size(), QSize(3990, 1600));
    }

    void namesListedWithoutExtension()
    {
        Fixture f;
        for (const char *name : {"b.krt", "a.krt", "a-b.krt", "A b.krt", "X.KRT", " c .krt", "notes.txt", ".krt"})
            f.write(QString::fromLatin1(name), "x");
        QTemporaryDir scratch;
        for (const char *special : {"dir", "zero", "fifo", "dangling"})
            QVERIFY(test::makeSpecialFile(QString::fromLatin1(special), f.projects() + u'/' + special + ".krt", scratch.path()));
        // Ordered by the whole file name, as a file list shows them: blank, hyphen, then the dot of ".krt".
        QCOMPARE(f.store().names(), (QStringList{" c ", "A b", "a-b", "a", "b", "X"}));
        QCOMPARE(QFileInfo(f.store().pathFor(QStringLiteral("x"))).fileName(), QStringLiteral("X.KRT"));
    }

    void saveOntoFullDiskKeepsOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("over the old project") << "oud";
        QTest::newRow("under a new name") << "nieuw";
    }

    // A real full disk: a 30 MB tmpfs holding the old project, too small for a second sheet beside it.
    void saveOntoFullDiskKeepsOldFile()
    {
        QFETCH(QString, name);
        Fixture f;
        if (geteuid() != 0 || QProcess::execute(QStringLiteral("mount"),
                                                {"-t", "tmpfs", "-o", "size=30m", "tmpfs", f.projects()}) != 0)
            QSKIP("mounting a small tmpfs needs root and mount rights, which this machine does not give");
        struct Unmount
        {
            QString path;
            ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
        } unmount{f.projects()};
        QString error;
        QVERIFY2(f.store().save(sheetPicture(3990, 1600, 3), QStringLiteral("oud"), &error), qPrintable(error));
        const QByteArray before = readAll(f.projects() + QStringLiteral("/oud.krt"));
        f.write(QStringLiteral(".vul"), QByteArray(30 * 1024 * 1024 - before.size() - 8 * 1024 * 1024, 'x'));

        f.prompter.inputs << name;
        f.prompter.answers << true;
        QVERIFY(!f.save(sheetPicture()));
        const bool existed = name == u"oud";
        QCOMPARE(f.prompter.shown.size(), existed ? 3 : 2);
        f.expectError(f.prompter.shown.size() - 1);
        QCOMPARE(f.prompter.shown.last().text,
                 texts::kSaveFailed.arg(QStringLiteral("De schijf is vol.")) + (existed ? texts::kUnchanged : QString()));
        QCOMPARE(readAll(f.projects() + QStringLiteral("/oud.krt")), before);
        QCOMPARE(filesIn(f.projects()), (QStringList{".vul", "oud.krt"}));
    }
};

QTEST_GUILESS_MAIN(TestProjectStore)
#include "tst_projectstore.moc"
