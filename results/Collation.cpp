#include "results/Collation.h"

#include "scenario/ShiftJis.h"
#include "scenario/Text.h"

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

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

}  // namespace

void AppendSortKey(std::string_view nameKey, std::string& keys)
{
    thread_local ShiftJisDecoder decoder;
    thread_local std::u16string unicode;
    const std::u16string* decoded = &unicode;
    if (HasNoShiftJisForm(nameKey))
        unicode = Utf8ToUtf16(nameKey.substr(1));
    else
        decoded = &decoder.toUtf16(nameKey);
    const icu::Collator& collator = japaneseCollator();
    const std::size_t start = keys.size();
    // Room that a short name's key fits in; a longer one is made again in the room it asks for.
    std::size_t room = 4 * decoded->size() + 32;
    while (true) {
        keys.resize(start + room);
        const int32_t length
            = collator.getSortKey(decoded->data(), static_cast<int32_t>(decoded->size()),
                                  reinterpret_cast<uint8_t*>(keys.data() + start), static_cast<int32_t>(room));
        if (length <= static_cast<int32_t>(room)) {
            // The key ends in a zero byte, which adds nothing to its order.
            keys.resize(start + static_cast<std::size_t>(std::max(length - 1, 0)));
            return;
        }
        room = static_cast<std::size_t>(length);
    }
}

bool NameKeyLess(std::string_view a, std::string_view b)
{
    if (HasNoShiftJisForm(a) != HasNoShiftJisForm(b))
        return HasNoShiftJisForm(b);
    return a < b;
}

}  // namespace quorvel
