// The key rule: the last field of the index named exactly "PrimaryKey", for tables only, and its
// type prefix when the table has that field.
#include "core/WizardStateBuilder.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using core::ObjectKind;

TEST(ObjectKey, FollowsTheIndexNameOnly) {
    const struct {
        ObjectKind kind;
        std::vector<core::IndexDef> indexes;
        std::string field;
        std::string prefix;
    } rows[] = {
        {ObjectKind::Table, {{"Unique", {"ID"}}}, "", ""},
        {ObjectKind::Table, {{"primarykey", {"ID"}}}, "", ""},
        {ObjectKind::Table, {{"PrimaryKey ", {"ID"}}}, "", ""},
        {ObjectKind::Table, {{"PrimaryKey", {}}}, "", ""},
        {ObjectKind::Table, {{"PK", {"ID"}}, {"PrimaryKey", {"Code"}}}, "Code", "str"},
        {ObjectKind::Table, {{"PrimaryKey", {"When", "ID"}}}, "ID", "lng"},
        {ObjectKind::Table, {{"PrimaryKey", {"Gone"}}}, "Gone", ""}, // a field the table lacks
        {ObjectKind::Query, {{"PrimaryKey", {"ID"}}}, "", ""},
    };
    for (const auto& row : rows) {
        const core::ObjectKey key =
            core::objectKey(row.kind, {.fields = {{.name = "ID", .type = 4},
                                                  {.name = "Code", .type = 10},
                                                  {.name = "When", .type = 8}},
                                       .indexes = row.indexes});
        EXPECT_EQ(key.field, row.field) << row.indexes.front().name;
        EXPECT_EQ(key.prefix, row.prefix) << row.indexes.front().name;
    }
}

} // namespace
} // namespace ombrix::tests
