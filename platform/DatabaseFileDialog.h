#pragma once

#include <QString>

class QWidget;

namespace ombrix::platform {

// Shows the modal "Select A Database" open-file dialog, starting at the file system's root every
// time and listing only Access databases. Returns the chosen file's path, or an empty string when
// the user cancels.
QString chooseDatabaseFile(QWidget* owner);

} // namespace ombrix::platform
