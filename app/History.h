#pragma once

#include <array>
#include <string>

namespace quorvel {

// The three most recently chosen data files, slot 1 (index 0) the newest.
// EmptyHistorySlot marks an empty slot. Slots compare by the scenario they
// stand for, byte for byte: an archive by its own path, any other file by
// its folder part.
using HistorySlots = std::array<std::string, 3>;

// The history after the user opened `scenarioFile` through the open dialog.
// Returns false when it stays unchanged (the folder is already in slot 1).
bool RecordOpenedFile(HistorySlots& slots, const std::string& scenarioFile);

// Moves slot `index` (0..2) to the front; false when nothing moved (index 0).
bool MoveSlotToFront(HistorySlots& slots, int index);

// The menu caption of a filled slot: its folder (an archive: its path)
// after the first "Scenario/", without the final separator; the whole of it
// when the path has no "Scenario/".
std::string HistoryCaption(const std::string& slot);

// The folder part without its final separator.
std::string FolderWithoutSeparator(const std::string& path);

}  // namespace quorvel
