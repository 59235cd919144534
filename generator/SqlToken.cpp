#include "generator/SqlToken.h"

namespace ombrix {

std::string_view GetSQLToken(std::string_view prefix) {
    if (prefix == "str" || prefix == "mem") {
        return "'";
    }
    if (prefix == "dat") {
        return "#";
    }
    return {};
}

} // namespace ombrix
