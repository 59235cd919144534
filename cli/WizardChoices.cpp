#include "cli/WizardChoices.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"
#include "core/CatalogueItems.h"

#include <algorithm>

namespace ombrix::cli {

namespace {

const core::FieldDef& FindField(const std::vector<core::FieldDef>& fields, const std::string& name,
                                const std::string& object) {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&name](const auto& field) { return field.name == name; });
    if (found == fields.end()) {
        throw core::EngineError(3265, "Item not found in this collection. \"" + object +
                                          "\" has no field \"" + name + "\".");
    }
    return *found;
}

} // namespace

WizardState WizardStateFromCatalogue(core::Catalogue& catalogue, const WizardChoices& choices) {
    const ObjectItem object = ParseObjectItem(choices.object);
    const core::ObjectDefinition definition =
        catalogue.describeObject(choices.database, choices.password, object.kind, object.name);

    WizardState state;
    state.databasePath = choices.database;
    state.password = choices.password;
    state.objectCaption = choices.object;
    state.primaryKeyField = core::primaryKeyField(object.kind, definition);
    state.primaryKeyPrefix = core::keyFieldPrefix(definition, state.primaryKeyField);
    state.formMethod = choices.method;
    if (choices.fields.empty()) {
        for (const auto& field : definition.fields) {
            state.summaryFields.push_back(core::fieldItem(field));
        }
    } else {
        for (const std::string& name : choices.fields) {
            state.summaryFields.push_back(
                core::fieldItem(FindField(definition.fields, name, choices.object)));
        }
    }
    if (state.summaryFields.empty()) {
        throw CommandError(exitFailure, "\"" + choices.object + "\" has no fields");
    }
    return state;
}

} // namespace ombrix::cli
