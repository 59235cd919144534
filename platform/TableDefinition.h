#pragma once

#include "DatabaseFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ombrix::platform {

struct ColumnDescriptor {
    int storageType = 0; // the storage type byte, not a DAO code
    int number = 0;      // creation id, referred to by index keys
    int ordinal = 0;     // display position (OrdinalPosition)
    QString name;
};

struct IndexDescriptor {
    QString name;
    int kind = 0;                // 1 primary key, 2 relationship index, 0 other
    QList<int> keyColumnNumbers; // creation ids, in key order
};

// One table definition (TDEF): columns in descriptor order, logical indexes in stored order.
struct TableDefinition {
    QList<ColumnDescriptor> columns;
    QList<IndexDescriptor> indexes;
};

// Parses the bytes of a table definition: its first page whole, then each continuation page from
// byte 8 on. Pairs each logical index with the physical index its entry names (libmdb 1.0.0
// pairs them by position, which goes wrong once indexes have been edited). Throws 3343 on bytes
// that do not form a definition.
TableDefinition parseTableDefinition(const QByteArray& bytes, const DatabaseHeader& header,
                                     const QString& path);

} // namespace ombrix::platform
