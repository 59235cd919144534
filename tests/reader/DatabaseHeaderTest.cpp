// The header page and the file before it: format checks and the database password, on real
// headers edited in place. The password bytes are scrambled by XOR with a key stream, so a known
// stored password is replaced by XOR-ing in the difference, without re-implementing the
// scrambling here.

#include "reader/DatabaseFile.h"
#include "reader/MdbCatalogue.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace ombrix::tests {
namespace {

using namespace reader;
namespace fs = std::filesystem;

std::string conformanceBytes(const std::string& name) {
    std::ostringstream bytes;
    bytes << std::ifstream(fs::path(OMBRIX_CONFORMANCE_DIR) / name, std::ios::binary).rdbuf();
    return bytes.str();
}

void xorInto(std::string& bytes, std::size_t at, std::string_view difference) {
    for (std::size_t i = 0; i < difference.size(); ++i) {
        bytes[at + i] = static_cast<char>(bytes[at + i] ^ difference[i]);
    }
}

// A Jet 3 file whose stored password is `password` (the sample has none: zeros).
std::string jet3WithPassword(std::string_view password) {
    std::string bytes = conformanceBytes("testV1997.mdb");
    xorInto(bytes, 0x42, password);
    return bytes;
}

// A Jet 4 file whose stored password is `password` instead of "password".
std::string jet4WithPassword(std::u16string_view password) {
    std::string bytes = conformanceBytes("V2000_with-password.mdb");
    const std::u16string_view stored = u"password";
    for (std::size_t i = 0; i < std::max(stored.size(), password.size()); ++i) {
        const char16_t difference =
            (i < stored.size() ? stored[i] : 0) ^ (i < password.size() ? password[i] : 0);
        xorInto(
            bytes, 0x42 + 2 * i,
            std::string{static_cast<char>(difference & 0xFF), static_cast<char>(difference >> 8)});
    }
    return bytes;
}

// What listing the objects of the file answers: error 0 when it succeeds.
core::EngineError listingError(const std::string& path, const std::string& password = "") {
    try {
        MdbCatalogue().listObjects(path, password);
        return {0, ""};
    } catch (const core::EngineError& e) {
        return e;
    }
}

class Header : public testing::Test {
protected:
    void SetUp() override {
        if (conformanceBytes("testV1997.mdb").empty()) {
            GTEST_SKIP() << "The real Access files are not at OMBRIX_CONFORMANCE_DIR";
        }
    }
    fs::path write(const std::string& bytes) {
        const fs::path path = folder_ / ("db" + std::to_string(++files_) + ".mdb");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    ~Header() override { fs::remove_all(folder_); }

    fs::path folder_ = fs::temp_directory_path() / ("ombrix-header-" + std::to_string(getpid()));
    int files_ = (fs::create_directories(folder_), 0);
};

TEST_F(Header, ComparesPasswordsAsTheEngineDoes) {
    const std::string jet3 = jet3WithPassword("Secret");
    const std::string jet3Latin = jet3WithPassword("M\xfcller"); // in the code page, 1252
    const std::string jet4 = jet4WithPassword(u"Grüße; \"x\"=1");
    const std::string twenty = jet4WithPassword(u"abcdefghijklmnopqrst");
    const std::string none = conformanceBytes("queryTestV2000.mdb");
    const struct {
        const std::string& file;
        std::string supplied;
        int error;
    } cases[] = {
        {jet3, "Secret", 0},
        {jet3, "secret", 3031},
        {jet3, "", 3031},
        {jet3, "Secre", 3031},
        {jet3Latin, "Müller", 0},
        {jet4, "Grüße; \"x\"=1", 0},
        {jet4, "Grüsse; \"x\"=1", 3031},
        {twenty, "abcdefghijklmnopqrst", 0},
        {twenty, "abcdefghijklmnopqrstUVW", 0}, // cut to twenty
        {twenty, "abcdefghijklmnopqrs", 3031},
        {none, "", 0},
        {none, "x", 0},
    };
    for (const auto& c : cases) {
        int error = 0;
        try {
            const auto size = static_cast<std::int64_t>(c.file.size());
            (void)verifyPassword(parseDatabaseHeader(c.file, size, "x.mdb"), c.supplied, "x.mdb");
        } catch (const core::EngineError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error) << c.supplied;
    }
}

TEST_F(Header, FilesThatAreNoDatabase) {
    fs::create_directory(folder_ / "folder.mdb");
    const std::string access = conformanceBytes("queryTestV2000.mdb");
    const auto changed = [&](std::size_t at, char value) {
        std::string bytes = access;
        bytes[at] = value;
        return write(bytes).string();
    };
    // An .accdb keeps the Jet 4 layout and is read as far as libmdb reads it; one with Office
    // encryption (a page-encryption key) is refused.
    std::string accdb = access;
    accdb[0x14] = 3;
    std::string encrypted = accdb;
    xorInto(encrypted, 0x3E, std::string("\x01\x00\x00\x00", 4));
    const std::vector<std::pair<std::string, int>> cases{
        {(folder_ / "missing.mdb").string(), 3024},
        {(folder_ / "no/db.mdb").string(), 3044},
        {"", 3044},
        {write("").string(), 3343},
        {write(std::string(20000, 'x')).string(), 3343},
        {(folder_ / "folder.mdb").string(), 3343},
        {write(access.substr(0, 4096)).string(), 3343},
        {write(access.substr(0, 4096 + 100)).string(), 3343}, // shorter than two pages
        {changed(0, '\x01'), 3343},                           // not a page of type 0
        {changed(4, 'X'), 3343},                              // an unknown engine name
        {changed(0x14, '\x07'), 3343},                        // an unknown version
        {write(accdb).string(), 0},
        {write(encrypted).string(), 3343},
    };
    for (const auto& [path, error] : cases) {
        EXPECT_EQ(listingError(path).number(), error) << path;
    }
    EXPECT_EQ(listingError(cases[3].first).description(),
              "Unrecognized database format '" + cases[3].first + "'.");
    EXPECT_NE(listingError(cases.back().first).description().find("Office encryption"),
              std::string::npos);
}

// Permissions do not bind root, so as root the file is opened as the user nobody.
TEST_F(Header, AnUnreadableFileCannotBeOpened) {
    const fs::path unreadable = write(conformanceBytes("queryTestV2000.mdb"));
    fs::permissions(unreadable, fs::perms::none);
    fs::permissions(folder_, fs::perms::others_exec, fs::perm_options::add); // nobody reaches it
    const bool asRoot = geteuid() == 0;
    constexpr uid_t kNobody = 65534;
    if (asRoot && seteuid(kNobody) != 0) {
        GTEST_SKIP() << "cannot act as the user nobody";
    }
    const int error = listingError(unreadable).number();
    if (asRoot) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_EQ(error, 3051);
}

} // namespace
} // namespace ombrix::tests
