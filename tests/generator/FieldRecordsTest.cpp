#include "generator/FieldRecords.h"

#include "generator/FormValueExpression.h"
#include "generator/WizardState.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using ombrix::FieldSpec;
using ombrix::fieldSpecFromItem;
using ombrix::makeFieldListItem;

struct ItemRow {
    std::string item;
    std::string name;
    std::string varName;
    std::string prefix;
};

class FieldSpecFromItemTest : public testing::TestWithParam<ItemRow> {};

TEST_P(FieldSpecFromItemTest, SplitsAtTheFirstTab) {
    const FieldSpec field = fieldSpecFromItem(GetParam().item);
    EXPECT_EQ(field.Name, GetParam().name);
    EXPECT_EQ(field.VarName, GetParam().varName);
    EXPECT_EQ(field.Prefix, GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Items, FieldSpecFromItemTest,
    testing::Values(
        ItemRow{makeFieldListItem("Customer Name", "str"), "Customer Name", "Customer_Name", "str"},
        ItemRow{makeFieldListItem("OrderDate", "dat"), "Orderdate", "Orderdate", "dat"},
        ItemRow{makeFieldListItem("Order  ID", "lng"), "Order  Id", "Order__Id", "lng"},
        ItemRow{makeFieldListItem("  padded name  ", "int"), "Padded Name", "Padded_Name", "int"},
        ItemRow{"Notes\tmem", "Notes", "Notes", "mem"},
        ItemRow{"a\tstr\tmore", "A", "A", "str\tmore"}, ItemRow{"\tstr", "", "", "str"},
        ItemRow{"  No Tab here ", "No Tab Here", "No_Tab_Here", ""}, ItemRow{"", "", "", ""}));

TEST(FieldListItemTest, IsNameHundredBlanksTabPrefix) {
    EXPECT_EQ(makeFieldListItem("Notes", "mem"), "Notes" + std::string(100, ' ') + "\tmem");
}

TEST(BuildFieldSpecsTest, KeepsListOrder) {
    const auto fields = ombrix::buildFieldSpecs(
        {makeFieldListItem("b", "str"), makeFieldListItem("a", "lng"), makeFieldListItem("c", "")});
    ASSERT_EQ(fields.size(), 3U);
    EXPECT_EQ(fields[0].Name, "B");
    EXPECT_EQ(fields[1].Name, "A");
    EXPECT_EQ(fields[2].Name, "C");
}

struct ReadRow {
    std::string prefix;
    std::string method;
    std::string expected;
};

class FormValueExpressionTest : public testing::TestWithParam<ReadRow> {};

TEST_P(FormValueExpressionTest, ReadsTheVarName) {
    const FieldSpec field{"Customer Name", "Customer_Name", GetParam().prefix};
    EXPECT_EQ(ombrix::FormValueExpression(field, GetParam().method), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, FormValueExpressionTest,
    testing::Values(ReadRow{"str", "Post", R"(Trim(Request.Form("Customer_Name")))"},
                    ReadRow{"mem", "Get", R"(Trim(Request.QueryString("Customer_Name")))"},
                    ReadRow{"lng", "Get", R"(Request.QueryString("Customer_Name"))"},
                    ReadRow{"dat", "Post", R"(Request.Form("Customer_Name"))"},
                    ReadRow{"STR", "Post", R"(Request.Form("Customer_Name"))"},
                    ReadRow{"str", "post", R"(Trim(Request.QueryString("Customer_Name")))"},
                    ReadRow{"tms", "", R"(Request.QueryString("Customer_Name"))"}));

TEST(WizardStateTest, StartsWithPost) {
    EXPECT_EQ(ombrix::WizardState{}.formMethod, "Post");
}

} // namespace
