#include "reader/QueryExpression.h"

#include "reader/DaoTypes.h"
#include "reader/Text.h"

#include <algorithm>
#include <charconv>
#include <glib.h>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace ombrix::reader {

namespace {

enum class TokenKind { Name, Number, String, Date, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    bool bracketed = false;
    std::string folded; // of a name or symbol, for comparing with case ignored
    bool is(std::string_view symbol) const {
        return (kind == TokenKind::Symbol || (kind == TokenKind::Name && !bracketed)) &&
               folded == symbol;
    }
};

Token token(TokenKind kind, std::u32string_view text, bool bracketed = false) {
    std::string utf8 = fromUtf32(text);
    std::string folded =
        kind == TokenKind::Name || kind == TokenKind::Symbol ? caseFolded(utf8) : std::string();
    return {kind, std::move(utf8), bracketed, std::move(folded)};
}

// Characters of the Basic Multilingual Plane only: the engine sees a character beyond it as two
// surrogate halves, neither a letter nor a digit.
bool isDigit(char32_t c) {
    return c < 0x10000 && g_unichar_type(c) == G_UNICODE_DECIMAL_NUMBER;
}

bool isLetterOrNumber(char32_t c) {
    if (c >= 0x10000) {
        return false;
    }
    switch (g_unichar_type(c)) {
    case G_UNICODE_LOWERCASE_LETTER:
    case G_UNICODE_MODIFIER_LETTER:
    case G_UNICODE_OTHER_LETTER:
    case G_UNICODE_TITLECASE_LETTER:
    case G_UNICODE_UPPERCASE_LETTER:
    case G_UNICODE_DECIMAL_NUMBER:
    case G_UNICODE_LETTER_NUMBER:
    case G_UNICODE_OTHER_NUMBER:
        return true;
    default:
        return false;
    }
}

// Jet SQL's lexical rules are small and no library reads them, so they are written out here.
// Returns nothing for text that is not a sequence of Jet SQL tokens.
std::optional<std::vector<Token>> tokenize(const std::string& utf8) {
    const std::u32string text = toUtf32(utf8);
    const std::u32string_view view(text);
    std::vector<Token> tokens;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto isNameChar = [](char32_t c) { return isLetterOrNumber(c) || c == U'_'; };
    while (i < n) {
        const char32_t c = text[i];
        if (isSpace(c)) {
            ++i;
        } else if (c == U'[') {
            const std::size_t end = text.find(U']', i + 1);
            if (end == std::u32string::npos) {
                return std::nullopt;
            }
            tokens.push_back(token(TokenKind::Name, view.substr(i + 1, end - i - 1), true));
            i = end + 1;
        } else if (c == U'"' || c == U'\'') {
            std::u32string value;
            std::size_t j = i + 1;
            for (;; ++j) {
                if (j >= n) {
                    return std::nullopt;
                }
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {
                        value.push_back(c);
                        ++j;
                        continue;
                    }
                    break;
                }
                value.push_back(text[j]);
            }
            tokens.push_back(token(TokenKind::String, value));
            i = j + 1;
        } else if (c == U'#') {
            const std::size_t end = text.find(U'#', i + 1);
            if (end == std::u32string::npos) {
                return std::nullopt;
            }
            tokens.push_back(token(TokenKind::Date, view.substr(i + 1, end - i - 1)));
            i = end + 1;
        } else if (isDigit(c) || (c == U'.' && i + 1 < n && isDigit(text[i + 1]) &&
                                  (tokens.empty() || tokens.back().kind == TokenKind::Symbol))) {
            std::size_t j = i;
            while (j < n && (isDigit(text[j]) || text[j] == U'.')) {
                ++j;
            }
            if (j < n && (text[j] == U'e' || text[j] == U'E')) {
                ++j;
                if (j < n && (text[j] == U'+' || text[j] == U'-')) {
                    ++j;
                }
                while (j < n && isDigit(text[j])) {
                    ++j;
                }
            }
            tokens.push_back(token(TokenKind::Number, view.substr(i, j - i)));
            i = j;
        } else if (isNameChar(c)) {
            std::size_t j = i;
            while (j < n && isNameChar(text[j])) {
                ++j;
            }
            tokens.push_back(token(TokenKind::Name, view.substr(i, j - i)));
            i = j;
        } else {
            const std::u32string_view two = view.substr(i, 2);
            const bool pair = two == U"<=" || two == U">=" || two == U"<>";
            const std::u32string_view symbol = pair ? two : view.substr(i, 1);
            tokens.push_back(token(TokenKind::Symbol, symbol));
            i += symbol.size();
        }
    }
    tokens.push_back(token(TokenKind::End, {}));
    return tokens;
}

// The number's value, or 0 when it is not a whole number that fits, as the engine reads it.
long long wholeNumber(const std::string& text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

int widerNumeric(int a, int b) {
    // Byte < Integer < Long < Single < Double < Currency < Decimal; Boolean counts as Integer.
    static const std::unordered_map<int, int> rank{{dbBoolean, 2}, {dbByte, 1},     {dbInteger, 2},
                                                   {dbLong, 3},    {dbBigInt, 3},   {dbSingle, 4},
                                                   {dbDouble, 5},  {dbCurrency, 6}, {dbDecimal, 7}};
    if (!rank.contains(a) || !rank.contains(b)) {
        return dbDouble;
    }
    const int wide = rank.at(a) >= rank.at(b) ? a : b;
    if (wide == dbBoolean) {
        return dbInteger;
    }
    // Currency with a floating operand is computed as a Double.
    if (wide == dbCurrency && (a == dbSingle || a == dbDouble || b == dbSingle || b == dbDouble)) {
        return dbDouble;
    }
    return wide == dbBigInt ? dbLong : wide;
}

bool isTextual(int type) {
    return type == dbText || type == dbMemo;
}

int functionType(const std::string& name, const std::vector<int>& args) {
    static const std::unordered_map<std::string_view, int> fixed{
        {"count", dbLong},       {"avg", dbDouble},      {"stdev", dbDouble},
        {"stdevp", dbDouble},    {"var", dbDouble},      {"varp", dbDouble},
        {"cstr", dbText},        {"clng", dbLong},       {"cint", dbInteger},
        {"cdbl", dbDouble},      {"csng", dbSingle},     {"ccur", dbCurrency},
        {"cdate", dbDate},       {"cvdate", dbDate},     {"cbool", dbBoolean},
        {"cbyte", dbByte},       {"cdec", dbDecimal},    {"year", dbInteger},
        {"month", dbInteger},    {"day", dbInteger},     {"weekday", dbInteger},
        {"datepart", dbInteger}, {"hour", dbInteger},    {"minute", dbInteger},
        {"second", dbInteger},   {"now", dbDate},        {"date", dbDate},
        {"time", dbDate},        {"dateserial", dbDate}, {"timeserial", dbDate},
        {"dateadd", dbDate},     {"datevalue", dbDate},  {"timevalue", dbDate},
        {"datediff", dbLong},    {"len", dbLong},        {"instr", dbLong},
        {"val", dbDouble},       {"format", dbText},     {"left", dbText},
        {"right", dbText},       {"mid", dbText},        {"trim", dbText},
        {"ltrim", dbText},       {"rtrim", dbText},      {"ucase", dbText},
        {"lcase", dbText},       {"str", dbText},        {"chr", dbText},
        {"space", dbText},       {"string", dbText},     {"replace", dbText},
        {"strconv", dbText},     {"hex", dbText},        {"oct", dbText},
    };
    const std::string key = lowered(name);
    if (const auto it = fixed.find(key); it != fixed.end()) {
        return it->second;
    }
    const int first = args.empty() ? dbText : args.front();
    if (key == "min" || key == "max" || key == "first" || key == "last" || key == "abs" ||
        key == "int" || key == "fix") {
        return first;
    }
    if (key == "sum") {
        return first == dbCurrency || first == dbDecimal ? first : dbDouble;
    }
    return dbText; // IIf, Nz, Switch, Choose, user functions: not determinable
}

// Precedence climbing over Jet SQL's operators, computing the result type instead of a tree.
class TypeParser {
public:
    TypeParser(const std::vector<Token>& tokens,
               const std::function<std::optional<int>(const ColumnReference&)>& typeOf)
        : tokens_(tokens), typeOf_(typeOf) {}

    std::optional<int> parseWhole() {
        const auto type = logical();
        if (!type || peek().kind != TokenKind::End) {
            return std::nullopt;
        }
        return type;
    }

private:
    const Token& peek() const { return tokens_[position_]; }
    const Token& take() { return tokens_[std::min(position_++, tokens_.size() - 1)]; }
    bool accept(std::string_view symbol) {
        if (peek().is(symbol)) {
            ++position_;
            return true;
        }
        return false;
    }

    std::optional<int> logical() {
        auto left = negation();
        while (left && (peek().is("and") || peek().is("or") || peek().is("xor") ||
                        peek().is("eqv") || peek().is("imp"))) {
            take();
            if (!negation()) {
                return std::nullopt;
            }
            left = dbText;
        }
        return left;
    }

    std::optional<int> negation() {
        if (accept("not")) {
            return negation() ? std::optional<int>(dbText) : std::nullopt;
        }
        return comparison();
    }

    std::optional<int> comparison() {
        auto left = concatenation();
        while (left) {
            if (peek().is("=") || peek().is("<>") || peek().is("<") || peek().is(">") ||
                peek().is("<=") || peek().is(">=") || peek().is("like")) {
                take();
                if (!concatenation()) {
                    return std::nullopt;
                }
            } else if (accept("is")) {
                accept("not");
                if (!accept("null")) {
                    return std::nullopt;
                }
            } else if (peek().is("between") || peek().is("in") ||
                       (peek().is("not") && (tokens_[position_ + 1].is("between") ||
                                             tokens_[position_ + 1].is("in")))) {
                accept("not");
                if (accept("between")) {
                    if (!concatenation() || !accept("and") || !concatenation()) {
                        return std::nullopt;
                    }
                } else {
                    take();
                    if (!arguments()) {
                        return std::nullopt;
                    }
                }
            } else {
                return left;
            }
            left = dbText;
        }
        return left;
    }

    std::optional<int> concatenation() {
        auto left = additive();
        while (left && accept("&")) {
            const auto right = additive();
            if (!right) {
                return std::nullopt;
            }
            left = (*left == dbMemo || *right == dbMemo) ? dbMemo : dbText;
        }
        return left;
    }

    std::optional<int> additive() {
        auto left = modulo();
        while (left && (peek().is("+") || peek().is("-"))) {
            const bool plus = take().is("+");
            const auto right = modulo();
            if (!right) {
                return std::nullopt;
            }
            if (plus && isTextual(*left) && isTextual(*right)) {
                left = (*left == dbMemo || *right == dbMemo) ? dbMemo : dbText;
            } else if ((*left == dbDate) != (*right == dbDate)) {
                left = dbDate;
            } else if (*left == dbDate) {
                left = plus ? dbDate : dbDouble;
            } else {
                left = widerNumeric(*left, *right);
            }
        }
        return left;
    }

    std::optional<int> modulo() {
        auto left = integerDivision();
        while (left && accept("mod")) {
            if (!integerDivision()) {
                return std::nullopt;
            }
            left = dbLong;
        }
        return left;
    }

    std::optional<int> integerDivision() {
        auto left = multiplicative();
        while (left && accept("\\")) {
            if (!multiplicative()) {
                return std::nullopt;
            }
            left = dbLong;
        }
        return left;
    }

    std::optional<int> multiplicative() {
        auto left = unary();
        while (left && (peek().is("*") || peek().is("/"))) {
            const bool times = take().is("*");
            const auto right = unary();
            if (!right) {
                return std::nullopt;
            }
            left = times ? widerNumeric(*left, *right) : dbDouble;
        }
        return left;
    }

    std::optional<int> unary() {
        if (accept("-") || accept("+")) {
            return unary();
        }
        return power();
    }

    std::optional<int> power() {
        auto left = primary();
        while (left && accept("^")) {
            if (!primary()) {
                return std::nullopt;
            }
            left = dbDouble;
        }
        return left;
    }

    std::optional<std::vector<int>> arguments() {
        if (!accept("(")) {
            return std::nullopt;
        }
        std::vector<int> types;
        if (accept(")")) {
            return types;
        }
        do {
            if (peek().is("*") && (tokens_[position_ + 1].is(")"))) {
                take();
                types.push_back(dbLong);
                continue;
            }
            const auto type = logical();
            if (!type) {
                return std::nullopt;
            }
            types.push_back(*type);
        } while (accept(","));
        if (!accept(")")) {
            return std::nullopt;
        }
        return types;
    }

    std::optional<int> primary() {
        const Token& token = peek();
        switch (token.kind) {
        case TokenKind::Number:
            take();
            return token.text.find_first_of(".eE") != std::string::npos ||
                           wholeNumber(token.text) > 2147483647LL
                       ? dbDouble
                       : dbLong;
        case TokenKind::String:
            take();
            return dbText;
        case TokenKind::Date:
            take();
            return dbDate;
        case TokenKind::Name:
            return nameOrCall();
        case TokenKind::Symbol:
            if (accept("(")) {
                const auto type = logical();
                return type && accept(")") ? type : std::nullopt;
            }
            return std::nullopt;
        case TokenKind::End:
            break;
        }
        return std::nullopt;
    }

    std::optional<int> nameOrCall() {
        const Token first = take();
        if (!first.bracketed && peek().is("(")) {
            const auto args = arguments();
            return args ? std::optional<int>(functionType(first.text, *args)) : std::nullopt;
        }
        if (!first.bracketed && (first.is("true") || first.is("false"))) {
            return dbBoolean;
        }
        if (!first.bracketed && first.is("null")) {
            return dbText;
        }
        std::vector<std::string> parts{first.text};
        while (peek().is(".") || peek().is("!")) {
            take();
            if (peek().kind != TokenKind::Name) {
                return std::nullopt;
            }
            parts.push_back(take().text);
        }
        if (parts.size() > 2) {
            return dbText; // a form reference: a parameter of undeclared type
        }
        const ColumnReference reference =
            parts.size() == 1 ? ColumnReference{{}, parts[0]} : ColumnReference{parts[0], parts[1]};
        return typeOf_(reference).value_or(dbText);
    }

    const std::vector<Token>& tokens_;
    const std::function<std::optional<int>(const ColumnReference&)>& typeOf_;
    std::size_t position_ = 0;
};

} // namespace

std::optional<ColumnReference> parseColumnReference(const std::string& expression) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return std::nullopt;
    }
    const std::vector<Token>& t = *tokens;
    auto isName = [](const Token& token) { return token.kind == TokenKind::Name; };
    if (t.size() == 2 && t[0].is("*")) {
        return ColumnReference{};
    }
    if (t.size() == 2 && isName(t[0])) {
        return ColumnReference{{}, t[0].text};
    }
    if (t.size() == 4 && isName(t[0]) && (t[1].is(".") || t[1].is("!"))) {
        if (t[2].is("*") && t[1].is(".")) {
            return ColumnReference{t[0].text, {}};
        }
        if (isName(t[2])) {
            return ColumnReference{t[0].text, t[2].text};
        }
    }
    return std::nullopt;
}

int expressionType(const std::string& expression,
                   const std::function<std::optional<int>(const ColumnReference&)>& typeOf) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return dbText;
    }
    return TypeParser(*tokens, typeOf).parseWhole().value_or(dbText);
}

bool callsAggregate(const std::string& expression) {
    static const std::unordered_set<std::string_view> aggregates{
        "count", "sum", "avg", "min", "max", "first", "last", "stdev", "stdevp", "var", "varp"};
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return false;
    }
    const std::vector<Token>& t = *tokens;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].kind == TokenKind::Name && !t[i].bracketed && t[i + 1].is("(") &&
            aggregates.contains(t[i].folded)) {
            return true;
        }
    }
    return false;
}

std::optional<std::vector<std::string>> pivotValues(const std::string& expression) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return std::nullopt;
    }
    const std::vector<Token>& t = *tokens;
    std::size_t start = 0;
    int depth = 0;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].is("(")) {
            ++depth;
        } else if (t[i].is(")")) {
            --depth;
        } else if (depth == 0 && t[i].is("in") && t[i + 1].is("(")) {
            start = i + 2;
        }
    }
    if (start == 0) {
        return std::nullopt;
    }
    std::vector<std::string> values;
    for (std::size_t i = start; i < t.size(); i += 2) {
        const Token& value = t[i];
        if (value.kind != TokenKind::String && value.kind != TokenKind::Number &&
            value.kind != TokenKind::Date) {
            return std::nullopt;
        }
        values.push_back(value.text);
        if (i + 1 >= t.size() || t[i + 1].is(")")) {
            return values;
        }
        if (!t[i + 1].is(",")) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace ombrix::reader
