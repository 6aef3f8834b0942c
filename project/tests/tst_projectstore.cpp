#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "surface/picturefile.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QTest>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace vellora;
using namespace Qt::StringLiterals;
using test::gradientPicture;
using test::imageFile;
using Typed = std::optional<QString>;

namespace {

// Everything under a folder with its size, to show that nothing was written anywhere.
QStringList snapshot(const QString &folder)
{
    QStringList all;
    const auto filter = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    for (const QFileInfo &info : QDir(folder).entryInfoList(filter, QDir::Name))
        all << info.fileName() + u' ' + QString::number(info.isSymLink() ? -1 : info.size());
    return all;
}

// An application folder, with an empty Projecten unless told otherwise, and a prompter the test scripts.
struct Fixture
{
    std::unique_ptr<QTemporaryDir> dir = test::emptyAppFolder();
    ProjectStore store{AppFolder(dir->path())};
    test::ScriptedPrompter prompter;
    explicit Fixture(bool withProjects = true)
    {
        if (withProjects)
            QDir(dir->path()).mkpath(u"Projecten"_s);
    }
    QString projects() const { return dir->path() + u"/Projecten"_s; }
    bool save(const QImage &sheet) { return ProjectCommands(store, prompter).save(sheet); }
    std::optional<QImage> open(const QString &name) { return ProjectCommands(store, prompter).open(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QVERIFY(test::writeBytes(projects() + u'/' + name, bytes));
    }
    QStringList shownFrom(qsizetype first) const
    {
        QStringList texts;
        for (const auto &box : prompter.shown.mid(first))
            texts << box.text;
        return texts;
    }
};

} // namespace

class TestProjectStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Kept as typed, ".krt" appended; a project of that name in any case is replaced only after Yes, under
    // its own file name; a save stopped short (as on a full disk) says why and keeps the old project.
    void save_data()
    {
        QTest::addColumn<QString>("existing"); // a project already in Projecten
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes"); // the answer to the overwrite question
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("file"); // the one file in Projecten afterwards
        QTest::newRow("blanks kept") << QString() << u"  feest  "_s << false << false << u"  feest  .krt"_s;
        QTest::newRow("extension appended") << QString() << u"x.krt"_s << false << false << u"x.krt.krt"_s;
        QTest::newRow("same name, No") << u"Test.krt"_s << u"Test"_s << false << false << u"Test.krt"_s;
        QTest::newRow("other case, Yes") << u"Test.krt"_s << u"test"_s << true << false << u"Test.krt"_s;
        QTest::newRow("disk full, Yes") << u"oud.krt"_s << u"oud"_s << true << true << u"oud.krt"_s;
        QTest::newRow("disk full, new name") << QString() << u"nieuw"_s << false << true << QString();
    }

    void save()
    {
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(bool, full);
        QFETCH(QString, file);
        Fixture f;
        const QImage old = gradientPicture(3990, 1600, 7), sheet = gradientPicture(3990, 1600);
        if (!existing.isEmpty())
            f.write(existing, imageFile(old, "bmp"));
        f.prompter.inputs << typed;
        f.prompter.answers << yes;
        const bool written = (existing.isEmpty() || yes) && !full;
        QCOMPARE(test::withFileSizeLimit(full ? 1 << 20 : RLIM_INFINITY, [&] { return f.save(sheet); }),
                 written);
        QStringList shown;
        if (!existing.isEmpty())
            shown << "Naam bestaat reeds, overschrijven?";
        if (full)
            shown << texts::saveFailed().arg(u"Het bestand wordt groter dan hier mag."_s) +
                         (existing.isEmpty() ? QString() : texts::unchanged());
        QCOMPARE(f.shownFrom(1), shown);
        QCOMPARE(QDir(f.projects()).entryList(QDir::Files | QDir::Hidden),
                 file.isEmpty() ? QStringList() : QStringList{file});
        if (!file.isEmpty()) {
            QVERIFY(test::readBytes(f.projects() + u'/' + file).startsWith("BM"));
            const auto opened = f.open(file.chopped(4));
            QVERIFY(opened);
            QCOMPARE(test::firstDifference(*opened, written ? sheet : old), QString());
        }
    }

    void saveRefusesAndWritesNothing_data()
    {
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<QString>("kind");  // what stands at Projecten/Naam.krt; "none": no Projecten at all
        QTest::addColumn<QString>("error"); // shown after the name box
        QTest::newRow("cancel") << Typed() << QString() << QString();
        QTest::newRow("blanks only") << Typed(u"   "_s) << QString() << QString();
        for (const char *bad : {"../../etc/x", "a\\b", ".", "..", "a\tb"})
            QTest::addRow("unusable: %s", bad)
                << Typed(QString::fromLatin1(bad)) << QString() << texts::unusableName();
        QTest::newRow("no Projecten folder")
            << Typed(u"naam"_s) << u"none"_s << texts::saveFailed().arg(u"De map Projecten ontbreekt."_s);
        // Never through a link, even a dangling one, nor onto what is no plain file, whatever the answer.
        for (const char *kind : {"dangling", "outside", "fifo", "dir"})
            QTest::addRow("occupied: %s", kind)
                << Typed(u"naam"_s) << QString::fromLatin1(kind) << texts::occupied().arg(u"naam"_s);
    }

    void saveRefusesAndWritesNothing()
    {
        QFETCH(Typed, typed);
        QFETCH(QString, kind);
        QFETCH(QString, error);
        Fixture f(kind != u"none");
        QTemporaryDir scratch;
        if (!kind.isEmpty() && kind != u"none")
            QVERIFY2(test::makeSpecialFile(kind, f.projects() + u"/Naam.krt"_s, scratch.path()),
                     "this machine does not let the test make that kind of file");
        const auto all = [&] {
            return snapshot(f.dir->path()) + snapshot(f.projects()) + snapshot(scratch.path());
        };
        const QStringList before = all();
        f.prompter.inputs << typed;
        f.prompter.answers << true; // were the overwrite question asked, it would be answered Yes
        QVERIFY(!f.save(gradientPicture(20, 20)));
        QCOMPARE(f.shownFrom(1), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(all(), before);
    }

    // Whatever cannot be read is refused in the picture tests, every kind of it; here the store's own cases.
    void openRefusesWhatIsNoSheet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name"); // one of makeSpecialFile's kinds makes that in place of the bytes
        QTest::newRow("one column short") << imageFile(gradientPicture(3989, 1600), "bmp") << u"smal"_s;
        QTest::newRow("one row too many") << imageFile(gradientPicture(3990, 1601), "bmp") << u"hoog"_s;
        QTest::newRow("no entry chosen") << imageFile(gradientPicture(3990, 1600), "bmp") << QString();
        QTest::newRow("file gone") << QByteArray() << u"weg"_s;
        // No regular file is read at all (a FIFO would freeze open() for good); the picture tests refuse the
        // rest.
        for (const char *special : {"fifo", "dir"})
            QTest::addRow("special: %s", special) << QByteArray() << QString::fromLatin1(special);
    }

    void openRefusesWhatIsNoSheet()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        Fixture f;
        QTemporaryDir scratch;
        const QString path = f.projects() + u'/' + name + u".krt"_s;
        if (QByteArray(QTest::currentDataTag()).startsWith("special"))
            QVERIFY(test::makeSpecialFile(name, path, scratch.path()));
        else if (name != u"weg")
            QVERIFY(test::writeBytes(path, bytes));
        QVERIFY(!f.open(name));
        QCOMPARE(f.shownFrom(0), QStringList{"Géén orginele Vellora!"});
    }

    // Listed by the whole file name, as a file list shows them: blank, hyphen, then the dot of ".krt". What
    // is no regular file is left out; what other programs wrote opens: a name in Latin-1, a JPEG.
    void listsAndOpensWhatIsThere()
    {
        Fixture f;
        for (const char *name : {"b.krt", "a.krt", "a-b.krt", "A b.krt", " c .krt", "notes.txt", ".krt"})
            f.write(QString::fromLatin1(name), "x");
        QTemporaryDir scratch;
        for (const char *special : {"dir", "zero", "fifo", "dangling"})
            QVERIFY(test::makeSpecialFile(QString::fromLatin1(special),
                                          f.projects() + u'/' + special + ".krt", scratch.path()));
        const QImage sheet = gradientPicture(3990, 1600);
        f.write(u"X.KRT"_s, imageFile(sheet, "jpeg"));
        f.write(u"latin1"_s, imageFile(sheet, "bmp"));
        const QByteArray latin1 = QFile::encodeName(f.projects()) + "/caf\xe9.krt";
        QCOMPARE(::rename(QFile::encodeName(f.projects() + u"/latin1"_s).constData(), latin1.constData()), 0);
        const QStringList names = f.store.names();
        QCOMPARE(names, (QStringList{" c ", "A b", "a-b", "a", "b", u"caf\ufffd"_s, "X"}));
        const auto latin1Sheet = f.open(names[5]), jpegSheet = f.open(u"x"_s);
        ::unlink(latin1.constData()); // QTemporaryDir cannot remove a name it cannot decode
        QVERIFY(f.prompter.shown.isEmpty());
        QCOMPARE(test::firstDifference(*latin1Sheet, sheet), QString());
        QCOMPARE(jpegSheet->size(), sheet.size());
    }

    // Where a save lands for each state of the program folder's Projecten, and that listing and opening read
    // the same folder the save wrote to.
    void saveLandsWhereTheUserMayWrite_data()
    {
        QTest::addColumn<QString>("projecten"); // what the program folder holds under that name
        QTest::addColumn<bool>("inUserFolder");
        QTest::newRow("writable folder") << u"folder"_s << false;
        QTest::newRow("other letter case") << u"PROJECTEN"_s << false;
        QTest::newRow("read-only folder") << u"read-only"_s << true;
        QTest::newRow("no Projecten") << QString() << true;
        QTest::newRow("a file in its place") << u"file"_s << true;
    }

    void saveLandsWhereTheUserMayWrite()
    {
        QFETCH(QString, projecten);
        QFETCH(bool, inUserFolder);
        if (projecten == u"read-only" && geteuid() == 0) {
            const QString failed = test::rerunAsNobody();
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
            return;
        }
        Fixture f(false);
        const QString own = f.dir->filePath(projecten == u"PROJECTEN" ? projecten : u"Projecten"_s);
        if (projecten == u"file")
            QVERIFY(test::writeBytes(own, {}));
        else if (!projecten.isEmpty())
            QVERIFY(QDir().mkpath(own));
        if (projecten == u"read-only") {
            QVERIFY(QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                   QFile::ExeOther));
            QVERIFY(!QFileInfo(own).isWritable());
        }
        QTemporaryDir home;
        const ProjectStore store(AppFolder(f.dir->path()), home.filePath(u"data"_s));
        const Outcome saved = store.save(gradientPicture(3990, 1600), u"a b"_s);
        QVERIFY2(saved, qPrintable(saved.reason()));
        const QString folder = inUserFolder ? home.filePath(u"data/Projecten"_s) : own;
        QVERIFY2(QFileInfo(folder + u"/a b.krt"_s).isFile(), qPrintable(folder));
        QCOMPARE(QFileInfo::exists(own + u"/a b.krt"_s), !inUserFolder);
        QCOMPARE(store.names(), QStringList{"a b"});
        QVERIFY(store.open(u"a b"_s));
        QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestProjectStore)
#include "tst_projectstore.moc"
