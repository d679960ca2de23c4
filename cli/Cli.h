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

// Sets the C library's allocator to keep what a command frees for the
// command's next files rather than hand it back to the system and fault it
// in again. A run of quorvel-cli is one command; called once, first.
void KeepFreedMemoryForTheCommand();

}  // namespace quorvel
