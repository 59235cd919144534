// The generator against the tables in cases.json: the golden pages first, then the rules the
// pages are made of, where a table names more cases than the pages show.
#include "core/CatalogueItems.h"
#include "core/DatabasePath.h"
#include "core/FieldItem.h"
#include "core/PageNames.h"
#include "core/TypePrefix.h"
#include "core/Utf8.h"
#include "generator/FieldRecords.h"
#include "generator/FormValueExpression.h"
#include "generator/GeneratePage.h"
#include "generator/Names.h"
#include "generator/SqlToken.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <array>
#include <glib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace ombrix::tests {
namespace {

using nlohmann::json;

std::string testFile(const std::string& name) {
    return readFile(sourceFile("tests/generator") / name);
}

std::string text(const json& value) {
    return value.get<std::string>();
}

const json& cases(const char* table) {
    static const json all = json::parse(testFile("cases.json"));
    return all.at(table);
}

// The first line where two pages differ, with its TABs and line ends shown.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::size_t start = 0;
    for (int line = 1;; ++line) {
        const std::size_t end = expected.find('\n', start);
        const std::size_t length = end == std::string::npos ? std::string::npos : end + 1 - start;
        if (expected.compare(start, length, actual, start, length) != 0 ||
            end == std::string::npos) {
            std::string shown = actual.substr(start, std::min<std::size_t>(length, 160));
            for (const auto& [c, escape] : {std::pair{'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}}) {
                for (auto at = shown.find(c); at != std::string::npos; at = shown.find(c, at)) {
                    shown.replace(at, 1, escape);
                }
            }
            return "first difference at line " + std::to_string(line) + ": " + shown;
        }
        start = end + 1;
    }
}

class GoldenPage : public testing::TestWithParam<json> {};

TEST_P(GoldenPage, IsGeneratedToTheByte) {
    const json& row = GetParam();
    WizardState state{.databasePath = row.value("database", ""),
                      .password = row.value("password", ""),
                      .primaryKeyField = row.value("primaryKeyField", ""),
                      .primaryKeyPrefix = row.value("primaryKeyPrefix", ""),
                      .keyFields = {},
                      .objectCaption = row["object"],
                      .summaryFields = {},
                      .formMethod = row.value("method", WizardState{}.formMethod)};
    for (const auto& field : row.value("fields", json::array())) {
        state.summaryFields.push_back(core::makeFieldItem(text(field[0]), text(field[1])));
    }
    for (const auto& key : row.value("keyFields", json::array())) {
        state.keyFields.push_back({.name = text(key[0]), .prefix = text(key[1])});
    }
    const std::string expected = testFile("golden/" + row["golden"].get<std::string>());
    const std::string actual = GeneratePage(state);
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
    EXPECT_EQ(GeneratePage(state), actual) << "a second run differs";
}

INSTANTIATE_TEST_SUITE_P(Pages, GoldenPage,
                         testing::ValuesIn(cases("pages").begin(), cases("pages").end()),
                         [](const testing::TestParamInfo<json>& row) {
                             std::string name = row.param["golden"];
                             name.resize(name.find('.'));
                             std::ranges::replace(name, '-', '_');
                             return name;
                         });

TEST(Names, ConvertAsTheTablesSay) {
    for (const auto& row : cases("properCase")) {
        EXPECT_EQ(ProperCase(text(row[0])), row[1]) << row[0];
    }
    for (const auto& row : cases("spaceToUnderscore")) {
        EXPECT_EQ(SpaceToUnderscore(text(row[0])), row[1]) << row[0];
    }
    for (const auto& row : cases("objectName")) {
        EXPECT_EQ(core::splitObjectItem(row[0].get<std::string>()).name, row[1]) << row[0];
    }
}

// Every character, doubled into one word: the first upper-cased and the second lower-cased as
// GLib's simple case mappings say, for every script.
TEST(Names, ProperCaseMapsEveryCharacterAsGLibDoes) {
    const auto utf8 = [](gunichar c) {
        std::array<char, 6> bytes{};
        return std::string(bytes.data(),
                           static_cast<std::size_t>(g_unichar_to_utf8(c, bytes.data())));
    };
    for (gunichar c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        ASSERT_EQ(ProperCase(utf8(c) + utf8(c)),
                  utf8(g_unichar_toupper(c)) + utf8(g_unichar_tolower(c)))
            << "U+" << std::hex << c;
    }
}

// Invalid UTF-8 is copied byte for byte; an invalid byte counts as a character that is no letter.
TEST(Names, ProperCaseKeepsInvalidBytes) {
    const std::pair<std::string, std::string> rows[] = {{"\377ABC", "\377abc"},
                                                        {"ab\303", "Ab\303"},
                                                        {"\300\257x", "\300\257x"},
                                                        {"\301\201B", "\301\201b"},
                                                        {"\342\202X", "\342\202x"},
                                                        {"\355\240\200a", "\355\240\200a"},
                                                        {"\364\220\200\200a", "\364\220\200\200a"},
                                                        {"a \200B", "A \200b"}};
    for (const auto& [input, expected] : rows) {
        EXPECT_EQ(ProperCase(input), expected);
    }
}

std::size_t countCharacters(const std::string& text, bool& valid) {
    std::size_t count = 0;
    valid = true;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        const auto c = decodeUtf8(text, pos);
        valid = valid && c.valid;
        pos += c.length;
    }
    return count;
}

// Random text from ASCII, two-, three- and four-byte letters, separators and stray bytes: valid
// input stays valid with as many characters; any input comes out the same when converted twice.
TEST(Names, ProperCaseKeepsCharactersAndIsStable) {
    const std::string pieces[] = {
        "a", " ", "\t", "'", "7", "é",  "É", "ß",    "ÿ",    "Ÿ",        "ς",
        "Σ", "Ж", "ж",  "Ґ", "İ", "中", "😀", "\377", "\303", "\342\202", std::string(1, '\0')};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 25); i > 0; --i) {
            text += pieces[pick(random)];
        }
        const std::string once = ProperCase(text);
        EXPECT_EQ(ProperCase(once), once);
        bool inputValid = false;
        bool outputValid = false;
        const std::size_t inputCount = countCharacters(text, inputValid);
        EXPECT_TRUE(!inputValid ||
                    (countCharacters(once, outputValid) == inputCount && outputValid))
            << text;
    }
}

// A path's bytes, spelled in the tables as the characters of their Latin-1 reading.
std::string bytesOf(const json& latin1) {
    gsize length = 0;
    gchar* bytes =
        g_convert(text(latin1).c_str(), -1, "ISO-8859-1", "UTF-8", nullptr, &length, nullptr);
    std::string result(bytes, length);
    g_free(bytes);
    return result;
}

// Which paths name an Access database: the last four characters ".mdb" or the last six ".accdb",
// in any letter case. In the page, UTF-8 stays; anything else is read as Windows-1252 reads it
// (0x80 to 0x9F from the code page's published table, the five it leaves undefined as C1
// controls): a surrogate, an overlong form or a code point beyond U+10FFFF is no UTF-8.
TEST(DatabasePath, NamesADatabaseAndReadsInThePage) {
    for (const auto& row : cases("databasePath")) {
        EXPECT_EQ(namesAccessDatabase(bytesOf(row[0])), row[1]) << row[0];
        EXPECT_EQ(namesAccdb(bytesOf(row[0])), row[2]) << row[0];
    }
    for (const auto& row : cases("pathInPage")) {
        EXPECT_EQ(pathInPage(bytesOf(row[0])), text(row[1])) << row[0];
    }
}

TEST(TypePrefix, ByCodeAndItsSqlDelimiter) {
    for (const auto& row : cases("getPrefix")) {
        EXPECT_EQ(GetPrefix(row[0]), row[1]) << row[0];
        EXPECT_EQ(GetSQLToken(GetPrefix(row[0])), row[2]) << row[0];
    }
    for (const auto& row : cases("getSQLToken")) {
        EXPECT_EQ(GetSQLToken(row[0].get<std::string>()), row[1]) << row[0];
    }
}

TEST(FieldRecords, SplitAtTheFirstTab) {
    EXPECT_EQ(core::makeFieldItem("Notes", "mem"), "Notes" + std::string(100, ' ') + "\tmem");
    for (const auto& row : cases("fieldSpecFromItem")) {
        const FieldSpec field = fieldSpecFromItem(row[0].get<std::string>());
        EXPECT_EQ(field.Name, row[1]) << row[0];
        EXPECT_EQ(field.VarName, row[2]) << row[0];
        EXPECT_EQ(field.Prefix, row[3]) << row[0];
    }
    for (const auto& row : cases("formValueExpression")) {
        const FieldSpec field{
            .Name = "Customer Name", .VarName = "Customer_Name", .Prefix = row[0]};
        EXPECT_EQ(FormValueExpression(field, text(row[1])), row[2]) << row[0] << ' ' << row[1];
    }
}

} // namespace
} // namespace ombrix::tests
