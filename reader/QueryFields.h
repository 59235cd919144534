#pragma once

#include "core/Catalogue.h"
#include "reader/MdbDatabase.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ombrix::reader {

// A saved query: its DAO Type and the MSysQueries rows that define it.
struct SavedQuery {
    std::string name;
    int type = 0;
    std::vector<QueryRow> rows;
};

// Where a query's inputs are looked up by name (case-insensitively, as the engine does).
class QueryInputs {
public:
    virtual ~QueryInputs() = default;
    // The Fields of the table of that name in DAO order, or nothing when there is no such table.
    virtual std::optional<std::vector<core::FieldDef>> tableFields(const std::string& name) = 0;
    virtual std::optional<SavedQuery> query(const std::string& name) = 0;
};

// The Fields a saved query's QueryDef reports, derived from its stored definition. Throws 3078
// for an input table or query that does not exist, 3103 for a query that uses itself (directly or
// through others), and 3251 for kinds of query whose fields cannot be known without running them.
std::vector<core::FieldDef> deriveQueryFields(const SavedQuery& query, QueryInputs& inputs);

// What its stored definition tells of whether the engine can update a query's rows.
// savedQueryNamed gives the name of the saved query an input names, or nothing when the input is
// a table or missing.
core::QueryShape
queryShape(const SavedQuery& query,
           const std::function<std::optional<std::string>(const std::string&)>& savedQueryNamed);

} // namespace ombrix::reader
