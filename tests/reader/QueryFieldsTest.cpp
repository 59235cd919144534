// Fields of saved queries, derived from MSysQueries rows as Access stores them.

#include "reader/QueryFields.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace ombrix::tests {
namespace {

using namespace reader;
using Names = std::vector<std::string>;

QueryRow row(int attribute, const std::string& name1 = {}, const std::string& name2 = {},
             const std::string& expression = {}, int flag = 0) {
    return {0, attribute, {}, name1, name2, expression, flag};
}

// Numbers the rows of each attribute as Access does, then interleaves the attributes as they lie
// on disk, so that the derivation must restore the order itself.
SavedQuery query(const std::string& name, int type, std::vector<QueryRow> rows) {
    std::map<int, int> counters;
    for (QueryRow& r : rows) {
        const int n = ++counters[r.attribute];
        r.order = std::string(3, '\0') + static_cast<char>(n);
    }
    std::reverse(rows.begin(), rows.end());
    return {name, type, rows};
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class Inputs final : public QueryInputs {
public:
    std::map<std::string, std::vector<core::FieldDef>> tables{
        {"orders", {{"OrderID", 4}, {"CustomerID", 10}, {"OrderDate", 8}, {"Freight", 5}}},
        {"customers", {{"CustomerID", 10}, {"CompanyName", 10}, {"Notes", 12}}},
        {"lines", {{"OrderID", 4}, {"Quantity", 3}, {"Price", 7}, {"Units", 2}}},
    };
    std::map<std::string, SavedQuery> queries;

    std::optional<std::vector<core::FieldDef>> tableFields(const std::string& name) override {
        const auto it = tables.find(lower(name));
        return it == tables.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<SavedQuery> query(const std::string& name) override {
        const auto it = queries.find(lower(name));
        return it == queries.end() ? std::nullopt : std::optional(it->second);
    }
};

Names describe(const std::vector<core::FieldDef>& fields) {
    Names items;
    for (const auto& field : fields) {
        items.push_back(field.name + ' ' + std::to_string(field.type));
    }
    return items;
}

TEST(QueryFields, DerivesFields) {
    const std::vector<std::pair<SavedQuery, Names>> cases{
        // * over one table
        {query("q", 0, {row(5, "Orders"), row(6, {}, {}, "*")}),
         Names{"OrderID 4", "CustomerID 10", "OrderDate 8", "Freight 5"}},
        // alias.* and a column, clashing names qualified
        {query("q", 0,
               {row(5, "Orders", "o"), row(5, "Customers"), row(6, {}, {}, "o.*"),
                row(6, {}, {}, "[Customers].[CompanyName]"),
                row(6, {}, {}, "Customers.CustomerID")}),
         Names{"OrderID 4", "o.CustomerID 10", "OrderDate 8", "Freight 5", "CompanyName 10",
               "Customers.CustomerID 10"}},
        // aliases and unqualified references
        {query("q", 0,
               {row(5, "Orders"), row(6, "When", {}, "OrderDate"), row(6, {}, {}, "[Freight]"),
                row(6, "Id", {}, "Orders!OrderID")}),
         Names{"When 8", "Freight 5", "Id 4"}},
        // the same column twice: the last keeps its name
        {query("q", 0,
               {row(5, "Orders"), row(6, {}, {}, "Freight"), row(6, {}, {}, "OrderID"),
                row(6, {}, {}, "Orders.Freight")}),
         Names{"Expr1000 5", "OrderID 4", "Freight 5"}},
        // computed columns
        {query("q", 0,
               {row(5, "Lines"),
                row(5, "Orders"),
                row(5, "Customers"),
                row(6, {}, {}, "Count(*)"),
                row(6, {}, {}, "Sum([Quantity])"),
                row(6, {}, {}, "Sum(Freight)"),
                row(6, {}, {}, "Max(Orders.OrderDate)"),
                row(6, {}, {}, "[CompanyName] & \" (\" & Customers.CustomerID & \")\""),
                row(6, {}, {}, "Notes & \"!\""),
                row(6, {}, {}, "CLng(Price)"),
                row(6, {}, {}, "Year([OrderDate])"),
                row(6, {}, {}, "Quantity * Price"),
                row(6, {}, {}, "Quantity * Units"),
                row(6, {}, {}, "Freight * 2"),
                row(6, {}, {}, "Freight * 1.5"),
                row(6, {}, {}, "Quantity / 2"),
                row(6, {}, {}, "Quantity \\ 2"),
                row(6, {}, {}, "OrderDate + 7"),
                row(6, {}, {}, "IIf(Quantity > 1, \"many\", \"one\")"),
                row(6, {}, {}, "'text'"),
                row(6, {}, {}, "#1/2/2003#"),
                row(6, {}, {}, "(Quantity > 10) And Not Price Is Null"),
                row(6, {}, {}, "Quantity + Price"),
                row(6, "Total", {}, "Avg([Lines].[Price])")}),
         Names{"Expr1000 4",  "Expr1001 7",  "Expr1002 5", "Expr1003 8",  "Expr1004 10",
               "Expr1005 12", "Expr1006 4",  "Expr1007 3", "Expr1008 7",  "Expr1009 3",
               "Expr1010 5",  "Expr1011 7",  "Expr1012 7", "Expr1013 4",  "Expr1014 8",
               "Expr1015 10", "Expr1016 10", "Expr1017 8", "Expr1018 10", "Expr1019 7",
               "Total 7"}},
        // parameters have their declared types
        {query("q", 0,
               {row(2, "Since", {}, {}, 8), row(2, "Who", {}, {}, 0), row(5, "Orders"),
                row(6, {}, {}, "[Since]"), row(6, {}, {}, "[Since] + 1"), row(6, {}, {}, "Who"),
                row(6, {}, {}, "[Forms]![Orders]![OrderID]")}),
         Names{"Expr1000 8", "Expr1001 8", "Expr1002 10", "Expr1003 10"}},
        // output all fields comes after the listed columns
        {query("q", 0,
               {row(3, {}, {}, {}, 1), row(5, "Customers"), row(6, "Name", {}, "CompanyName")}),
         Names{"Name 10", "CustomerID 10", "CompanyName 10", "Notes 12"}},
        // crosstab with listed column headings
        {query("q", 16,
               {row(5, "Orders"), row(6, {}, {}, "CustomerID", 2),
                row(6, {}, {}, "Year(OrderDate) In (2001, \"2002\")", 1),
                row(6, {}, {}, "Sum(Freight)", 0)}),
         Names{"CustomerID 10", "2001 5", "2002 5"}},
        // crosstab with dates as column headings
        {query("q", 16,
               {row(5, "Orders"), row(6, {}, {}, "CustomerID", 2),
                row(6, {}, {}, "OrderDate In (#1/2/2003#)", 1), row(6, {}, {}, "Sum(Freight)", 0)}),
         Names{"CustomerID 10", "1/2/2003 5"}},
    };
    Inputs inputs;
    for (const auto& [saved, fields] : cases) {
        EXPECT_EQ(describe(deriveQueryFields(saved, inputs)), fields);
    }
}

TEST(QueryFields, ReadsQueriesBuiltOnQueries) {
    Inputs inputs;
    inputs.queries.emplace("big orders", query("Big orders", 0,
                                               {row(5, "Orders"), row(6, {}, {}, "OrderID"),
                                                row(6, "Cost", {}, "Freight * 2")}));
    const auto fields =
        deriveQueryFields(query("q", 0,
                                {row(5, "Big Orders", "b"), row(5, "Lines"), row(6, {}, {}, "b.*"),
                                 row(6, {}, {}, "Max(b.Cost)"), row(6, {}, {}, "Lines.Quantity")}),
                          inputs);
    EXPECT_EQ(describe(fields), (Names{"OrderID 4", "Cost 5", "Expr1001 5", "Quantity 3"}));
}

TEST(QueryFields, FailsAsTheEngineDoes) {
    Inputs inputs;
    const auto add = [&](const std::string& n, int type, const std::vector<QueryRow>& rows) {
        inputs.queries.emplace(n, query(n, type, rows));
    };
    add("uses missing", 0, {row(5, "Old orders"), row(6, {}, {}, "*")});
    add("uses broken", 0, {row(5, "uses missing"), row(6, {}, {}, "*")});
    add("a", 0, {row(5, "b"), row(6, {}, {}, "*")});
    add("b", 0, {row(5, "A"), row(6, {}, {}, "*")});
    add("self", 0, {row(5, "Self"), row(6, {}, {}, "*")});
    add("ambiguous", 0, {row(5, "Orders"), row(5, "Lines"), row(6, {}, {}, "OrderID")});
    add("update", 48, {row(1, {}, {}, {}, 4), row(5, "Orders")});
    add("union", 128, {row(1, {}, {}, {}, 9)});
    add("on union", 0, {row(5, "union"), row(6, {}, {}, "*")});
    const std::vector<std::pair<std::string, int>> cases{
        {"uses missing", 3078}, {"uses broken", 3078}, {"a", 3103},       {"self", 3103},
        {"ambiguous", 3079},    {"update", 3251},      {"on union", 3251}};
    for (const auto& [name, error] : cases) {
        try {
            deriveQueryFields(*inputs.query(name), inputs);
            ADD_FAILURE() << name;
        } catch (const core::EngineError& e) {
            EXPECT_EQ(e.number(), error) << name;
            if (name == "uses missing") {
                EXPECT_EQ(e.description(),
                          "The database engine cannot find the input table or query 'Old "
                          "orders'. Make sure it exists and that its name is spelled correctly.");
            }
        }
    }
}

} // namespace
} // namespace ombrix::tests
