#pragma once

#include <QString>

class QPlainTextEdit;

namespace ombrix::output {

// The text box's text as a page file holds it. The box keeps its lines as blocks (and a
// Shift+Enter break as a line separator); each becomes CR LF again, everything else, TABs and
// no-break spaces included, stays as typed.
QString pageTextOf(const QPlainTextEdit& box);

} // namespace ombrix::output
