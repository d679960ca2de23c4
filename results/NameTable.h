#pragma once

#include "results/Collation.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvel {

enum class TableMode { Unsorted, Sorted };

// Ordered entries, each a key text owning a payload. Keys may repeat.
// Unsorted: new entries go to the end and lookup returns the first equal key
// from the front. Sorted: entries stand in ascending key order, a new entry
// goes in front of the keys equal to it, and lookup returns the front-most
// equal key. Every comparison is CollationKey's.
template <typename Payload>
class NameTable {
public:
    struct Entry {
        std::string key;
        CollationKey collation;
        Payload payload;
    };

    // Chosen on the empty table by each search.
    void setMode(TableMode mode) { mode_ = mode; }
    TableMode mode() const { return mode_; }

    int add(std::string key)
    {
        CollationKey collation(key);
        auto at = entries_.end();
        if (mode_ == TableMode::Sorted)
            at = lowerBound(entries_, collation);
        at = entries_.insert(at, Entry{std::move(key), std::move(collation), Payload{}});
        return static_cast<int>(at - entries_.begin());
    }

    // Position of the first equal key, or -1.
    int find(const std::string& key) const
    {
        const CollationKey probe(key);
        if (mode_ == TableMode::Sorted) {
            const auto at = lowerBound(entries_, probe);
            return at != entries_.end() && at->collation == probe ? static_cast<int>(at - entries_.begin()) : -1;
        }
        const auto at = std::find_if(entries_.begin(), entries_.end(),
                                     [&](const Entry& entry) { return entry.collation == probe; });
        return at == entries_.end() ? -1 : static_cast<int>(at - entries_.begin());
    }

    int count() const { return static_cast<int>(entries_.size()); }
    const std::string& key(int position) const { return entries_.at(position).key; }
    Payload& payload(int position) { return entries_.at(position).payload; }
    const Payload& payload(int position) const { return entries_.at(position).payload; }
    const std::vector<Entry>& entries() const { return entries_; }
    // Removes every entry; the mode stays.
    void clear() { entries_.clear(); }

private:
    template <typename Entries>
    static auto lowerBound(Entries& entries, const CollationKey& probe)
    {
        return std::lower_bound(entries.begin(), entries.end(), probe,
                                [](const Entry& entry, const CollationKey& key) { return entry.collation.compare(key) < 0; });
    }

    TableMode mode_ = TableMode::Unsorted;
    std::vector<Entry> entries_;
};

}  // namespace quorvel
