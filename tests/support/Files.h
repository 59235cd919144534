#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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

// Compares text with its golden file; OMBRIX_UPDATE_GOLDEN=1 writes the file anew (review the
// diff before committing).
inline void expectGolden(const std::string& actual, const std::filesystem::path& golden) {
    if (std::getenv("OMBRIX_UPDATE_GOLDEN") != nullptr) {
        writeFile(golden, actual);
    }
    EXPECT_EQ(actual, readFile(golden)) << golden;
}

} // namespace ombrix::tests
