#include "generator/sections/PageValues.h"

#include "generator/TypePrefix.h"

namespace ombrix::sections {

std::string refusedCondition(ValueKind kind, std::string_view x) {
    const std::string v(x);
    switch (kind) {
    case ValueKind::Date:
        return "Not IsDate(" + v + ") Or InStr(" + v + ", Chr(0)) > 0";
    case ValueKind::YesNo:
        return "LCase(" + v + ") <> \"true\" And LCase(" + v + ") <> \"false\" And " + v +
               " <> \"0\" And " + v + " <> \"1\" And " + v + " <> \"-1\"";
    case ValueKind::Number:
        break;
    }
    return "Not IsNumeric(" + v + ") Or InStr(" + v + ", Chr(0)) > 0 Or InStr(" + v +
           ", \",\") > 0";
}

std::string sqlLiteral(std::string_view token, std::string_view x) {
    const std::string t(token);
    if (token == "'") {
        return t + "\" & SqlQuote(" + std::string(x) + ") & \"" + t;
    }
    return t + "\" & " + std::string(x) + " & \"" + t;
}

std::string_view keyToken(const PageContext& page) {
    return GetSQLToken(page.keyPrefix);
}

ValueKind keyKind(const PageContext& page) {
    if (keyToken(page) == "#") {
        return ValueKind::Date;
    }
    return page.keyPrefix == "boo" ? ValueKind::YesNo : ValueKind::Number;
}

} // namespace ombrix::sections
