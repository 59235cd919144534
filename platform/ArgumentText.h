#pragma once

#include <string>

namespace ombrix::platform {

// The text after the program's name on its command line, as one string: the arguments joined by
// single blanks, as the bytes they are (a file name need not be UTF-8). Call it with main()'s own
// argc/argv, before Qt takes any options out or decodes them.
std::string argumentText(int argc, const char* const* argv);

} // namespace ombrix::platform
