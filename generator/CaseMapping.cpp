#include "generator/CaseMapping.h"

#include <optional>

namespace ombrix {

namespace {

struct CasePair {
    char32_t upper;
    char32_t lower;
};

// A run of letters where capitals and small letters are a fixed distance apart.
struct OffsetRange {
    char32_t firstUpper;
    char32_t lastUpper;
    char32_t offset;
};

// A run of alternating capital and small letters, starting with a capital at first.
struct AlternatingRange {
    char32_t first;
    char32_t last;
};

// Hand-written: the generator must give the same text on every machine, so it cannot ask the
// process's C locale, and it depends on no library beyond the standard one.
constexpr OffsetRange kOffsetRanges[] = {
    {U'A', U'Z', 0x20},     {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0386, 0x0386, 0x26},
    {0x0388, 0x038A, 0x25}, {0x038C, 0x038C, 0x40}, {0x038E, 0x038F, 0x3F}, {0x0391, 0x03A1, 0x20},
    {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50}, {0x0410, 0x042F, 0x20}, {0x04C0, 0x04C0, 0x0F},
};

constexpr AlternatingRange kAlternatingRanges[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x0177}, {0x0179, 0x017E},
    {0x0460, 0x0481}, {0x048A, 0x04BF}, {0x04C1, 0x04CE}, {0x04D0, 0x04FF},
};

std::optional<CasePair> findCasePair(char32_t c) {
    for (const auto& range : kOffsetRanges) {
        if (c >= range.firstUpper && c <= range.lastUpper) {
            return CasePair{c, c + range.offset};
        }
        if (c >= range.firstUpper + range.offset && c <= range.lastUpper + range.offset) {
            return CasePair{c - range.offset, c};
        }
    }
    for (const auto& range : kAlternatingRanges) {
        if (c >= range.first && c <= range.last) {
            return (c - range.first) % 2 == 0 ? CasePair{c, c + 1} : CasePair{c - 1, c};
        }
    }
    switch (c) {
    case 0x0178: // Y with diaeresis: its small letter is in Latin-1
    case 0x00FF:
        return CasePair{0x0178, 0x00FF};
    case 0x03C2: // final sigma: small only, its capital is sigma's
        return CasePair{0x03A3, 0x03C2};
    default:
        return std::nullopt;
    }
}

} // namespace

char32_t toUpper(char32_t c) {
    const auto pair = findCasePair(c);
    return pair ? pair->upper : c;
}

char32_t toLower(char32_t c) {
    const auto pair = findCasePair(c);
    return pair ? pair->lower : c;
}

} // namespace ombrix
