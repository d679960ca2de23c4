#pragma once

#include "base/Parallel.h"
#include "results/Collation.h"
#include "results/KeyBytesSort.h"
#include "scenario/Text.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
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
// equal key, which is the one added last. Two keys are equal exactly when
// their name keys (NameKey) are, so every lookup is a hash of those bytes,
// whatever the keys' encodings; the collation (Collation.h) is needed only
// for the order itself. That order is made when a position is first asked
// for after an addition, so names added in bulk are sorted once: each
// distinct text is sorted once, by a collation key made once, and its equal
// entries follow it newest first.
template <typename Payload>
class NameTable {
public:
    struct Entry {
        OwnedText key;
        Payload payload;
    };

    // Chosen on the empty table by each search.
    void setMode(TableMode mode) { mode_ = mode; }
    // How many threads may make the collation keys of the order.
    void setWorkers(unsigned workers) { workers_ = workers; }

    EntryId add(const Text& key)
    {
        const EntryId id{static_cast<int>(entries_.size())};
        Stored& stored = entries_.emplace_back(Stored{Entry{OwnedText::Of(key), Payload{}}, std::nullopt});
        const auto [known, isNew] = textOf_.try_emplace(keepNameKey(stored.entry.key), static_cast<int>(texts_.size()));
        if (isNew)
            texts_.push_back(DistinctText{known->first, id.value, {}});
        else if (mode_ == TableMode::Sorted) {
            // The newest equal key stands in front.
            DistinctText& text = texts_[static_cast<std::size_t>(known->second)];
            stored.olderEqual = text.front;
            text.front = id.value;
        }
        orderMade_.store(false, std::memory_order_relaxed);
        return id;
    }

    // Adds an entry that no lookup finds and that stands, in sorted mode,
    // after every entry a lookup can find, in the order such entries are
    // added (unsorted mode: where it is added, as any entry).
    EntryId addUnlisted(const Text& key)
    {
        const EntryId id{static_cast<int>(entries_.size())};
        entries_.emplace_back(Stored{Entry{OwnedText::Of(key), Payload{}}, std::nullopt});
        unlisted_.push_back(id.value);
        orderMade_.store(false, std::memory_order_relaxed);
        return id;
    }

    // Adds an entry for each key, in order, exactly as add() would one at a
    // time, and returns the first: the entries of the keys follow it one
    // after another. In sorted mode the other cores meanwhile make the
    // collation keys of the keys' texts, which the order needs once it is
    // asked for.
    EntryId addAll(std::span<const Text> keys)
    {
        const EntryId first{count()};
        if (mode_ == TableMode::Unsorted) {
            for (const Text& key : keys)
                add(key);
            return first;
        }
        const std::size_t textsBefore = texts_.size();
        std::vector<std::size_t> addedBy;  // for each new text, the key it was first added from
        std::vector<SortKeyBlock> blocks((keys.size() + SortKeyBlockSize - 1) / SortKeyBlockSize);
        RunBlocks(
            blocks.size(), workers_,
            [&](std::size_t block) {
                std::string scratch;
                const std::size_t end = std::min(keys.size(), (block + 1) * SortKeyBlockSize);
                for (std::size_t key = block * SortKeyBlockSize; key < end; ++key) {
                    AppendSortKey(NameKey(keys[key], scratch), blocks[block].keys);
                    blocks[block].ends.push_back(blocks[block].keys.size());
                }
            },
            [&] {
                reserve(keys.size());
                for (std::size_t key = 0; key < keys.size(); ++key) {
                    const std::size_t textsNow = texts_.size();
                    add(keys[key]);
                    if (texts_.size() > textsNow)
                        addedBy.push_back(key);
                }
            });
        std::vector<std::string_view> kept;
        for (SortKeyBlock& block : blocks) {
            block.keys.shrink_to_fit();  // it grew by doubling
            kept.push_back(sortKeys_.emplace_back(std::move(block.keys)));
        }
        for (std::size_t text = 0; text < addedBy.size(); ++text) {
            const std::size_t block = addedBy[text] / SortKeyBlockSize;
            const std::size_t within = addedBy[text] % SortKeyBlockSize;
            const std::size_t start = within == 0 ? 0 : blocks[block].ends[within - 1];
            texts_[textsBefore + text].sortKey = kept[block].substr(start, blocks[block].ends[within] - start);
        }
        if (keyedTexts_ == textsBefore)
            keyedTexts_ = texts_.size();
        return first;
    }

    // The front-most equal entry.
    std::optional<EntryId> find(const Text& key) const
    {
        std::string scratch;
        const auto found = textOf_.find(NameKey(key, scratch));
        if (found == textOf_.end())
            return std::nullopt;
        return EntryId{texts_[static_cast<std::size_t>(found->second)].front};
    }

    // The front-most equal entry, else a new one.
    EntryId findOrAdd(const Text& key)
    {
        const std::optional<EntryId> found = find(key);
        return found ? *found : add(key);
    }

    Payload& payload(EntryId id) { return stored(id.value).entry.payload; }
    const Payload& payload(EntryId id) const { return stored(id.value).entry.payload; }

    int count() const { return static_cast<int>(entries_.size()); }
    // The entry at a position of the table's order.
    const Entry& at(int position) const { return stored(idAt(position)).entry; }
    Text key(int position) const { return at(position).key.text(); }
    Payload& payload(int position) { return stored(idAt(position)).entry.payload; }
    const Payload& payload(int position) const { return at(position).payload; }

    // Removes every entry; the mode stays.
    void clear()
    {
        entries_.clear();
        textOf_.clear();
        texts_.clear();
        keptNameKeys_.clear();
        unlisted_.clear();
        keyedTexts_ = 0;
        sortKeys_.clear();
        order_.clear();
        orderMade_.store(false, std::memory_order_relaxed);
    }

private:
    struct Stored {
        Entry entry;
        std::optional<int> olderEqual;  // sorted mode: the equal entry that stood in front before this one
    };

    // A distinct key text (its name key) and the entry a lookup finds.
    struct DistinctText {
        std::string_view bytes;
        int front;
        std::string_view sortKey;  // made with the order
    };

    // Room for this many more entries of distinct keys, made before adding them in bulk.
    void reserve(std::size_t more)
    {
        textOf_.reserve(textOf_.size() + more);
        texts_.reserve(texts_.size() + more);
    }

    Stored& stored(int id) { return entries_.at(static_cast<std::size_t>(id)); }
    const Stored& stored(int id) const { return entries_.at(static_cast<std::size_t>(id)); }

    // The name key of an entry's key, viewed where it stays for as long as
    // the entry: in the key itself, or in a copy kept aside.
    std::string_view keepNameKey(const OwnedText& key)
    {
        std::string scratch;
        const std::string_view bytes = NameKey(key.text(), scratch);
        if (bytes.data() != scratch.data())
            return bytes;
        return scratch.empty() ? std::string_view() : keptNameKeys_.emplace_back(std::move(scratch));
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
        makeSortKeys();
        std::vector<int> textOrder(texts_.size());
        for (std::size_t text = 0; text < textOrder.size(); ++text)
            textOrder[text] = static_cast<int>(text);
        SortByKeyBytes(
            textOrder, [&](int text) { return texts_[static_cast<std::size_t>(text)].sortKey; },
            [&](int a, int b) {
                return NameKeyLess(texts_[static_cast<std::size_t>(a)].bytes,
                                   texts_[static_cast<std::size_t>(b)].bytes);
            });
        order_.clear();
        order_.reserve(entries_.size());
        for (const int text : textOrder)
            for (std::optional<int> id = texts_[static_cast<std::size_t>(text)].front; id; id = stored(*id).olderEqual)
                order_.push_back(*id);
        order_.insert(order_.end(), unlisted_.begin(), unlisted_.end());
        orderMade_.store(true, std::memory_order_release);
    }

    // Makes the collation keys of the texts that have none yet, on several
    // threads when there are many: making them is the costly part of the
    // order. Each range of texts has its keys side by side in one string.
    void makeSortKeys() const
    {
        const std::size_t first = keyedTexts_;
        const std::size_t missing = texts_.size() - first;
        std::mutex keysMutex;
        // Below this many texts one thread makes their keys sooner than several can start.
        constexpr std::size_t TextsWorthAThread = 1024;
        RunRanges(missing, TextsWorthAThread, workers_, [&](std::size_t begin, std::size_t end) {
            std::string keys;
            std::vector<std::size_t> ends;
            for (std::size_t i = first + begin; i < first + end; ++i) {
                AppendSortKey(texts_[i].bytes, keys);
                ends.push_back(keys.size());
            }
            const std::lock_guard keep(keysMutex);
            keys.shrink_to_fit();  // it grew by doubling
            const std::string_view kept = sortKeys_.emplace_back(std::move(keys));
            std::size_t start = 0;
            for (std::size_t k = 0; k < ends.size(); start = ends[k], ++k)
                texts_[first + begin + k].sortKey = kept.substr(start, ends[k] - start);
        });
        keyedTexts_ = texts_.size();
    }

    // The collation keys of a block of the keys addAll adds, side by side, and where each ends.
    static constexpr std::size_t SortKeyBlockSize = 256;
    struct SortKeyBlock {
        std::string keys;
        std::vector<std::size_t> ends;
    };

    struct BytesHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>()(bytes); }
    };

    TableMode mode_ = TableMode::Unsorted;
    unsigned workers_ = 1;
    std::deque<Stored> entries_;  // in the order they were added; they never move
    std::deque<std::string> keptNameKeys_;
    std::vector<int> unlisted_;  // entries no lookup finds, in the order they were added
    // Name keys to their distinct text.
    std::unordered_map<std::string_view, int, BytesHash, std::equal_to<>> textOf_;
    mutable std::vector<DistinctText> texts_;   // in the order they were first added
    mutable std::size_t keyedTexts_ = 0;        // the texts before this have their sort keys
    mutable std::deque<std::string> sortKeys_;  // never move once made
    mutable std::vector<int> order_;            // sorted mode: the entry at each position
    mutable std::atomic<bool> orderMade_{false};
    mutable std::mutex orderMutex_;
};

}  // namespace quorvel
