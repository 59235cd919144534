#include "wizard/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace ombrix::wizard {

namespace {

constexpr double kMinimumContrast = 4.5;
constexpr int kSteps = 20;

// WCAG's relative luminance, written out because Qt 6.4 has none.
double luminance(const QColor& colour) {
    const auto linear = [](float channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

QColor mixed(const QColor& from, const QColor& to, int step) {
    const auto channel = [step](int a, int b) { return a + (b - a) * step / kSteps; };
    const QColor start = from.toRgb();
    const QColor end = to.toRgb();
    return QColor(channel(start.red(), end.red()), channel(start.green(), end.green()),
                  channel(start.blue(), end.blue()));
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableLinkColour(const QColor& link, const QColor& background) {
    const QColor towards =
        contrastRatio(Qt::white, background) >= kMinimumContrast ? Qt::white : Qt::black;
    for (int step = 0; step < kSteps; ++step) {
        const QColor candidate = mixed(link, towards, step);
        if (contrastRatio(candidate, background) >= kMinimumContrast)
            return candidate;
    }
    return towards;
}

} // namespace ombrix::wizard
