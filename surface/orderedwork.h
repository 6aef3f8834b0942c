#pragma once

#include <functional>
#include <stop_token>
#include <utility>
#include <vector>

namespace vellora {

// One piece of work in many pieces made side by side and used in their order, as a file written card by
// card is: each piece is made on threads of the work's own (never Qt's global pool, whose threads a window
// may wait for), and taken on the calling thread, the first piece first. No more than `ahead` pieces are made
// before they are taken, so large pieces cost a few of them in memory, not all.
struct OrderedWork
{
    int threads = 0; // 0: one a core
    int ahead = 0;   // 0: twice the threads; never fewer than the threads
};

// `make(i)` for each i below `count` on the work's threads; `take(i)` on this thread, in the order of i, each
// after its make has ended. True when every piece was taken. False when the stop was asked for (no piece is
// begun or taken after it, and the ones under way end first) or take() answered false. What a make throws is
// thrown here, after the threads have ended; no piece after it is taken.
bool makeInOrder(int count, const std::function<void(int)> &make, const std::function<bool(int)> &take,
                 std::stop_token stop = {}, OrderedWork options = {});

// The same with the piece handed over: `make(i)` returns it, `take(i, piece)` is given it and lets it go.
template <typename Piece, typename Make, typename Take>
bool makeInOrder(int count, Make make, Take take, std::stop_token stop = {}, OrderedWork options = {})
{
    std::vector<Piece> pieces(std::size_t(count > 0 ? count : 0));
    return makeInOrder(
        count, [&](int i) { pieces[std::size_t(i)] = make(i); },
        [&](int i) { return take(i, std::exchange(pieces[std::size_t(i)], Piece{})); }, std::move(stop),
        options);
}

} // namespace vellora
