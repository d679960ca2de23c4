#include "app/NameFilter.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <stdexcept>

namespace quorvel {

std::u16string FilterForm(std::string_view utf8)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
    if (U_FAILURE(status))
        throw std::runtime_error("ICU has no NFKC normaliser");
    const icu::UnicodeString text
        = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    icu::UnicodeString normalised = nfkc->normalize(text, status);
    if (U_FAILURE(status))
        return {};
    normalised.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(normalised.getBuffer(), static_cast<std::size_t>(normalised.length()));
}

}  // namespace quorvel
