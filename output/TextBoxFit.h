#pragma once

#include <QSize>

namespace ombrix::output {

// The size of Text1, in twips, for a window of the given outer size (caption and borders
// included): width W - 345 when W is more than 500, height H - 950 when H is more than 500, each
// dimension otherwise kept as it is. A height that would come out negative is zero.
QSize fittedTextBoxSize(QSize outerWindow, QSize currentTextBox);

// The window's outer size, in pixels, from its inner size and the frame's share of the outer
// size. Before the window manager has framed the window, and on a display without one, the frame
// is nothing: the designed frame stands in for it, so that the box fits as it was laid out.
QSize outerWindowSize(QSize inner, QSize frame);

} // namespace ombrix::output
