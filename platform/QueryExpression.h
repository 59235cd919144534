#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ombrix::platform {

// A column reference as a saved query stores it: `B`, `[B]`, `A.B`, `[A].[B]`, `A!B`, `A.*`, `*`.
struct ColumnReference {
    QString qualifier; // input alias or table name; empty when unqualified
    QString field;     // empty for `*` and `A.*`
    bool allFields() const { return field.isEmpty(); }
};

// The expression as a plain column reference, or nothing when it is anything else.
std::optional<ColumnReference> parseColumnReference(const QString& expression);

// The field type a computed column gets, as far as it can be told without running the query:
// aggregates, conversions, date parts, text operations and arithmetic over known types. Anything
// undeterminable (comparisons, IIf, unknown functions) is Text. `typeOf` gives the type of a
// column reference or parameter, or nothing when it names neither.
int expressionType(const QString& expression,
                   const std::function<std::optional<int>(const ColumnReference&)>& typeOf);

} // namespace ombrix::platform

namespace ombrix::platform {

// The values listed in a crosstab's column-heading expression `... In (v1, v2, ...)`, which fix
// its columns; nothing when the expression has no such list.
std::optional<QStringList> pivotValues(const QString& expression);

} // namespace ombrix::platform
