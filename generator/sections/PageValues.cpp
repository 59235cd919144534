#include "generator/sections/PageValues.h"

#include "generator/SqlToken.h"

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

std::string_view keyToken(const KeyField& key) {
    return GetSQLToken(key.prefix);
}

ValueKind keyKind(const KeyField& key) {
    if (keyToken(key) == "#") {
        return ValueKind::Date;
    }
    return key.prefix == "boo" ? ValueKind::YesNo : ValueKind::Number;
}

std::string keyVariable(std::string_view name) {
    return std::string(name);
}

std::string keyCondition(const PageContext& page, std::string_view equals,
                         std::string (*valueOf)(std::string_view name)) {
    std::string condition;
    for (const KeyField& key : page.key) {
        if (!condition.empty()) {
            condition += " And ";
        }
        condition.append(key.name).append(equals).append(
            sqlLiteral(keyToken(key), valueOf(key.name)));
    }
    return condition;
}

} // namespace ombrix::sections
