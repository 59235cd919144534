#include "cli/WizardChoices.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"
#include "core/WizardStateBuilder.h"

namespace ombrix::cli {

WizardState wizardStateFromCatalogue(core::Catalogue& catalogue, const WizardChoices& choices) {
    const core::ObjectName object = parseObjectItem(choices.object);
    const core::ObjectDefinition definition =
        catalogue.describeObject(choices.database, choices.password, object.kind, object.name);
    std::vector<std::string> items = core::fieldItems(definition, choices.fields, choices.object);
    if (items.empty()) {
        throw CommandError(kExitFailure, "\"" + choices.object + "\" has no fields");
    }
    return core::wizardState({.database = choices.database,
                              .password = choices.password,
                              .object = choices.object,
                              .fieldItems = std::move(items),
                              .method = choices.method},
                             core::objectKey(object.kind, definition));
}

} // namespace ombrix::cli
