#pragma once

#include <string_view>

namespace ombrix {

// The three-letter prefix of a DAO field type code (core::DaoType); "unk" for a code not known.
std::string_view GetPrefix(int typeCode);

} // namespace ombrix
