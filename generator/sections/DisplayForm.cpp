#include "generator/sections/Sections.h"

namespace ombrix::sections {

void writeDisplayForm(const PageContext& page, PageWriter& out) {
    out.line(0, {"Sub DisplayForm()"});
    out.line(1, {"html=\"\""});
    out.line(1, {"sRowColor=\"#C4CEE5\""});
    out.line(1, {"html = html & \"<blockquote>\""});
    out.line(1, {"html = html & \"Please make your changes then press the Update button.<p>\""});
    out.line(1, {"html = html & \"<font color=red>\" & sError & \"</font><p>\""});
    out.line(1, {"'TODO: Change YOURASPFILE.ASP to a valid file..."});
    out.line(
        1, {"html = html & \"<form name=form1 method=", page.method, " action=youraspfile.asp>\""});
    out.line(1, {"html = html & \"<table cellpadding=2 cellspacing=2>\""});
    // Values are HTML-encoded ("" & makes a Null a string); a memo gets a text area so that it
    // keeps its line breaks.
    for (const auto& field : page.fields) {
        const std::string shown = "Server.HTMLEncode(\"\" & " + field.VarName + ")";
        const std::string_view row = "html = html & \"<tr bgcolor=\" & sRowColor &\"><td>";
        if (field.Prefix == "mem") {
            out.line(1, {row, field.Name, ":</td><td><textarea name=", field.VarName,
                         " rows=4 cols=40>\" & ", shown, " & \"</textarea></td></tr>\""});
        } else {
            out.line(1, {row, field.Name, ":</td><td><input size=20 name=", field.VarName,
                         " value=\" & Chr(34) & ", shown, " & Chr(34) & \"></td></tr>\""});
        }
    }
    out.line(1, {"html = html & \"</table><p>\""});
    out.line(1, {"html = html & \"<input type=submit name=action value=Update>\""});
    out.line(1, {"html = html & \"</form>\""});
    out.line(1, {"html = html & \"</blockquote>\""});
    out.line(1, {"Response.Write html"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
