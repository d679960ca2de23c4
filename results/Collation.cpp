#include "results/Collation.h"

#include "scenario/ShiftJis.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
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

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

CollationKey::CollationKey(std::string_view text) : bytes_(WithoutZeroBytes(text))
{
    const std::string utf8 = SjisToUtf8(bytes_);
    const icu::UnicodeString unicode
        = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    const icu::Collator& collator = japaneseCollator();
    const int32_t length = collator.getSortKey(unicode, nullptr, 0);
    sortKey_.resize(static_cast<std::size_t>(length));
    collator.getSortKey(unicode, reinterpret_cast<uint8_t*>(sortKey_.data()), length);
}

int CollationKey::compare(const CollationKey& other) const
{
    // Sort keys end in a zero byte; comparing them as C strings is the collator's order.
    const int collated = sign(std::strcmp(sortKey_.c_str(), other.sortKey_.c_str()));
    if (collated != 0)
        return collated;
    return sign(bytes_.compare(other.bytes_));
}

std::string WithoutZeroBytes(std::string_view text)
{
    std::string bytes(text);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    return bytes;
}

}  // namespace quorvel
