#include "cli/WizardChoices.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"
#include "wizard/CatalogueItems.h"

#include <algorithm>

namespace ombrix::cli {

namespace {

// As the wizard's field list holds it; its state keeps the item's UTF-8.
std::string FieldItem(const core::FieldDef& field) {
    return wizard::fieldItem(field).toStdString();
}

const core::FieldDef& FindField(const std::vector<core::FieldDef>& fields, const QString& name,
                                const QString& object) {
    const std::string wanted = name.toStdString();
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&wanted](const auto& field) { return field.name == wanted; });
    if (found == fields.end()) {
        throw core::EngineError(
            3265, QStringLiteral("Item not found in this collection. \"%1\" has no field \"%2\".")
                      .arg(object, name)
                      .toStdString());
    }
    return *found;
}

} // namespace

WizardState WizardStateFromCatalogue(core::Catalogue& catalogue, const WizardChoices& choices) {
    const ObjectItem object = ParseObjectItem(choices.object);
    const core::ObjectDefinition definition =
        catalogue.describeObject(choices.database.toStdString(), choices.password.toStdString(),
                                 object.kind, object.name.toStdString());

    WizardState state;
    state.databasePath = choices.database.toStdString();
    state.password = choices.password.toStdString();
    state.objectCaption = choices.object.toStdString();
    state.primaryKeyField = core::primaryKeyField(object.kind, definition);
    state.formMethod = choices.method.toStdString();
    if (choices.fields.isEmpty()) {
        for (const auto& field : definition.fields) {
            state.summaryFields.push_back(FieldItem(field));
        }
    } else {
        for (const QString& name : choices.fields) {
            state.summaryFields.push_back(
                FieldItem(FindField(definition.fields, name, choices.object)));
        }
    }
    if (state.summaryFields.empty()) {
        throw CommandError(exitFailure, QStringLiteral("\"%1\" has no fields").arg(choices.object));
    }
    return state;
}

} // namespace ombrix::cli
