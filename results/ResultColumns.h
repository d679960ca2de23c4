#pragma once

#include <array>

namespace quorvel {

// The texts of a result row: file name, event, head start name, owning
// start name, kind word, value.
inline constexpr int RowTextCount = 6;

// The columns of the result list: the running number, then the row's texts.
inline constexpr int ResultColumnCount = RowTextCount + 1;

// The titles of the result list's columns, as the list, the clipboard and
// the CSV answer show them (the running number's is empty).
inline constexpr std::array<const char*, ResultColumnCount> ResultColumnTitles
    = {"", "filename", "イベント所属", "先頭スタート名", "所属スタート名", "種類", "値"};

}  // namespace quorvel
