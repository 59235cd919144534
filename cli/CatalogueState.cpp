#include "cli/CatalogueState.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"

namespace ombrix::cli {

WizardState wizardStateFromCatalogue(core::Catalogue& catalogue, core::PageChoices choices,
                                     const std::vector<std::string>& fieldNames) {
    const core::ObjectName object = parseObjectItem(choices.object);
    const core::ObjectDefinition definition =
        catalogue.describeObject(choices.database, choices.password, object.kind, object.name);
    choices.fieldItems = core::fieldItems(definition, fieldNames, choices.object);
    if (choices.fieldItems.empty()) {
        throw CommandError(kExitFailure, "\"" + choices.object + "\" has no fields");
    }
    return core::wizardState(std::move(choices), core::objectKey(object.kind, definition));
}

} // namespace ombrix::cli
