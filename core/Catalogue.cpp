#include "core/Catalogue.h"

namespace ombrix::core {

std::vector<std::string> primaryKeyFields(ObjectKind kind, const ObjectDefinition& definition) {
    std::vector<std::string> key;
    if (kind != ObjectKind::Table) {
        return key;
    }
    for (const IndexDef& index : definition.indexes) {
        if (index.name == "PrimaryKey" && !index.fields.empty()) {
            key = index.fields;
        }
    }
    return key;
}

} // namespace ombrix::core
