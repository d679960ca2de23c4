#pragma once

#include "results/HitRow.h"
#include "results/NameTable.h"
#include "results/TextStore.h"
#include "scenario/ValueNames.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The rows filed under one entry, in filing order.
using RowList = std::vector<HitRow>;

// What an entry of the answer holds: its rows, and a note that tells the
// entry apart from others of the same name (empty for most answers).
struct IndexEntry {
    RowList rows;
    KeptText note;
};

// The names of the current answer, each owning the rows filed under it,
// and the texts of those rows. A row is a few handles of kept texts, so the
// rows of a name stand together and are read in one sweep.
class ResultIndex : public NameTable<IndexEntry> {
public:
    // Files a row whose texts texts() keeps.
    void fileKeptRow(EntryId entry, const HitRow& row) { payload(entry).rows.push_back(row); }
    // The rows of the entry at a position of the index's order.
    const RowList& rows(int position) const { return payload(position).rows; }

    // A copy of `note` as the entry's note.
    void setNote(EntryId entry, const Text& note) { payload(entry).note = texts_.keep(note); }

    // Where the texts of the rows and of the left list are kept.
    TextStore& texts() { return texts_; }

    // Removes every entry and row; the mode stays.
    void clear()
    {
        NameTable<IndexEntry>::clear();
        texts_.clear();
    }

private:
    TextStore texts_;
};

// The value names of the declared flags or steps, used by the flag and step
// search, each list kept by the index entry its declaration added: a use
// finds them through the entry it is filed under, so the declared names are
// not kept a second time.
class ValueNameTable {
public:
    // The value names of the declaration that has just added `entry` to the
    // index. The declarations add their entries one after another.
    void add(EntryId entry, ValueNames names);
    // Takes the value names of declarations that added their entries one
    // after another from `first`, in that order, in place of any it had.
    void adopt(EntryId first, std::vector<ValueNames> names);
    // The value names declared with the entry; none for an entry that no declaration added.
    const ValueNames* find(EntryId entry) const;
    int count() const { return static_cast<int>(byEntry_.size()); }
    void clear() { byEntry_.clear(); }

private:
    int firstEntry_ = 0;               // the entry of the first declaration
    std::vector<ValueNames> byEntry_;  // by entry, from firstEntry_
};

}  // namespace quorvel
