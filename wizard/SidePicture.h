#pragma once

#include <QPixmap>

namespace ombrix::wizard {

// The wizard's side picture, 116 x 224 pixels: a database feeding a web page, drawn rather than
// shipped so that it stays sharp on any screen scale.
QPixmap sidePicture(qreal devicePixelRatio);

} // namespace ombrix::wizard
