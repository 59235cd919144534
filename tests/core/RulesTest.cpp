// The rules the wizard and ombrix-cli share, over the tables in cases.json:
// - how a name must be written in the page, for names and words whose standing is well known
//   (Date, Order and Select are SQL reserved words; Next and Wend VBScript keywords; Name and
//   Customer neither; a VBScript name is a letter, then letters, digits and underscores, 255
//   characters at most);
// - the key: every field of the index named exactly "PrimaryKey", in the index's order, for tables
//   only, each with its type prefix when the table has that field;
// - the object list: every table, then every select query, in the catalogue's order, without the
//   engine's system objects ("MSy...") and the hidden queries of forms and reports ("~sq_..."),
//   both compared with case (DAO's query types: 0 select, 16 crosstab, 32 delete, 48 update, 64
//   append, 80 make-table, 96 data definition, 112 pass-through, 128 union).
#include "core/CatalogueItems.h"
#include "core/DeploymentCheck.h"
#include "core/WizardStateBuilder.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace ombrix::tests {
namespace {

using nlohmann::json;

const json& cases(const char* table) {
    static const json all = json::parse(readFile(sourceFile("tests/core/cases.json")));
    return all.at(table);
}

TEST(NameRules, ReasonsAndTheFormThatWorksInSql) {
    const std::map<std::string, core::MendReason> reasons{
        {"Blank", core::MendReason::Blank},
        {"Character", core::MendReason::Character},
        {"ReservedWord", core::MendReason::ReservedWord}};
    for (const json& row : cases("nameRules")) {
        const std::string name = row[0];
        std::vector<core::MendReason> expected;
        for (const std::string reason : row[1]) {
            expected.push_back(reasons.at(reason));
        }
        EXPECT_EQ(core::nameReasons(name), expected) << name;
        EXPECT_EQ(core::sqlName(name), row[2].get<std::string>()) << name;
    }
    const std::string longest(255, 'x');
    EXPECT_TRUE(core::nameReasons(longest).empty());
    EXPECT_EQ(core::nameReasons(longest + 'x'), std::vector{core::MendReason::Character});
}

TEST(ObjectKey, FollowsTheIndexNameOnly) {
    core::ObjectDefinition definition;
    for (const json& field : cases("objectKey")["fields"]) {
        definition.fields.push_back(
            {.name = field[0].get<std::string>(), .type = field[1].get<int>()});
    }
    for (const json& row : cases("objectKey")["rows"]) {
        definition.indexes.clear();
        for (const json& index : row["indexes"]) {
            definition.indexes.push_back({.name = index[0].get<std::string>(),
                                          .fields = index[1].get<std::vector<std::string>>()});
        }
        std::vector<KeyField> key;
        for (const json& field : row["key"]) {
            key.push_back(
                {.name = field[0].get<std::string>(), .prefix = field[1].get<std::string>()});
        }
        const auto kind =
            row["kind"] == "table" ? core::ObjectKind::Table : core::ObjectKind::Query;
        EXPECT_EQ(core::objectKey(kind, definition), key) << row.dump();
    }
}

TEST(ObjectList, ShowsTablesThenSelectQueriesOfTheUser) {
    for (const json& row : cases("objectList")) {
        core::DatabaseObjects objects;
        for (const std::string table : row["tables"]) {
            objects.tables.push_back({.name = table});
        }
        for (const json& query : row["queries"]) {
            objects.queries.push_back(
                {.name = query[0].get<std::string>(), .type = query[1].get<int>()});
        }
        EXPECT_EQ(core::objectListItems(objects), row["items"].get<std::vector<std::string>>())
            << row.dump();
    }
}

} // namespace
} // namespace ombrix::tests
