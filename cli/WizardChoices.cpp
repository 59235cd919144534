#include "cli/WizardChoices.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"
#include "wizard/CatalogueItems.h"

#include <algorithm>

namespace ombrix::cli {

namespace {

// As the wizard's field list holds it; its state keeps the item's UTF-8.
std::string FieldItem(const platform::FieldDef& field) {
    return wizard::fieldItem(field).toStdString();
}

const platform::FieldDef& FindField(const QList<platform::FieldDef>& fields,
                                    const std::string& name, const std::string& object) {
    const auto found = std::find_if(fields.begin(), fields.end(), [&name](const auto& field) {
        return field.name.toStdString() == name;
    });
    if (found == fields.end()) {
        throw platform::EngineError(
            3265, QString::fromStdString("Item not found in this collection. \"" + object +
                                         "\" has no field \"" + name + "\"."));
    }
    return *found;
}

} // namespace

WizardState WizardStateFromCatalogue(platform::Catalogue& catalogue, const WizardChoices& choices) {
    const ObjectItem object = ParseObjectItem(choices.object);
    const platform::ObjectDefinition definition = catalogue.describeObject(
        QString::fromStdString(choices.database), QString::fromStdString(choices.password),
        object.kind, QString::fromStdString(object.name));

    WizardState state;
    state.databasePath = choices.database;
    state.password = choices.password;
    state.objectCaption = choices.object;
    state.primaryKeyField = platform::primaryKeyField(object.kind, definition).toStdString();
    state.formMethod = choices.method;
    if (choices.fields.empty()) {
        for (const auto& field : definition.fields) {
            state.summaryFields.push_back(FieldItem(field));
        }
    } else {
        for (const std::string& name : choices.fields) {
            state.summaryFields.push_back(
                FieldItem(FindField(definition.fields, name, choices.object)));
        }
    }
    if (state.summaryFields.empty()) {
        throw CommandError(exitFailure, "\"" + choices.object + "\" has no fields");
    }
    return state;
}

} // namespace ombrix::cli
