#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel {

// quorvel-cli [--json] [--sort N] COMMAND PATH
// Runs one command over a scenario and prints its answer. Returns the exit
// status: 0 ran and raised no message, 1 raised a message, 2 wrong usage or
// no such PATH.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace quorvel
