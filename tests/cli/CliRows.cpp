#include "CliRows.h"

#include "ombrix/ProjectInfo.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <fstream>
#include <regex>
#include <stdlib.h>

namespace ombrix::tests {

namespace fs = std::filesystem;
using nlohmann::json;

std::vector<json> cliRows(bool programs) {
    std::vector<json> rows;
    for (json& row : json::parse(readFile(sourceFile("tests/cli/cases.json")))) {
        if (row.contains("program") == programs) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

const json& namedValues(const json& row, const char* member) {
    static const json none = json::object();
    const auto found = row.find(member);
    return found != row.end() ? *found : none;
}

std::string expand(std::string text, const fs::path& dir) {
    const std::regex placeholder(R"(\{(root|dir|state|version|x([0-9A-F]{2})|(\d+)\*(.))\})");
    std::string expanded;
    std::smatch match;
    while (std::regex_search(text, match, placeholder)) {
        expanded += match.prefix();
        const std::string name = match[1];
        if (name == "root") {
            expanded += sourceFile("").string();
        } else if (name == "dir") {
            expanded += dir.string();
        } else if (name == "state") {
            expanded += (dir / "state.json").string();
        } else if (name == "version") {
            expanded += project::kVersion;
        } else if (match[2].matched) {
            expanded += static_cast<char>(std::stoi(match[2], nullptr, 16));
        } else {
            expanded += std::string(std::stoul(match[3]), match[4].str().front());
        }
        text = match.suffix();
    }
    return expanded + text;
}

void writeRowFiles(const json& row, const fs::path& dir) {
    if (row.contains("state")) {
        writeFile(dir / "state.json", row["state"]);
    }
    for (const auto& [name, bytes] : namedValues(row, "files").items()) {
        writeFile(dir / name, bytes);
    }
}

void checkStreams(const json& row, const std::string& out, const std::string& err,
                  const fs::path& dir) {
    if (row.contains("out")) {
        EXPECT_EQ(out, expand(row["out"], dir));
    }
    if (row.contains("outFile")) {
        EXPECT_EQ(out, readFile(sourceFile(row["outFile"].get<std::string>())));
    }
    // One text, or several, each to be found in the output.
    const json contained = row.value("outContains", json::array());
    for (const std::string text : contained.is_array() ? contained : json::array({contained})) {
        EXPECT_NE(out.find(expand(text, dir)), std::string::npos) << text;
    }
    if (row.contains("err")) {
        EXPECT_EQ(err, expand(row["err"], dir));
    }
    if (row.contains("errPrefix")) {
        EXPECT_TRUE(err.starts_with(expand(row["errPrefix"], dir))) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
    }
}

RowFolder::RowFolder() {
    std::string pattern = (fs::temp_directory_path() / "ombrix-cli-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

RowFolder::~RowFolder() {
    fs::remove_all(path_);
}

std::string rowName(const testing::TestParamInfo<json>& row) {
    return row.param["name"].get<std::string>();
}

} // namespace ombrix::tests
