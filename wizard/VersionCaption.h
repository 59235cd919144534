#pragma once

#include <QString>

namespace ombrix::wizard {

// "Ombrix - Version 1.00.0035" for version 1.0.35: the minor number in two digits at least, the
// revision in four.
QString versionCaption(int major, int minor, int revision);

} // namespace ombrix::wizard
