#pragma once

#include "surface/outcome.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

namespace vellora {

// The file sizes a reader accepts before it reads a byte: more than a picture of the budget could take up,
// with room for headers and metadata, is not a picture the program will use.
namespace filelimits {
inline constexpr qint64 kSlackBytes = 4ll * 1024 * 1024;
constexpr qint64 forDecodedBytes(qint64 decodedBytes) { return decodedBytes + kSlackBytes; }
} // namespace filelimits

// A file opened for reading only once it has shown itself to be a regular file (links followed) of at most
// maxBytes. Links to devices or FIFOs, directories and sparse giants are refused before anything is read, and
// opening never waits: a FIFO would otherwise block the window until someone writes to it.
class RegularFile
{
public:
    RegularFile(const QString &path, qint64 maxBytes);
    // For names exactly as the file system holds them, which need not be valid UTF-8.
    RegularFile(const QByteArray &nativePath, qint64 maxBytes);

    bool isOpen() const { return m_file.isOpen(); }
    const QString &error() const { return m_error; }

    QByteArray peek(qint64 length) { return isOpen() ? m_file.peek(length) : QByteArray(); }
    // Up to `length` bytes more, as QIODevice::read gives them: -1 on an error.
    qint64 read(char *into, qint64 length) { return isOpen() ? m_file.read(into, length) : -1; }
    // The whole file; empty with an error when it has grown beyond the limit since it was opened.
    QByteArray readAll();
    qint64 maxBytes() const { return m_maxBytes; }

private:
    QFile m_file;
    QString m_error;
    qint64 m_maxBytes;
};

// What a name in a folder is, without following a link: only a regular file may be replaced on save.
enum class EntryKind { Missing, RegularFile, Other };
EntryKind entryKind(const QByteArray &nativePath);

// One name in a folder, as shown and as the file system holds it.
struct FolderEntry
{
    QString name;         // decoded for display; undecodable bytes show as replacement characters
    QByteArray native;    // the folder and the exact bytes of the name, to open the file by
    bool regular = false; // a regular file, or a link to one
};
// Everything in a folder but "." and "..", in the order the system lists it. Nothing is opened to find out
// what an entry is.
std::vector<FolderEntry> folderEntries(const QString &folder);

// Whether two names lead to one file (the same name, hard links, a name through a folder link).
bool sameFile(const QByteArray &nativeA, const QByteArray &nativeB);

// A kind of document as its first bytes show it, with its name for messages: {"%PDF-", "PDF"}.
struct DocumentKind
{
    QByteArray signature;
    QString name;
};

// Whether a document of this kind may take a name, or the refusal, in Dutch. Only a free name, or a
// regular file that already is such a document, may be written over: never a link (whatever it leads to), a
// folder, a device or a FIFO, nor a file of another kind, such as a project.
Outcome replaceRefusal(const QByteArray &nativePath, const DocumentKind &kind);

// All of `bytes` into the open descriptor, synced to the disk, and the descriptor closed, whatever happens:
// 0, or the errno of the first failure. A short write or a failing sync is never taken for success.
int writeSyncedAndClose(int fd, const QByteArray &bytes);

// The same with the sync left for later: the disk is set writing at once, and syncedFile() waits for it.
// Many files written so and synced together cost the disk one commit rather than one each.
int writeStartedAndClose(int fd, const QByteArray &bytes);
// The file at `nativePath` (no link followed) synced to the disk: 0, or the errno of the failure.
int syncedFile(const QByteArray &nativePath);

// Writes a document under a name exactly as the file system holds it (it need not be valid UTF-8), whole or
// not at all: it is written and synced beside the old file under a passing name, then takes the name in one
// step, once replaceRefusal has allowed that again. A failed write leaves the folder as it was.
Outcome writeWhole(const QByteArray &nativePath, const QByteArray &bytes, const DocumentKind &kind);

// Dutch words for why a file could not be written, from the system's own message for it; the system's
// message when it is none of the common reasons.
QString writeFailureReason(const QString &systemMessage);

// A write beyond the user's file-size limit fails with its reason instead of ending the process, which would
// take the unsaved deck with it.
void failWritesBeyondTheSizeLimit();

} // namespace vellora
