#pragma once

#include <QString>

class QWidget;

namespace ombrix::output {

// The hand-off after generating a page: the wizard's output window (a Form2 that the wizard owns)
// is loaded when there is none (the first time, or after the user closed it), its text replaced
// by the page text, and it is shown beside the wizard, which stays usable.
void showGeneratedPage(QWidget& wizard, const QString& text);

} // namespace ombrix::output
