#include "core/TypePrefix.h"

#include "core/DaoType.h"

namespace ombrix {

std::string_view GetPrefix(int typeCode) {
    using enum core::DaoType;
    switch (typeCode) {
    case dbBoolean:
        return "boo";
    case dbByte:
        return "byt";
    case dbInteger:
    case dbSingle: // Single has no prefix of its own
    case dbBigInt:
        return "int";
    case dbLong:
    case dbNumeric:
        return "lng";
    case dbCurrency:
        return "cur";
    case dbDouble:
        return "dbl";
    case dbDate:
        return "dat";
    case dbBinary:
        return "bin";
    case dbText:
    case dbChar:
        return "str";
    case dbLongBinary:
    case dbVarBinary:
        return "obj";
    case dbMemo:
        return "mem";
    case dbGUID:
        return "gui";
    case dbDecimal:
        return "dec";
    case dbFloat:
        return "flt";
    case dbTime:
        return "tim";
    case dbTimeStamp:
        return "tms";
    default:
        return "unk";
    }
}

} // namespace ombrix
