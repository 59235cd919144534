// How a name must be written in the page: the reasons it needs mending and its SQL form, for names
// and words whose standing is well known (Date, Order and Select are SQL reserved words; Next and
// Wend VBScript keywords; Name and Customer neither; a VBScript name is a letter, then letters,
// digits and underscores, 255 characters at most).
#include "core/DeploymentCheck.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using enum core::MendReason;

TEST(NameRules, ReasonsAndTheFormThatWorksInSql) {
    const struct {
        std::string name;
        std::vector<core::MendReason> reasons;
        std::string write;
    } rows[] = {
        {"Customer", {}, "Customer"},
        {"Name", {}, "Name"},
        {"Date2", {}, "Date2"},
        {"Order_Date", {}, "Order_Date"},
        {"Größe", {}, "Größe"},
        {"A1", {}, "A1"},
        {"x_", {}, "x_"},
        {std::string(255, 'x'), {}, std::string(255, 'x')}, // VBScript's longest name
        {std::string(256, 'x'), {Character}, "[" + std::string(256, 'x') + "]"},
        {"Date", {ReservedWord}, "[Date]"},
        {"order", {ReservedWord}, "[order]"},
        {"SELECT", {ReservedWord}, "[SELECT]"},
        {"Next", {ReservedWord}, "[Next]"},
        {"Wend", {ReservedWord}, "[Wend]"},
        {"Order Date", {Blank}, "[Order Date]"},
        {"Order Details", {Blank}, "[Order Details]"},
        {"First-name", {Character}, "[First-name]"},
        {"O'Brien", {Character}, "[O'Brien]"},
        {"_Data", {Character}, "[_Data]"},
        {"Table1.col1", {Character}, "[Table1.col1]"},
        {"2nd Try", {Blank, Character}, "[2nd Try]"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(core::nameReasons(row.name), row.reasons) << row.name;
        EXPECT_EQ(core::sqlName(row.name), row.write) << row.name;
    }
}

} // namespace
} // namespace ombrix::tests
