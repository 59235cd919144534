#include "generator/sections/PageValues.h"

namespace ombrix::sections {

namespace {

// The key field's value as the confirmation form posts it.
std::string submittedKey(std::string_view name) {
    return "Request.Form(\"" + std::string(name) + "\")";
}

} // namespace

void writeDeleteIt(const PageContext& page, PageWriter& out) {
    out.line(0, {"Sub DeleteIt()"});
    out.line(1, {"'delete the record..."});
    out.line(1, {"html = \"\""});
    if (!page.key.empty()) {
        for (const KeyField& key : page.key) {
            // A quoted key cannot leave its literal; any other is refused unless it is one value.
            if (keyToken(key) != "'") {
                out.line(1,
                         {"If ", refusedCondition(keyKind(key), submittedKey(key.name)), " Then"});
                out.line(2, {"Response.Write \"Not a valid record key.\""});
                out.line(2, {"Response.End"});
                out.line(1, {"End If"});
            }
        }
        out.line(1, {"sql = \"delete * from ", page.objectName, " where ",
                     keyCondition(page, "=", submittedKey), ";\""});
        out.line(1, {"objDB.Execute (sql)"});
        out.emptyLine();
    }
    out.line(1, {"html = html & \"<h3>Delete</h3>\""});
    out.line(1, {"html = html & \"Delete Successful!\""});
    out.emptyLine();
    out.line(1, {"html = html & \"<a href=index.html>R E T U R N</a>\""});
    out.line(1, {"Response.Write html"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
