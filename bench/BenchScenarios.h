#pragma once

// The large scenarios the benchmarks run commands over, written once per
// run under the temporary folder: a content-dense one (about 1,000 files,
// 20 MB of small contents and texts) and a skip-dense one (about 630 files,
// 50 MB of mostly image blocks), both with a summary declaring 4,000 flags
// and 4,000 steps; and the content-dense files with more names. The
// content-dense one also carries 1,250 material files (writeMaterials). Each is
// written classic, in the XML form beside it ("-xml"), and that form packed
// as a .wsn archive.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::bench {

struct Scenario {
    std::string folder;
    std::uintmax_t bytes = 0;
    int files = 0;
};

// One scenario in every form: `folder` is the XML form's folder, or the archive.
struct Scenarios {
    Scenario classic;
    Scenario xml;
    Scenario wsn;
};

const Scenarios& denseScenarios();
const Scenarios& skipScenarios();
const Scenario& denseScenario();
const Scenario& skipScenario();
// The content-dense files (linked, not copied) with a summary of `names`
// flags and steps, classic or in the XML form.
Scenario manyNames(int names);
Scenario manyNamesXml(int names);

// The masks of the files a command reads, in its order.
std::vector<std::string> masksOf(const std::string& command);
// The middle of the times of paired runs: one slow read of a busy machine
// moves it less than it moves the mean.
double Median(std::vector<double> seconds);

// Reads every file below a folder once.
void readEveryFile(const std::string& folder);
// Unpacks every entry of an archive into memory, as `bsdtar -xOf` does to a pipe.
void unpackEveryEntry(const std::string& archivePath);
// Reads the files the command reads (an id search's defining files twice).
void readTheSameFiles(const std::string& folder, const std::vector<std::string>& masks);

}  // namespace quorvel::bench
