#include "surface/orderedwork.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace vellora {

namespace {

enum class Piece : char
{
    Waiting,
    Made,
    Left // not made: stopped, or an earlier piece failed
};

struct Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Piece> pieces;
    std::exception_ptr failure;
    bool over = false; // nothing more is begun
};

// One piece on one of the threads, unless the work is over or stopped; a throw ends the work.
void makePiece(Shared &shared, const std::function<void(int)> &make, const std::stop_token &stop, int i)
{
    bool begin;
    {
        const std::lock_guard lock(shared.mutex);
        begin = !shared.over && !stop.stop_requested();
    }
    std::exception_ptr failure;
    if (begin) {
        try {
            make(i);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    const std::lock_guard lock(shared.mutex);
    if (failure && !shared.failure)
        shared.failure = failure;
    shared.over = shared.over || failure;
    shared.pieces[std::size_t(i)] = begin && !failure ? Piece::Made : Piece::Left;
    shared.changed.notify_all();
}

} // namespace

bool makeInOrder(int count, const std::function<void(int)> &make, const std::function<bool(int)> &take,
                 std::stop_token stop, OrderedWork options)
{
    if (count <= 0)
        return true;
    const int threads = options.threads > 0 ? options.threads : std::max(1, QThread::idealThreadCount());
    const int ahead = std::max(threads, options.ahead > 0 ? options.ahead : 2 * threads);
    Shared shared;
    shared.pieces.assign(std::size_t(count), Piece::Waiting);
    const auto piece = [&](int i) { makePiece(shared, make, stop, i); };
    // Declared after what its threads use, so it waits for them before that goes, however this returns.
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    struct EndsFirst
    {
        Shared &shared;
        QThreadPool &pool;
        ~EndsFirst()
        {
            {
                const std::lock_guard lock(shared.mutex);
                shared.over = true;
            }
            pool.waitForDone();
        }
    } endsFirst{shared, pool};
    int begun = 0;
    const auto beginUpTo = [&](int end) {
        for (; begun < std::min(end, count); ++begun)
            pool.start([&piece, i = begun] { piece(i); });
    };
    beginUpTo(ahead);
    for (int i = 0; i < count; ++i) {
        {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait(lock, [&] { return shared.pieces[std::size_t(i)] != Piece::Waiting; });
            if (shared.pieces[std::size_t(i)] != Piece::Made || stop.stop_requested())
                break;
        }
        if (!take(i))
            return false;
        beginUpTo(i + 1 + ahead);
        if (i + 1 == count)
            return true;
    }
    // A piece was left: wait for the ones under way, then say why.
    {
        const std::lock_guard lock(shared.mutex);
        shared.over = true;
    }
    pool.waitForDone();
    if (shared.failure)
        std::rethrow_exception(shared.failure);
    return false;
}

} // namespace vellora
