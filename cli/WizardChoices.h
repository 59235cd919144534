#pragma once

#include "core/Catalogue.h"
#include "core/WizardState.h"

#include <string>
#include <vector>

namespace ombrix::cli {

// What a user chooses on the wizard's pages, given on the command line instead.
struct WizardChoices {
    std::string database;            // exactly as given: the page's connection string carries it
    std::string password;            // empty: the database opens without one
    std::string object;              // "Table: NAME" or "Query: NAME"
    std::vector<std::string> fields; // in the order wanted; empty: every field of the object
    std::string method = "Post";
};

// The state the wizard holds on its last page after these choices: the object read as step 2 reads
// it (reopened with the password when there is one), its key found by the wizard's rule, its field
// items built as the field list builds them. Database failures, and a field the object does not
// have (3265, as the engine answers a missing name), throw core::EngineError; an object
// without fields throws CommandError.
WizardState wizardStateFromCatalogue(core::Catalogue& catalogue, const WizardChoices& choices);

} // namespace ombrix::cli
