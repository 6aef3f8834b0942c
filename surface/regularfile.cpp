#include "surface/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace vellora {

namespace {

QString openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QCoreApplication::translate("Surface", "Het bestand bestaat niet.");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("Surface", "Geen toestemming om dit bestand te lezen.");
    case ELOOP:
        return QCoreApplication::translate("Surface", "Het bestand verwijst naar zichzelf.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString notAFile()
{
    return QCoreApplication::translate("Surface", "Dit is geen gewoon bestand.");
}
QString tooLarge()
{
    return QCoreApplication::translate("Surface", "Het bestand is te groot.");
}

} // namespace

RegularFile::RegularFile(const QString &path, qint64 maxBytes) : RegularFile(QFile::encodeName(path), maxBytes) {}

RegularFile::RegularFile(const QByteArray &nativePath, qint64 maxBytes) : m_maxBytes(maxBytes)
{
    // Judged before opening, so that a device is never opened at all, and again on the open descriptor, in
    // case the name was switched in between.
    struct stat before {};
    if (::stat(nativePath.constData(), &before) != 0) {
        m_error = openFailure(errno);
        return;
    }
    if (!S_ISREG(before.st_mode)) {
        m_error = notAFile();
        return;
    }
    if (before.st_size > maxBytes) {
        m_error = tooLarge();
        return;
    }
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        m_error = openFailure(errno);
        return;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > maxBytes) {
        m_error = S_ISREG(opened.st_mode) ? tooLarge() : notAFile();
        ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        m_error = m_file.errorString();
        ::close(fd);
    }
}

QByteArray RegularFile::readAll()
{
    if (!isOpen())
        return {};
    // QIODevice::read(n) sets aside all n bytes before it reads one, and the limit may be far above the file.
    // The size seen at opening is the first guess; a file that has grown since gets more room, up to one byte
    // past the limit, which is how growth beyond it shows.
    QByteArray bytes(std::min(m_file.size(), m_maxBytes) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        const qint64 got = m_file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            m_error = m_file.errorString();
            return {};
        }
        filled += got;
        if (filled > m_maxBytes) {
            m_error = tooLarge();
            return {};
        }
        if (got == 0)
            break;
        if (filled == bytes.size())
            bytes.resize(std::min(bytes.size() * 2, m_maxBytes + 1));
    }
    bytes.truncate(filled);
    return bytes;
}

EntryKind entryKind(const QByteArray &nativePath)
{
    struct stat info {};
    if (::lstat(nativePath.constData(), &info) != 0)
        return errno == ENOENT ? EntryKind::Missing : EntryKind::Other;
    return S_ISREG(info.st_mode) ? EntryKind::RegularFile : EntryKind::Other;
}

std::vector<FolderEntry> folderEntries(const QString &folder)
{
    std::vector<FolderEntry> entries;
    const QByteArray nativeFolder = QFile::encodeName(QDir::cleanPath(folder));
    DIR *dir = ::opendir(nativeFolder.constData());
    if (!dir)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray native = nativeFolder + '/' + name;
        // The listing's own type where it gives one; a link is followed with stat, so that a link to a
        // regular file counts as one.
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            regular = ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode);
        }
        entries.push_back({QFile::decodeName(name), native, regular});
    }
    ::closedir(dir);
    return entries;
}

bool sameFile(const QByteArray &nativeA, const QByteArray &nativeB)
{
    struct stat a {}, b {};
    return ::stat(nativeA.constData(), &a) == 0 && ::stat(nativeB.constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Outcome replaceRefusal(const QByteArray &nativePath, const DocumentKind &kind)
{
    struct stat info {};
    if (::lstat(nativePath.constData(), &info) != 0) {
        // A missing folder is left to the write, which says so in its own words.
        return errno == ENOENT
                   ? Outcome()
                   : Outcome::refusal(writeFailureReason(QString::fromLocal8Bit(std::strerror(errno))));
    }
    // Writing through a link would replace whatever it leads to, and replacing the link loses it.
    if (S_ISLNK(info.st_mode))
        return Outcome::refusal(
            QCoreApplication::translate("Surface", "Dit is een koppeling, geen gewoon bestand."));
    if (S_ISDIR(info.st_mode))
        return Outcome::refusal(QCoreApplication::translate("Surface", "Dit is een map."));
    if (!S_ISREG(info.st_mode))
        return Outcome::refusal(notAFile());
    RegularFile file(nativePath, std::numeric_limits<qint64>::max());
    if (!file.isOpen())
        return Outcome::refusal(file.error());
    if (file.peek(kind.signature.size()) != kind.signature)
        return Outcome::refusal(
            QCoreApplication::translate("Surface", "Dit bestand is geen %1.").arg(kind.name));
    return {};
}

namespace {

int writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR)
            return n == 0 ? EIO : errno;
    }
    return 0;
}

int closed(int fd, int failure)
{
    if (::close(fd) != 0 && !failure)
        failure = errno;
    return failure;
}

} // namespace

int writeSyncedAndClose(int fd, const QByteArray &bytes)
{
    int failure = writeAll(fd, bytes);
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    return closed(fd, failure);
}

int writeStartedAndClose(int fd, const QByteArray &bytes)
{
    const int failure = writeAll(fd, bytes);
    // Only a hint: whatever it leaves undone, syncedFile() does.
    if (!failure)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    return closed(fd, failure);
}

int syncedFile(const QByteArray &nativePath)
{
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno;
    return closed(fd, ::fsync(fd) != 0 ? errno : 0);
}

Outcome writeWhole(const QByteArray &nativePath, const QByteArray &bytes, const DocumentKind &kind)
{
    const auto systemFailure = [](int code) {
        return Outcome::failure(writeFailureReason(QString::fromLocal8Bit(std::strerror(code))), {},
                                Outcome::Failure::NotWritten);
    };
    if (Outcome refusal = replaceRefusal(nativePath, kind); !refusal)
        return refusal;

    // A short passing name, so that a name just within the system's limit can still be written.
    const QByteArray folder = nativePath.left(nativePath.lastIndexOf('/') + 1);
    QByteArray passing;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        passing = folder + ".vellora-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
        fd = ::open(passing.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return systemFailure(errno);
    }
    if (fd < 0)
        return systemFailure(EEXIST);
    // A replaced document keeps who may read it.
    if (struct stat old{}; ::stat(nativePath.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    int failure = writeSyncedAndClose(fd, bytes);
    // The name may have become something else while the document was being written.
    const Outcome refusal = failure ? Outcome() : replaceRefusal(nativePath, kind);
    if (!failure && refusal && ::rename(passing.constData(), nativePath.constData()) != 0)
        failure = errno;
    if (!failure && refusal)
        return {};
    ::unlink(passing.constData());
    return refusal ? systemFailure(failure) : refusal.as(Outcome::Failure::NotWritten);
}

QString writeFailureReason(const QString &systemMessage)
{
    static const struct
    {
        int error;
        const char *text;
    } reasons[] = {
        {ENOSPC, QT_TRANSLATE_NOOP("Surface", "De schijf is vol.")},
        {EDQUOT, QT_TRANSLATE_NOOP("Surface", "De schijf is vol: uw deel van de schijfruimte is op.")},
        {EACCES, QT_TRANSLATE_NOOP("Surface", "Geen toestemming om hier te schrijven.")},
        {EPERM, QT_TRANSLATE_NOOP("Surface", "Geen toestemming om hier te schrijven.")},
        {EROFS, QT_TRANSLATE_NOOP("Surface", "Op deze schijf kan alleen gelezen worden.")},
        {ENAMETOOLONG, QT_TRANSLATE_NOOP("Surface", "De naam is te lang.")},
        {ENOENT, QT_TRANSLATE_NOOP("Surface", "De map bestaat niet (meer).")},
        {EIO, QT_TRANSLATE_NOOP("Surface", "De schijf meldt een lees- of schrijffout.")},
        {EFBIG, QT_TRANSLATE_NOOP("Surface", "Het bestand wordt groter dan hier mag.")},
    };
    // The message may come from the system or from Qt, which words the common errors itself and translates
    // them with its own catalogue, so that the two differ in any language but English.
    for (const auto &reason : reasons) {
        for (const QString &system : {QString::fromLocal8Bit(std::strerror(reason.error)), qt_error_string(reason.error)})
            if (systemMessage.contains(system, Qt::CaseInsensitive))
                return QCoreApplication::translate("Surface", reason.text);
    }
    return systemMessage;
}

void failWritesBeyondTheSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace vellora
