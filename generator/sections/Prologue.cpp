#include "core/DatabasePath.h"
#include "generator/sections/Sections.h"
#include "ombrix/ProjectInfo.h"

namespace ombrix::sections {

void writePrologue(const PageContext& page, PageWriter& out) {
    constexpr std::string_view kRule = "'--------------------------------------";
    out.line(0, {"<%"});
    out.emptyLine();
    out.line(0, {"Option Explicit"});
    out.emptyLine();
    out.line(0, {kRule});
    out.line(0, {"'---- Spewed out by the Ombrix ----"});
    out.line(0, {"'---- ", project::kWebAddress, "   ----"});
    out.line(0, {kRule});
    out.emptyLine();
    out.line(0, {"Function SQLQuote(ByVal var)"});
    out.line(1, {"If InStr(var, \"'\") <> 0 Then"});
    out.line(2, {"var = Replace(var, \"'\", \"''\")"});
    out.line(1, {"End If"});
    // The Access ODBC driver refuses a pipe inside a string literal; this is the same text as an
    // SQL expression, since the result always stands between apostrophes.
    out.line(1, {"var = Replace(var, \"|\", \"' & Chr(124) & '\")"});
    out.emptyLine();
    out.line(1, {"SQLQuote = var"});
    out.line(0, {"End Function"});
    out.emptyLine();
    // A date left empty is stored as Null: "##" is no date, and the engine refuses the statement.
    out.line(0, {"Function SQLDate(ByVal var)"});
    out.line(1, {"If var = \"\" Then"});
    out.line(2, {"SQLDate = \"Null\""});
    out.line(1, {"Else"});
    out.line(2, {"SQLDate = \"#\" & var & \"#\""});
    out.line(1, {"End If"});
    out.line(0, {"End Function"});
    out.emptyLine();
    out.line(0, {"'framework variables..."});
    for (const auto name :
         {"objDB", "objRS", "sDBName", "sAction", "sRowColor", "html", "sql", "sError"}) {
        out.line(0, {"Dim ", name});
    }
    out.emptyLine();
    out.line(0, {"'database variables..."});
    for (const auto& field : page.fields) {
        out.line(0, {"Dim ", field.VarName});
    }
    out.emptyLine();
    out.line(0, {"'TODO: Verify database path..."});
    const std::string_view driver = odbcDriverFor(page.databasePath).name;
    if (page.password.empty()) {
        out.line(0, {"sDBName = \"driver={", driver, "};dbq=", page.databasePath, "\""});
    } else {
        out.line(0, {"sDBName = \"driver={", driver, "};dbq=", page.databasePath,
                     ";pwd=", page.password, "\""});
    }
    out.line(0, {"Set objDB = Server.CreateObject(\"ADODB.Connection\")"});
    out.line(0, {"objDB.Open sDBName"});
    out.emptyLine();
    out.line(0, {"'This tells us if they've clicked the Update button..."});
    out.line(0, {"sAction = Request(\"action\")"});
    out.emptyLine();
}

} // namespace ombrix::sections
