#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorvel {

// One worker per core: the one place the machine is asked. Everything that
// runs in parallel takes its worker count from the command's context, which
// starts from this.
unsigned WorkersOfThisMachine();

// How many threads the work of this process has started so far, for
// checking that work given one worker stays on its own thread.
std::size_t ThreadsStartedForWork();

namespace detail {
void CountThreadStarted();
}

// Where the work items over `count` items start, and `count` last. Work
// items are long at first, since each hand-over costs a wake-up of the
// consumer, and shorten towards the end, so that the workers finish
// together.
inline std::vector<std::size_t> RunStarts(std::size_t count, unsigned workers)
{
    // Below four files a run costs more to hand over than it takes to read.
    constexpr std::size_t ShortestRun = 4;
    // Each run takes a sixth of a worker's share of what is left, so the
    // last runs are short enough for the workers to end within a file or two,
    // and what the runs waiting to be filed hold stays small: at a quarter,
    // the dense flag search peaked 1.4 MiB higher, at an eighth it handed
    // over often enough to lose up to 5 % of its time.
    constexpr std::size_t RunsPerWorkerShare = 6;
    const std::size_t share = RunsPerWorkerShare * static_cast<std::size_t>(std::max(1u, workers));
    std::vector<std::size_t> starts{0};
    for (std::size_t start = 0; start < count;) {
        start += std::min(count - start, std::max(ShortestRun, (count - start) / share));
        starts.push_back(start);
    }
    return starts;
}

// The workers worth starting for `count` items when fewer than `minimum`
// are not worth a thread: starting one costs more than a few small items.
inline unsigned WorkersFor(std::size_t count, std::size_t minimum, unsigned workers)
{
    return count >= minimum ? workers : 1;
}

// How far workers may run ahead of the consumer, in work items: one item
// per worker, and two more, so a worker that finishes while the consumer is
// still filing the previous item can start on the next at once, without
// holding more than a few items' results in memory.
inline std::size_t WorkWindow(unsigned workers)
{
    constexpr std::size_t ItemsBeyondTheWorkers = 2;
    return static_cast<std::size_t>(workers) + ItemsBeyondTheWorkers;
}

// Turns items 0..count-1 into results on up to `workers` threads (the
// calling thread among them) and hands each result to consume(item, result)
// on the calling thread, in item order, so everything consume does happens
// exactly as one item after another would have it. Items are made at most
// `window` ahead of the item being consumed; while the calling thread waits
// for the next result it makes a later item itself. An exception from
// produce reaches the calling thread at its item's turn; whatever ends the
// loop stops the workers first, and items not yet taken are not made.
template <typename Result, typename Produce, typename Consume>
void ProduceInOrder(std::size_t count, unsigned workers, std::size_t window, Produce&& produce, Consume&& consume)
{
    if (workers <= 1 || count <= 1) {
        for (std::size_t item = 0; item < count; ++item) {
            Result result = produce(item);
            consume(item, result);
        }
        return;
    }
    window = std::max<std::size_t>(window, 1);
    struct Slot {
        std::optional<Result> result;
        std::exception_ptr error;
        bool done = false;
    };
    std::vector<Slot> madeItems(window);
    std::mutex mutex;
    std::condition_variable ready;  // a slot was filled, or an item can be taken
    std::condition_variable room;   // an item was consumed, or the loop ends
    std::size_t next = 0;           // the next item to be taken
    std::size_t consumed = 0;       // items consumed so far
    bool stopping = false;

    const auto canTake = [&] { return next < count && next < consumed + window; };
    const auto make = [&](std::size_t item) {
        Slot made;
        try {
            made.result.emplace(produce(item));
        } catch (...) {
            made.error = std::current_exception();
        }
        made.done = true;
        {
            const std::lock_guard lock(mutex);
            madeItems[item % window] = std::move(made);
        }
        ready.notify_all();
    };
    const auto work = [&] {
        while (true) {
            std::size_t item = 0;
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&] { return stopping || next >= count || canTake(); });
                if (stopping || next >= count)
                    return;
                item = next++;
            }
            make(item);
        }
    };

    struct Crew {
        std::vector<std::thread> threads;
        std::mutex& mutex;
        std::condition_variable& room;
        bool& stopping;
        ~Crew()
        {
            {
                const std::lock_guard lock(mutex);
                stopping = true;
            }
            room.notify_all();
            for (std::thread& thread : threads)
                thread.join();  // after being told to stop
        }
    } crew{{}, mutex, room, stopping};
    const std::size_t helpers = std::min<std::size_t>(workers, count) - 1;
    for (std::size_t i = 0; i < helpers; ++i) {
        crew.threads.emplace_back(work);
        detail::CountThreadStarted();
    }

    for (std::size_t item = 0; item < count; ++item) {
        Slot slot;
        while (true) {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return madeItems[item % window].done || canTake(); });
            if (madeItems[item % window].done) {
                slot = std::move(madeItems[item % window]);
                madeItems[item % window] = Slot{};
                consumed = item + 1;
                break;
            }
            const std::size_t later = next++;
            lock.unlock();
            make(later);
        }
        room.notify_all();
        if (slot.error)
            std::rethrow_exception(slot.error);
        consume(item, *slot.result);
    }
}

// Runs make(block) for blocks 0..blocks-1, each once, on up to `workers`
// threads, the calling thread among them; with `alongside`, the calling
// thread (or a worker) runs it meanwhile, as one more piece of work. make
// must be safe to run on several threads at once for distinct blocks, and
// alongside what `alongside` does. An exception of either reaches the
// caller; the blocks not yet taken by then are not made.
void RunBlocks(std::size_t blocks, unsigned workers, const std::function<void(std::size_t block)>& make,
               const std::function<void()>& alongside = {});

// Runs make(begin, end) over consecutive ranges that cover 0..count-1: one
// range per worker when there are at least `itemsWorthAThread` items per
// worker, fewer ranges (and workers) when there are fewer items.
void RunRanges(std::size_t count, std::size_t itemsWorthAThread, unsigned workers,
               const std::function<void(std::size_t begin, std::size_t end)>& make);

}  // namespace quorvel
