#include "cli/Cli.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return ombrix::cli::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
