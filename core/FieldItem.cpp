#include "core/FieldItem.h"

namespace ombrix::core {

namespace {

constexpr std::size_t kBlanksBeforeTab = 100;

} // namespace

std::string makeFieldItem(std::string_view name, std::string_view prefix) {
    std::string item;
    item.reserve(name.size() + kBlanksBeforeTab + 1 + prefix.size());
    item.append(name).append(kBlanksBeforeTab, ' ').append(1, '\t').append(prefix);
    return item;
}

std::optional<FieldItemParts> splitFieldItem(std::string_view item) {
    const auto tab = item.find('\t');
    if (tab == std::string_view::npos) {
        return std::nullopt;
    }
    return FieldItemParts{.name = item.substr(0, tab), .prefix = item.substr(tab + 1)};
}

} // namespace ombrix::core
