#pragma once

#include <QString>

namespace ombrix::platform {

// The title of every window and box of the program: "Ombrix".
QString programName();

// The name of the desktop entry and of the icon that the windows belong to.
QString desktopId();

} // namespace ombrix::platform
