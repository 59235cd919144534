// The interpretation of saved query definitions: column references, expression types, crosstab
// headings and the derivation of a query's fields from its MSysQueries rows. The input is text,
// one item a line, so that seeds can be written from real definitions:
//   table NAME                     a table; the "field" lines that follow are its fields
//   field TYPE NAME                a field of the last table, TYPE a DAO type code
//   query TYPE NAME                a saved query; the first one is the one derived
//   ATTRIBUTE|FLAG|NAME1|NAME2|EXPRESSION   an MSysQueries row of the last query
#include "reader/DaoTypes.h"
#include "reader/QueryExpression.h"
#include "reader/QueryFields.h"
#include "reader/Text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <map>
#include <sstream>

using namespace ombrix;
using namespace ombrix::reader;

namespace {

class FuzzInputs final : public QueryInputs {
public:
    std::optional<std::vector<core::FieldDef>> tableFields(const std::string& name) override {
        const auto found = tables.find(caseFolded(name));
        return found == tables.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<SavedQuery> query(const std::string& name) override {
        const auto found = queries.find(caseFolded(name));
        return found == queries.end() ? std::nullopt : std::optional(found->second);
    }

    std::map<std::string, std::vector<core::FieldDef>> tables;
    std::map<std::string, SavedQuery> queries;
};

int number(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// "WORD NUMBER REST": the number and the rest, when the line has that shape.
std::optional<std::pair<int, std::string>> numberAndName(const std::string& line) {
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) {
        return std::nullopt;
    }
    int value = 0;
    const char* begin = line.data() + first + 1;
    const char* end = line.data() + second;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end
               ? std::optional(std::pair{value, line.substr(second + 1)})
               : std::nullopt;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = validUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzInputs inputs;
    std::string lastTable;
    std::string lastQuery;
    std::optional<std::string> derived;
    for (const std::string& line : split(text, '\n')) {
        if (line.starts_with("table ")) {
            lastTable = caseFolded(line.substr(6));
            inputs.tables.emplace(lastTable, std::vector<core::FieldDef>{});
        } else if (line.starts_with("field ")) {
            if (const auto field = numberAndName(line);
                field && inputs.tables.contains(lastTable)) {
                inputs.tables[lastTable].push_back({field->second, field->first});
            }
        } else if (line.starts_with("query ")) {
            if (const auto query = numberAndName(line)) {
                lastQuery = caseFolded(query->second);
                inputs.queries.insert_or_assign(lastQuery,
                                                SavedQuery{query->second, query->first, {}});
                if (!derived) {
                    derived = lastQuery;
                }
            }
        } else if (const auto parts = split(line, '|'); parts.size() >= 5) {
            QueryRow row;
            row.attribute = number(parts[0]);
            row.flag = number(parts[1]);
            row.name1 = parts[2];
            row.name2 = parts[3];
            row.expression = parts[4];
            for (std::size_t i = 5; i < parts.size(); ++i) {
                row.expression += '|' + parts[i];
            }
            if (const auto query = inputs.queries.find(lastQuery); query != inputs.queries.end()) {
                row.order = std::to_string(query->second.rows.size());
                query->second.rows.push_back(row);
            }
            parseColumnReference(row.expression);
            pivotValues(row.expression);
            expressionType(row.expression,
                           [](const ColumnReference& reference) -> std::optional<int> {
                               if (reference.field.size() % 3 == 0) {
                                   return dbLong;
                               }
                               return std::nullopt;
                           });
        }
    }
    if (derived && inputs.queries.contains(*derived)) {
        try {
            deriveQueryFields(inputs.queries.at(*derived), inputs);
        } catch (const core::EngineError&) {
            // Refusing a definition is a result like any other.
        }
    }
    return 0;
}
