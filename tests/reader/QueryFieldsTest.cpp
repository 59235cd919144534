// Fields of saved queries, derived from MSysQueries rows as Access stores them; the cases are in
// query-fields.json (rows as [attribute, name1, name2, expression, flag]).

#include "reader/QueryFields.h"

#include "support/Files.h"
#include "support/TestData.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

namespace ombrix::tests {
namespace {

using namespace reader;
using nlohmann::json;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Numbers the rows of each attribute as Access does, then interleaves the attributes as they lie
// on disk, so that the derivation must restore the order itself.
SavedQuery savedQuery(const std::string& name, const json& description) {
    SavedQuery saved{.name = name, .type = description.at("type").get<int>(), .rows = {}};
    std::map<int, int> counters;
    for (const json& r : description.at("rows")) {
        const int attribute = r[0].get<int>();
        saved.rows.push_back(
            {.objectId = 0,
             .attribute = attribute,
             .order = std::string(3, '\0') + static_cast<char>(++counters[attribute]),
             .name1 = r[1],
             .name2 = r[2],
             .expression = r[3],
             .flag = r[4]});
    }
    std::reverse(saved.rows.begin(), saved.rows.end());
    return saved;
}

class Inputs final : public QueryInputs {
public:
    explicit Inputs(const json& cases) {
        for (const auto& [name, fields] : cases.at("tables").items()) {
            for (const json& field : fields) {
                tables_[name].push_back({field[0].get<std::string>(), field[1].get<int>()});
            }
        }
        for (const auto& [name, description] : cases.at("queries").items()) {
            queries_.emplace(lower(name), savedQuery(name, description));
        }
    }
    std::optional<std::vector<core::FieldDef>> tableFields(const std::string& name) override {
        const auto it = tables_.find(lower(name));
        return it == tables_.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<SavedQuery> query(const std::string& name) override {
        const auto it = queries_.find(lower(name));
        return it == queries_.end() ? std::nullopt : std::optional(it->second);
    }

private:
    std::map<std::string, std::vector<core::FieldDef>> tables_;
    std::map<std::string, SavedQuery> queries_;
};

TEST(QueryFields, DerivesFieldsOrFailsAsTheEngineDoes) {
    const json all = json::parse(readFile(sourceFile("tests/reader/query-fields.json")));
    Inputs inputs(all);
    for (const json& c : all.at("derived")) {
        std::vector<std::string> fields;
        for (const auto& field : deriveQueryFields(savedQuery("q", c), inputs)) {
            fields.push_back(field.name + ' ' + std::to_string(field.type));
        }
        EXPECT_EQ(fields, c.at("fields").get<std::vector<std::string>>()) << c.dump();
    }
    for (const json& c : all.at("errors")) {
        const std::string name = c.at("query");
        try {
            deriveQueryFields(*inputs.query(name), inputs);
            ADD_FAILURE() << name;
        } catch (const core::EngineError& e) {
            EXPECT_EQ(e.number(), c.at("error").get<int>()) << name;
            if (c.contains("description")) {
                EXPECT_EQ(e.description(), c.at("description").get<std::string>());
            }
        }
    }
}

} // namespace
} // namespace ombrix::tests
