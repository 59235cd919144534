#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ombrix::reader {

// A column reference as a saved query stores it: `B`, `[B]`, `A.B`, `[A].[B]`, `A!B`, `A.*`, `*`.
struct ColumnReference {
    std::string qualifier; // input alias or table name; empty when unqualified
    std::string field;     // empty for `*` and `A.*`
    bool allFields() const { return field.empty(); }
};

// The expression as a plain column reference, or nothing when it is anything else.
std::optional<ColumnReference> parseColumnReference(const std::string& expression);

// The field type a computed column gets, as far as it can be told without running the query:
// aggregates, conversions, date parts, text operations and arithmetic over known types. Anything
// undeterminable (comparisons, IIf, unknown functions) is Text. `typeOf` gives the type of a
// column reference or parameter, or nothing when it names neither.
int expressionType(const std::string& expression,
                   const std::function<std::optional<int>(const ColumnReference&)>& typeOf);

// Whether the expression calls one of the aggregate functions (Count, Sum, Avg, Min, Max, First,
// Last, StDev, StDevP, Var, VarP), which sum a query's rows up.
bool callsAggregate(const std::string& expression);

// The values listed in a crosstab's column-heading expression `... In (v1, v2, ...)`, which fix
// its columns; nothing when the expression has no such list.
std::optional<std::vector<std::string>> pivotValues(const std::string& expression);

} // namespace ombrix::reader
