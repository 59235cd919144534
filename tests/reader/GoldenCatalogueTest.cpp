// Every answer the reader gives for the mkmdb fixtures and the real Access files, against the
// answers kept in golden/: the listing, then each object described, what a missing name gets,
// what an inspection adds, then what a wrong password gets. OMBRIX_UPDATE_GOLDEN=1 writes the
// files anew (review the diff).

#include "reader/MdbCatalogue.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;

struct Database {
    std::string golden; // golden/NAME.txt
    fs::path path;
    std::string password;
};

// What an inspection adds to the listing and the definitions: the header's facts, each saved
// query's shape and each listed table's link.
void inspect(std::ostream& out, reader::MdbCatalogue& catalogue, const Database& database) {
    try {
        const auto inspection = catalogue.inspectDatabase(database.path, database.password, {});
        out << "format " << inspection.database.formatVersion << " code page "
            << inspection.database.codePage << " encryption";
        for (const core::Encryption scheme : inspection.database.encryption) {
            static constexpr std::array kNames{"JetRc4", "DatabasePassword", "OfficeRc4CryptoApi",
                                               "OfficeStandard", "OfficeAgile"};
            out << ' ' << kNames[static_cast<std::size_t>(scheme)];
        }
        out << '\n';
        for (const auto& query : inspection.catalogue.value().queries) {
            out << "shape " << query.name << ':' << (query.distinct ? " distinct" : "")
                << (query.totals ? " totals" : "");
            for (const auto& input : query.inputQueries) {
                out << " reads " << input;
            }
            out << '\n';
        }
        for (const auto& object : inspection.catalogue.value().objects) {
            if (object.link) {
                out << "link " << object.name << ": " << (object.link->odbc ? "ODBC " : "")
                    << object.link->source << ", " << object.link->foreignName << '\n';
            }
        }
    } catch (const core::EngineError& error) {
        out << "error " << error.number() << ' ' << error.description() << '\n';
    }
}

std::string answers(const Database& database) {
    std::ostringstream out;
    const auto print = [&](const core::EngineError& error) {
        out << "error " << error.number() << ' ' << error.description() << '\n';
    };
    reader::MdbCatalogue catalogue;
    const auto describe = [&](core::ObjectKind kind, const std::string& name) {
        out << (kind == core::ObjectKind::Table ? "describe table " : "describe query ") << name
            << '\n';
        try {
            const auto definition =
                catalogue.describeObject(database.path, database.password, kind, name);
            for (const auto& field : definition.fields) {
                out << "field " << field.name << ' ' << field.type
                    << (field.autoNumber ? " auto" : "") << '\n';
            }
            for (const auto& index : definition.indexes) {
                out << "index " << index.name << ':';
                for (const auto& key : index.fields) {
                    out << ' ' << key;
                }
                out << '\n';
            }
        } catch (const core::EngineError& error) {
            print(error);
        }
    };
    core::DatabaseObjects objects;
    try {
        objects = catalogue.listObjects(database.path, database.password);
    } catch (const core::EngineError& error) {
        print(error);
    }
    for (const auto& table : objects.tables) {
        out << "table " << table.name << '\n';
    }
    for (const auto& query : objects.queries) {
        out << "query " << query.name << ' ' << query.type << '\n';
    }
    for (const auto& table : objects.tables) {
        describe(core::ObjectKind::Table, table.name);
    }
    for (const auto& query : objects.queries) {
        describe(core::ObjectKind::Query, query.name);
    }
    describe(core::ObjectKind::Table, "No such table");
    inspect(out, catalogue, database);
    out << "wrong password\n";
    try {
        catalogue.listObjects(database.path, database.password + "x");
    } catch (const core::EngineError& error) {
        print(error);
    }
    const bool read =
        catalogue.inspectDatabase(database.path, database.password + "x", {}).catalogue.has_value();
    out << "inspection " << (read ? "reads the catalogue" : "leaves the catalogue out") << '\n';
    // Links name the built fixtures wherever the build is.
    std::string text = out.str();
    const std::string built = builtFile("tests/reader/fixtures").string();
    for (auto at = text.find(built); at != std::string::npos; at = text.find(built, at)) {
        text.replace(at, built.size(), "@FIXTURES@");
    }
    return text;
}

std::vector<Database> databases() {
    const fs::path built = builtFile("tests/reader/fixtures");
    std::vector<Database> all{
        {"password", built / "password.mdb", "Secret"},
        {"queryTestV2000", conformanceFile("queryTestV2000.mdb"), ""},
        {"testV1997", conformanceFile("testV1997.mdb"), ""},
        {"V2000_with_password", conformanceFile("V2000_with-password.mdb"), "password"},
        // Office encryption: RC4 CryptoAPI, agile with SHA-1 and with SHA-512, Standard AES.
        {"db2007_oldenc", conformanceFile("db2007-oldenc.accdb"), "Test123"},
        {"db2007_enc", conformanceFile("db2007-enc.accdb"), "Test123"},
        {"db2013_enc", conformanceFile("db2013-enc.accdb"), "1234"},
        {"db_nonstandard", conformanceFile("db-nonstandard.accdb"), "password"}};
    for (const char* name : {"fields", "links", "names", "wide"}) {
        all.push_back({name, built / (std::string(name) + ".mdb"), ""});
    }
    return all;
}

class GoldenCatalogue : public testing::TestWithParam<Database> {};

TEST_P(GoldenCatalogue, AnswersAsBefore) {
    const Database& database = GetParam();
    if (!fs::exists(database.path)) {
        GTEST_SKIP() << database.path << " is not there";
    }
    expectGolden(answers(database), sourceFile("tests/reader/golden") / (database.golden + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Databases, GoldenCatalogue, testing::ValuesIn(databases()),
                         [](const auto& test) { return test.param.golden; });

} // namespace
} // namespace ombrix::tests
