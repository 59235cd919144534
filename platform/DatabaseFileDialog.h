#pragma once

#include <QString>

class QWidget;

namespace ombrix::platform {

// Shows the "Select A Database" open-file dialog, modal to owner's window only, starting at the
// file system's root every time and listing only Access databases. Returns the chosen file's
// path, or an empty string when the user cancels.
QString chooseDatabaseFile(QWidget* owner);

} // namespace ombrix::platform
