#pragma once

#include "core/Catalogue.h"

#include <QStringList>
#include <ostream>

namespace ombrix::cli {

// The generate command over a given catalogue (tests pass their own); the --state form reads none.
int RunGenerateWith(core::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                    std::ostream& err);

} // namespace ombrix::cli
