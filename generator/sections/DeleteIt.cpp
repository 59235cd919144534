#include "generator/sections/Sections.h"

namespace ombrix::sections {

void WriteDeleteIt(const PageContext& page, PageWriter& out) {
    out.line(0, {"Sub DeleteIt()"});
    out.line(1, {"'delete the record..."});
    out.line(1, {"html = \"\""});
    if (!page.key.empty()) {
        out.line(1, {"sql = \"delete * from ", page.objectName, " where ", page.key,
                     "=\" & Request.Form(\"", page.key, "\") & \";\""});
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
