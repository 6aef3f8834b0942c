#pragma once

#include "sheet/printmaster.h"
#include "surface/backgroundtask.h"
#include "surface/outcome.h"

#include <QDateTime>
#include <QImage>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellora {

// Copies of unsaved work that outlive a crash, in a folder of the user's own. Each running program claims
// a file of its own, guarded by a lock file that the system releases when the program dies, so two programs
// never write or offer each other's copy, and a copy whose lock is free was left by a program that is gone.
class RecoveryStore
{
public:
    explicit RecoveryStore(QString folder);
    ~RecoveryStore(); // waits for a write still going; leaves the copy, removes the lock
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // Makes the folder and takes this program's lock. Nothing is written before.
    Outcome claim();
    // This program's copy.
    QString path() const { return m_path; }

    // The work a copy holds: the sheet, and the print master's record when there is one.
    struct Work
    {
        QImage sheet;
        PrintRecord record;
    };

    // Writes a copy of the work on a worker thread; the caller's thread only shares the pictures. The record
    // goes beside the sheet as a companion of it, so one left from an earlier write is never taken for this
    // sheet's. A newer write or a removal makes an older write stand down: one not started yet does nothing,
    // one that has written its sheet writes no companion.
    void write(const QImage &sheet, const PrintRecord &record = {});
    // Removes this program's copy. Returns at once: with a write still going, the removal follows it on the
    // worker, so the caller never waits out a 19 MB write.
    void remove();
    void waitForWrites();

    // How a copy's sheet is written; tests hold a write in the middle with one that waits.
    using SheetWriter = std::function<bool(const QImage &sheet, const QString &path)>;
    void setSheetWriter(SheetWriter writer) { m_sheetWriter = std::move(writer); }

    // A copy left by a program that is no longer running. Holding it holds its lock, so no other program
    // offers it meanwhile.
    struct Leftover
    {
        QString path;
        QDateTime written;
        std::shared_ptr<QLockFile> lock;
    };
    // Newest first. Lock files that guard nothing any more are removed on the way.
    std::vector<Leftover> leftovers() const;
    // The leftover's work, which becomes this program's copy (after any write still going, without waiting
    // for it). A damaged copy is refused and removed; a record that is missing or not of that sheet is left
    // out.
    Result<Work> restore(Leftover leftover);
    // Removes a leftover nobody wants.
    static void discard(Leftover leftover);

private:
    struct Writer; // what the worker thread shares
    // Runs `job` on the worker after what is queued there, or here at once when nothing is.
    void afterWrites(std::function<void()> job);

    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    std::shared_ptr<Writer> m_writer;
    SheetWriter m_sheetWriter;
    // One thread: writes, removals and restores keep the order they were asked in.
    BackgroundTask m_task;
};

} // namespace vellora
