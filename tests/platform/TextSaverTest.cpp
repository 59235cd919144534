// Saving a page, over the tables in saving.json: the bytes a text becomes, and what a save leaves
// on disk for each kind of target, failure and fault.
#include "platform/TextSaver.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdlib.h>
#include <unistd.h>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const json& cases(const char* table) {
    static const json all = json::parse(std::ifstream(OMBRIX_PLATFORM_TESTS_DIR "/saving.json"));
    return all.at(table);
}

std::string fromHex(const std::string& hex) {
    std::istringstream digits(hex);
    std::string bytes;
    for (unsigned byte = 0; digits >> std::hex >> byte;) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

TEST(Encoding, ByTheCharactersTheTextHolds) {
    for (const auto& row : cases("encodings")) {
        EXPECT_EQ(platform::encodePageText(row["text"].get<std::string>()), fromHex(row["bytes"]))
            << row["name"];
    }
}

// A fresh folder with a file named FILE and a folder named FOLDER; writable again when it goes.
class Folder {
public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "ombrix-saver-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        writeFile(path_ / "FILE", "not a folder");
        fs::create_directory(path_ / "FOLDER");
    }
    ~Folder() {
        fs::permissions(path_, fs::perms::owner_all);
        fs::remove_all(path_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    const fs::path& path() const { return path_; }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

private:
    fs::path path_;
};

class Saving : public ::testing::TestWithParam<json> {};

TEST_P(Saving, WritesTheWholeTextOrLeavesTheOldFile) {
    const json& row = GetParam();
    const bool oldFile = row.value("oldFile", false);
    const bool readOnlyFolder = row.value("readOnlyFolder", false);
    const fs::perms filePerms = row.value("readOnlyFile", false)
                                    ? fs::perms::owner_read
                                    : fs::perms::owner_read | fs::perms::owner_write;
    const rlim_t sizeLimit = row.value("sizeLimit", RLIM_INFINITY);
    const bool expectSaved = row.value("saved", false);
    if ((readOnlyFolder || row.value("readOnlyFile", false)) && geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; ctest runs this as nobody";
    const Folder folder;
    const fs::path target = row["target"].get<std::string>();
    const fs::path path = target.is_absolute() ? target : folder.path() / target;
    if (oldFile) {
        writeFile(path, std::string(5000, 'o'));
        fs::permissions(path, filePerms);
    }
    if (readOnlyFolder)
        fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string before = readFile(path);
    const std::string text(1000, 'x'); // shorter than the old file, longer than a size limit

    std::string error;
    bool saved = false;
    {
        const FileSizeLimit limit(sizeLimit);
        saved = platform::saveText(path.string(), text, &error);
    }
    EXPECT_EQ(saved, expectSaved);
    EXPECT_EQ(error.empty(), expectSaved) << error;
    if (expectSaved) {
        EXPECT_EQ(readFile(path), text);
        if (oldFile) {
            EXPECT_EQ(fs::status(path).permissions(), filePerms);
        }
    } else if (sizeLimit == RLIM_INFINITY || !readOnlyFolder) {
        EXPECT_EQ(readFile(path), before); // only a failed write in place may cut the file
    }
    EXPECT_EQ(folder.entries(), 2U + ((oldFile || saved) && path.parent_path() == folder.path()))
        << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Targets, Saving,
                         ::testing::ValuesIn(cases("saving").begin(), cases("saving").end()),
                         [](const ::testing::TestParamInfo<json>& row) {
                             return row.param["name"].get<std::string>();
                         });

TEST(Saving, FollowsASymbolicLink) {
    const Folder folder;
    writeFile(folder.path() / "FOLDER" / "page.asp", "old");
    fs::create_symlink("FOLDER/page.asp", folder.path() / "link.asp");
    ASSERT_TRUE(platform::saveText((folder.path() / "link.asp").string(), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.asp"));
    EXPECT_EQ(readFile(folder.path() / "FOLDER" / "page.asp"), "new");
}

} // namespace
} // namespace ombrix::tests
