#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// cases.json, the one table of command lines: ombrix-cli in this process over a fake catalogue,
// or, in rows that name a "program", the built ombrix-cli or ombrix.
namespace ombrix::tests {

std::vector<nlohmann::json> cliRows(bool programs);

// A row's member that maps names to values ("files", "make", ...); empty when the row has none.
const nlohmann::json& namedValues(const nlohmann::json& row, const char* member);

// A row's text with its placeholders filled in: {root} the source folder, {dir} the row's own
// folder, {state} its state.json, {version} the program's version, {xHH} the byte of that value
// and {N*c} the character c N times.
std::string expand(std::string text, const std::filesystem::path& dir);

// Writes the row's "files" ({"name": "bytes"}) and "state" into dir.
void writeRowFiles(const nlohmann::json& row, const std::filesystem::path& dir);

// Checks what a command line wrote against the row: "out", "outFile", "outContains" (a text or a
// list of them), "err", "errPrefix".
void checkStreams(const nlohmann::json& row, const std::string& out, const std::string& err,
                  const std::filesystem::path& dir);

// A fresh folder for one row, removed with it.
class RowFolder {
public:
    RowFolder();
    ~RowFolder();
    RowFolder(const RowFolder&) = delete;
    RowFolder& operator=(const RowFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string rowName(const testing::TestParamInfo<nlohmann::json>& row);

} // namespace ombrix::tests
