#pragma once

#include <QSize>

namespace ombrix::output {

// The size of Text1, in twips, for a window of the given outer size (caption and borders
// included): width W - 345 when W is more than 500, height H - 950 when H is more than 500, each
// dimension otherwise kept as it is. A height that would come out negative is zero.
QSize fittedTextBoxSize(QSize outerWindow, QSize currentTextBox);

} // namespace ombrix::output
