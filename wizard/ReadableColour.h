#pragma once

#include <QColor>

namespace ombrix::wizard {

// The contrast ratio of two colours as WCAG 2 defines it: 1 (same luminance) to 21 (black on
// white).
double contrastRatio(const QColor& a, const QColor& b);

// The text colour for a link on the given background: the link colour itself when its contrast
// is at least 4.5:1 (WCAG's level for text), else the colour mixed with white in small steps until
// it is, or with black where white itself would fall short (a pale link on a light background).
QColor readableLinkColour(const QColor& link, const QColor& background);

} // namespace ombrix::wizard
