#include "generator/FieldRecords.h"

#include "generator/Names.h"

namespace ombrix {

namespace {

constexpr std::size_t blanksBeforeTab = 100;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string MakeFieldListItem(std::string_view name, std::string_view prefix) {
    std::string item;
    item.reserve(name.size() + blanksBeforeTab + 1 + prefix.size());
    item.append(name).append(blanksBeforeTab, ' ').append(1, '\t').append(prefix);
    return item;
}

FieldSpec FieldSpecFromItem(std::string_view item) {
    const auto tab = item.find('\t');
    const std::string_view rawName = tab == std::string_view::npos ? item : item.substr(0, tab);
    FieldSpec field;
    field.Name = ProperCase(TrimBlanks(rawName));
    field.VarName = SpaceToUnderscore(field.Name);
    if (tab != std::string_view::npos) {
        field.Prefix = item.substr(tab + 1);
    }
    return field;
}

std::vector<FieldSpec> BuildFieldSpecs(const std::vector<std::string>& summaryFields) {
    std::vector<FieldSpec> fields;
    fields.reserve(summaryFields.size());
    for (const auto& item : summaryFields) {
        fields.push_back(FieldSpecFromItem(item));
    }
    return fields;
}

} // namespace ombrix
