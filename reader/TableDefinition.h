#pragma once

#include "reader/DatabaseFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace ombrix::reader {

struct ColumnDescriptor {
    int storageType = 0; // the storage type byte, not a DAO code
    int number = 0;      // creation id, referred to by index keys
    int ordinal = 0;     // display position (OrdinalPosition)
    int flags = 0;       // 0x04 an AutoNumber long, 0x40 a GUID the engine fills in
    std::string name;
};

struct IndexDescriptor {
    std::string name;
    int kind = 0;                      // 1 primary key, 2 relationship index, 0 other
    std::vector<int> keyColumnNumbers; // creation ids, in key order
};

// One table definition (TDEF): columns in descriptor order, logical indexes in stored order.
struct TableDefinition {
    std::vector<ColumnDescriptor> columns;
    std::vector<IndexDescriptor> indexes;
};

// Parses the bytes of a table definition: its first page whole, then each continuation page from
// byte 8 on. Pairs each logical index with the physical index its entry names (libmdb 1.0.0
// pairs them by position, which goes wrong once indexes have been edited). Throws 3343 on bytes
// that do not form a definition.
TableDefinition parseTableDefinition(std::string_view bytes, const DatabaseHeader& header,
                                     const std::string& path);

} // namespace ombrix::reader
