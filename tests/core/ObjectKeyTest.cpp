// The key rule: the last field of the index named exactly "PrimaryKey", for tables only, and its
// type prefix when the table has that field.
#include "core/WizardStateBuilder.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using core::IndexDef;
using core::ObjectKind;

struct KeyRow {
    const char* name;
    ObjectKind kind;
    std::vector<IndexDef> indexes;
    std::string field;
    std::string prefix;
};

void PrintTo(const KeyRow& row, std::ostream* out) {
    *out << row.name;
}

class ObjectKey : public testing::TestWithParam<KeyRow> {};

TEST_P(ObjectKey, FollowsTheIndexNameOnly) {
    const core::ObjectDefinition definition{.fields = {{"ID", 4}, {"Code", 10}, {"When", 8}},
                                            .indexes = GetParam().indexes};
    const core::ObjectKey key = core::objectKey(GetParam().kind, definition);
    EXPECT_EQ(key.field, GetParam().field);
    EXPECT_EQ(key.prefix, GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, ObjectKey,
    testing::Values(
        KeyRow{"UniqueIndexOfAnotherName", ObjectKind::Table, {{"Unique", {"ID"}}}, "", ""},
        KeyRow{"LowerCaseName", ObjectKind::Table, {{"primarykey", {"ID"}}}, "", ""},
        KeyRow{"TrailingBlank", ObjectKind::Table, {{"PrimaryKey ", {"ID"}}}, "", ""},
        KeyRow{"NoFields", ObjectKind::Table, {{"PrimaryKey", {}}}, "", ""},
        KeyRow{"AfterAnotherIndex",
               ObjectKind::Table,
               {{"PK", {"ID"}}, {"PrimaryKey", {"Code"}}},
               "Code",
               "str"},
        KeyRow{"LastFieldOfTheIndex",
               ObjectKind::Table,
               {{"PrimaryKey", {"When", "ID"}}},
               "ID",
               "lng"},
        KeyRow{"FieldTheTableLacks", ObjectKind::Table, {{"PrimaryKey", {"Gone"}}}, "Gone", ""},
        KeyRow{"QueryHasNone", ObjectKind::Query, {{"PrimaryKey", {"ID"}}}, "", ""}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace ombrix::tests
