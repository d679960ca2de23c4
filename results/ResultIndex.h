#pragma once

#include "results/HitRow.h"
#include "results/NameTable.h"
#include "results/TextStore.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

// The rows filed under one entry, in filing order.
class RowList {
public:
    class Iterator {
    public:
        using value_type = HitRow;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        explicit Iterator(std::vector<const HitRow*>::const_iterator at) : at_(at) {}
        const HitRow& operator*() const { return **at_; }
        const HitRow* operator->() const { return *at_; }
        Iterator& operator++()
        {
            ++at_;
            return *this;
        }
        Iterator operator++(int) { return Iterator(at_++); }
        bool operator==(const Iterator&) const = default;

    private:
        std::vector<const HitRow*>::const_iterator at_;
    };

    Iterator begin() const { return Iterator(rows_.begin()); }
    Iterator end() const { return Iterator(rows_.end()); }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

private:
    friend class ResultIndex;
    std::vector<const HitRow*> rows_;
};

// The names of the current answer, each owning the rows filed under it,
// and the texts of those rows. Rows are kept in blocks that never move, so
// filing one costs a copy of the row and a pointer, however many rows a name
// gathers.
class ResultIndex : public NameTable<RowList> {
public:
    // Files a copy of the row, its texts included.
    void fileRow(int position, const HitRow& row)
    {
        HitRow kept;
        for (std::size_t column = 0; column < row.texts.size(); ++column)
            kept.texts[column] = texts_.keep(row.texts[column]);
        fileKeptRow(position, kept);
    }

    // Files a row whose texts texts() already keeps (or literals).
    void fileKeptRow(int position, const HitRow& row)
    {
        if (blocks_.empty() || blocks_.back().size() == BlockRows) {
            blocks_.emplace_back();
            blocks_.back().reserve(BlockRows);
        }
        blocks_.back().push_back(row);
        payload(position).rows_.push_back(&blocks_.back().back());
    }
    const RowList& rows(int position) const { return payload(position); }

    // Where the texts of the rows are kept.
    TextStore& texts() { return texts_; }

    // Removes every entry and row; the mode stays.
    void clear()
    {
        NameTable<RowList>::clear();
        blocks_.clear();
        texts_.clear();
    }

private:
    static constexpr std::size_t BlockRows = 1024;
    std::vector<std::vector<HitRow>> blocks_;
    TextStore texts_;
};

// Value names of flags and steps, used by the flag and step search.
using ValueNameTable = NameTable<std::vector<std::string>>;

}  // namespace quorvel
