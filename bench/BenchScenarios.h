#pragma once

// The large scenarios the benchmarks run commands over, written once per
// run under the temporary folder: a content-dense one (about 1,000 files,
// 20 MB of small contents and texts) and a skip-dense one (about 630 files,
// 50 MB of mostly image blocks), both with a Summary.wsm declaring 4,000
// flags and 4,000 steps; and the content-dense files with more names.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::bench {

struct Scenario {
    std::string folder;
    std::uintmax_t bytes = 0;
    int files = 0;
};

const Scenario& denseScenario();
const Scenario& skipScenario();
// The content-dense files (linked, not copied) with a summary of `names` flags and steps.
Scenario manyNames(int names);

// The masks of the files a command reads, in its order.
std::vector<std::string> masksOf(const std::string& command);
// The middle of the times of paired runs: one slow read of a busy machine
// moves it less than it moves the mean.
double Median(std::vector<double> seconds);

// Reads the files the command reads (an id search's defining files twice).
void readTheSameFiles(const std::string& folder, const std::vector<std::string>& masks);

}  // namespace quorvel::bench
