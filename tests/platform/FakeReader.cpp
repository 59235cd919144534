// Stands in for ombrix-reader in tests: misbehaves as OMBRIX_FAKE_READER says.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <string>
#include <unistd.h>

namespace {

const char* const kObjects =
    R"({"ombrixReader":3,"objects":{"tables":["Orders"],"queries":[["Big orders",0]]}})";

} // namespace

int main() {
    // Reads the whole request first, as the real reader does, so the caller never blocks on it.
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    const char* mode = std::getenv("OMBRIX_FAKE_READER");
    const std::string m = mode != nullptr ? mode : "";
    if (m == "crash") {
        std::raise(SIGSEGV);
    } else if (m == "abort") {
        std::abort();
    } else if (m == "hang") {
        for (;;) {
            pause();
        }
    } else if (m == "hang-silently-closed") {
        std::fclose(stdout);
        for (;;) {
            pause();
        }
    } else if (m == "answer-then-hang") {
        std::cout << kObjects << std::flush;
        std::fclose(stdout);
        for (;;) {
            pause();
        }
    } else if (m == "flood") {
        const std::string chunk(1 << 20, '[');
        for (;;) {
            std::fwrite(chunk.data(), 1, chunk.size(), stdout);
        }
    } else if (m == "exit-code") {
        std::cout << kObjects;
        return 3;
    } else if (m == "environment") {
        // Answers with the libmdb variables it was given, as table names.
        std::string tables;
        for (const char* name : {"MDBPATH", "MDBICONV", "MDB_JET3_CHARSET", "MDBOPTS"}) {
            if (std::getenv(name) != nullptr) {
                tables += std::string(tables.empty() ? "" : ",") + '"' + name + '"';
            }
        }
        std::cout << R"({"ombrixReader":3,"objects":{"tables":[)" << tables
                  << R"(],"queries":[]}})";
    } else {
        // Any other mode is the answer itself.
        std::cout << m;
    }
    return 0;
}
