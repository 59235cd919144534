#pragma once

#include <QString>

class QWidget;

namespace ombrix::wizard {

// A plain, editable text window owned by the wizard window: one per wizard, created on first use
// and again after the user has closed it; each call replaces its text.
void showInPlainWindow(QWidget& wizard, const QString& pageText);

} // namespace ombrix::wizard
