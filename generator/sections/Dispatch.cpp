#include "generator/sections/Sections.h"

namespace ombrix::sections {

void writeDispatch(PageWriter& out) {
    out.line(0, {"Select Case sAction"});
    out.line(1, {"Case \"\""});
    out.line(2, {"PageStart()"});
    out.line(2, {"GetData()"});
    out.line(2, {"DisplayForm()"});
    out.emptyLine();
    out.line(1, {"Case \"Update\""});
    out.line(2, {"ValidateData()"});
    out.emptyLine();
    out.line(1, {"Case \"Delete\""});
    out.line(2, {"PageStart()"});
    out.line(2, {"ShowConfirm()"});
    out.emptyLine();
    out.line(1, {"Case \"Confirm\""});
    out.line(2, {"PageStart()"});
    out.line(2, {"DeleteIt()"});
    out.emptyLine();
    out.line(0, {"End Select"});
}

void writeClosing(PageWriter& out) {
    out.line(0, {"%>"});
}

} // namespace ombrix::sections
