#pragma once

#include "results/Collation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

enum class TableMode { Unsorted, Sorted };

// Ordered entries, each a key text owning a payload. Keys may repeat.
// Unsorted: new entries go to the end and lookup returns the first equal key
// from the front. Sorted: entries stand in ascending key order, a new entry
// goes in front of the keys equal to it, and lookup returns the front-most
// equal key. The order is CollationKey's; two keys are equal exactly when
// their bytes are, zero bytes aside, so unsorted lookups go through a hash
// of those bytes instead of scanning.
template <typename Payload>
class NameTable {
public:
    struct Entry {
        std::string key;
        std::optional<CollationKey> collation;  // kept in sorted mode only
        Payload payload;
    };

    // Chosen on the empty table by each search.
    void setMode(TableMode mode) { mode_ = mode; }

    int add(std::string key)
    {
        if (mode_ == TableMode::Unsorted) {
            const int position = static_cast<int>(entries_.size());
            firstOf_.try_emplace(WithoutZeroBytes(key), position);
            entries_.push_back(Entry{std::move(key), std::nullopt, Payload{}});
            return position;
        }
        const CollationKey& collation = collationOf(key);
        const auto position = lowerBound(entries_, collation) - entries_.begin();
        entries_.insert(entries_.begin() + position, Entry{std::move(key), collation, Payload{}});
        return static_cast<int>(position);
    }

    // Position of the front-most equal key, or -1.
    int find(std::string_view key) const
    {
        if (mode_ == TableMode::Unsorted) {
            const auto found
                = key.find('\0') == std::string_view::npos ? firstOf_.find(key) : firstOf_.find(WithoutZeroBytes(key));
            return found == firstOf_.end() ? -1 : found->second;
        }
        const CollationKey& probe = collationOf(key);
        const auto at = lowerBound(entries_, probe);
        return at != entries_.end() && *at->collation == probe ? static_cast<int>(at - entries_.begin()) : -1;
    }

    // The first equal entry, else a new one.
    int findOrAdd(std::string key)
    {
        const int found = find(key);
        return found >= 0 ? found : add(std::move(key));
    }

    int count() const { return static_cast<int>(entries_.size()); }
    const std::string& key(int position) const { return entries_.at(static_cast<std::size_t>(position)).key; }
    Payload& payload(int position) { return entries_.at(static_cast<std::size_t>(position)).payload; }
    const Payload& payload(int position) const { return entries_.at(static_cast<std::size_t>(position)).payload; }
    const std::vector<Entry>& entries() const { return entries_; }
    // Removes every entry; the mode stays.
    void clear()
    {
        entries_.clear();
        firstOf_.clear();
        collations_.clear();
    }

private:
    // A search looks the same few names up again and again; their collation
    // keys are made once. Texts with the same zero-free bytes share one.
    const CollationKey& collationOf(std::string_view key) const
    {
        std::string bytes = WithoutZeroBytes(key);
        const auto known = collations_.find(bytes);
        if (known != collations_.end())
            return known->second;
        CollationKey made(bytes);
        return collations_.emplace(std::move(bytes), std::move(made)).first->second;
    }

    template <typename Entries>
    static auto lowerBound(Entries& entries, const CollationKey& probe)
    {
        return std::lower_bound(entries.begin(), entries.end(), probe, [](const Entry& entry, const CollationKey& key) {
            return entry.collation->compare(key) < 0;
        });
    }

    TableMode mode_ = TableMode::Unsorted;
    std::vector<Entry> entries_;
    // Lookups by string_view without making a string first.
    struct BytesHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>()(bytes); }
    };
    std::unordered_map<std::string, int, BytesHash, std::equal_to<>>
        firstOf_;  // unsorted mode: zero-free bytes to first position
    mutable std::unordered_map<std::string, CollationKey> collations_;  // sorted mode: zero-free bytes to key
};

}  // namespace quorvel
