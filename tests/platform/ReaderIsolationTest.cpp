// The reader runs apart: crashes, hangs and garbage answers become engine errors.

#include "platform/ReaderCatalogue.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string_view>
#include <unistd.h>

namespace ombrix::tests {
namespace {

using namespace std::chrono_literals;

const std::string kFakeReader = builtFile("bin/fake-reader").string();

// The error a request ends in; 0 when it answers.
int errorOf(const std::function<void()>& request) {
    try {
        request();
        return 0;
    } catch (const core::EngineError& e) {
        return e.description().empty() ? -1 : e.number();
    }
}

class MisbehavingReader : public testing::TestWithParam<const char*> {};

TEST_P(MisbehavingReader, BecomesAnEngineError) {
    setenv("OMBRIX_FAKE_READER", GetParam(), 1);
    platform::ReaderCatalogue catalogue(kFakeReader, 1500ms);
    const auto start = std::chrono::steady_clock::now();
    try {
        catalogue.listObjects("/x/Orders.mdb", {});
        ADD_FAILURE() << "no error";
    } catch (const core::EngineError& e) {
        EXPECT_EQ(e.number(), 3343);
        EXPECT_TRUE(e.description().starts_with("Unrecognized database format '/x/Orders.mdb'."))
            << e.description();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

INSTANTIATE_TEST_SUITE_P(Modes, MisbehavingReader,
                         testing::Values("crash", "abort", "hang", "hang-silently-closed",
                                         "answer-then-hang", "flood", "exit-code", "",
                                         "Segmentation fault"));

TEST(ReaderIsolation, WellFormedAnswersAreTakenAsSent) {
    setenv("OMBRIX_FAKE_READER",
           R"({"ombrixReader":3,"objects":{"tables":["Orders"],"queries":[["Big orders",0]]}})", 1);
    platform::ReaderCatalogue catalogue(kFakeReader, 5s);
    EXPECT_EQ(catalogue.listObjects("x.mdb", {}),
              (core::DatabaseObjects{{{"Orders"}}, {{"Big orders", 0}}}));

    // The reader for the next request is started ahead, with the environment of that moment.
    setenv("OMBRIX_FAKE_READER", R"({"ombrixReader":3,"error":[3031,"Not a valid password."]})", 1);
    EXPECT_EQ(catalogue.listObjects("x.mdb", {}).tables.size(), 1U);
    EXPECT_EQ(errorOf([&] { catalogue.listObjects("x.mdb", {}); }), 3031);
}

TEST(ReaderIsolation, LibmdbVariablesDoNotReachTheReader) {
    setenv("OMBRIX_FAKE_READER", "environment", 1);
    for (const char* name : {"MDBPATH", "MDBICONV", "MDBOPTS", "MDB_JET3_CHARSET"}) {
        setenv(name, "a::b", 1);
    }
    platform::ReaderCatalogue catalogue(kFakeReader, 5s);
    const auto objects = catalogue.listObjects("x.mdb", {});
    for (const char* name : {"MDBPATH", "MDBICONV", "MDBOPTS", "MDB_JET3_CHARSET"}) {
        unsetenv(name);
    }
    EXPECT_TRUE(objects.tables.empty());
}

TEST(ReaderIsolation, AMissingReaderIsReported) {
    platform::ReaderCatalogue catalogue("/nonexistent/ombrix-reader", 5s);
    try {
        catalogue.listObjects("x.mdb", {});
        ADD_FAILURE() << "no error";
    } catch (const core::EngineError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_NE(e.description().find("/nonexistent/ombrix-reader"), std::string::npos);
    }
}

// Installed, the reader is in the package's libexec folder, beside the programs' bin; in the build
// it stands beside them.
TEST(ReaderIsolation, TheReaderIsFoundWhereItIsInstalled) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "ombrix-layout-XXXXXX").string();
    const fs::path root = mkdtemp(pattern.data());
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/libexec/ombrix");
    writeFile(root / "usr/libexec/ombrix/ombrix-reader", "x");
    fs::create_directories(root / "build/bin");
    writeFile(root / "build/bin/ombrix-reader", "x");
    EXPECT_EQ(platform::readerProgramFor((root / "usr/bin/ombrix").string()),
              (root / "usr/libexec/ombrix/ombrix-reader").string());
    EXPECT_EQ(platform::readerProgramFor((root / "build/bin/ombrix").string()),
              (root / "build/bin/ombrix-reader").string());
    fs::remove_all(root);
}

// The command line's way: a fork of this process serves the request, with the same time limit and
// checks.
TEST(ReaderIsolation, AForkedServerIsHeldToTheSameRules) {
    using Server = platform::ReaderCatalogue::Server;
    const Server answers = [](int, int out) {
        const std::string_view answer =
            R"({"ombrixReader":3,"objects":{"tables":["Orders"],"queries":[]}})";
        return write(out, answer.data(), answer.size()) == std::ssize(answer) ? 0 : 1;
    };
    EXPECT_EQ(platform::ReaderCatalogue(answers, 5s).listObjects("x.mdb", {}).tables.size(), 1U);
    for (const Server misbehaves : std::initializer_list<Server>{
             [](int, int) -> int { std::abort(); },
             [](int, int) -> int {
                 for (;;) {
                     pause();
                 }
             },
             [](int, int out) { return write(out, "Segmentation fault", 18) == 18 ? 0 : 1; },
             [](int, int) { return 0; },
             [](int, int out) {
                 const std::string_view answer =
                     R"({"ombrixReader":3,"objects":{"tables":["Orders"],"queries":[]}})";
                 return write(out, answer.data(), answer.size()) == std::ssize(answer) ? 3 : 1;
             }}) {
        EXPECT_EQ(errorOf([&] {
                      platform::ReaderCatalogue(misbehaves, 1500ms).listObjects("x.mdb", {});
                  }),
                  3343);
    }
}

// MDBPATH with an empty entry sends libmdb 1.0 round in circles looking for a missing file.
TEST(ReaderIsolation, LibmdbSearchPathCannotHangTheRealReader) {
    setenv("MDBPATH", "a::b:", 1);
    platform::ReaderCatalogue catalogue(builtFile("bin/ombrix-reader").string(), 5s);
    const int error = errorOf([&] { catalogue.listObjects("no-such-file.mdb", {}); });
    unsetenv("MDBPATH");
    EXPECT_EQ(error, 3024);
}

} // namespace
} // namespace ombrix::tests
