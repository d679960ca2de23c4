#pragma once

#include "results/Collation.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

enum class TableMode { Unsorted, Sorted };

// An entry of a name table, for as long as the table is not cleared,
// whatever entries are added after it.
struct EntryId {
    int value;
    bool operator==(const EntryId&) const = default;
};

// Ordered entries, each a key text owning a payload. Keys may repeat.
// Unsorted: new entries go to the end and lookup finds the first equal key
// from the front. Sorted: entries stand in ascending key order, a new entry
// goes in front of the keys equal to it, and lookup finds the front-most
// equal key, which is the one added last. The order is CollationKey's; two
// keys are equal exactly when their bytes are, zero bytes aside, so every
// lookup is a hash of those bytes, and the collation is needed only for
// the order itself. That order is made when a position is first asked for
// after an addition, so names added in bulk are sorted once.
template <typename Payload>
class NameTable {
public:
    struct Entry {
        std::string key;
        Payload payload;
    };

    // Chosen on the empty table by each search.
    void setMode(TableMode mode) { mode_ = mode; }

    EntryId add(std::string key)
    {
        const EntryId id{static_cast<int>(entries_.size())};
        Entry& entry = entries_.emplace_back(Entry{std::move(key), Payload{}});
        const std::string_view bytes = keepZeroFree(entry.key);
        if (mode_ == TableMode::Sorted)
            equalOf_[bytes] = id.value;  // the newest equal key stands in front
        else
            equalOf_.try_emplace(bytes, id.value);
        orderMade_.store(false, std::memory_order_relaxed);
        return id;
    }

    // The front-most equal entry.
    std::optional<EntryId> find(std::string_view key) const
    {
        std::string withoutZeros;
        const auto found = equalOf_.find(ZeroFree(key, withoutZeros));
        if (found == equalOf_.end())
            return std::nullopt;
        return EntryId{found->second};
    }

    // The front-most equal entry, else a new one.
    EntryId findOrAdd(std::string_view key)
    {
        const std::optional<EntryId> found = find(key);
        return found ? *found : add(std::string(key));
    }

    Payload& payload(EntryId id) { return entries_.at(static_cast<std::size_t>(id.value)).payload; }
    const Payload& payload(EntryId id) const { return entries_.at(static_cast<std::size_t>(id.value)).payload; }

    int count() const { return static_cast<int>(entries_.size()); }
    // The entry at a position of the table's order.
    const Entry& at(int position) const { return entries_.at(static_cast<std::size_t>(idAt(position))); }
    const std::string& key(int position) const { return at(position).key; }
    Payload& payload(int position) { return entries_.at(static_cast<std::size_t>(idAt(position))).payload; }
    const Payload& payload(int position) const { return at(position).payload; }

    // Removes every entry; the mode stays.
    void clear()
    {
        entries_.clear();
        equalOf_.clear();
        zeroFreeKeys_.clear();
        order_.clear();
        orderMade_.store(false, std::memory_order_relaxed);
    }

private:
    // The bytes that decide equality: `key` without its zero bytes, without
    // a copy when the only one ends it (as it ends every data-file text).
    static std::string_view ZeroFree(std::string_view key, std::string& withoutZeros)
    {
        const std::size_t zero = key.find('\0');
        if (zero == std::string_view::npos)
            return key;
        if (zero + 1 == key.size())
            return key.substr(0, zero);
        withoutZeros.assign(key);
        withoutZeros.erase(std::remove(withoutZeros.begin(), withoutZeros.end(), '\0'), withoutZeros.end());
        return withoutZeros;
    }

    // The zero-free bytes of an entry's key, viewed where they stay for as
    // long as the entry: in the key itself, or in a copy kept aside.
    std::string_view keepZeroFree(const std::string& key)
    {
        std::string withoutZeros;
        const std::string_view bytes = ZeroFree(key, withoutZeros);
        if (bytes.data() != withoutZeros.data())
            return bytes;
        return withoutZeros.empty() ? std::string_view() : zeroFreeKeys_.emplace_back(std::move(withoutZeros));
    }

    int idAt(int position) const
    {
        if (mode_ == TableMode::Unsorted)
            return position;
        makeOrder();
        return order_.at(static_cast<std::size_t>(position));
    }

    // Sorted mode: ascending collation, the newest first among equal keys.
    // Threads that write an answer read positions at once: the first makes
    // the order, the others wait for it.
    void makeOrder() const
    {
        if (orderMade_.load(std::memory_order_acquire))
            return;
        const std::lock_guard lock(orderMutex_);
        if (orderMade_.load(std::memory_order_relaxed))
            return;
        makeCollationKeys();
        std::vector<const CollationKey*> collations;
        collations.reserve(entries_.size());
        for (const Entry& entry : entries_)
            collations.push_back(&collationOf(entry.key));
        order_.resize(entries_.size());
        for (std::size_t id = 0; id < order_.size(); ++id)
            order_[id] = static_cast<int>(id);
        std::sort(order_.begin(), order_.end(), [&](int a, int b) {
            const int collated
                = collations[static_cast<std::size_t>(a)]->compare(*collations[static_cast<std::size_t>(b)]);
            return collated != 0 ? collated < 0 : a > b;
        });
        orderMade_.store(true, std::memory_order_release);
    }

    // Makes the collation keys of the texts that have none yet, on several
    // threads when there are many: making one is the costly part of the order.
    void makeCollationKeys() const
    {
        std::vector<std::string_view> missing;
        for (const auto& [bytes, id] : equalOf_)
            if (!collations_.contains(bytes))
                missing.push_back(bytes);
        std::vector<std::optional<CollationKey>> made(missing.size());
        MakeInParallel(missing.size(), [&](std::size_t i) { made[i].emplace(missing[i]); });
        for (std::size_t i = 0; i < missing.size(); ++i)
            collations_.emplace(std::string(missing[i]), std::move(*made[i]));
    }

    // A collation key is made once per distinct text, for as long as the table lives.
    const CollationKey& collationOf(std::string_view key) const
    {
        std::string withoutZeros;
        const std::string_view bytes = ZeroFree(key, withoutZeros);
        const auto known = collations_.find(bytes);
        if (known != collations_.end())
            return known->second;
        return collations_.emplace(std::string(bytes), CollationKey(bytes)).first->second;
    }

    struct BytesHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>()(bytes); }
    };

    TableMode mode_ = TableMode::Unsorted;
    std::deque<Entry> entries_;  // in the order they were added; they never move
    std::deque<std::string> zeroFreeKeys_;
    // Zero-free key bytes to the entry a lookup finds.
    std::unordered_map<std::string_view, int, BytesHash, std::equal_to<>> equalOf_;
    mutable std::unordered_map<std::string, CollationKey, BytesHash, std::equal_to<>> collations_;
    mutable std::vector<int> order_;  // sorted mode: the entry at each position
    mutable std::atomic<bool> orderMade_{false};
    mutable std::mutex orderMutex_;
};

}  // namespace quorvel
