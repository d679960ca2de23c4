// Writes the man page of quorvel-cli from its template, with the list of
// commands taken from the command table:
//   make-man-page TEMPLATE OUTPUT
// The line "@COMMANDS@" of the template becomes the list, and "@VERSION@"
// the program's version.

#include "base/Version.h"
#include "cli/CommandList.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make-man-page TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2], std::ios::trunc);
    if (!in || !out) {
        std::cerr << "make-man-page: cannot read " << argv[1] << " or write " << argv[2] << "\n";
        return 1;
    }
    bool listed = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "@COMMANDS@") {
            out << quorvel::ManPageCommands();
            listed = true;
        } else {
            for (std::size_t at; (at = line.find("@VERSION@")) != std::string::npos;)
                line.replace(at, 9, quorvel::QuorvelVersion);
            out << line << "\n";
        }
    }
    if (!listed || !out) {
        std::cerr << "make-man-page: " << (listed ? "cannot write the page" : "the template has no @COMMANDS@ line")
                  << "\n";
        return 1;
    }
    return 0;
}
