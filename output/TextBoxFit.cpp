#include "output/TextBoxFit.h"

#include "platform/Twips.h"

#include <algorithm>

namespace ombrix::output {

QSize fittedTextBoxSize(QSize outerWindow, QSize currentTextBox) {
    QSize fitted = currentTextBox;
    if (outerWindow.width() > 500)
        fitted.setWidth(outerWindow.width() - 345);
    if (outerWindow.height() > 500)
        fitted.setHeight(std::max(0, outerWindow.height() - 950));
    return fitted;
}

QSize outerWindowSize(QSize inner, QSize frame) {
    return frame.isNull() ? inner.grownBy(platform::kDesignedFrame) : inner + frame;
}

} // namespace ombrix::output
