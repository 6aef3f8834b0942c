#include "picturefile.h"
#include "projectcommands.h"
#include "projectstore.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdio>

#include <sys/stat.h>
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

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

struct Fixture
{
    std::unique_ptr<QTemporaryDir> dir = test::emptyAppFolder();
    Fixture() { QDir(dir->path()).mkpath(QStringLiteral("Projecten")); }
    QString projects() const { return dir->path() + QStringLiteral("/Projecten"); }
    ProjectStore store() const { return ProjectStore(AppFolder(dir->path())); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(projects() + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

// Everything under a folder with its size, to show that nothing was written anywhere.
QStringList snapshot(const QString &folder)
{
    QStringList all;
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        all << info.fileName() + u' ' + QString::number(info.isSymLink() ? -1 : info.size());
    return all;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

} // namespace

class TestProjectStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveThenOpenGivesTheSameSheet_data();
    void saveThenOpenGivesTheSameSheet();
    void nothingToSave_data();
    void nothingToSave();
    void unusableNamesAreRefused_data();
    void unusableNamesAreRefused();
    void overwrite_data();
    void overwrite();
    void openRefusesWhatIsNoSheet_data();
    void openRefusesWhatIsNoSheet();
    void saveNeverWritesThroughALink_data();
    void saveNeverWritesThroughALink();
    void nameThatIsNotUtf8ListsAndOpens();
    void openInstallsJpegUnderKrtName();
    void namesListedWithoutExtension();
    void saveWithoutProjectFolderFails();
    void saveOntoFullDiskKeepsOldFile_data();
    void saveOntoFullDiskKeepsOldFile();
};

void TestProjectStore::saveThenOpenGivesTheSameSheet_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "Mijn kaarten" << "Mijn kaarten.krt";
    QTest::newRow("blanks at both ends kept") << "  feest  " << "  feest  .krt";
    QTest::newRow("extension always appended") << "x.krt" << "x.krt.krt";
    QTest::newRow("case kept") << "KERST" << "KERST.krt";
    QTest::newRow("dots inside") << "...a" << "...a.krt";
}

void TestProjectStore::saveThenOpenGivesTheSameSheet()
{
    QFETCH(QString, typed);
    QFETCH(QString, file);
    Fixture f;
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    prompter.inputs << typed;
    ProjectCommands commands(store, prompter);
    const QImage sheet = sheetPicture();
    QVERIFY(commands.save(sheet));
    QCOMPARE(prompter.shown.size(), 1); // the name box only: a successful save says nothing
    QCOMPARE(prompter.shown[0].text, QStringLiteral("Geef de naam voor deze serie Vellora..."));
    QCOMPARE(prompter.shown[0].title, QStringLiteral("Projectnaam"));
    QCOMPARE(filesIn(f.projects()), QStringList{file});
    QVERIFY(readAll(f.projects() + u'/' + file).startsWith("BM"));
    QCOMPARE(store.names(), QStringList{typed});

    const auto opened = commands.open(typed);
    QVERIFY(opened);
    QCOMPARE(test::firstDifference(opened->convertToFormat(QImage::Format_RGB32), sheet), QString());
}

void TestProjectStore::nothingToSave_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::newRow("cancel") << std::optional<QString>();
    QTest::newRow("empty") << std::optional<QString>(QString());
    QTest::newRow("blanks only") << std::optional<QString>(QStringLiteral("   "));
}

void TestProjectStore::nothingToSave()
{
    QFETCH(std::optional<QString>, answer);
    Fixture f;
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    prompter.inputs << answer;
    QVERIFY(!ProjectCommands(store, prompter).save(sheetPicture(10, 10)));
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(filesIn(f.projects()).isEmpty());
}

void TestProjectStore::unusableNamesAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("slash") << "../../etc/x";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("tab") << "a\tb";
    QTest::newRow("newline") << "a\nb";
}

void TestProjectStore::unusableNamesAreRefused()
{
    QFETCH(QString, typed);
    Fixture f;
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    prompter.inputs << typed;
    QVERIFY(!ProjectCommands(store, prompter).save(sheetPicture(10, 10)));
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown[1].title, QStringLiteral("Error"));
    QCOMPARE(prompter.shown[1].icon, Prompter::Icon::Critical);
    QVERIFY(filesIn(f.projects()).isEmpty());
    QVERIFY(filesIn(f.dir->path()).isEmpty());
    QVERIFY(QDir(f.dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) == QStringList{"Projecten"});
}

void TestProjectStore::overwrite_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes");
    QTest::newRow("same name, No") << "Test.krt" << "Test" << false;
    QTest::newRow("same name, Yes") << "Test.krt" << "Test" << true;
    QTest::newRow("other case, No") << "Test.krt" << "test" << false;
    QTest::newRow("other case, Yes replaces that file") << "Test.krt" << "test" << true;
    QTest::newRow("upper-case extension, Yes") << "X.KRT" << "x" << true;
}

void TestProjectStore::overwrite()
{
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    Fixture f;
    const QByteArray old = encoded(sheetPicture(3990, 1600, 7), "BMP");
    f.write(existing, old);
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    prompter.inputs << typed;
    prompter.answers << yes;
    const QImage sheet = sheetPicture();
    QCOMPARE(ProjectCommands(store, prompter).save(sheet), yes);
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown[1].text, QStringLiteral("Naam bestaat reeds, overschrijven?"));
    QCOMPARE(prompter.shown[1].title, QStringLiteral("Error"));
    QCOMPARE(filesIn(f.projects()), QStringList{existing});
    const QByteArray now = readAll(f.projects() + u'/' + existing);
    if (!yes) {
        QCOMPARE(now, old);
    } else {
        const auto load = PictureFile::decode(now);
        QVERIFY(load.ok());
        QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), sheet);
    }
}

void TestProjectStore::openRefusesWhatIsNoSheet_data()
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
    QTest::newRow("no entry chosen") << QByteArray() << "" << "";
    QTest::newRow("file gone") << QByteArray() << "weg" << "";
    // Each of these would abort the program or freeze it for good in open() if it were read like a file.
    for (const char *special : {"zero", "fifo", "sparse", "dir"})
        QTest::addRow("special: %s", special) << QByteArray() << "x" << QString::fromLatin1(special);
}

void TestProjectStore::openRefusesWhatIsNoSheet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QString, special);
    Fixture f;
    QTemporaryDir scratch;
    if (!special.isEmpty())
        QVERIFY(test::makeSpecialFile(special, f.projects() + QStringLiteral("/x.krt"), scratch.path()));
    else if (name != u"weg" && !name.isEmpty())
        f.write(name + QStringLiteral(".krt"), bytes);
    if (name.isEmpty())
        f.write(QStringLiteral(".krt"), encoded(sheetPicture(), "BMP")); // not a project, however it looks
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    QVERIFY(!ProjectCommands(store, prompter).open(name));
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].text, QStringLiteral("Géén orginele Vellora!"));
    QCOMPARE(prompter.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(prompter.shown[0].icon, Prompter::Icon::Critical);
}

void TestProjectStore::saveNeverWritesThroughALink_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a device") << "device";
    QTest::newRow("dangling link leaving Projecten") << "dangling";
    QTest::newRow("link to a file outside Projecten") << "outside";
    QTest::newRow("link to a FIFO") << "fifo";
    QTest::newRow("folder") << "dir";
}

void TestProjectStore::saveNeverWritesThroughALink()
{
    QFETCH(QString, kind);
    Fixture f;
    QTemporaryDir scratch;
    if (!test::makeSpecialFile(kind, f.projects() + QStringLiteral("/Naam.krt"), scratch.path()))
        QSKIP("this machine does not let the test make that kind of file");
    const QStringList projectsBefore = snapshot(f.projects());
    const QStringList scratchBefore = snapshot(scratch.path());
    const ProjectStore store = f.store();
    ScriptedPrompter prompter;
    prompter.inputs << QStringLiteral("naam");
    prompter.answers << true; // were the overwrite question asked, it would be answered Yes
    QVERIFY(!ProjectCommands(store, prompter).save(sheetPicture(20, 20)));
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown[1].title, QStringLiteral("Error"));
    QCOMPARE(prompter.shown[1].text, texts::kOccupied.arg(QStringLiteral("naam")));
    QCOMPARE(snapshot(f.projects()), projectsBefore);
    QCOMPARE(snapshot(scratch.path()), scratchBefore);
    if (kind == u"device") {
        struct stat node {};
        QVERIFY(::stat(QFile::encodeName(scratch.path() + QStringLiteral("/nulldev")).constData(), &node) == 0);
        QVERIFY(S_ISCHR(node.st_mode));
    }
}

void TestProjectStore::nameThatIsNotUtf8ListsAndOpens()
{
    Fixture f;
    const QByteArray native = QFile::encodeName(f.projects()) + "/caf\xe9.krt"; // Latin-1, as an old disk may hold
    {
        const QByteArray bytes = encoded(sheetPicture(), "BMP");
        FILE *out = std::fopen(native.constData(), "wb");
        QVERIFY(out);
        QCOMPARE(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out), size_t(bytes.size()));
        std::fclose(out);
    }
    const ProjectStore store = f.store();
    const QStringList names = store.names();
    QCOMPARE(names.size(), 1);
    ScriptedPrompter prompter;
    const auto opened = ProjectCommands(store, prompter).open(names[0]);
    ::unlink(native.constData()); // QTemporaryDir cannot remove a name it cannot decode
    QVERIFY(opened);
    QCOMPARE(opened->convertToFormat(QImage::Format_RGB32), sheetPicture());
}

void TestProjectStore::openInstallsJpegUnderKrtName()
{
    Fixture f;
    f.write(QStringLiteral("foto.krt"), encoded(sheetPicture(), "JPEG"));
    ScriptedPrompter prompter;
    const ProjectStore store = f.store();
    const auto opened = ProjectCommands(store, prompter).open(QStringLiteral("foto"));
    QVERIFY(opened);
    QCOMPARE(opened->size(), QSize(3990, 1600));
    QVERIFY(prompter.shown.isEmpty());
}

void TestProjectStore::namesListedWithoutExtension()
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

void TestProjectStore::saveWithoutProjectFolderFails()
{
    auto dir = test::emptyAppFolder();
    const ProjectStore store{AppFolder(dir->path())};
    ScriptedPrompter prompter;
    prompter.inputs << QStringLiteral("naam");
    QVERIFY(!ProjectCommands(store, prompter).save(sheetPicture(10, 10)));
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown[1].title, QStringLiteral("Error"));
    QVERIFY(prompter.shown[1].text.contains(QStringLiteral("Projecten")));
    QVERIFY(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestProjectStore::saveOntoFullDiskKeepsOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("over the old project") << "oud";
    QTest::newRow("under a new name") << "nieuw";
}

// A real full disk: a 30 MB tmpfs holding the old project, too small for a second sheet beside it.
void TestProjectStore::saveOntoFullDiskKeepsOldFile()
{
    QFETCH(QString, name);
    auto dir = test::emptyAppFolder();
    const QString projects = dir->path() + QStringLiteral("/Projecten");
    QDir().mkpath(projects);
    if (geteuid() != 0 || QProcess::execute(QStringLiteral("mount"),
                                            {"-t", "tmpfs", "-o", "size=30m", "tmpfs", projects}) != 0)
        QSKIP("mounting a small tmpfs needs root and mount rights, which this machine does not give");
    struct Unmount
    {
        QString path;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
    } unmount{projects};

    const ProjectStore store{AppFolder(dir->path())};
    QString error;
    QVERIFY2(store.save(sheetPicture(3990, 1600, 3), QStringLiteral("oud"), &error), qPrintable(error));
    const QByteArray before = readAll(projects + QStringLiteral("/oud.krt"));
    // Leave 8 MB free: too little for a second sheet of 19 MB.
    {
        QFile filler(projects + QStringLiteral("/.vul"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(30 * 1024 * 1024 - before.size() - 8 * 1024 * 1024, 'x'));
    }

    ScriptedPrompter prompter;
    prompter.inputs << name;
    prompter.answers << true;
    QVERIFY(!ProjectCommands(store, prompter).save(sheetPicture()));
    const bool existed = name == u"oud";
    QCOMPARE(prompter.shown.size(), existed ? 3 : 2);
    QCOMPARE(prompter.shown.last().title, QStringLiteral("Error"));
    QCOMPARE(prompter.shown.last().text,
             texts::kSaveFailed.arg(QStringLiteral("De schijf is vol.")) + (existed ? texts::kUnchanged : QString()));
    QCOMPARE(readAll(projects + QStringLiteral("/oud.krt")), before);
    QCOMPARE(filesIn(projects), (QStringList{".vul", "oud.krt"}));
}

QTEST_GUILESS_MAIN(TestProjectStore)
#include "tst_projectstore.moc"
