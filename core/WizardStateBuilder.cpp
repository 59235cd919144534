#include "core/WizardStateBuilder.h"

#include "core/DatabasePath.h"
#include "core/EngineErrors.h"
#include "core/FieldItem.h"
#include "core/TypePrefix.h"

#include <algorithm>

namespace ombrix::core {

namespace {

std::string fieldItem(const FieldDef& field) {
    return makeFieldItem(field.name, GetPrefix(field.type));
}

} // namespace

std::vector<KeyField> objectKey(ObjectKind kind, const ObjectDefinition& definition) {
    std::vector<KeyField> key;
    for (std::string& name : primaryKeyFields(kind, definition)) {
        const auto field = std::ranges::find(definition.fields, name, &FieldDef::name);
        key.push_back({.name = std::move(name),
                       .prefix = std::string(
                           field != definition.fields.end() ? GetPrefix(field->type) : "")});
    }
    return key;
}

std::vector<std::string> fieldItems(const ObjectDefinition& definition,
                                    const std::vector<std::string>& names,
                                    const std::string& object) {
    std::vector<std::string> items;
    if (names.empty()) {
        std::ranges::transform(definition.fields, std::back_inserter(items), fieldItem);
        return items;
    }
    for (const std::string& name : names) {
        const auto field = std::ranges::find(definition.fields, name, &FieldDef::name);
        if (field == definition.fields.end()) {
            throw itemNotFound("\"" + object + "\" has no field \"" + name + "\".");
        }
        items.push_back(fieldItem(*field));
    }
    return items;
}

WizardState wizardState(PageChoices choices, std::vector<KeyField> key) {
    const KeyField last = key.empty() ? KeyField{} : key.back();
    return {.databasePath = pathInPage(choices.database),
            .password = std::move(choices.password),
            .primaryKeyField = last.name,
            .primaryKeyPrefix = last.prefix,
            .keyFields = std::move(key),
            .objectCaption = std::move(choices.object),
            .summaryFields = std::move(choices.fieldItems),
            .formMethod = std::move(choices.method)};
}

} // namespace ombrix::core
