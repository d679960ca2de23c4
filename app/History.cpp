#include "app/History.h"

#include "scenario/FileSystem.h"
#include "search/ArchiveTree.h"

namespace quorvel {

namespace {

// What a slot stands for: an archive is a scenario of its own, any other
// file stands for its folder's.
std::string scenarioOfSlot(const std::string& slot)
{
    return IsArchiveName(slot) ? slot : FolderPart(slot);
}

}  // namespace

bool RecordOpenedFile(HistorySlots& slots, const std::string& scenarioFile)
{
    const std::string scenario = scenarioOfSlot(scenarioFile);
    if (scenarioOfSlot(slots[2]) == scenario) {
        slots = {scenarioFile, slots[0], slots[1]};
    } else if (scenarioOfSlot(slots[1]) == scenario) {
        slots = {scenarioFile, slots[0], slots[2]};
    } else if (scenarioOfSlot(slots[0]) == scenario) {
        return false;
    } else {
        slots = {scenarioFile, slots[0], slots[1]};
    }
    return true;
}

bool MoveSlotToFront(HistorySlots& slots, int index)
{
    if (index == 1)
        slots = {slots[1], slots[0], slots[2]};
    else if (index == 2)
        slots = {slots[2], slots[0], slots[1]};
    return index == 1 || index == 2;
}

std::string FolderWithoutSeparator(const std::string& path)
{
    const std::string folder = FolderPart(path);
    return folder.empty() ? folder : folder.substr(0, folder.size() - 1);
}

std::string HistoryCaption(const std::string& slot)
{
    const std::string folder = IsArchiveName(slot) ? slot : FolderWithoutSeparator(slot);
    const std::string marker = std::string("Scenario") + PathSeparator();
    const std::size_t at = (folder + PathSeparator()).find(marker);
    if (at == std::string::npos)
        return folder;
    const std::size_t start = at + marker.size();
    return start >= folder.size() ? std::string() : folder.substr(start);
}

}  // namespace quorvel
