#include "reader/Environment.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <sys/resource.h>

namespace ombrix::reader {

std::vector<std::string> readerEnvironment(const char* const* environment) {
    std::vector<std::string> kept;
    for (; environment != nullptr && *environment != nullptr; ++environment) {
        const std::string_view entry(*environment);
        const std::string_view name = entry.substr(0, entry.find('='));
        if (std::ranges::find(kLibmdbVariables, name) == std::end(kLibmdbVariables)) {
            kept.emplace_back(entry);
        }
    }
    return kept;
}

void prepareReaderProcess() {
    for (const char* name : kLibmdbVariables) {
        unsetenv(name);
    }
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
}

} // namespace ombrix::reader
