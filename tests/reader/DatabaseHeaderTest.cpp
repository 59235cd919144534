// The header page and the file before it: format checks, the database password and Office
// encryption, on real headers edited in place. The password bytes are scrambled by XOR with a key
// stream, so a known stored password is replaced by XOR-ing in the difference, without
// re-implementing the scrambling here.

#include "core/EngineErrors.h"
#include "reader/DatabaseFile.h"
#include "reader/DecryptedDatabase.h"
#include "reader/MdbCatalogue.h"
#include "reader/NettleLibrary.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nettle/arcfour.h>
#include <nettle/nettle-meta.h>
#include <unistd.h>

namespace ombrix::tests {
namespace {

using namespace reader;
using namespace std::string_literals;
namespace fs = std::filesystem;

std::string conformanceBytes(const std::string& name) {
    return readFile(conformanceFile(name));
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

std::string littleEndian32(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
    return bytes;
}

// The file with `from` replaced by `to` in the EncryptionInfo of its header page, whose length
// field follows.
std::string withEncryptionInfo(const std::string& bytes, std::string_view from,
                               std::string_view to) {
    std::string page = bytes.substr(0, 4096);
    const std::size_t at = page.find(from, 0x29B);
    if (at == std::string::npos) {
        return "(not found: " + std::string(from) + ")";
    }
    page.replace(at, from.size(), to);
    const auto length = static_cast<unsigned char>(page[0x299]) +
                        (static_cast<unsigned char>(page[0x29A]) << 8) + to.size() - from.size();
    page[0x299] = static_cast<char>(length & 0xFF);
    page[0x29A] = static_cast<char>(length >> 8);
    page.resize(4096, '\0');
    return page + bytes.substr(4096);
}

// What the header says of a file's Office encryption, to compare with the file's source.
struct EncryptionFacts {
    OfficeScheme scheme = OfficeScheme::Unknown;
    int keyBytes = 0;
    std::size_t hashBytes = 0;
    std::uint32_t spinCount = 0;
    bool operator==(const EncryptionFacts&) const = default;
};

EncryptionFacts factsOf(const OfficeEncryption& encryption) {
    if (const auto* agile = std::get_if<AgileEncryption>(&encryption.parameters)) {
        return {encryption.scheme, agile->data.keyBytes, agile->data.hashSize, agile->spinCount};
    }
    const auto& cryptoApi = std::get<CryptoApiEncryption>(encryption.parameters);
    return {encryption.scheme, cryptoApi.keyBytes, 20, cryptoApi.spinCount};
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
        if (!haveConformanceFiles()) {
            GTEST_SKIP() << "The real Access files are not at hand";
        }
    }
    fs::path write(const std::string& bytes) {
        const fs::path path = folder_ / ("db" + std::to_string(++files_) + ".mdb");
        writeFile(path, bytes);
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
    const std::string jet4Wide = jet4WithPassword(u"Пароль €"); // units above 0xFF
    const std::string twenty = jet4WithPassword(u"abcdefghijklmnopqrst");
    const std::string none = conformanceBytes("queryTestV2000.mdb");
    // Office encryption: RC4 CryptoAPI, agile (SHA-1, SHA-512), Standard; no password is stored,
    // the file's verifier decides.
    const std::string rc4 = conformanceBytes("db2007-oldenc.accdb");
    const std::string agile = conformanceBytes("db2007-enc.accdb");
    const std::string agile512 = conformanceBytes("db2013-enc.accdb");
    const std::string standard = conformanceBytes("db-nonstandard.accdb");
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
        {jet4Wide, "Пароль €", 0},
        {jet4Wide, "Пароль", 3031},
        {twenty, "abcdefghijklmnopqrst", 0},
        {twenty, "abcdefghijklmnopqrstUVW", 0}, // cut to twenty
        {twenty, "abcdefghijklmnopqrs", 3031},
        {none, "", 0},
        {none, "x", 0},
        {rc4, "Test123", 0},
        {rc4, "", 3031},
        {rc4, "test123", 3031},
        {agile, "Test123", 0},
        {agile, "Test1234", 3031},
        {agile512, "1234", 0},
        {agile512, "", 3031},
        {standard, "password", 0},
        {standard, "Password", 3031},
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

// MSysObjects, whose definition is page 2, without its column Name or with Name as a number.
TEST_F(Header, DamagedCatalogue) {
    constexpr std::size_t kPage2 = 2 * 4096;
    const std::string access = conformanceBytes("queryTestV2000.mdb");
    ASSERT_EQ(access.substr(kPage2 + 686, 10), std::string("\x08\0N\0a\0m\0e\0", 10));
    std::string renamed = access;
    renamed[kPage2 + 688] = 'X';
    std::string retyped = access;
    ASSERT_EQ(retyped[kPage2 + 362], 10); // Name's column entry: its type, Text
    retyped[kPage2 + 362] = 4;
    for (const std::string& bytes : {renamed, retyped}) {
        const std::string path = write(bytes).string();
        const core::EngineError error = listingError(path);
        EXPECT_EQ(error.number(), 3343);
        EXPECT_EQ(error.description(), core::damagedCatalogue(path).description());
    }
}

// The scheme, key size, hash and iterations that the files' source names; with the right
// password, page 2 (MSysObjects' table definition in every Access file) decrypts to a table
// definition page.
TEST_F(Header, ReadsOfficeEncryptionAndDecryptsTheCatalogueDefinition) {
    using enum OfficeScheme;
    const struct {
        const char* file;
        const char16_t* password;
        EncryptionFacts facts;
    } cases[] = {
        {"db2007-oldenc.accdb", u"Test123", {Rc4CryptoApi, 5, 20, 0}},
        {"db2007-enc.accdb", u"Test123", {Agile, 16, 20, 100000}},
        {"db2013-enc.accdb", u"1234", {Agile, 32, 64, 100000}},
        {"db-nonstandard.accdb", u"password", {Standard, 32, 20, 0}},
    };
    for (const auto& c : cases) {
        const std::string bytes = conformanceBytes(c.file);
        const DatabaseHeader header =
            parseDatabaseHeader(bytes, static_cast<std::int64_t>(bytes.size()), c.file);
        ASSERT_TRUE(header.officeEncryption) << c.file;
        EXPECT_EQ(factsOf(*header.officeEncryption), c.facts) << c.file;
        const OfficeDecryptor decryptor(*header.officeEncryption, header.pageKey, c.password);
        std::string page = bytes.substr(2 * 4096, 4096);
        decryptor.decrypt(2, reinterpret_cast<unsigned char*>(page.data()), page.size());
        EXPECT_EQ(page.substr(0, 2), "\x02\x01") << c.file;
    }
}

// Edited EncryptionInfo: what the reader does not know is refused as before (3343), with the
// right password too; a setting it knows but that changes the key fails the verifier (3031).
TEST_F(Header, EditedEncryptionInfo) {
    const struct {
        const char* file;
        const char* password;
        std::string from;
        std::string to;
        int error;
    } cases[] = {
        // More iterations than the 10,000,000 that [MS-OFFCRYPTO] allows.
        {"db2007-enc.accdb", "Test123", R"(spinCount="100000")", R"(spinCount="10000001")", 3343},
        {"db2013-enc.accdb", "1234", "ChainingModeCBC", "ChainingModeCFB", 3343},
        {"db2013-enc.accdb", "1234", R"(hashSize="64")", R"(hashSize="20")", 3343},
        {"db2013-enc.accdb", "1234", "</encryption>", "", 3343},
        {"db2013-enc.accdb", "1234",
         "keyEncryptor/password\"><p:", "keyEncryptor/other\"><p:", 3343},
        // Extensible encryption (version 4.3); an algorithm other than RC4 and AES.
        {"db-nonstandard.accdb", "password", "\x04\x00\x02\x00"s, "\x04\x00\x03\x00"s, 3343},
        {"db2007-oldenc.accdb", "Test123", "\x01\x68\x00\x00"s, "\x02\x66\x00\x00"s, 3343},
        // AES-256 with a 128-bit key; an RC4 key over 128 bits.
        {"db-nonstandard.accdb", "password", "\x04\x80\x00\x00\x00\x01"s,
         "\x04\x80\x00\x00\x80\x00"s, 3343},
        {"db2007-oldenc.accdb", "Test123", "\x04\x80\x00\x00\x28"s, "\x04\x80\x00\x00\x88"s, 3343},
        // A 128-bit RC4 key; the AES flag, with which Standard encryption hashes 50,000 times.
        {"db2007-oldenc.accdb", "Test123", "\x04\x80\x00\x00\x28"s, "\x04\x80\x00\x00\x80"s, 3031},
        {"db-nonstandard.accdb", "password", "\x8c\x00\x00\x00\x0c"s, "\x8c\x00\x00\x00\x2c"s,
         3031},
        // A key size of 0 stands for 40 bits.
        {"db2007-oldenc.accdb", "Test123", "\x04\x80\x00\x00\x28"s, "\x04\x80\x00\x00\x00"s, 0},
    };
    for (const auto& c : cases) {
        const std::string bytes = withEncryptionInfo(conformanceBytes(c.file), c.from, c.to);
        int error = 0;
        try {
            const auto size = static_cast<std::int64_t>(bytes.size());
            (void)verifyPassword(parseDatabaseHeader(bytes, size, c.file), c.password, c.file);
        } catch (const core::EngineError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error) << c.file << ": " << c.to;
    }
}

// An encrypted file is decrypted whole in memory, up to 2 GB; a larger one is refused before it
// is read.
TEST_F(Header, AnEncryptedFileLargerThanTheBoundIsRefused) {
    const fs::path large = write(conformanceBytes("db2007-oldenc.accdb"));
    fs::resize_file(large, kMaxDecryptedSize + 4096); // sparse: no room taken on the disk
    const core::EngineError error = listingError(large, "Test123");
    EXPECT_EQ(error.number(), 3343);
    EXPECT_NE(error.description().find("larger than 2 GB"), std::string::npos);
}

// nettle is loaded when the first encrypted file is opened; a library that is missing, or is not
// nettle, is reported by what is wrong.
TEST(NettleLibrary, AMissingOrWrongLibraryIsReported) {
    const struct {
        const char* library;
        std::string said;
    } cases[] = {{"libombrix-missing.so", "libombrix-missing.so: cannot open shared object file"},
                 {"libm.so.6", "libm.so.6 has no nettle_sha1"}};
    for (const auto& c : cases) {
        try {
            loadNettle(c.library);
            ADD_FAILURE() << c.library << " loaded";
        } catch (const NettleUnavailable& error) {
            EXPECT_NE(std::string(error.what()).find(c.said), std::string::npos) << error.what();
        }
    }
}

// Access's "Encode database" on a Jet 4 file: every page after the first in RC4 under the
// header's page key XOR the page number, which libmdb undoes. It lists as its clear original, and
// its header tells of the encoding.
TEST_F(Header, AJetFileEncodedWithRc4ListsAsItsClearOriginal) {
    const std::string clear = conformanceBytes("queryTestV2000.mdb");
    constexpr std::uint32_t kKey = 0x2A5F0C31;
    std::string encoded = clear;
    xorInto(encoded, kPageKeyOffset, littleEndian32(kKey)); // over a clear key of 0
    for (std::size_t page = 1; page < encoded.size() / 4096; ++page) {
        const std::string key = littleEndian32(kKey ^ static_cast<std::uint32_t>(page));
        auto* bytes = reinterpret_cast<std::uint8_t*>(encoded.data() + page * 4096);
        arcfour_ctx rc4{};
        arcfour_set_key(&rc4, key.size(), reinterpret_cast<const std::uint8_t*>(key.data()));
        arcfour_crypt(&rc4, 4096, bytes, bytes);
    }
    const auto size = static_cast<std::int64_t>(encoded.size());
    const DatabaseHeader header = parseDatabaseHeader(encoded, size, "x.mdb");
    EXPECT_EQ(header.pageKey, kKey);
    EXPECT_EQ(databaseFacts(header).encryption, std::vector{core::Encryption::JetRc4});
    EXPECT_EQ(MdbCatalogue().listObjects(write(encoded), ""),
              MdbCatalogue().listObjects(write(clear), ""));
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
