#include "DaoTypes.h"

namespace ombrix::reader {

bool isAutoNumber(int storageType, int columnFlags) {
    constexpr int kLongStorage = 0x04;
    constexpr int kGuidStorage = 0x0F;
    constexpr int kAutoLong = 0x04;
    constexpr int kAutoGuid = 0x40;
    return (storageType == kLongStorage && (columnFlags & kAutoLong) != 0) ||
           (storageType == kGuidStorage && (columnFlags & kAutoGuid) != 0);
}

std::optional<int> daoTypeOfStorage(int storageType) {
    switch (storageType) {
    case 0x01:
        return dbBoolean;
    case 0x02:
        return dbByte;
    case 0x03:
        return dbInteger;
    case 0x04:
        return dbLong;
    case 0x05:
        return dbCurrency;
    case 0x06:
        return dbSingle; // libmdb calls this MDB_FLOAT, but it is the 4-byte Single
    case 0x07:
        return dbDouble;
    case 0x08:
        return dbDate;
    case 0x09:
        return dbBinary;
    case 0x0A:
        return dbText; // fixed-length text too: DAO marks it by an attribute, not a type
    case 0x0B:
        return dbLongBinary;
    case 0x0C:
        return dbMemo; // hyperlinks too
    case 0x0F:
        return dbGUID;
    case 0x10:
        return dbDecimal;
    // Internal types of a few system tables: raw bytes to anyone reading them.
    case 0x0D:
    case 0x11:
        return dbBinary;
    case kComplexStorageType:
        return dbAttachment;
    case 0x13:
        return dbBigInt;
    // Date/Time Extended: DAO's code for it is not known; a date is what it holds.
    case 0x14:
        return dbDate;
    default:
        return std::nullopt;
    }
}

} // namespace ombrix::reader
