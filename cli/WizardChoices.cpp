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

const platform::FieldDef& FindField(const QList<platform::FieldDef>& fields, const QString& name,
                                    const QString& object) {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&name](const auto& field) { return field.name == name; });
    if (found == fields.end()) {
        throw platform::EngineError(
            3265, QStringLiteral("Item not found in this collection. \"%1\" has no field \"%2\".")
                      .arg(object, name));
    }
    return *found;
}

} // namespace

WizardState WizardStateFromCatalogue(platform::Catalogue& catalogue, const WizardChoices& choices) {
    const ObjectItem object = ParseObjectItem(choices.object);
    const platform::ObjectDefinition definition =
        catalogue.describeObject(choices.database, choices.password, object.kind, object.name);

    WizardState state;
    state.databasePath = choices.database.toStdString();
    state.password = choices.password.toStdString();
    state.objectCaption = choices.object.toStdString();
    state.primaryKeyField = platform::primaryKeyField(object.kind, definition).toStdString();
    state.primaryKeyPrefix =
        wizard::keyFieldPrefix(definition, QString::fromStdString(state.primaryKeyField))
            .toStdString();
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
