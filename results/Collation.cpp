#include "results/Collation.h"

#include "scenario/ShiftJis.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
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

CollationKey::CollationKey(std::string_view text) : bytes_(WithoutZeroBytes(text))
{
    const std::u16string decoded = SjisToUtf16(bytes_);
    const icu::Collator& collator = japaneseCollator();
    // Room that a short name's key fits in; a longer one is made again in the room it asks for.
    sortKey_.resize(4 * decoded.size() + 32);
    const auto make = [&] {
        return collator.getSortKey(decoded.data(), static_cast<int32_t>(decoded.size()),
                                   reinterpret_cast<uint8_t*>(sortKey_.data()), static_cast<int32_t>(sortKey_.size()));
    };
    int32_t length = make();
    if (length > static_cast<int32_t>(sortKey_.size())) {
        sortKey_.resize(static_cast<std::size_t>(length));
        length = make();
    }
    sortKey_.resize(static_cast<std::size_t>(length));
}

int CollationKey::compare(const CollationKey& other) const
{
    // Sort keys end in a zero byte; comparing them as C strings is the collator's order.
    const int collated = sign(std::strcmp(sortKey_.c_str(), other.sortKey_.c_str()));
    if (collated != 0)
        return collated;
    return sign(bytes_.compare(other.bytes_));
}

void MakeInParallel(std::size_t count, const std::function<void(std::size_t)>& make)
{
    // Below this many items one thread does them sooner than several can start.
    constexpr std::size_t ItemsWorthAThread = 1024;
    const std::size_t threads
        = std::clamp<std::size_t>(count / ItemsWorthAThread, 1, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::exception_ptr> errors(threads);
    const auto run = [&](std::size_t first) {
        try {
            for (std::size_t i = first; i < count; i += threads)
                make(i);
        } catch (...) {
            errors[first] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(run, t);
        run(0);
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
