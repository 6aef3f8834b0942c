#pragma once

#include "surface/photoloader.h"
#include "surface/backgroundtask.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vellora {

// Decodes the photos the user picks on a thread of its own, one at a time: a HEIC decode cannot be stopped
// once it runs. Only the newest pick is delivered; a pick overtaken while it decodes is dropped when it ends,
// so no stale photo ever shows. A photo that cannot be read is not delivered at all.
//
// The memory budget counts the photo shown: it stays until the new one is delivered, and nothing else decodes
// beside the one decode, so `shownBytes` given with a pick still holds when its decode starts.
class PhotoWorker : public QObject
{
    Q_OBJECT
public:
    using Decoder = std::function<PhotoLoad(const QString &path, qint64 shownBytes)>;

    explicit PhotoWorker(QObject *parent = nullptr);
    // A decode still running finishes on its own thread; the window does not wait for it.
    ~PhotoWorker() override;

    // The real loader unless replaced; tests hold the worker with a decoder that waits.
    void setDecoder(Decoder decoder) { m_decoder = std::move(decoder); }
    void pick(const QString &path, qint64 shownBytes);
    bool busy() const { return m_running; }

Q_SIGNALS:
    void loaded(const QString &path, const PhotoLoad &photo); // the newest pick, read
    void idle();                                              // nothing decodes or waits any more

private:
    struct Pick
    {
        QString path;
        qint64 shownBytes = 0;
    };
    void start(const Pick &pick);
    void finished(PhotoLoad photo);

    Decoder m_decoder;
    // One niced thread: a HEIC of tiles decodes on libheif's threads, which inherit its niceness, so the
    // decode takes only what the window leaves of the cores.
    std::unique_ptr<BackgroundTask> m_task;
    QString m_path;             // the pick decoding now
    std::optional<Pick> m_next; // the newest pick, waiting for the decode before it
    bool m_running = false;
};

} // namespace vellora
