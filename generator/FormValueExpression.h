#pragma once

#include "generator/FieldRecords.h"

#include <string>
#include <string_view>

namespace ombrix {

// The page expression that reads one submitted value: Request.Form for the method "Post" exactly,
// Request.QueryString otherwise, wrapped in Trim() for fields delimited by an apostrophe.
std::string FormValueExpression(const FieldSpec& field, std::string_view method);

} // namespace ombrix
