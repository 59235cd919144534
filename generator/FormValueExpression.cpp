#include "generator/FormValueExpression.h"

#include "core/FormMethod.h"
#include "generator/SqlToken.h"

namespace ombrix {

std::string FormValueExpression(const FieldSpec& field, std::string_view method) {
    const bool trimmed = GetSQLToken(field.Prefix) == "'";
    std::string expression;
    expression.reserve(field.VarName.size() + 32);
    if (trimmed) {
        expression += "Trim(";
    }
    expression += "Request.";
    expression += method == core::kPostMethod ? "Form" : "QueryString";
    expression += "(\"";
    expression += field.VarName;
    expression += "\")";
    if (trimmed) {
        expression += ')';
    }
    return expression;
}

} // namespace ombrix
