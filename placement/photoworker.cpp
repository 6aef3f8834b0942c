#include "placement/photoworker.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/resource.h>
#include <unistd.h>

namespace vellora {

namespace {

// A HEIC of tiles decodes on four threads of libheif's, which take the niceness of the thread that starts
// them. Unniced they share two cores alike with the window's thread, which then waits its turn behind them;
// niced, the decode takes only what the window leaves.
void yieldToWindow()
{
#ifdef __linux__
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
#endif
}

} // namespace

PhotoWorker::PhotoWorker(QObject *parent)
    : QObject(parent),
      m_decoder([](const QString &path, qint64 shown) { return PhotoLoader::load(path, shown); }),
      m_pool(std::make_unique<QThreadPool>())
{
    m_pool->setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcher<PhotoLoad>::finished, this, &PhotoWorker::finished);
}

PhotoWorker::~PhotoWorker()
{
    if (!m_running)
        return;
    // Closing the dialog must not wait seconds for a decode nobody will see: the pool goes once it is done.
    QThreadPool *pool = m_pool.release();
    m_watcher.future().then(QCoreApplication::instance(), [pool](const PhotoLoad &) { delete pool; });
}

void PhotoWorker::pick(const QString &path, qint64 shownBytes)
{
    if (m_running) {
        m_next = Pick{path, shownBytes};
        return;
    }
    start(Pick{path, shownBytes});
}

void PhotoWorker::start(const Pick &pick)
{
    m_running = true;
    m_path = pick.path;
    m_watcher.setFuture(QtConcurrent::run(m_pool.get(), [decoder = m_decoder, pick] {
        yieldToWindow();
        return decoder(pick.path, pick.shownBytes);
    }));
}

void PhotoWorker::finished()
{
    QFuture<PhotoLoad> future = m_watcher.future();
    PhotoLoad photo = future.resultCount() > 0 ? future.takeResult() : PhotoLoad{};
    if (m_next) {
        // Overtaken: its pixels go before the next decode counts on the budget.
        photo = {};
        start(*std::exchange(m_next, std::nullopt));
        return;
    }
    m_running = false;
    if (photo.ok())
        Q_EMIT loaded(m_path, photo);
    Q_EMIT idle();
}

} // namespace vellora
