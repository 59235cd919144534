#include "cli/CliSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace ombrix::cli {

namespace {

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
    throw CommandError(kExitFailure, "cannot read " + path + ": " + reason);
}

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string readInput(const std::string& path) {
    const bool standardInput = path == "-";
    std::error_code ignored;
    if (!standardInput && std::filesystem::is_directory(path, ignored)) {
        cannotRead(path, "file to open is a directory");
    }
    std::unique_ptr<std::FILE, FileClose> opened;
    if (!standardInput) {
        opened.reset(std::fopen(path.c_str(), "rb"));
        if (!opened) {
            cannotRead(path, std::strerror(errno));
        }
    }
    std::FILE* file = standardInput ? stdin : opened.get();
    std::string data;
    char buffer[65536];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        data.append(buffer, read);
    }
    if (std::ferror(file)) {
        cannotRead(path, std::strerror(errno));
    }
    return data;
}

} // namespace ombrix::cli
