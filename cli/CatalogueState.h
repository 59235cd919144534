#pragma once

#include "core/Catalogue.h"
#include "core/WizardState.h"
#include "core/WizardStateBuilder.h"

#include <string>
#include <vector>

namespace ombrix::cli {

// The state the wizard holds on its last page after the choices given on the command line: the
// object read as step 2 reads it (reopened with the password when there is one), its key found by
// the wizard's rule, the field items of the fields named (in the order named; every field of the
// object when none is) built as the field list builds them. Database failures, and a field the
// object does not have (3265, as the engine answers a missing name), throw core::EngineError; an
// object without fields throws CommandError.
WizardState wizardStateFromCatalogue(core::Catalogue& catalogue, core::PageChoices choices,
                                     const std::vector<std::string>& fieldNames);

} // namespace ombrix::cli
