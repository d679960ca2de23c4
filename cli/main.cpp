#include "cli/Cli.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    quorvel::KeepFreedMemoryForTheCommand();
    try {
        return quorvel::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "quorvel-cli: " << error.what() << "\n";
        return 2;
    }
}
