#pragma once

#include "results/ResultColumns.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The text that marks an empty history slot, kept from the original
// platform so settings files stay compatible.
inline const std::string EmptyHistorySlot = "C:\\";

// Everything the window keeps between runs.
struct SettingsValues {
    int top = 124;
    int left = 197;
    int width = 740;
    int height = 394;
    int paneLeft = 137;
    std::array<int, ResultColumnCount> columnWidths = {18, 80, 100, 120, 100, 80, 90};
    std::string openPath = EmptyHistorySlot;
    std::array<std::string, 3> history = {EmptyHistorySlot, EmptyHistorySlot, EmptyHistorySlot};
    bool autoReload = false;  // section OPTIONS, key AutoReload: 1 on, 0 off
    std::string savePath;     // section PATH, key SavePath: the folder an answer was last saved to
    // Section TEXT: the text search's options ("case,regex,whole,join-lines"),
    // the kind words it leaves out, and its recent patterns, latest first.
    std::string textOptions;
    std::string textKindsOff;
    std::vector<std::string> textPatterns;
};

// The program's path with its extension replaced by ".ini" (appended when
// the file-name part has no extension).
std::string SettingsPathFor(const std::string& programPath);

// What decides where the settings file lives.
struct SettingsPlaces {
    std::function<bool(const std::string& folder)> folderIsWritable;
    std::string configFolder;  // the user's configuration folder; empty when unknown
};

// This user's places: $XDG_CONFIG_HOME (when absolute), else ~/.config; a
// folder counts as writable when the user may write there and it is not
// one of the system's program folders (/usr, /bin, /sbin).
SettingsPlaces PlacesOfThisUser();

// Beside the program, named after it, when a settings file is already there
// or the program's folder is writable; otherwise quorvel/quorvel.ini in the
// user's configuration folder.
std::string ChooseSettingsPath(const std::string& programPath, const SettingsPlaces& places);

// Missing file, missing keys and non-numbers give the defaults.
SettingsValues LoadSettings(const std::string& settingsPath);

// Writes the values one by one in their fixed order and stops at the first
// one that cannot be written. Returns false when it stopped.
bool SaveSettings(const std::string& settingsPath, const SettingsValues& values);

}  // namespace quorvel
