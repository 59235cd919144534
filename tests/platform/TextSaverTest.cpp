// Saving a page, over the tables in saving.json: the bytes a text becomes, and what a save leaves
// on disk for each kind of target, failure and fault, special files included.
#include "platform/TextSaver.h"

#include "support/FileSizeLimit.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const json& cases(const char* table) {
    static const json all = json::parse(readFile(sourceFile("tests/platform/saving.json")));
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

// A special file of the row's kind, made in the folder; its type, to compare after the save.
fs::file_type makeNode(const json& row, const fs::path& path) {
    const std::string kind = row["kind"];
    if (kind == "fifo") {
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
    } else if (kind == "socket") {
        sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
        path.string().copy(address.sun_path, sizeof address.sun_path - 1);
        const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        close(listening);
    } else if (kind == "folder") {
        fs::create_directory(path);
    } else {
        EXPECT_EQ(mknod(path.c_str(), (kind == "blockDevice" ? S_IFBLK : S_IFCHR) | 0600,
                        makedev(row["device"][0], row["device"][1])),
                  0);
    }
    return fs::symlink_status(path).type();
}

class SpecialFiles : public ::testing::TestWithParam<json> {};

// Runs as root in CI, which mknod needs; a FIFO, a socket and a folder need no privilege.
TEST_P(SpecialFiles, AreWrittenWhereTheyAreOrRefused) {
    const json& row = GetParam();
    if (row.contains("device") && geteuid() != 0)
        GTEST_SKIP() << "mknod needs root";
    const Folder folder;
    const fs::path node = folder.path() / "node";
    const fs::file_type kind = makeNode(row, node);
    // Opened first, so that the save finds a reader however it opens the FIFO.
    const int reader = row.value("reader", false) ? open(node.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    const bool viaLink = row.value("viaLink", false);
    if (viaLink)
        fs::create_symlink("node", folder.path() / "link");
    const std::string text(1000, 'x'); // less than a pipe holds
    const auto opening = row.value("opening", "") == "failWithoutReader"
                             ? platform::FifoOpening::FailWithoutReader
                             : platform::FifoOpening::WaitForReader;

    std::string error;
    const bool saved = platform::saveText((folder.path() / (viaLink ? "link" : "node")).string(),
                                          text, &error, opening);
    EXPECT_EQ(error, row.value("error", ""));
    EXPECT_EQ(saved, error.empty());
    if (reader >= 0) {
        std::string received(2 * text.size(), '\0');
        received.resize(static_cast<std::size_t>(
            std::max<ssize_t>(0, read(reader, received.data(), received.size()))));
        close(reader);
        EXPECT_EQ(received, text);
    }
    EXPECT_EQ(fs::symlink_status(node).type(), kind) << "replaced";
    EXPECT_EQ(folder.entries(), 3U + viaLink) << "a file was left beside it";
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFiles,
                         ::testing::ValuesIn(cases("specialFiles").begin(),
                                             cases("specialFiles").end()),
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
