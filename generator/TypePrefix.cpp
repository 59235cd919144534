#include "generator/TypePrefix.h"

namespace ombrix {

std::string_view GetPrefix(int typeCode) {
    switch (typeCode) {
    case 1:
        return "boo";
    case 2:
        return "byt";
    case 3:  // Integer
    case 6:  // Single has no prefix of its own
    case 16: // Big integer
        return "int";
    case 4:  // Long
    case 19: // Numeric
        return "lng";
    case 5:
        return "cur";
    case 7:
        return "dbl";
    case 8:
        return "dat";
    case 9:
        return "bin";
    case 10: // Text
    case 18: // Char
        return "str";
    case 11: // Long binary
    case 17: // Var binary
        return "obj";
    case 12:
        return "mem";
    case 15:
        return "gui";
    case 20:
        return "dec";
    case 21:
        return "flt";
    case 22:
        return "tim";
    case 23:
        return "tms";
    default:
        return "unk";
    }
}

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
