#pragma once

#include <array>
#include <string_view>

// The methods the page's form can send its values by.
namespace ombrix::core {

inline constexpr std::string_view kPostMethod = "Post";
inline constexpr std::string_view kGetMethod = "Get";

// In the order the wizard offers them; the first is the default.
inline constexpr std::array<std::string_view, 2> kFormMethods = {kPostMethod, kGetMethod};

inline bool isFormMethod(std::string_view method) {
    return method == kPostMethod || method == kGetMethod;
}

} // namespace ombrix::core
