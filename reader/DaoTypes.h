#pragma once

#include <optional>

namespace ombrix::reader {

// DAO field type codes.
enum DaoType : int {
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbBinary = 9,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
    dbGUID = 15,
    dbBigInt = 16,
    dbDecimal = 20,
    dbAttachment = 101,
};

// The DAO type code of a column stored with the given storage type byte, or nothing for a byte
// that no Access version writes. Complex (ACE multi-value) columns are resolved by the caller.
std::optional<int> daoTypeOfStorage(int storageType);

constexpr int kComplexStorageType = 0x12;

// Whether the engine fills the column in: a long with the auto-increment flag, or a replication
// ID with the GUID flag. Other columns may carry the same bits (complex columns carry 0x07, Jet 3
// text sometimes 0x40) without meaning it.
bool isAutoNumber(int storageType, int columnFlags);

} // namespace ombrix::reader
