#pragma once

#include "core/DaoType.h"

#include <optional>

namespace ombrix::reader {

using enum core::DaoType;

// The DAO type code of a column stored with the given storage type byte, or nothing for a byte
// that no Access version writes. Complex (ACE multi-value) columns are resolved by the caller.
std::optional<int> daoTypeOfStorage(int storageType);

constexpr int kComplexStorageType = 0x12;

// Whether the engine fills the column in: a long with the auto-increment flag, or a replication
// ID with the GUID flag. Other columns may carry the same bits (complex columns carry 0x07, Jet 3
// text sometimes 0x40) without meaning it.
bool isAutoNumber(int storageType, int columnFlags);

} // namespace ombrix::reader
