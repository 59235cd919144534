// Names sort as the database's sort order does; the cases are in name-collation.json, each list
// in its sorted order.
#include "reader/NameCollation.h"

#include "reader/Text.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace ombrix::tests {
namespace {

using namespace reader;

TEST(NameCollation, SortsAsTheSortOrderDoes) {
    const std::map<std::string, SortOrder> orders{{"GeneralLegacy", SortOrder::GeneralLegacy},
                                                  {"General97", SortOrder::General97},
                                                  {"General", SortOrder::General}};
    for (const auto& c :
         nlohmann::json::parse(readFile(sourceFile("tests/reader/name-collation.json")))) {
        const auto sorted = c.at("sorted").get<std::vector<std::string>>();
        const NameCollation collation(orders.at(c.at("order")));
        // Shuffled (reversed and rotated), then sorted by key; ties keep that order.
        std::vector<std::string> names(sorted.rbegin(), sorted.rend());
        std::rotate(names.begin(), names.begin() + 1, names.end());
        std::stable_sort(names.begin(), names.end(), [&](const auto& a, const auto& b) {
            return NameCollation::compare(collation.key(a), collation.key(b)) < 0;
        });
        EXPECT_EQ(names, sorted) << c.dump();
    }
}

// Names are stored as UTF-16 little endian, or compressed after FF FE in runs of low bytes and
// runs of whole units that each 00 switches: a surrogate pair is one character, a lone surrogate
// or an odd last byte is replaced.
TEST(Text, NamesFromStoredText) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> rows[] = {
        {"a\0\x3D\xD8\x00\xDE!\0"s, "a\xF0\x9F\x98\x80!"},
        {"\0\xD8"s, "\xEF\xBF\xBD"},
        {"a\0\0\xDC"s, "a\xEF\xBF\xBD"},
        {"\xFF\xDF \0x\0"s, "\xEF\xBF\xBD x"},
        {"a\0b"s, "a\xEF\xBF\xBD"},
        {"\xFF\xFEZeta", "Zeta"},
        {"\xFF\xFE"
         "ab\0\x35\xD8\x38\xDD\0c"s,
         "ab\xF0\x9D\x94\xB8"
         "c"},
        {"\xFF\xFE\xE9\0\x42\x04"s, "\xC3\xA9\xD1\x82"},
        {"\xFF\xFE", ""}};
    for (const auto& [bytes, utf8] : rows) {
        EXPECT_EQ(fromStoredText(bytes), utf8);
    }
}

} // namespace
} // namespace ombrix::tests
