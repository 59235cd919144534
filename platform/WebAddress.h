#pragma once

#include <QString>

namespace ombrix::platform {

// Opens the address in the user's default browser. Whether that worked is not looked at.
void openWebAddress(const QString& address);

} // namespace ombrix::platform
