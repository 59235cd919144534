// The key rule: every field of the index named exactly "PrimaryKey", in the index's order, for
// tables only, each with its type prefix when the table has that field.
#include "core/WizardStateBuilder.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using core::ObjectKind;

TEST(ObjectKey, FollowsTheIndexNameOnly) {
    const struct {
        ObjectKind kind;
        std::vector<core::IndexDef> indexes;
        std::vector<KeyField> key;
    } rows[] = {
        {ObjectKind::Table, {{"Unique", {"ID"}}}, {}},
        {ObjectKind::Table, {{"primarykey", {"ID"}}}, {}},
        {ObjectKind::Table, {{"PrimaryKey ", {"ID"}}}, {}},
        {ObjectKind::Table, {{"PrimaryKey", {}}}, {}},
        {ObjectKind::Table, {{"PK", {"ID"}}, {"PrimaryKey", {"Code"}}}, {{"Code", "str"}}},
        {ObjectKind::Table, {{"PrimaryKey", {"When", "ID"}}}, {{"When", "dat"}, {"ID", "lng"}}},
        {ObjectKind::Table,
         {{"PrimaryKey", {"When", "ID", "Code"}}},
         {{"When", "dat"}, {"ID", "lng"}, {"Code", "str"}}},
        {ObjectKind::Table, {{"PrimaryKey", {"Gone"}}}, {{"Gone", ""}}}, // a field the table lacks
        {ObjectKind::Query, {{"PrimaryKey", {"ID"}}}, {}},
    };
    for (const auto& row : rows) {
        const std::vector<KeyField> key =
            core::objectKey(row.kind, {.fields = {{.name = "ID", .type = 4},
                                                  {.name = "Code", .type = 10},
                                                  {.name = "When", .type = 8}},
                                       .indexes = row.indexes});
        EXPECT_EQ(key, row.key) << row.indexes.front().name << ' ' << row.indexes.size();
    }
}

} // namespace
} // namespace ombrix::tests
