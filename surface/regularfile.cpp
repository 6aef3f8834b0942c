#include "surface/regularfile.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellora {

namespace {

QString openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Het bestand bestaat niet.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Geen toestemming om dit bestand te lezen.");
    case ELOOP:
        return QStringLiteral("Het bestand verwijst naar zichzelf.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

const QString kNotAFile = QStringLiteral("Dit is geen gewoon bestand.");
const QString kTooLarge = QStringLiteral("Het bestand is te groot.");

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
        m_error = kNotAFile;
        return;
    }
    if (before.st_size > maxBytes) {
        m_error = kTooLarge;
        return;
    }
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        m_error = openFailure(errno);
        return;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > maxBytes) {
        m_error = S_ISREG(opened.st_mode) ? kTooLarge : kNotAFile;
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
    QByteArray bytes = m_file.read(m_maxBytes + 1);
    if (bytes.size() > m_maxBytes) {
        m_error = kTooLarge;
        return {};
    }
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

QString writeFailureReason(const QString &systemMessage)
{
    static const struct
    {
        int error;
        const char *dutch;
    } reasons[] = {
        {ENOSPC, "De schijf is vol."},
        {EDQUOT, "De schijf is vol: uw deel van de schijfruimte is op."},
        {EACCES, "Geen toestemming om hier te schrijven."},
        {EPERM, "Geen toestemming om hier te schrijven."},
        {EROFS, "Op deze schijf kan alleen gelezen worden."},
        {ENAMETOOLONG, "De naam is te lang."},
        {ENOENT, "De map bestaat niet (meer)."},
        {EIO, "De schijf meldt een lees- of schrijffout."},
    };
    for (const auto &reason : reasons) {
        const QString system = QString::fromLocal8Bit(std::strerror(reason.error));
        if (systemMessage.contains(system, Qt::CaseInsensitive))
            return QString::fromUtf8(reason.dutch);
    }
    return systemMessage;
}

} // namespace vellora
