#pragma once

#include "search/ScenarioSource.h"

#include <memory>
#include <string>

namespace quorvel {

// The scenario a folder holds: classic when it holds Summary.wsm, or holds
// no Summary.xml either; of the XML format when it holds Summary.xml alone.
std::unique_ptr<ScenarioSource> ScenarioOfFolder(const std::string& folder);

// The scenario a path the user gives stands for: a folder's; an archive's
// (.wsn, .zip, .cab, .lzh); for an ".xml" file, that of the nearest folder,
// starting with its own, that holds Summary.xml (its own folder's when none
// does); for any other file, its folder's. Nothing when the path is not there.
std::unique_ptr<ScenarioSource> ScenarioAt(const std::string& path);

}  // namespace quorvel
