#include "reader/NameCollation.h"

#include "reader/Text.h"

#include <algorithm>
#include <array>
#include <glib.h>
#include <string_view>

namespace ombrix::reader {

namespace {

// Primary order of printable ASCII punctuation in each sort order; letters and digits are placed
// by their base letter below.
struct OrderTable {
    std::u16string_view beforeDigits;
    std::u16string_view afterLetters;
    std::u16string_view ignored;
};

constexpr char16_t kGeneral97Before[] = u" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
constexpr char16_t kLegacyBefore[] = u" !\"#$%&()*,./:;?@[\\]+<=>";
constexpr char16_t kLegacyAfter[] = u"^_`{|}~";
constexpr char16_t kGeneralBefore[] = u" !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
constexpr char16_t kIgnored[] = u"'-";

constexpr OrderTable orderTable(SortOrder order) {
    switch (order) {
    case SortOrder::General97:
        return {kGeneral97Before, {}, {}};
    case SortOrder::GeneralLegacy:
        return {kLegacyBefore, kLegacyAfter, kIgnored};
    case SortOrder::General:
        break;
    }
    return {kGeneralBefore, {}, kIgnored};
}

constexpr int kDigitBase = 100;
constexpr int kLetterBase = 200;
constexpr int kAfterLettersBase = 300;
constexpr int kOtherBase = 400;

// The single character a character folds to, where the folding gives one.
char16_t foldedUnit(char16_t c) {
    std::array<char, 8> utf8{};
    const int length = g_unichar_to_utf8(c, utf8.data());
    const std::u16string folded =
        toUtf16(caseFolded(std::string_view(utf8.data(), static_cast<std::size_t>(length))));
    return folded.size() == 1 ? folded.front() : static_cast<char16_t>(g_unichar_tolower(c));
}

// The letter a character beyond ASCII sorts with: its first canonical component, folded to
// lower case.
char16_t baseCharacter(char16_t c) {
    if (c >= 0xD800 && c < 0xE000) {
        return c; // half of a surrogate pair: no character of its own
    }
    std::array<gunichar, G_UNICHAR_MAX_DECOMPOSITION_LENGTH> decomposed{};
    const gsize length = g_unichar_fully_decompose(c, FALSE, decomposed.data(), decomposed.size());
    const gunichar first = length > 0 ? decomposed[0] : c;
    return first < 0x10000 ? foldedUnit(static_cast<char16_t>(first)) : c;
}

constexpr int kNoWeight = -1;

// The weight of a letter or digit, or of anything else, by the letter it sorts with.
constexpr int baseWeight(char16_t base) {
    if (base >= u'0' && base <= u'9') {
        return kDigitBase + (base - u'0');
    }
    if (base >= u'a' && base <= u'z') {
        return kLetterBase + (base - u'a');
    }
    return kOtherBase + base;
}

// Each ASCII character's place in the primary order, or kNoWeight for an ignored one.
constexpr std::array<int, 0x80> asciiWeights(SortOrder order) {
    const OrderTable table = orderTable(order);
    std::array<int, 0x80> weights{};
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const auto c = static_cast<char16_t>(i);
        const std::size_t before = table.beforeDigits.find(c);
        const std::size_t after = table.afterLetters.find(c);
        if (table.ignored.find(c) != std::u16string_view::npos) {
            weights[i] = kNoWeight;
        } else if (before != std::u16string_view::npos) {
            weights[i] = static_cast<int>(before);
        } else if (after != std::u16string_view::npos) {
            weights[i] = kAfterLettersBase + static_cast<int>(after);
        } else {
            weights[i] =
                baseWeight(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c);
        }
    }
    return weights;
}

// In SortOrder's order, worked out when the program is compiled: thousands of names are weighed
// per listing.
constexpr std::array<std::array<int, 0x80>, 3> kAsciiWeights{asciiWeights(SortOrder::General97),
                                                             asciiWeights(SortOrder::GeneralLegacy),
                                                             asciiWeights(SortOrder::General)};

// The weights as bytes that compare as the weights do, three bytes each with the most
// significant first, so that comparing two names' weights is one memcmp.
static_assert(kOtherBase + 0xFFFF < (1 << 24));
std::string primaryWeights(std::u16string_view name, SortOrder order) {
    const auto& ascii = kAsciiWeights[static_cast<std::size_t>(order)];
    std::string weights(3 * name.size(), '\0');
    auto* out = reinterpret_cast<unsigned char*>(weights.data());
    for (const char16_t c : name) {
        // The sort orders differ in ASCII punctuation only.
        const int weight = c < ascii.size() ? ascii[c] : baseWeight(baseCharacter(c));
        if (weight != kNoWeight) {
            *out++ = static_cast<unsigned char>(weight >> 16);
            *out++ = static_cast<unsigned char>(weight >> 8);
            *out++ = static_cast<unsigned char>(weight);
        }
    }
    weights.resize(
        static_cast<std::size_t>(out - reinterpret_cast<unsigned char*>(weights.data())));
    return weights;
}

bool isLower(char16_t c) {
    return (c < 0xD800 || c >= 0xE000) && g_unichar_islower(c);
}

int sign(int value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

} // namespace

NameCollation::Key NameCollation::key(const std::string& name) const {
    // Most names are ASCII, which widens and folds a byte at a time; thousands of names are keyed
    // per listing.
    if (std::ranges::all_of(name, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::u16string units(name.begin(), name.end());
        std::u16string folded = units;
        for (char16_t& c : folded) {
            c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        }
        std::string primary = primaryWeights(units, order_);
        return {std::move(primary), std::move(folded), std::move(units)};
    }
    std::u16string units = toUtf16(name);
    std::string primary = primaryWeights(units, order_);
    return {std::move(primary), toUtf16(caseFolded(name)), std::move(units)};
}

int NameCollation::compare(const Key& left, const Key& right) {
    if (const int primary = left.primary.compare(right.primary); primary != 0) {
        return sign(primary);
    }
    // Accents and ignored characters break ties before case does; lower case sorts first.
    if (const int accents = left.folded.compare(right.folded); accents != 0) {
        return sign(accents);
    }
    const std::u16string& a = left.name;
    const std::u16string& b = right.name;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            return isLower(a[i]) ? -1 : isLower(b[i]) ? 1 : sign(a[i] - b[i]);
        }
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace ombrix::reader
