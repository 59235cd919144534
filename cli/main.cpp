#include "cli/Cli.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // The page's CR LF line ends must reach standard output unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    return ombrix::cli::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
