#include "core/Catalogue.h"

namespace ombrix::core {

std::string primaryKeyField(ObjectKind kind, const ObjectDefinition& definition) {
    std::string key;
    if (kind != ObjectKind::Table) {
        return key;
    }
    // Each field of the index replaces the one before, so its last field remains.
    for (const IndexDef& index : definition.indexes) {
        if (index.name == "PrimaryKey" && !index.fields.empty()) {
            key = index.fields.back();
        }
    }
    return key;
}

} // namespace ombrix::core
