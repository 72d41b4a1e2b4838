// tarvix-cli: the table descriptions on the command line, for scripts, spreadsheets and
// shared mods. Everything is in the tarvix_cli library, so the tests run it in-process.

#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const int status =
        tarvix::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    std::cout.flush();
    return status;
}
