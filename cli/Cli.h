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

// For a process that runs one command and ends: memory freed while it runs
// stays with the process instead of going back to the system page by page,
// since the next file or row will want it again at once.
void KeepFreedMemoryForTheCommand();

}  // namespace quorvel
