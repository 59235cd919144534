// Names sort as the database's sort order does; the cases are in name-collation.json, each list
// in its sorted order.
#include "reader/NameCollation.h"

#include "reader/Text.h"

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
    for (const auto& c : nlohmann::json::parse(std::ifstream(OMBRIX_NAME_COLLATION_CASES))) {
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

// Names are stored as UTF-16: a surrogate pair is one character, a lone surrogate is replaced.
TEST(Text, NamesFromUtf16) {
    const std::pair<std::u16string, std::string> rows[] = {
        {u"a\xD83D\xDE00!", "a\xF0\x9F\x98\x80!"},
        {u"\xD800", "\xEF\xBF\xBD"},
        {u"a\xDC00", "a\xEF\xBF\xBD"},
        {u"\xDFFF x", "\xEF\xBF\xBD x"}};
    for (const auto& [units, utf8] : rows) {
        EXPECT_EQ(fromUtf16(units), utf8);
    }
}

} // namespace
} // namespace ombrix::tests
