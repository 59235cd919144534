#include "generator/CaseMapping.h"

#include <algorithm>

namespace ombrix {

namespace {

struct CaseEntry {
    char32_t character;
    char32_t upper;
    char32_t lower;
};

// Every character that GLib's simple case mappings change, sorted by character; written at build
// time by tools/case-table.
constexpr CaseEntry kCaseTable[] = {
#include "CaseTable.inc"
};
static_assert(std::ranges::is_sorted(kCaseTable, {}, &CaseEntry::character));

const CaseEntry* find(char32_t c) {
    const auto* entry = std::ranges::lower_bound(kCaseTable, c, {}, &CaseEntry::character);
    return entry != std::ranges::end(kCaseTable) && entry->character == c ? entry : nullptr;
}

} // namespace

char32_t toUpper(char32_t c) {
    const CaseEntry* entry = find(c);
    return entry != nullptr ? entry->upper : c;
}

char32_t toLower(char32_t c) {
    const CaseEntry* entry = find(c);
    return entry != nullptr ? entry->lower : c;
}

} // namespace ombrix
