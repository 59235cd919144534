#include "platform/TextSaver.h"

#include "tests/support/FileSizeLimit.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <stdlib.h>
#include <unistd.h>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using platform::encodePageText;
using platform::saveText;

const std::string kUtf8Bom = "\xEF\xBB\xBF";

struct EncodingRow {
    const char* name;
    std::string text;
    std::string bytes;
};

void PrintTo(const EncodingRow& row, std::ostream* out) {
    *out << row.name;
}

class Encoding : public ::testing::TestWithParam<EncodingRow> {};

TEST_P(Encoding, ByTheCharactersTheTextHolds) {
    EXPECT_EQ(encodePageText(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Encoding,
    ::testing::Values(EncodingRow{"ascii_crlf_tabs", "<%\r\n\tDim x\r\n\r\n%>\r\n",
                                  "<%\r\n\tDim x\r\n\r\n%>\r\n"},
                      EncodingRow{"e_acute_and_euro", "Caf\u00e9 \u20ac5\r\n",
                                  "Caf\xE9 \x80"
                                  "5\r\n"},
                      EncodingRow{"range_80_9f", "\u201cOE\u201d \u0152 \u2026 \u2122 \u017e",
                                  "\x93OE\x94 \x8C \x85 \x99 \x9E"},
                      EncodingRow{"upper_latin1", "\u00ff\u00a0\u00c5", "\xFF\xA0\xC5"},
                      EncodingRow{"cyrillic", "\u0418\u043c\u044f\r\n",
                                  kUtf8Bom + "\u0418\u043c\u044f\r\n"},
                      EncodingRow{"one_outside_makes_all_utf8", "\u00e9\u20ac \u0416",
                                  kUtf8Bom + "\u00e9\u20ac \u0416"},
                      EncodingRow{"u0080_has_no_place", "a\u0080", kUtf8Bom + "a\u0080"},
                      EncodingRow{"empty", "", ""}),
    [](const auto& row) { return row.param.name; });

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? bytes.str() : "(none)";
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
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

constexpr auto kReadWrite = fs::perms::owner_read | fs::perms::owner_write;
constexpr auto kReadOnly = fs::perms::owner_read;
constexpr rlim_t kUnlimited = RLIM_INFINITY;

struct SaveRow {
    const char* name;
    const char* target;   // relative to the folder, unless absolute
    bool oldFile = false; // "old" is there before the save
    fs::perms filePerms = kReadWrite;
    bool readOnlyFolder = false;
    rlim_t sizeLimit = kUnlimited;
    bool saved = false;
};

void PrintTo(const SaveRow& row, std::ostream* out) {
    *out << row.name;
}

class Saving : public ::testing::TestWithParam<SaveRow> {};

TEST_P(Saving, WritesTheWholeTextOrLeavesTheOldFile) {
    const SaveRow& row = GetParam();
    if ((row.readOnlyFolder || row.filePerms == kReadOnly) && geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; ctest runs this as nobody";
    const Folder folder;
    const fs::path path =
        fs::path(row.target).is_absolute() ? row.target : folder.path() / row.target;
    if (row.oldFile) {
        writeFile(path, std::string(5000, 'o'));
        fs::permissions(path, row.filePerms);
    }
    if (row.readOnlyFolder)
        fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string before = contents(path);
    const std::string text(1000, 'x'); // shorter than the old file, longer than a size limit

    std::string error;
    bool saved = false;
    {
        const ombrix::testing::FileSizeLimit limit(row.sizeLimit);
        saved = saveText(path.string(), text, &error);
    }
    EXPECT_EQ(saved, row.saved);
    EXPECT_EQ(error.empty(), row.saved) << error;
    if (row.saved) {
        EXPECT_EQ(contents(path), text);
        if (row.oldFile) {
            EXPECT_EQ(fs::status(path).permissions(), row.filePerms);
        }
    } else if (row.sizeLimit == kUnlimited || !row.readOnlyFolder) {
        EXPECT_EQ(contents(path), before); // only a failed write in place may cut the file
    }
    EXPECT_EQ(folder.entries(),
              2U + ((row.oldFile || row.saved) && path.parent_path() == folder.path()))
        << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, Saving,
    ::testing::Values(SaveRow{.name = "new_file", .target = "page.asp", .saved = true},
                      SaveRow{.name = "replaces_a_longer_file_keeping_its_permissions",
                              .target = "page.asp",
                              .oldFile = true,
                              .saved = true},
                      SaveRow{
                          .name = "missing_folder",
                          .target = "missing/page.asp",
                      },
                      SaveRow{
                          .name = "file_where_a_folder_should_be",
                          .target = "FILE/page.asp",
                      },
                      SaveRow{
                          .name = "a_folder_of_that_name",
                          .target = "FOLDER",
                      },
                      // /proc takes no new file, even from root.
                      SaveRow{
                          .name = "folder_that_takes_no_new_file",
                          .target = "/proc/version",
                      },
                      SaveRow{
                          .name = "full_disk",
                          .target = "page.asp",
                          .oldFile = true,
                          .sizeLimit = 64,
                      },
                      SaveRow{
                          .name = "read_only_file",
                          .target = "page.asp",
                          .oldFile = true,
                          .filePerms = kReadOnly,
                      },
                      SaveRow{.name = "read_only_folder_writable_file_in_place",
                              .target = "page.asp",
                              .oldFile = true,
                              .readOnlyFolder = true,
                              .saved = true},
                      SaveRow{
                          .name = "read_only_folder_read_only_file",
                          .target = "page.asp",
                          .oldFile = true,
                          .filePerms = kReadOnly,
                          .readOnlyFolder = true,
                      },
                      SaveRow{
                          .name = "read_only_folder_full_disk_in_place",
                          .target = "page.asp",
                          .oldFile = true,
                          .readOnlyFolder = true,
                          .sizeLimit = 64,
                      }),
    [](const auto& row) { return row.param.name; });

TEST(Saving, FollowsASymbolicLink) {
    const Folder folder;
    writeFile(folder.path() / "FOLDER" / "page.asp", "old");
    fs::create_symlink("FOLDER/page.asp", folder.path() / "link.asp");
    ASSERT_TRUE(saveText((folder.path() / "link.asp").string(), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.asp"));
    EXPECT_EQ(contents(folder.path() / "FOLDER" / "page.asp"), "new");
}

} // namespace
} // namespace ombrix::tests
