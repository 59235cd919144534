#pragma once

#include <QIcon>

namespace ombrix::output {

// The output window's own 32 x 32 icon: a page of code with a folded corner.
QIcon outputWindowIcon();

} // namespace ombrix::output
