#include "cli/CliSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace ombrix::cli {

namespace {

[[noreturn]] void CannotRead(const std::string& path, const std::string& reason) {
    throw CommandError(exitFailure, "cannot read " + path + ": " + reason);
}

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string ReadInput(const std::string& path) {
    const bool standardInput = path == "-";
    std::error_code ignored;
    if (!standardInput && std::filesystem::is_directory(path, ignored)) {
        CannotRead(path, "file to open is a directory");
    }
    std::unique_ptr<std::FILE, FileClose> opened;
    if (!standardInput) {
        opened.reset(std::fopen(path.c_str(), "rb"));
        if (!opened) {
            CannotRead(path, std::strerror(errno));
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
        CannotRead(path, std::strerror(errno));
    }
    return data;
}

} // namespace ombrix::cli
