#include "generator/sections/PageValues.h"

namespace ombrix::sections {

void writeGetData(const PageContext& page, PageWriter& out) {
    out.line(0, {"Sub GetData()"});
    out.line(1, {"'TODO: Modify the next line to fit your needs. It should only return ONE record! "
                 "The record you want to edit..."});
    if (page.key.empty()) {
        out.line(1, {"Set objRS = objDB.Execute(\"select * from ", page.objectName,
                     " where SomeDatabaseVariable = SomeHtmlFormVariable\")"});
    } else {
        out.line(1, {"Set objRS = objDB.Execute(\"select * from ", page.objectName, " where ",
                     keyCondition(page, " = ", keyVariable), ";\")"});
    }
    out.emptyLine();
    out.line(1, {"If objRS.EOF Then"});
    for (const auto& field : page.fields) {
        out.line(2, {field.VarName, " = \"\""});
    }
    out.line(1, {"Else"});
    for (const auto& field : page.fields) {
        out.line(2, {field.VarName, " = objRS(\"", field.Name, "\")"});
    }
    out.line(1, {"End If"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
