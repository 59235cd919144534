#include "generator/sections/Sections.h"

namespace ombrix::sections {

void writePageStart(PageWriter& out) {
    out.line(0, {"Sub PageStart()"});
    out.line(1, {"'pagestart stuff goes here..."});
    out.line(1, {"html = \"\""});
    out.line(1, {"html = html & \"<html>\""});
    out.line(1, {"html = html & \"<head>\""});
    out.line(1, {"html = html & \"<title>Title Goes Here</title>\""});
    out.line(1, {"html = html & \"</head>\""});
    out.line(1, {"html = html & \"<body>\""});
    out.line(1, {"Response.Write html"});
    out.line(0, {"End Sub"});
    out.emptyLine();
}

} // namespace ombrix::sections
