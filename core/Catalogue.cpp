#include "core/Catalogue.h"

#include <array>

namespace ombrix::core {

std::string_view fieldTypeName(int typeCode) {
    static constexpr std::array<std::string_view, 24> kNames = {
        "",       "Boolean", "Byte",    "Integer", "Long",        "Currency",
        "Single", "Double",  "Date",    "Binary",  "Text",        "Long binary",
        "Memo",   "",        "",        "GUID",    "Big integer", "Var binary",
        "Char",   "Numeric", "Decimal", "Float",   "Time",        "Time stamp"};
    if (typeCode < 0 || typeCode >= static_cast<int>(kNames.size())) {
        return {};
    }
    return kNames[static_cast<std::size_t>(typeCode)];
}

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
