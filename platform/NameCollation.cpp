#include "NameCollation.h"

#include <QList>

namespace ombrix::platform {

namespace {

// Primary order of printable ASCII punctuation in each sort order; letters and digits are placed
// by letterWeight below.
struct OrderTable {
    QStringView beforeDigits;
    QStringView afterLetters;
    QStringView ignored;
};

constexpr char16_t kGeneral97Before[] = u" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
constexpr char16_t kLegacyBefore[] = u" !\"#$%&()*,./:;?@[\\]+<=>";
constexpr char16_t kLegacyAfter[] = u"^_`{|}~";
constexpr char16_t kGeneralBefore[] = u" !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
constexpr char16_t kIgnored[] = u"'-";

OrderTable orderTable(SortOrder order) {
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

// The letter a character sorts with: its first canonical component, folded to lower case.
QChar baseCharacter(QChar c) {
    if (c.unicode() < 0x80) {
        return c.toLower(); // ASCII has no accents to strip
    }
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    return decomposed.isEmpty() ? c : decomposed.front().toCaseFolded();
}

QList<int> primaryWeights(const QString& name, const OrderTable& table) {
    QList<int> weights;
    weights.reserve(name.size());
    for (const QChar c : name) {
        if (table.ignored.contains(c)) {
            continue;
        }
        if (const auto at = table.beforeDigits.indexOf(c); at >= 0) {
            weights.append(static_cast<int>(at));
            continue;
        }
        if (const auto at = table.afterLetters.indexOf(c); at >= 0) {
            weights.append(kAfterLettersBase + static_cast<int>(at));
            continue;
        }
        const QChar base = baseCharacter(c);
        if (base >= u'0' && base <= u'9') {
            weights.append(kDigitBase + (base.unicode() - u'0'));
        } else if (base >= u'a' && base <= u'z') {
            weights.append(kLetterBase + (base.unicode() - u'a'));
        } else {
            weights.append(kOtherBase + base.unicode());
        }
    }
    return weights;
}

int sign(qsizetype value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

} // namespace

NameCollation::Key NameCollation::key(const QString& name) const {
    return {primaryWeights(name, orderTable(order_)), name.toCaseFolded(), name};
}

int NameCollation::compare(const Key& left, const Key& right) {
    if (left.primary != right.primary) {
        return std::lexicographical_compare(left.primary.begin(), left.primary.end(),
                                            right.primary.begin(), right.primary.end())
                   ? -1
                   : 1;
    }
    // Accents and ignored characters break ties before case does; lower case sorts first.
    if (const int accents = left.folded.compare(right.folded); accents != 0) {
        return sign(accents);
    }
    const QString& a = left.name;
    const QString& b = right.name;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            return a[i].isLower() ? -1 : b[i].isLower() ? 1 : sign(a[i].unicode() - b[i].unicode());
        }
    }
    return sign(a.size() - b.size());
}

} // namespace ombrix::platform
