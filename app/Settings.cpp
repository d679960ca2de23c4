#include "app/Settings.h"

#include "app/ProfileFile.h"
#include "scenario/FileSystem.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace quorvel {

namespace {

// The key of column i's width is "Width<i>".
std::string widthKey(std::size_t column)
{
    return "Width" + std::to_string(column);
}
const char* const HistoryKeys[3] = {"Rireki1", "Rireki2", "Rireki3"};

}  // namespace

std::string SettingsPathFor(const std::string& programPath)
{
    const std::size_t nameStart = FolderPart(programPath).size();
    const std::size_t dot = programPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return programPath + ".ini";
    return programPath.substr(0, dot) + ".ini";
}

SettingsPlaces PlacesOfThisUser()
{
    SettingsPlaces places;
    places.folderIsWritable = [](const std::string& folder) {
        const std::string path = folder.empty() ? "." : folder;
        for (const char* system : {"/usr/", "/bin/", "/sbin/"})
            if ((path + "/").starts_with(system))
                return false;
        return ::access(path.c_str(), W_OK) == 0;
    };
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (configHome && configHome[0] == '/')
        places.configFolder = configHome;
    else if (home && home[0] == '/')
        places.configFolder = std::string(home) + "/.config";
    return places;
}

std::string ChooseSettingsPath(const std::string& programPath, const SettingsPlaces& places)
{
    const std::string beside = SettingsPathFor(programPath);
    std::error_code error;
    if (std::filesystem::exists(beside, error) || places.folderIsWritable(FolderPart(programPath))
        || places.configFolder.empty())
        return beside;
    return places.configFolder + "/quorvel/quorvel.ini";
}

// The text search's recent patterns the settings file keeps.
constexpr int TextPatternKeys = 10;

SettingsValues LoadSettings(const std::string& settingsPath)
{
    const ProfileFile file(settingsPath);
    SettingsValues v;
    v.top = file.readInteger("WINSIZE", "Top", v.top);
    v.left = file.readInteger("WINSIZE", "Left", v.left);
    v.width = file.readInteger("WINSIZE", "Width", v.width);
    v.height = file.readInteger("WINSIZE", "Height", v.height);
    v.paneLeft = file.readInteger("PANESIZE", "Left", v.paneLeft);
    for (std::size_t i = 0; i < v.columnWidths.size(); ++i)
        v.columnWidths[i] = file.readInteger("PANESIZE", widthKey(i), v.columnWidths[i]);
    v.openPath = file.readText("PATH", "OpenPath", v.openPath);
    for (int i = 0; i < 3; ++i)
        v.history[i] = file.readText("PATH", HistoryKeys[i], v.history[i]);
    v.autoReload = file.readInteger("OPTIONS", "AutoReload", 0) != 0;
    v.savePath = file.readText("PATH", "SavePath", v.savePath);
    v.textOptions = file.readText("TEXT", "Options", v.textOptions);
    v.textKindsOff = file.readText("TEXT", "KindsOff", v.textKindsOff);
    for (int i = 1; i <= TextPatternKeys; ++i)
        if (std::string pattern = file.readText("TEXT", "Pattern" + std::to_string(i), {}); !pattern.empty())
            v.textPatterns.push_back(std::move(pattern));
    return v;
}

bool SaveSettings(const std::string& settingsPath, const SettingsValues& v)
{
    // The configuration folder may not exist before the first close.
    const std::string folder = FolderPart(settingsPath);
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    ProfileFile file(settingsPath);
    bool ok = file.writeInteger("WINSIZE", "Top", v.top) && file.writeInteger("WINSIZE", "Left", v.left)
        && file.writeInteger("WINSIZE", "Width", v.width) && file.writeInteger("WINSIZE", "Height", v.height)
        && file.writeInteger("PANESIZE", "Left", v.paneLeft);
    for (std::size_t i = 0; ok && i < v.columnWidths.size(); ++i)
        ok = file.writeInteger("PANESIZE", widthKey(i), v.columnWidths[i]);
    ok = ok && file.writeText("PATH", "OpenPath", v.openPath);
    for (int i = 0; ok && i < 3; ++i)
        ok = file.writeText("PATH", HistoryKeys[i], v.history[i]);
    ok = ok && file.writeInteger("OPTIONS", "AutoReload", v.autoReload ? 1 : 0);
    ok = ok && file.writeText("PATH", "SavePath", v.savePath);
    ok = ok && file.writeText("TEXT", "Options", v.textOptions);
    ok = ok && file.writeText("TEXT", "KindsOff", v.textKindsOff);
    for (int i = 1; ok && i <= TextPatternKeys; ++i) {
        // A line break would end the setting's line: such a pattern is not kept.
        const std::size_t at = static_cast<std::size_t>(i - 1);
        const std::string pattern = at < v.textPatterns.size() ? v.textPatterns[at] : std::string();
        ok = file.writeText("TEXT", "Pattern" + std::to_string(i),
                            pattern.find_first_of("\r\n") == std::string::npos ? pattern : std::string());
    }
    return ok;
}

}  // namespace quorvel
