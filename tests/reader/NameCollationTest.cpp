#include "reader/NameCollation.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using namespace reader;

TEST(NameCollation, SortsAsTheSortOrderDoes) {
    const auto legacy = SortOrder::GeneralLegacy;
    const auto general97 = SortOrder::General97;
    const auto general = SortOrder::General;
    const std::vector<std::pair<SortOrder, std::vector<std::string>>> cases{
        {legacy, {"a", "B", "c"}}, // letters ignore case
        {legacy, {"MSysAccessObjects", "MSysACEs", "MSysObjects"}},
        {legacy, {"Employee Privileges", "Employees"}}, // a blank before letters
        {legacy, {"1st", "9", "a"}},                    // digits before letters
        {legacy, {"Zebra", "_x", "~sq_fOrders"}},       // ~ and _ after Z
        {legacy, {"+x", "1", "a"}},                     // + before digits
        {legacy, {"cook", "co-op", "coop", "coops"}},   // hyphen and apostrophe ignored
        {general97, {"_x", "~sq_f", "1", "a"}},         // punctuation before digits
        {general97, {"co-op", "cook", "coop"}},         // the hyphen counts
        {general, {"_x", "~x", "+x", "1", "a"}},
        {legacy, {"Apfel", "Äpfel", "Apfelsine", "Umsätze", "Umsatzsteuer"}}, // accents: ties
        {legacy, {"abc", "ABC", "abd"}}, // case only breaks ties, lower first
        {legacy, {"Orders", "Orders"}},
    };
    for (const auto& [order, sorted] : cases) {
        const NameCollation collation(order);
        std::vector<std::pair<NameCollation::Key, std::string>> keys;
        for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
            keys.emplace_back(collation.key(*it), *it);
        }
        std::rotate(keys.begin(), keys.begin() + 1, keys.end());
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            return NameCollation::compare(a.first, b.first) < 0;
        });
        std::vector<std::string> names;
        for (const auto& key : keys) {
            names.push_back(key.second);
        }
        EXPECT_EQ(names, sorted);
    }
}

} // namespace
} // namespace ombrix::tests
