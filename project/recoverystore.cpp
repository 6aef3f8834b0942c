#include "project/recoverystore.h"

#include "project/mastercompanion.h"
#include "sheet/cardsheet.h"
#include "surface/picturefile.h"
#include "surface/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <atomic>

namespace vellora {

namespace {

const QString kCopySuffix = QStringLiteral(".bmp");
const QString kLockSuffix = QStringLiteral(".lock");

QString lockPathOf(const QString &copy) { return copy.chopped(kCopySuffix.size()) + kLockSuffix; }

// A lock holds a few short lines. QLockFile opens one it finds without a time limit and reads its first line
// whole, so a link to /dev/zero, a FIFO or a sparse giant in the folder would hang every start; such names,
// and any link, are none of ours.
constexpr qint64 kLockMaxBytes = 4096;
// Copies are read only when they could be a sheet; a bigger one is not offered only to be refused.
constexpr qint64 kCopyMaxBytes =
    filelimits::forDecodedBytes(qint64(sheet::kWidthPixels) * sheet::kHeightPixels * 4);

bool isOurs(const QString &path, qint64 maxBytes)
{
    const EntryKind kind = entryKind(QFile::encodeName(path));
    return kind == EntryKind::RegularFile && QFileInfo(path).size() <= maxBytes;
}

// A free lock is taken at once: a live program holds its own, and waiting would only delay the start.
std::shared_ptr<QLockFile> tryLock(const QString &path)
{
    if (entryKind(QFile::encodeName(path)) != EntryKind::Missing && !isOurs(path, kLockMaxBytes))
        return nullptr;
    auto lock = std::make_shared<QLockFile>(path);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

struct RecoveryStore::Writer
{
    std::atomic<quint64> requested = 0; // the newest write, removal or restore asked for
    std::atomic<int> queued = 0;        // jobs given to the worker and not yet ended
};

namespace {

void removeCopy(const QString &path)
{
    QFile::remove(companion::pathBeside(path));
    QFile::remove(path);
}

} // namespace

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(std::move(folder)), m_writer(std::make_shared<Writer>()),
      m_sheetWriter(
          [](const QImage &sheet, const QString &path) { return PictureFile::saveBmp(sheet, path).ok(); })
{
}

RecoveryStore::~RecoveryStore() { waitForWrites(); }

Outcome RecoveryStore::claim()
{
    if (m_lock)
        return {};
    if (!QDir().mkpath(m_folder))
        return Outcome::failure(QCoreApplication::translate("Project", "De map %1 kan niet worden gemaakt.")
                                    .arg(QDir::toNativeSeparators(m_folder)));
    // Not the process id: a program started after a crash may get the crashed one's id, and its copy.
    const QString base = QDir(m_folder).filePath(QUuid::createUuid().toString(QUuid::Id128));
    auto lock = std::make_unique<QLockFile>(base + kLockSuffix);
    if (!lock->tryLock(0))
        return Outcome::failure(QCoreApplication::translate("Project", "De map %1 is niet beschrijfbaar.")
                                    .arg(QDir::toNativeSeparators(m_folder)));
    m_lock = std::move(lock);
    m_path = base + kCopySuffix;
    return {};
}

void RecoveryStore::afterWrites(std::function<void()> job)
{
    // Only this thread gives the worker jobs, so with none queued no worker touches the copy meanwhile.
    if (m_writer->queued.load() == 0) {
        job();
        return;
    }
    ++m_writer->queued;
    // No receiver: the window awaits no answer from the copy's thread.
    m_task.run(nullptr, [writer = m_writer, job = std::move(job)](std::stop_token, const TaskProgress &) {
        job();
        --writer->queued;
    }, [] {});
}

void RecoveryStore::write(const QImage &sheet, const PrintRecord &record)
{
    if (!m_lock)
        return;
    const quint64 generation = ++m_writer->requested;
    ++m_writer->queued;
    m_task.run(nullptr, [writer = m_writer, save = m_sheetWriter, path = m_path, sheet, record,
                         generation](std::stop_token, const TaskProgress &) {
        // The sheet first: a crash between the two leaves a record of the sheet before, which its hash
        // refuses. Overtaken on the way, the write stops: what overtook it is queued behind it and either
        // writes both or removes them.
        if (generation == writer->requested) {
            const bool saved = save(sheet, path);
            if (generation == writer->requested) {
                // A copy whose record could not be written still restores, and prints from its sheet.
                if (saved && !record.isEmpty())
                    (void)companion::write(path, record, PictureFile::bmpHash(sheet));
                else
                    QFile::remove(companion::pathBeside(path));
            }
        }
        --writer->queued;
    }, [] {});
}

void RecoveryStore::remove()
{
    if (!m_lock)
        return;
    ++m_writer->requested;
    afterWrites([path = m_path] { removeCopy(path); });
}

void RecoveryStore::waitForWrites() { m_task.waitForFinished(); }

std::vector<RecoveryStore::Leftover> RecoveryStore::leftovers() const
{
    std::vector<Leftover> found;
    const QDir folder(m_folder);
    const QFileInfoList copies = folder.entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files);
    for (const QFileInfo &copy : copies) {
        if (copy.absoluteFilePath() == QFileInfo(m_path).absoluteFilePath() ||
            !isOurs(copy.absoluteFilePath(), kCopyMaxBytes))
            continue;
        if (auto lock = tryLock(lockPathOf(copy.absoluteFilePath())))
            found.push_back({copy.absoluteFilePath(), copy.lastModified(), std::move(lock)});
    }
    for (const QString &name : folder.entryList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString lockPath = folder.filePath(name);
        if (QFileInfo::exists(lockPath.chopped(kLockSuffix.size()) + kCopySuffix))
            continue;
        if (auto lock = tryLock(lockPath)) {
            QFile::remove(companion::pathBeside(lockPath.chopped(kLockSuffix.size()) + kCopySuffix));
            lock->unlock(); // removes the file
        }
    }
    std::sort(found.begin(), found.end(), [](const Leftover &a, const Leftover &b) { return a.written > b.written; });
    return found;
}

Result<RecoveryStore::Work> RecoveryStore::restore(Leftover leftover)
{
    const Result<QImage> load =
        PictureFile::loadExactly(leftover.path, QSize(sheet::kWidthPixels, sheet::kHeightPixels));
    if (!load) {
        discard(std::move(leftover));
        return load.outcome();
    }
    const QString leftRecord = companion::pathBeside(leftover.path);
    const Result<PrintRecord> record = companion::read(QFile::encodeName(leftover.path));
    if (m_lock) {
        ++m_writer->requested;
        // Renamed, not copied: the work is on disk the whole time. The leftover's lock goes with the job.
        afterWrites([path = m_path, left = leftover.path, leftRecord, kept = record.ok(),
                     lock = std::move(leftover.lock)] {
            removeCopy(path);
            if (!QFile::rename(left, path))
                QFile::remove(left);
            if (!kept || !QFile::rename(leftRecord, companion::pathBeside(path)))
                QFile::remove(leftRecord);
        });
    } else {
        QFile::remove(leftRecord);
        QFile::remove(leftover.path);
    }
    return Work{*load, record.value_or(PrintRecord())};
}

void RecoveryStore::discard(Leftover leftover)
{
    QFile::remove(companion::pathBeside(leftover.path));
    QFile::remove(leftover.path);
    leftover.lock.reset(); // unlocks, which removes the lock file
}

} // namespace vellora
