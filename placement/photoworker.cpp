#include "placement/photoworker.h"

namespace vellora {

PhotoWorker::PhotoWorker(QObject *parent)
    : QObject(parent),
      m_decoder([](const QString &path, qint64 shown) { return PhotoLoader::load(path, shown); }),
      m_task(std::make_unique<BackgroundTask>(BackgroundTask::Options{1, true}))
{
}

PhotoWorker::~PhotoWorker()
{
    // Closing the dialog must not wait seconds for a decode nobody will see: the task goes once it is done.
    if (m_running)
        BackgroundTask::release(std::move(m_task));
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
    m_task->run(this, [decoder = m_decoder, pick](std::stop_token, const TaskProgress &) {
        return decoder(pick.path, pick.shownBytes);
    }, [this](PhotoLoad photo) { finished(std::move(photo)); });
}

void PhotoWorker::finished(PhotoLoad photo)
{
    if (m_next) {
        // Overtaken: its pixels go before the next decode counts on the budget.
        photo = Outcome::calledOff();
        start(*std::exchange(m_next, std::nullopt));
        return;
    }
    m_running = false;
    if (photo.ok())
        Q_EMIT loaded(m_path, photo);
    Q_EMIT idle();
}

} // namespace vellora
