#pragma once

#include "core/WizardState.h"

#include <string>

namespace ombrix {

// The whole ASP page for the wizard's selections: UTF-8, every line ending in CR LF. A pure
// function of the state; it cannot fail.
std::string GeneratePage(const WizardState& state);

} // namespace ombrix
