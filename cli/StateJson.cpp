#include "cli/StateJson.h"

#include "cli/CliSupport.h"
#include "core/CatalogueItems.h"
#include "core/FieldItem.h"
#include "core/FormMethod.h"
#include "core/WizardStateBuilder.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace ombrix::cli {

namespace {

using nlohmann::json;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

[[noreturn]] void reject(const std::string& message) {
    throw CommandError(kExitBadUsage, message);
}

[[noreturn]] void rejectJson(std::string_view reason, std::size_t offset) {
    reject("the state is not valid JSON: " + std::string(reason) + " at offset " +
           std::to_string(offset));
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Reads the text as nlohmann's parser does, keeping only what a complaint needs: the innermost
// object or array still open, and the token the parser stopped at.
class SyntaxCheck final : public nlohmann::json_sax<json> {
public:
    explicit SyntaxCheck(std::string_view text) : text_(text) {}

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool key(string_t&) override { return true; }
    bool start_object(std::size_t) override {
        open_.push_back('{');
        return true;
    }
    bool start_array(std::size_t) override {
        open_.push_back('[');
        return true;
    }
    bool end_object() override {
        open_.pop_back();
        return true;
    }
    bool end_array() override {
        open_.pop_back();
        return true;
    }

    // The complaint in the words ombrix-cli has always used, at the offset it has always given:
    // the end of the input, the character after the start of an unexpected token or literal, or
    // else the character where reading stopped.
    bool parse_error(std::size_t position, const std::string&,
                     const json::exception& error) override {
        const std::string_view message = error.what();
        const std::size_t stop = position - 1;
        if (contains(message, "unexpected end of input"))
            rejectJson(endOfInputReason(), stop);
        if (contains(message, "number overflow"))
            rejectJson("illegal number", position);
        const std::string_view reason = reasonIn(message);
        if (contains(message, "- unexpected "))
            rejectJson(reason, tokenStart(stop) + 1);
        if (contains(message, "invalid literal") && !contains(message, "end of input"))
            rejectJson(reason, tokenStart(stop - 1) + 1);
        rejectJson(reason, stop);
    }

private:
    // What was left open, as the input's last character shows it.
    std::string_view endOfInputReason() const {
        if (open_.empty())
            return "illegal value";
        if (text_.back() == '"')
            return "unterminated string";
        if (std::isdigit(static_cast<unsigned char>(text_.back())))
            return "invalid termination by number";
        return open_.back() == '[' ? "unterminated array" : "unterminated object";
    }

    static std::string_view reasonIn(std::string_view message) {
        if (contains(message, "; expected end of input"))
            return "garbage at the end of the document";
        if (contains(message, "missing closing quote"))
            return "unterminated string";
        if (contains(message, "UTF-8"))
            return "invalid UTF8 string";
        if (contains(message, "invalid number"))
            return "illegal number";
        if (contains(message, "backslash") || contains(message, "\\u") ||
            contains(message, "surrogate"))
            return "invalid escape sequence";
        if (contains(message, "object separator"))
            return "missing name separator";
        if (contains(message, "parsing object"))
            return "unterminated object";
        if (contains(message, "parsing array"))
            return "unterminated array";
        return "illegal value";
    }

    // Where the string, number or word that ends at last begins.
    std::size_t tokenStart(std::size_t last) const {
        std::size_t start = std::min(last, text_.size() - 1);
        if (text_[start] == '"' && start > 0) {
            std::size_t open = text_.rfind('"', start - 1);
            while (open != std::string_view::npos && open > 0 && text_[open - 1] == '\\')
                open = text_.rfind('"', open - 1);
            return open == std::string_view::npos ? start : open;
        }
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(text_[start - 1])) ||
                             contains("+-.", text_.substr(start - 1, 1))))
            --start;
        return start;
    }

    std::string_view text_;
    std::vector<char> open_;
};

// Control characters inside strings escaped, as a lenient reader takes them: a TAB typed into a
// field item reads as the TAB it is.
std::string withControlCharactersEscaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (inString && c < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            escaped += "\\u00";
            escaped += kHex[c >> 4];
            escaped += kHex[c & 0xF];
            continue;
        }
        escaped += text[i];
        if (inString && c == '\\' && i + 1 < text.size()) {
            escaped += text[++i];
        } else if (c == '"') {
            inString = !inString;
        }
    }
    return escaped;
}

json parse(const std::string& text) {
    // Only an object or an array opens a document, after a byte-order mark if there is one.
    const std::size_t first = text.find_first_not_of(" \t\r\n", text.starts_with(kUtf8Bom) ? 3 : 0);
    if (first == std::string::npos)
        rejectJson("illegal value", text.size());
    if (text[first] != '{' && text[first] != '[')
        rejectJson("illegal value", first + 1);
    const std::string escaped = withControlCharactersEscaped(text);
    SyntaxCheck check(escaped);
    json::sax_parse(escaped, &check);
    return json::parse(escaped);
}

const json& member(const json& object, const std::string& name) {
    const auto found = object.find(name);
    if (found == object.end())
        reject("the state has no member \"" + name + "\"");
    return *found;
}

std::string stringMember(const json& object, const std::string& name) {
    const json& value = member(object, name);
    if (!value.is_string())
        reject("member \"" + name + "\" is not a string");
    return value.get<std::string>();
}

// A member that states written before it existed lack: absent means empty.
std::string optionalStringMember(const json& object, const std::string& name) {
    return object.contains(name) ? stringMember(object, name) : std::string();
}

std::vector<std::string> fieldItems(const json& object) {
    const json& value = member(object, "fields");
    if (!value.is_array())
        reject("member \"fields\" is not an array");
    if (value.empty())
        reject("member \"fields\" is empty");
    std::vector<std::string> items;
    items.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        if (!value[i].is_string())
            reject("field " + number + " is not a string");
        items.push_back(value[i].get<std::string>());
        if (!core::splitFieldItem(items.back()))
            reject("field " + number + " has no TAB before its type prefix");
    }
    return items;
}

// The optional member "keyFields": [{"name": "...", "prefix": "..."}, ...], each entry's prefix
// optional too (absent means empty).
std::vector<KeyField> keyFields(const json& object) {
    if (!object.contains("keyFields"))
        return {};
    const json& value = member(object, "keyFields");
    if (!value.is_array())
        reject("member \"keyFields\" is not an array");
    std::vector<KeyField> key;
    key.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const json& entry = value[i];
        const std::string number = std::to_string(i + 1);
        if (!entry.is_object())
            reject("key field " + number + " is not an object");
        if (!entry.contains("name"))
            reject("key field " + number + " has no member \"name\"");
        const auto text = [&](const std::string& name) {
            if (!entry.contains(name))
                return std::string();
            if (!entry[name].is_string())
                reject("member \"" + name + "\" of key field " + number + " is not a string");
            return entry[name].get<std::string>();
        };
        key.push_back({.name = text("name"), .prefix = text("prefix")});
    }
    return key;
}

// The key's fields end with the key field the rest of the state names, with its prefix where both
// prefixes are given (not empty).
void checkKeyFields(const std::vector<KeyField>& keyFields, const std::string& primaryKeyField,
                    const std::string& primaryKeyPrefix) {
    if (keyFields.empty())
        return;
    if (primaryKeyField.empty())
        reject("member \"keyFields\" needs a \"primaryKeyField\"");
    const KeyField& last = keyFields.back();
    if (last.name != primaryKeyField)
        reject("the last name in \"keyFields\" must equal \"primaryKeyField\"");
    if (!last.prefix.empty() && !primaryKeyPrefix.empty() && last.prefix != primaryKeyPrefix)
        reject("the last prefix in \"keyFields\" must equal \"primaryKeyPrefix\"");
}

// The key as the builder takes it, for the same page: the page names every field of a key of
// several, and the key field alone (with its own prefix) otherwise.
std::vector<KeyField> builderKey(std::vector<KeyField> keyFields, std::string primaryKeyField,
                                 std::string primaryKeyPrefix) {
    if (keyFields.size() >= 2)
        return keyFields;
    if (primaryKeyField.empty())
        return {};
    return {{.name = std::move(primaryKeyField), .prefix = std::move(primaryKeyPrefix)}};
}

} // namespace

WizardState wizardStateFromJson(const std::string& text) {
    const json document = parse(text);
    if (!document.is_object())
        reject("the state is not a JSON object");

    // Read in this order, so that the first complaint is always the same.
    std::string database = stringMember(document, "database");
    std::string password = stringMember(document, "password");
    std::string object = stringMember(document, "object");
    std::string primaryKeyField = stringMember(document, "primaryKeyField");
    std::string primaryKeyPrefix = optionalStringMember(document, "primaryKeyPrefix");
    std::vector<KeyField> key = keyFields(document);
    core::PageChoices choices{.database = std::move(database),
                              .password = std::move(password),
                              .object = std::move(object),
                              .fieldItems = fieldItems(document),
                              .method = stringMember(document, "method")};

    if (!core::isObjectItem(choices.object))
        reject("member \"object\" must begin with \"Table: \" or \"Query: \"");
    if (!core::isFormMethod(choices.method))
        reject("member \"method\" must be \"Post\" or \"Get\"");
    checkKeyFields(key, primaryKeyField, primaryKeyPrefix);
    return core::wizardState(
        std::move(choices),
        builderKey(std::move(key), std::move(primaryKeyField), std::move(primaryKeyPrefix)));
}

} // namespace ombrix::cli
