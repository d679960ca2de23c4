#include "results/Collation.h"

#include "scenario/ShiftJis.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quorvel {

namespace {

const icu::Collator& japaneseCollator()
{
    static const std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(icu::Locale("ja"), status));
        if (U_FAILURE(status))
            throw std::runtime_error("ICU has no Japanese collator");
        return made;
    }();
    return *collator;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

void AppendSortKey(std::string_view zeroFreeText, std::string& keys)
{
    thread_local ShiftJisDecoder decoder;
    const std::u16string& decoded = decoder.toUtf16(zeroFreeText);
    const icu::Collator& collator = japaneseCollator();
    const std::size_t start = keys.size();
    // Room that a short name's key fits in; a longer one is made again in the room it asks for.
    std::size_t room = 4 * decoded.size() + 32;
    while (true) {
        keys.resize(start + room);
        const int32_t length
            = collator.getSortKey(decoded.data(), static_cast<int32_t>(decoded.size()),
                                  reinterpret_cast<uint8_t*>(keys.data() + start), static_cast<int32_t>(room));
        if (length <= static_cast<int32_t>(room)) {
            // The key ends in a zero byte, which adds nothing to its order.
            keys.resize(start + static_cast<std::size_t>(std::max(length - 1, 0)));
            return;
        }
        room = static_cast<std::size_t>(length);
    }
}

CollationKey::CollationKey(std::string_view text) : bytes_(WithoutZeroBytes(text))
{
    AppendSortKey(bytes_, sortKey_);
}

int CollationKey::compare(const CollationKey& other) const
{
    const int collated = sign(sortKey_.compare(other.sortKey_));
    if (collated != 0)
        return collated;
    return sign(bytes_.compare(other.bytes_));
}

void MakeInParallel(std::size_t count, const std::function<void(std::size_t begin, std::size_t end)>& make)
{
    // Below this many items one thread does them sooner than several can start.
    constexpr std::size_t ItemsWorthAThread = 1024;
    const std::size_t threads
        = std::clamp<std::size_t>(count / ItemsWorthAThread, 1, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::exception_ptr> errors(threads);
    const auto run = [&](std::size_t range) {
        try {
            make(count * range / threads, count * (range + 1) / threads);
        } catch (...) {
            errors[range] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t range = 1; range < threads; ++range)
            helpers.emplace_back(run, range);
        run(0);
    }  // the helpers are joined here
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
}

void MakeAlongside(std::size_t blocks, const std::function<void(std::size_t block)>& make,
                   const std::function<void()>& alongside)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    const auto takeBlocks = [&]() {
        for (std::size_t block = next++; block < blocks && !failed; block = next++)
            make(block);
    };
    const std::size_t helperCount
        = std::min<std::size_t>(blocks, std::max(1u, std::thread::hardware_concurrency()) - 1);
    std::vector<std::exception_ptr> errors(helperCount + 1);
    const auto run = [&](std::size_t thread, const std::function<void()>& work) {
        try {
            work();
        } catch (...) {
            errors[thread] = std::current_exception();
            failed = true;
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t helper = 1; helper <= helperCount; ++helper)
            helpers.emplace_back(run, helper, takeBlocks);
        run(0, [&] {
            alongside();
            takeBlocks();
        });
    }  // the helpers are joined here
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
}

std::string WithoutZeroBytes(std::string_view text)
{
    std::string bytes(text);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    return bytes;
}

}  // namespace quorvel
