#include "QueryExpression.h"

#include "DaoTypes.h"

#include <QHash>
#include <QList>

namespace ombrix::platform {

namespace {

enum class TokenKind { Name, Number, String, Date, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    bool bracketed = false;
    bool is(QStringView symbol) const {
        return (kind == TokenKind::Symbol || (kind == TokenKind::Name && !bracketed)) &&
               text.compare(symbol, Qt::CaseInsensitive) == 0;
    }
};

// Jet SQL's lexical rules are small and no library reads them, so they are written out here.
// Returns nothing for text that is not a sequence of Jet SQL tokens.
std::optional<QList<Token>> tokenize(const QString& text) {
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = text.indexOf(u']', i + 1);
            if (end < 0) {
                return std::nullopt;
            }
            tokens.append({TokenKind::Name, text.mid(i + 1, end - i - 1), true});
            i = end + 1;
        } else if (c == u'"' || c == u'\'') {
            QString value;
            qsizetype j = i + 1;
            for (;; ++j) {
                if (j >= n) {
                    return std::nullopt;
                }
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {
                        value.append(c);
                        ++j;
                        continue;
                    }
                    break;
                }
                value.append(text[j]);
            }
            tokens.append({TokenKind::String, value});
            i = j + 1;
        } else if (c == u'#') {
            const qsizetype end = text.indexOf(u'#', i + 1);
            if (end < 0) {
                return std::nullopt;
            }
            tokens.append({TokenKind::Date, text.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && text[i + 1].isDigit() &&
                                   (tokens.isEmpty() || tokens.back().kind == TokenKind::Symbol))) {
            qsizetype j = i;
            while (j < n && (text[j].isDigit() || text[j] == u'.')) {
                ++j;
            }
            if (j < n && (text[j] == u'e' || text[j] == u'E')) {
                ++j;
                if (j < n && (text[j] == u'+' || text[j] == u'-')) {
                    ++j;
                }
                while (j < n && text[j].isDigit()) {
                    ++j;
                }
            }
            tokens.append({TokenKind::Number, text.mid(i, j - i)});
            i = j;
        } else if (isNameChar(c)) {
            qsizetype j = i;
            while (j < n && isNameChar(text[j])) {
                ++j;
            }
            tokens.append({TokenKind::Name, text.mid(i, j - i)});
            i = j;
        } else {
            static const QStringList twoCharSymbols{u"<="_qs, u">="_qs, u"<>"_qs};
            const QString two = text.mid(i, 2);
            const QString symbol = twoCharSymbols.contains(two) ? two : QString(c);
            tokens.append({TokenKind::Symbol, symbol});
            i += symbol.size();
        }
    }
    tokens.append({TokenKind::End, {}});
    return tokens;
}

int widerNumeric(int a, int b) {
    // Byte < Integer < Long < Single < Double < Currency < Decimal; Boolean counts as Integer.
    static const QHash<int, int> rank{{dbBoolean, 2}, {dbByte, 1},     {dbInteger, 2},
                                      {dbLong, 3},    {dbBigInt, 3},   {dbSingle, 4},
                                      {dbDouble, 5},  {dbCurrency, 6}, {dbDecimal, 7}};
    if (!rank.contains(a) || !rank.contains(b)) {
        return dbDouble;
    }
    const int wide = rank[a] >= rank[b] ? a : b;
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

int functionType(const QString& name, const QList<int>& args) {
    static const QHash<QString, int> fixed{
        {u"count"_qs, dbLong},       {u"avg"_qs, dbDouble},      {u"stdev"_qs, dbDouble},
        {u"stdevp"_qs, dbDouble},    {u"var"_qs, dbDouble},      {u"varp"_qs, dbDouble},
        {u"cstr"_qs, dbText},        {u"clng"_qs, dbLong},       {u"cint"_qs, dbInteger},
        {u"cdbl"_qs, dbDouble},      {u"csng"_qs, dbSingle},     {u"ccur"_qs, dbCurrency},
        {u"cdate"_qs, dbDate},       {u"cvdate"_qs, dbDate},     {u"cbool"_qs, dbBoolean},
        {u"cbyte"_qs, dbByte},       {u"cdec"_qs, dbDecimal},    {u"year"_qs, dbInteger},
        {u"month"_qs, dbInteger},    {u"day"_qs, dbInteger},     {u"weekday"_qs, dbInteger},
        {u"datepart"_qs, dbInteger}, {u"hour"_qs, dbInteger},    {u"minute"_qs, dbInteger},
        {u"second"_qs, dbInteger},   {u"now"_qs, dbDate},        {u"date"_qs, dbDate},
        {u"time"_qs, dbDate},        {u"dateserial"_qs, dbDate}, {u"timeserial"_qs, dbDate},
        {u"dateadd"_qs, dbDate},     {u"datevalue"_qs, dbDate},  {u"timevalue"_qs, dbDate},
        {u"datediff"_qs, dbLong},    {u"len"_qs, dbLong},        {u"instr"_qs, dbLong},
        {u"val"_qs, dbDouble},       {u"format"_qs, dbText},     {u"left"_qs, dbText},
        {u"right"_qs, dbText},       {u"mid"_qs, dbText},        {u"trim"_qs, dbText},
        {u"ltrim"_qs, dbText},       {u"rtrim"_qs, dbText},      {u"ucase"_qs, dbText},
        {u"lcase"_qs, dbText},       {u"str"_qs, dbText},        {u"chr"_qs, dbText},
        {u"space"_qs, dbText},       {u"string"_qs, dbText},     {u"replace"_qs, dbText},
        {u"strconv"_qs, dbText},     {u"hex"_qs, dbText},        {u"oct"_qs, dbText},
    };
    const QString key = name.toLower();
    if (const auto it = fixed.find(key); it != fixed.end()) {
        return *it;
    }
    const int first = args.isEmpty() ? dbText : args.front();
    if (key == u"min" || key == u"max" || key == u"first" || key == u"last" || key == u"abs" ||
        key == u"int" || key == u"fix") {
        return first;
    }
    if (key == u"sum") {
        return first == dbCurrency || first == dbDecimal ? first : dbDouble;
    }
    return dbText; // IIf, Nz, Switch, Choose, user functions: not determinable
}

// Precedence climbing over Jet SQL's operators, computing the result type instead of a tree.
class TypeParser {
public:
    TypeParser(const QList<Token>& tokens,
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
    bool accept(QStringView symbol) {
        if (peek().is(symbol)) {
            ++position_;
            return true;
        }
        return false;
    }

    std::optional<int> logical() {
        auto left = negation();
        while (left && (peek().is(u"and") || peek().is(u"or") || peek().is(u"xor") ||
                        peek().is(u"eqv") || peek().is(u"imp"))) {
            take();
            if (!negation()) {
                return std::nullopt;
            }
            left = dbText;
        }
        return left;
    }

    std::optional<int> negation() {
        if (accept(u"not")) {
            return negation() ? std::optional<int>(dbText) : std::nullopt;
        }
        return comparison();
    }

    std::optional<int> comparison() {
        auto left = concatenation();
        while (left) {
            if (peek().is(u"=") || peek().is(u"<>") || peek().is(u"<") || peek().is(u">") ||
                peek().is(u"<=") || peek().is(u">=") || peek().is(u"like")) {
                take();
                if (!concatenation()) {
                    return std::nullopt;
                }
            } else if (accept(u"is")) {
                accept(u"not");
                if (!accept(u"null")) {
                    return std::nullopt;
                }
            } else if (peek().is(u"between") || peek().is(u"in") ||
                       (peek().is(u"not") && (tokens_[position_ + 1].is(u"between") ||
                                              tokens_[position_ + 1].is(u"in")))) {
                accept(u"not");
                if (accept(u"between")) {
                    if (!concatenation() || !accept(u"and") || !concatenation()) {
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
        while (left && accept(u"&")) {
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
        while (left && (peek().is(u"+") || peek().is(u"-"))) {
            const bool plus = take().is(u"+");
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
        while (left && accept(u"mod")) {
            if (!integerDivision()) {
                return std::nullopt;
            }
            left = dbLong;
        }
        return left;
    }

    std::optional<int> integerDivision() {
        auto left = multiplicative();
        while (left && accept(u"\\")) {
            if (!multiplicative()) {
                return std::nullopt;
            }
            left = dbLong;
        }
        return left;
    }

    std::optional<int> multiplicative() {
        auto left = unary();
        while (left && (peek().is(u"*") || peek().is(u"/"))) {
            const bool times = take().is(u"*");
            const auto right = unary();
            if (!right) {
                return std::nullopt;
            }
            left = times ? widerNumeric(*left, *right) : dbDouble;
        }
        return left;
    }

    std::optional<int> unary() {
        if (accept(u"-") || accept(u"+")) {
            return unary();
        }
        return power();
    }

    std::optional<int> power() {
        auto left = primary();
        while (left && accept(u"^")) {
            if (!primary()) {
                return std::nullopt;
            }
            left = dbDouble;
        }
        return left;
    }

    std::optional<QList<int>> arguments() {
        if (!accept(u"(")) {
            return std::nullopt;
        }
        QList<int> types;
        if (accept(u")")) {
            return types;
        }
        do {
            if (peek().is(u"*") && (tokens_[position_ + 1].is(u")"))) {
                take();
                types.append(dbLong);
                continue;
            }
            const auto type = logical();
            if (!type) {
                return std::nullopt;
            }
            types.append(*type);
        } while (accept(u","));
        if (!accept(u")")) {
            return std::nullopt;
        }
        return types;
    }

    std::optional<int> primary() {
        const Token& token = peek();
        switch (token.kind) {
        case TokenKind::Number:
            take();
            return token.text.contains(u'.') || token.text.contains(u'e', Qt::CaseInsensitive) ||
                           token.text.toLongLong() > 2147483647LL
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
            if (accept(u"(")) {
                const auto type = logical();
                return type && accept(u")") ? type : std::nullopt;
            }
            return std::nullopt;
        case TokenKind::End:
            break;
        }
        return std::nullopt;
    }

    std::optional<int> nameOrCall() {
        const Token first = take();
        if (!first.bracketed && peek().is(u"(")) {
            const auto args = arguments();
            return args ? std::optional<int>(functionType(first.text, *args)) : std::nullopt;
        }
        if (!first.bracketed && (first.is(u"true") || first.is(u"false"))) {
            return dbBoolean;
        }
        if (!first.bracketed && first.is(u"null")) {
            return dbText;
        }
        QStringList parts{first.text};
        while (peek().is(u".") || peek().is(u"!")) {
            take();
            if (peek().kind != TokenKind::Name) {
                return std::nullopt;
            }
            parts.append(take().text);
        }
        if (parts.size() > 2) {
            return dbText; // a form reference: a parameter of undeclared type
        }
        const ColumnReference reference =
            parts.size() == 1 ? ColumnReference{{}, parts[0]} : ColumnReference{parts[0], parts[1]};
        return typeOf_(reference).value_or(dbText);
    }

    const QList<Token>& tokens_;
    const std::function<std::optional<int>(const ColumnReference&)>& typeOf_;
    qsizetype position_ = 0;
};

} // namespace

std::optional<ColumnReference> parseColumnReference(const QString& expression) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return std::nullopt;
    }
    const QList<Token>& t = *tokens;
    auto isName = [](const Token& token) { return token.kind == TokenKind::Name; };
    if (t.size() == 2 && t[0].is(u"*")) {
        return ColumnReference{};
    }
    if (t.size() == 2 && isName(t[0])) {
        return ColumnReference{{}, t[0].text};
    }
    if (t.size() == 4 && isName(t[0]) && (t[1].is(u".") || t[1].is(u"!"))) {
        if (t[2].is(u"*") && t[1].is(u".")) {
            return ColumnReference{t[0].text, {}};
        }
        if (isName(t[2])) {
            return ColumnReference{t[0].text, t[2].text};
        }
    }
    return std::nullopt;
}

int expressionType(const QString& expression,
                   const std::function<std::optional<int>(const ColumnReference&)>& typeOf) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return dbText;
    }
    return TypeParser(*tokens, typeOf).parseWhole().value_or(dbText);
}

} // namespace ombrix::platform

namespace ombrix::platform {

std::optional<QStringList> pivotValues(const QString& expression) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        return std::nullopt;
    }
    const QList<Token>& t = *tokens;
    qsizetype start = -1;
    int depth = 0;
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (t[i].is(u"(")) {
            ++depth;
        } else if (t[i].is(u")")) {
            --depth;
        } else if (depth == 0 && t[i].is(u"in") && t[i + 1].is(u"(")) {
            start = i + 2;
        }
    }
    if (start < 0) {
        return std::nullopt;
    }
    QStringList values;
    for (qsizetype i = start; i < t.size(); i += 2) {
        const Token& value = t[i];
        if (value.kind != TokenKind::String && value.kind != TokenKind::Number &&
            value.kind != TokenKind::Date) {
            return std::nullopt;
        }
        values.append(value.text);
        if (i + 1 >= t.size() || t[i + 1].is(u")")) {
            return values;
        }
        if (!t[i + 1].is(u",")) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace ombrix::platform
