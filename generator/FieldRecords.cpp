#include "generator/FieldRecords.h"

#include "generator/Names.h"

namespace ombrix {

namespace {

constexpr std::size_t kBlanksBeforeTab = 100;

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string makeFieldListItem(std::string_view name, std::string_view prefix) {
    std::string item;
    item.reserve(name.size() + kBlanksBeforeTab + 1 + prefix.size());
    item.append(name).append(kBlanksBeforeTab, ' ').append(1, '\t').append(prefix);
    return item;
}

FieldSpec fieldSpecFromItem(std::string_view item) {
    const auto tab = item.find('\t');
    const std::string_view rawName = tab == std::string_view::npos ? item : item.substr(0, tab);
    FieldSpec field;
    field.Name = ProperCase(trimBlanks(rawName));
    field.VarName = SpaceToUnderscore(field.Name);
    if (tab != std::string_view::npos) {
        field.Prefix = item.substr(tab + 1);
    }
    return field;
}

std::vector<FieldSpec> buildFieldSpecs(const std::vector<std::string>& summaryFields) {
    std::vector<FieldSpec> fields;
    fields.reserve(summaryFields.size());
    for (const auto& item : summaryFields) {
        fields.push_back(fieldSpecFromItem(item));
    }
    return fields;
}

} // namespace ombrix
