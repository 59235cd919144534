#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace ombrix::platform {

// Window measures are given in twips; Qt's device-independent pixels are 15 twips each.
constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel; window measures are never negative.
constexpr int pixelsFromTwips(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr int twipsFromPixels(int pixels) {
    return pixels * kTwipsPerPixel;
}

constexpr QSize pixelsFromTwips(QSize twips) {
    return {pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height())};
}

constexpr QSize twipsFromPixels(QSize pixels) {
    return {twipsFromPixels(pixels.width()), twipsFromPixels(pixels.height())};
}

constexpr QRect pixelsFromTwips(int left, int top, int width, int height) {
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
            pixelsFromTwips(height)};
}

// The frame that a designed outer size includes: a 25-pixel caption and a 3-pixel border on the
// other sides.
constexpr QMargins kDesignedFrame{3, 25, 3, 3};

constexpr QSize clientSize(QSize outer) {
    return outer.shrunkBy(kDesignedFrame);
}

} // namespace ombrix::platform
