#include "Catalogue.h"

namespace ombrix::platform {

QString primaryKeyField(ObjectKind kind, const ObjectDefinition& definition) {
    QString key;
    if (kind != ObjectKind::Table) {
        return key;
    }
    // Each field of the index replaces the one before, so its last field remains.
    for (const IndexDef& index : definition.indexes) {
        if (index.name == QStringLiteral("PrimaryKey") && !index.fields.isEmpty()) {
            key = index.fields.last();
        }
    }
    return key;
}

} // namespace ombrix::platform
