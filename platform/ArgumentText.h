#pragma once

#include <QString>

namespace ombrix::platform {

// The text after the program's name on its command line, as one string: the arguments joined by
// single blanks, unchanged. Call it with main()'s own argc/argv, before Qt takes any options out.
QString argumentText(int argc, const char* const* argv);

} // namespace ombrix::platform
