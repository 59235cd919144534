#pragma once

#include <string_view>

namespace ombrix::core {

// Whether a name, compared without regard to case, is a word that the database engine reserves in
// SQL or that VBScript reads as a keyword: the page's SQL or script breaks on it unless it is
// written differently.
bool isReservedWord(std::string_view name);

} // namespace ombrix::core
