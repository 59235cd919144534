#include "generator/GeneratePage.h"

#include "generator/FieldRecords.h"
#include "generator/TypePrefix.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using ombrix::makeFieldListItem;
using ombrix::WizardState;

struct Scenario {
    std::string golden; // file name under the golden folder, written by hand, CR LF
    WizardState state;
};

std::vector<std::string> Items(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::vector<std::string> items;
    for (const auto& [name, prefix] : fields) {
        items.push_back(makeFieldListItem(name, prefix));
    }
    return items;
}

// keyPrefix is the catalogue's type of the key, which counts only when the key is not selected.
WizardState State(std::string path, std::string password, std::string caption, std::string key,
                  std::vector<std::pair<std::string, std::string>> fields, std::string method,
                  std::string keyPrefix = "") {
    return {std::move(path),    std::move(password), std::move(key),   std::move(keyPrefix),
            std::move(caption), Items(fields),       std::move(method)};
}

const std::vector<std::pair<std::string, std::string>> orderFields = {
    {"OrderID", "lng"}, {"OrderDate", "dat"}, {"Customer Name", "str"}, {"Notes", "mem"}};

std::vector<std::pair<std::string, std::string>> EveryTypeFields() {
    std::vector<std::pair<std::string, std::string>> fields;
    for (int code = 0; code <= 24; ++code) {
        fields.emplace_back("Type " + std::to_string(code), std::string(ombrix::GetPrefix(code)));
    }
    return fields;
}

std::vector<Scenario> Scenarios() {
    return {
        {"orders-post.asp",
         State(R"(C:\Data\Shop.mdb)", "", "Table: Orders", "OrderID", orderFields, "Post")},
        {"orders-get.asp",
         State(R"(C:\Data\Shop.mdb)", "", "Table: Orders", "OrderID", orderFields, "Get")},
        {"query-no-key.asp", State(R"(..\data\Shop Orders.mdb)", "", "Query: Recent Orders", "",
                                   {{"OrderDate", "dat"}, {"Total", "cur"}}, "Post")},
        {"table-without-key.asp",
         State(R"(C:\Logs\log.mdb)", "", "Table: Log", "",
               {{"Entry", "str"}, {"Logged At", "tms"}, {"Level", "byt"}}, "Get")},
        {"password.asp", State(R"(C:\My Data\Shop.mdb)", "Sesame", "Table: Orders", "OrderID",
                               {{"OrderID", "lng"}, {"Customer Name", "str"}}, "Post")},
        {"key-with-blank.asp",
         State(R"(C:\Data\Shop.mdb)", "", "Table: Order Details", "Order ID",
               {{"Order ID", "lng"}, {"Product Name", "str"}, {"Unit Price", "cur"}}, "Post")},
        {"one-field.asp",
         State("Shop.mdb", "", "Table: Customers", "CustomerID", {{"CustomerID", "str"}}, "Post")},
        {"every-type.asp", State(R"(C:\Data\Types.mdb)", "", "Table: AllTypes", "ID",
                                 EveryTypeFields(), "Post", "boo")},
        {"text-key.asp", State(R"(C:\Data\Shop.mdb)", "", "Table: Customers", "CustomerID",
                               {{"CustomerID", "str"},
                                {"Company Name", "str"},
                                {"Notes", "mem"},
                                {"Active", "boo"},
                                {"Credit Limit", "cur"}},
                               "Post")},
        {"date-key-not-selected.asp",
         State(R"(C:\Data\Diary.mdb)", "", "Table: Visits", "VisitDay",
               {{"Visitor", "str"}, {"Present", "boo"}}, "Get", "dat")},
        {"awkward-names.asp",
         State(R"(D:\Übersicht\Kunden.mdb)", "", "Table: Straße Kunden", "Kunden Nr",
               {{"  leading blanks", "str"},
                {"TRAILING blanks  ", "lng"},
                {"doubled  BLANK", "int"},
                {"O'BRIEN's NOTE", "mem"},
                {"2ND address LINE", "str"},
                {"größe", "dbl"},
                {"ÉCOLE ÉTÉ", "str"},
                {"номер ЗАКАЗА", "lng"},
                {"first-name_X", "str"},
                {"ΣΟΦΊΑ date", "dat"},
                {"ÿes ŒUVRE", "boo"}},
               "Get")},
    };
}

std::string ReadGolden(const std::string& name) {
    std::ifstream file(std::string(OMBRIX_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << "cannot open golden file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Shows a line with its TABs and line end visible.
std::string Visible(const std::string& line) {
    std::string shown;
    for (const char c : line) {
        switch (c) {
        case '\t':
            shown += "\\t";
            break;
        case '\r':
            shown += "\\r";
            break;
        case '\n':
            shown += "\\n";
            break;
        default:
            shown += c;
        }
    }
    return shown;
}

std::vector<std::string> LinesWithEnds(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        const auto next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

std::string FirstDifference(const std::string& expected, const std::string& actual) {
    const auto want = LinesWithEnds(expected);
    const auto got = LinesWithEnds(actual);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "(end of text)";
        const std::string g = i < got.size() ? got[i] : "(end of text)";
        if (w != g) {
            std::ostringstream message;
            message << "first difference at line " << i + 1 << "\n  expected: " << Visible(w)
                    << "\n  actual:   " << Visible(g);
            return message.str();
        }
    }
    return "texts are equal";
}

class GeneratePageTest : public testing::TestWithParam<Scenario> {};

TEST_P(GeneratePageTest, MatchesTheGoldenPage) {
    const std::string expected = ReadGolden(GetParam().golden);
    ASSERT_FALSE(expected.empty());
    const std::string actual = ombrix::GeneratePage(GetParam().state);
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
}

TEST_P(GeneratePageTest, GivesTheSameTextEveryRun) {
    EXPECT_EQ(ombrix::GeneratePage(GetParam().state), ombrix::GeneratePage(GetParam().state));
}

std::string ScenarioName(const testing::TestParamInfo<Scenario>& info) {
    std::string name = info.param.golden.substr(0, info.param.golden.find('.'));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Pages, GeneratePageTest, testing::ValuesIn(Scenarios()), ScenarioName);

} // namespace

namespace {

// The wizard never generates without a field, but the generator stays total.
TEST(GeneratePageEdges, NoFieldsStillGivesAWholePage) {
    WizardState state;
    state.objectCaption = "Table: T";
    const std::string page = ombrix::GeneratePage(state);
    EXPECT_TRUE(page.starts_with("<%\r\n\r\nOption Explicit\r\n"));
    EXPECT_TRUE(page.ends_with("\r\nEnd Select\r\n%>\r\n"));
    EXPECT_NE(page.find("'database variables...\r\n\r\n'TODO: Verify database path...\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("\t\tsql = \"UPDATE T SET \"\r\n\t\tsql = sql & \" WHERE STATEMENT"),
              std::string::npos);
}

} // namespace
