#pragma once

#include <string>
#include <string_view>

// How the page turns a catalogue name into the name of a VBScript variable and a form input.
namespace ombrix {

// Every blank (code 32) becomes "_"; TABs and other white space stay.
std::string SpaceToUnderscore(std::string_view text);

} // namespace ombrix
