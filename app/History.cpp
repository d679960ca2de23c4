#include "app/History.h"

#include "scenario/FileSystem.h"

namespace quorvel {

bool RecordOpenedFile(HistorySlots& slots, const std::string& scenarioFile)
{
    const std::string folder = FolderPart(scenarioFile);
    if (FolderPart(slots[2]) == folder) {
        slots = {scenarioFile, slots[0], slots[1]};
    } else if (FolderPart(slots[1]) == folder) {
        slots = {scenarioFile, slots[0], slots[2]};
    } else if (FolderPart(slots[0]) == folder) {
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
    const std::string folder = FolderWithoutSeparator(slot);
    const std::string marker = std::string("Scenario") + PathSeparator();
    const std::size_t at = (folder + PathSeparator()).find(marker);
    if (at == std::string::npos)
        return folder;
    const std::size_t start = at + marker.size();
    return start >= folder.size() ? std::string() : folder.substr(start);
}

}  // namespace quorvel
