#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ombrix::tests {

inline constexpr const char* kNoFile = "(no file)";

// The bytes of a file; kNoFile when it cannot be read, so that a failed comparison says why.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? bytes.str() : kNoFile;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace ombrix::tests
