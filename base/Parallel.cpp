#include "base/Parallel.h"

#include <atomic>

namespace quorvel {

namespace {

std::atomic<std::size_t> threadsStarted{0};

struct Done { };

}  // namespace

unsigned WorkersOfThisMachine()
{
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return 1;  // built without threads: all work runs on the calling thread
#else
    return std::max(1u, std::thread::hardware_concurrency());
#endif
}

std::size_t ThreadsStartedForWork()
{
    return threadsStarted.load(std::memory_order_relaxed);
}

void detail::CountThreadStarted()
{
    threadsStarted.fetch_add(1, std::memory_order_relaxed);
}

void RunBlocks(std::size_t blocks, unsigned workers, const std::function<void(std::size_t block)>& make,
               const std::function<void()>& alongside)
{
    // Item 0 is the work alongside, when there is any; the blocks follow it.
    const std::size_t first = alongside ? 1 : 0;
    ProduceInOrder<Done>(
        first + blocks, workers, first + blocks,
        [&](std::size_t item) {
            if (item < first)
                alongside();
            else
                make(item - first);
            return Done{};
        },
        [](std::size_t, Done&) {});
}

void RunRanges(std::size_t count, std::size_t itemsWorthAThread, unsigned workers,
               const std::function<void(std::size_t begin, std::size_t end)>& make)
{
    const std::size_t ranges
        = std::clamp<std::size_t>(count / std::max<std::size_t>(itemsWorthAThread, 1), 1, std::max(1u, workers));
    RunBlocks(ranges, static_cast<unsigned>(ranges),
              [&](std::size_t range) { make(count * range / ranges, count * (range + 1) / ranges); });
}

}  // namespace quorvel
