#include "generator/FormValueExpression.h"
#include "generator/SqlToken.h"
#include "generator/sections/PageValues.h"

namespace ombrix::sections {

namespace {

// A filled value must be of its kind; an empty one is left to the required check, if any.
void writeKindCheck(const FieldSpec& field, ValueKind kind, std::string_view what,
                    PageWriter& out) {
    out.line(1, {"If ", field.VarName, " <> \"\" Then"});
    out.line(2, {"If ", refusedCondition(kind, field.VarName), " Then"});
    out.line(3, {"sError = sError & \"", field.Name, " is not a valid ", what, ".<br>\""});
    out.line(2, {"End If "});
    out.line(1, {"End If "});
    out.emptyLine();
}

// An empty date is accepted and a filled one must be a date; every other field must be filled,
// and one joined into SQL without delimiters must also be a single number or yes/no value.
void writeCheck(const FieldSpec& field, PageWriter& out) {
    if (field.Prefix.starts_with("dat")) {
        writeKindCheck(field, ValueKind::Date, "date", out);
        return;
    }
    out.line(1, {"If ", field.VarName, " = \"\" Then"});
    out.line(2, {"sError = sError & \"", field.Name, " is a required field.<br>\""});
    out.line(1, {"End If "});
    out.emptyLine();
    if (GetSQLToken(field.Prefix).empty()) {
        if (field.Prefix == "boo") {
            writeKindCheck(field, ValueKind::YesNo, "yes/no value", out);
        } else {
            writeKindCheck(field, ValueKind::Number, "number", out);
        }
    }
}

// One value line: of the INSERT when column is empty, else of the UPDATE's "column=". A date goes
// through SQLDate, so that an empty one is stored as Null rather than as "##".
void writeValue(std::string_view column, const FieldSpec& field, std::string_view comma,
                PageWriter& out) {
    const std::string_view token = GetSQLToken(field.Prefix);
    const std::string assignment = column.empty() ? "" : std::string(column) + "=";
    if (token != "#") {
        out.line(2, {"sql = sql & \"", assignment, sqlLiteral(token, field.VarName), comma, "\""});
        return;
    }
    const std::string date = "SQLDate(" + field.VarName + ")";
    const std::string value = assignment.empty() ? date : "\"" + assignment + "\" & " + date;
    if (comma.empty()) {
        out.line(2, {"sql = sql & ", value});
    } else {
        out.line(2, {"sql = sql & ", value, " & \"", comma, "\""});
    }
}

} // namespace

void writeValidateData(const PageContext& page, PageWriter& out) {
    const auto& fields = page.fields;
    const auto commaAfter = [&fields](std::size_t i) -> std::string_view {
        return i + 1 < fields.size() ? "," : "";
    };

    out.line(0, {"Sub ValidateData()"});
    for (const auto& field : fields) {
        out.line(1, {field.VarName, " = ", FormValueExpression(field, page.method)});
    }
    out.emptyLine();
    out.line(1, {"'TODO: Modify/Delete the field validations below to match your situation..."});
    out.emptyLine();
    for (const auto& field : fields) {
        writeCheck(field, out);
    }
    out.line(1, {"If sError <> \"\" Then"});
    out.line(2, {"DisplayForm()"});
    out.line(2, {"Response.End"});
    out.line(1, {"Else"});

    out.line(2, {"'Code to add a new record..."});
    out.line(2, {"sql = \"Insert Into ", page.objectName, " (\""});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out.line(2, {"sql = sql & \"", fields[i].VarName, commaAfter(i), "\""});
    }
    out.line(2, {"sql = sql & \") \""});
    out.line(2, {"sql = sql & \"Values (\""});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        writeValue("", fields[i], commaAfter(i), out);
    }
    out.line(2, {"sql = sql & \");\""});
    out.emptyLine();

    out.line(2, {"'Code to update an existing new record..."});
    out.line(2, {"sql = \"UPDATE ", page.objectName, " SET \""});
    for (std::size_t i = 0; i < fields.size(); ++i) {
        writeValue(fields[i].VarName, fields[i], commaAfter(i), out);
    }
    if (page.key.empty()) {
        out.line(2, {"sql = sql & \" WHERE STATEMENT GOES HERE;\""});
    } else {
        out.line(2, {"sql = sql & \" where ", keyCondition(page, " = ", keyVariable), ";\""});
    }
    out.emptyLine();

    out.line(2, {"'response.write sql"});
    out.line(2, {"ObjDB.Execute(sql)"});
    out.emptyLine();
    out.line(2, {"If Err = 0 Then"});
    out.line(3, {"'if we get here without an error, the data was updated..."});
    out.line(3, {"Response.Write \"Update Successful!\""});
    out.line(3, {"Response.End"});
    out.line(2, {"End If"});
    out.line(1, {"End If"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
