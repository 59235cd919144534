#include "generator/sections/Sections.h"

namespace ombrix::sections {

// The confirmation form always posts, whatever method the edit form uses, and carries every key
// field for the delete.
void writeShowConfirm(const PageContext& page, PageWriter& out) {
    out.line(0, {"Sub ShowConfirm()"});
    out.line(1, {"'delete confirmation stuff goes here..."});
    out.line(1, {"html = \"\""});
    out.line(1, {"html = html & \"<h3>Delete</h3>\""});
    out.line(1, {"html = html & \"Press Confirm to permenantly remove this record from the "
                 "database.<p>\""});
    out.line(1, {"'TODO: Change YOURASPFILE.ASP to a valid file..."});
    out.line(1, {"html = html & \"<form name=form1 method=Post action=youraspfile.asp>\""});
    out.line(1, {"html = html & \"<input type=submit name=action value=Confirm>\""});
    for (const KeyField& key : page.key) {
        out.line(1, {"html = html & \"<input type=hidden name=", key.name,
                     " value=\" & Chr(34) & Server.HTMLEncode(request.Form(\"", key.name,
                     "\")) & Chr(34) & \">\""});
    }
    out.line(1, {"html = html & \"</form>\""});
    out.line(1, {"Response.Write html"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
