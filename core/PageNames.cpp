#include "core/PageNames.h"

#include <algorithm>

namespace ombrix {

std::string SpaceToUnderscore(std::string_view text) {
    std::string result(text);
    std::ranges::replace(result, ' ', '_');
    return result;
}

} // namespace ombrix
