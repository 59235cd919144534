#include "reader/Protocol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <glib.h>
#include <memory>
#include <nlohmann/json.hpp>

namespace ombrix::reader {

namespace {

using Json = nlohmann::json;
using core::DatabaseObjects;
using core::EngineError;
using core::IndexDef;
using core::ObjectDefinition;
using core::ObjectKind;

constexpr const char* kVersionKey = "ombrixReader";
// Limits on names count UTF-16 code units, as the engine measures names. What a request carries,
// and an error's description, which may quote it, are limited by the message's size alone: the
// reader answers for any path and name it is asked about.
constexpr std::size_t kMaxNameLength = 32768;
constexpr std::size_t kMaxItems = 1 << 20;
// Every printable ASCII character but the escape character itself stands for itself in a path.
constexpr const char* kPathCharacters = " !\"#$&'()*+,/:;<=>?@[\\]^`{|}";
constexpr int kMaxTypeCode = 0x7FFF;
constexpr int kLastFormatVersion = 6; // ACE 17

std::size_t utf16Length(const std::string& text) {
    std::size_t units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // One unit per lead byte; a four-byte sequence is a surrogate pair.
        units += (byte & 0xC0) != 0x80 ? 1 : 0;
        units += byte >= 0xF0 ? 1 : 0;
    }
    return units;
}

struct GFree {
    void operator()(gchar* text) const { g_free(text); }
};

// JSON holds Unicode text only, and a path is any bytes but NUL: it travels percent-encoded, each
// byte outside printable ASCII (and "%" itself) as %XX.
std::string escapedPath(const std::string& bytes) {
    const std::unique_ptr<gchar, GFree> escaped(g_uri_escape_bytes(
        reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), kPathCharacters));
    return escaped.get();
}

// The path's bytes, when the text is exactly what escapedPath() writes for a path.
std::optional<std::string> unescapedPath(const std::string& text) {
    GBytes* raw =
        g_uri_unescape_bytes(text.data(), static_cast<gssize>(text.size()), nullptr, nullptr);
    if (raw == nullptr) {
        return std::nullopt;
    }
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(raw, &size));
    std::string bytes(data != nullptr ? data : "", size);
    g_bytes_unref(raw);
    if (bytes.find('\0') != std::string::npos || escapedPath(bytes) != text) {
        return std::nullopt;
    }
    return bytes;
}

std::string toBytes(Json object) {
    object[kVersionKey] = kProtocolVersion;
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The parsed message, when the bytes are a versioned message with one payload member.
std::optional<Json> message(std::string_view bytes) {
    if (bytes.size() > kMaxMessageBytes) {
        return std::nullopt;
    }
    Json document = Json::parse(bytes, nullptr, false);
    if (!document.is_object() || document.size() != 2) {
        return std::nullopt;
    }
    const auto version = document.find(kVersionKey);
    if (version == document.end() || !version->is_number() ||
        version->get<double>() != kProtocolVersion) {
        return std::nullopt;
    }
    return document;
}

// The message's payload member of that name.
const Json* payload(const std::optional<Json>& document, const char* key) {
    if (!document) {
        return nullptr;
    }
    const auto it = document->find(key);
    return it == document->end() ? nullptr : &*it;
}

std::optional<std::string> name(const Json& value, bool mayBeEmpty = false) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    const auto& text = value.get_ref<const std::string&>();
    if ((text.empty() && !mayBeEmpty) || utf16Length(text) > kMaxNameLength) {
        return std::nullopt;
    }
    return text;
}

std::optional<int> integer(const Json& value, int low, int high) {
    if (!value.is_number()) {
        return std::nullopt;
    }
    const auto number = value.get<double>();
    if (number < low || number > high || number != static_cast<double>(static_cast<int>(number))) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

const Json* array(const Json& value, std::size_t exactSize = 0) {
    if (!value.is_array() || value.size() > kMaxItems ||
        (exactSize > 0 && value.size() != exactSize)) {
        return nullptr;
    }
    return &value;
}

const Json* member(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

// The object's members, when it has exactly the given number.
const Json* object(const Json& value, std::size_t members) {
    return value.is_object() && value.size() == members ? &value : nullptr;
}

std::optional<EngineError> decodeError(const Json& value) {
    const Json* pair = array(value, 2);
    if (pair == nullptr) {
        return std::nullopt;
    }
    const auto number = integer((*pair)[0], 1, 0xFFFF);
    const Json& description = (*pair)[1];
    if (!number || !description.is_string()) {
        return std::nullopt;
    }
    const auto& text = description.get_ref<const std::string&>();
    if (text.empty()) {
        return std::nullopt;
    }
    return EngineError(*number, text);
}

std::optional<DatabaseObjects> decodeObjects(const Json& value) {
    const Json* body = object(value, 2);
    const Json* tables = body ? member(*body, "tables") : nullptr;
    const Json* queries = body ? member(*body, "queries") : nullptr;
    if (tables == nullptr || queries == nullptr || !array(*tables) || !array(*queries)) {
        return std::nullopt;
    }
    DatabaseObjects objects;
    objects.tables.reserve(tables->size());
    for (const Json& item : *tables) {
        auto tableName = name(item);
        if (!tableName) {
            return std::nullopt;
        }
        objects.tables.push_back({std::move(*tableName)});
    }
    for (const Json& item : *queries) {
        const Json* pair = array(item, 2);
        auto queryName = pair ? name((*pair)[0]) : std::nullopt;
        const auto type = pair ? integer((*pair)[1], 0, 0xFF) : std::nullopt;
        if (!queryName || !type) {
            return std::nullopt;
        }
        objects.queries.push_back({std::move(*queryName), *type});
    }
    return objects;
}

std::optional<ObjectDefinition> decodeDefinition(const Json& value) {
    const Json* body = object(value, 2);
    const Json* fields = body ? member(*body, "fields") : nullptr;
    const Json* indexes = body ? member(*body, "indexes") : nullptr;
    if (fields == nullptr || indexes == nullptr || !array(*fields) || !array(*indexes)) {
        return std::nullopt;
    }
    ObjectDefinition definition;
    for (const Json& item : *fields) {
        const Json* triple = array(item, 3);
        auto fieldName = triple ? name((*triple)[0]) : std::nullopt;
        const auto type = triple ? integer((*triple)[1], 0, kMaxTypeCode) : std::nullopt;
        if (!fieldName || !type || !(*triple)[2].is_boolean()) {
            return std::nullopt;
        }
        definition.fields.push_back(
            {.name = std::move(*fieldName), .type = *type, .autoNumber = (*triple)[2].get<bool>()});
    }
    for (const Json& item : *indexes) {
        const Json* pair = array(item, 2);
        auto indexName = pair ? name((*pair)[0], true) : std::nullopt;
        const Json* keys = pair ? array((*pair)[1]) : nullptr;
        if (!indexName || keys == nullptr) {
            return std::nullopt;
        }
        IndexDef index{std::move(*indexName), {}};
        for (const Json& key : *keys) {
            auto keyName = name(key);
            if (!keyName) {
                return std::nullopt;
            }
            index.fields.push_back(std::move(*keyName));
        }
        definition.indexes.push_back(std::move(index));
    }
    return definition;
}

const char* kindName(ObjectKind kind) {
    return kind == ObjectKind::Table ? "table" : "query";
}

std::optional<ObjectKind> kindNamed(const Json& value) {
    if (value == "table") {
        return ObjectKind::Table;
    }
    if (value == "query") {
        return ObjectKind::Query;
    }
    return std::nullopt;
}

Json errorJson(const EngineError& error) {
    return {error.number(), error.description()};
}

Json definitionJson(const ObjectDefinition& definition) {
    Json fields = Json::array();
    for (const auto& field : definition.fields) {
        fields.push_back({field.name, field.type, field.autoNumber});
    }
    Json indexes = Json::array();
    for (const auto& index : definition.indexes) {
        indexes.push_back({index.name, index.fields});
    }
    return {{"fields", std::move(fields)}, {"indexes", std::move(indexes)}};
}

// In the order of core::Encryption.
constexpr std::array<const char*, 5> kEncryptionNames{
    "jetRc4", "databasePassword", "officeRc4CryptoApi", "officeStandard", "officeAgile"};

std::optional<core::DatabaseFacts> decodeDatabaseFacts(const Json& value) {
    const Json* body = object(value, 3);
    const Json* version = body ? member(*body, "version") : nullptr;
    const Json* codePage = body ? member(*body, "codePage") : nullptr;
    const Json* encryption = body ? member(*body, "encryption") : nullptr;
    const auto versionNumber = version ? integer(*version, 0, kLastFormatVersion) : std::nullopt;
    const auto codePageNumber = codePage ? integer(*codePage, 0, 0xFFFF) : std::nullopt;
    if (!versionNumber || !codePageNumber || encryption == nullptr || !array(*encryption)) {
        return std::nullopt;
    }
    core::DatabaseFacts facts{
        .formatVersion = *versionNumber, .codePage = *codePageNumber, .encryption = {}};
    for (const Json& scheme : *encryption) {
        const auto* known = std::find_if(kEncryptionNames.begin(), kEncryptionNames.end(),
                                         [&scheme](const char* name) { return scheme == name; });
        if (known == kEncryptionNames.end()) {
            return std::nullopt;
        }
        facts.encryption.push_back(static_cast<core::Encryption>(known - kEncryptionNames.begin()));
    }
    return facts;
}

std::optional<core::QueryShape> decodeQueryShape(const Json& value) {
    const Json* fields = array(value, 5);
    auto queryName = fields ? name((*fields)[0]) : std::nullopt;
    const auto type = fields ? integer((*fields)[1], 0, 0xFF) : std::nullopt;
    const Json* inputs = fields ? array((*fields)[4]) : nullptr;
    if (!queryName || !type || !(*fields)[2].is_boolean() || !(*fields)[3].is_boolean() ||
        inputs == nullptr) {
        return std::nullopt;
    }
    core::QueryShape shape{.name = std::move(*queryName),
                           .type = *type,
                           .distinct = (*fields)[2].get<bool>(),
                           .totals = (*fields)[3].get<bool>(),
                           .inputQueries = {}};
    for (const Json& input : *inputs) {
        auto inputName = name(input);
        if (!inputName) {
            return std::nullopt;
        }
        shape.inputQueries.push_back(std::move(*inputName));
    }
    return shape;
}

std::optional<core::ObjectFacts> decodeObjectFacts(const Json& value) {
    const Json* body = object(value, 4);
    const Json* kind = body ? member(*body, "kind") : nullptr;
    const Json* objectName = body ? member(*body, "name") : nullptr;
    const Json* link = body ? member(*body, "link") : nullptr;
    const auto kindValue = kind ? kindNamed(*kind) : std::nullopt;
    auto nameText = objectName ? name(*objectName) : std::nullopt;
    if (!kindValue || !nameText || link == nullptr) {
        return std::nullopt;
    }
    core::ObjectFacts facts{
        .kind = *kindValue, .name = std::move(*nameText), .link = {}, .definition = {}};
    if (!link->is_null()) {
        const Json* triple = array(*link, 3);
        auto source = triple ? name((*triple)[1], true) : std::nullopt;
        auto foreignName = triple ? name((*triple)[2], true) : std::nullopt;
        if (!source || !foreignName || !(*triple)[0].is_boolean()) {
            return std::nullopt;
        }
        facts.link = core::TableLink{.odbc = (*triple)[0].get<bool>(),
                                     .source = std::move(*source),
                                     .foreignName = std::move(*foreignName)};
    }
    if (const Json* error = member(*body, "error")) {
        auto engineError = decodeError(*error);
        if (!engineError) {
            return std::nullopt;
        }
        facts.definition = std::move(*engineError);
    } else {
        const Json* definition = member(*body, "definition");
        auto decoded = definition ? decodeDefinition(*definition) : std::nullopt;
        if (!decoded) {
            return std::nullopt;
        }
        facts.definition = std::move(*decoded);
    }
    return facts;
}

std::optional<core::DatabaseInspection> decodeInspection(const Json& value) {
    const Json* body = object(value, 2);
    const Json* database = body ? member(*body, "database") : nullptr;
    const Json* catalogue = body ? member(*body, "catalogue") : nullptr;
    auto facts = database ? decodeDatabaseFacts(*database) : std::nullopt;
    if (!facts || catalogue == nullptr) {
        return std::nullopt;
    }
    core::DatabaseInspection inspection{.database = std::move(*facts), .catalogue = {}};
    if (catalogue->is_null()) {
        return inspection;
    }
    const Json* parts = object(*catalogue, 2);
    const Json* queries = parts ? member(*parts, "queries") : nullptr;
    const Json* objects = parts ? member(*parts, "objects") : nullptr;
    if (queries == nullptr || objects == nullptr || !array(*queries) || !array(*objects)) {
        return std::nullopt;
    }
    core::DatabaseInspection::Catalogue read;
    for (const Json& item : *queries) {
        auto shape = decodeQueryShape(item);
        if (!shape) {
            return std::nullopt;
        }
        read.queries.push_back(std::move(*shape));
    }
    for (const Json& item : *objects) {
        auto objectFacts = decodeObjectFacts(item);
        if (!objectFacts) {
            return std::nullopt;
        }
        read.objects.push_back(std::move(*objectFacts));
    }
    inspection.catalogue = std::move(read);
    return inspection;
}

struct ShortEscape {
    char character;
    char letter;
};
// JSON's two-character escapes, as nlohmann writes them.
constexpr ShortEscape kShortEscapes[] = {{'"', '"'},  {'\\', '\\'}, {'\b', 'b'}, {'\f', 'f'},
                                         {'\n', 'n'}, {'\r', 'r'},  {'\t', 't'}};

// Appends text as a JSON string, escaped as nlohmann's dump escapes it. nlohmann writes no single
// string on its own without a value and a serializer for each, which cost more than the escaping;
// text that is not UTF-8 goes through it all the same, to be replaced as a dump replaces it.
void appendText(std::string& bytes, const std::string& text) {
    if (!g_utf8_validate_len(text.data(), text.size(), nullptr)) {
        bytes += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
        return;
    }
    bytes += '"';
    std::size_t plain = 0; // where the run of characters that stand for themselves began
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') {
            continue;
        }
        bytes.append(text, plain, i - plain);
        plain = i + 1;
        const auto* shortForm = std::ranges::find(kShortEscapes, text[i], &ShortEscape::character);
        if (shortForm != std::end(kShortEscapes)) {
            bytes += '\\';
            bytes += shortForm->letter;
        } else {
            std::array<char, 7> escaped{};
            g_snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            bytes += escaped.data();
        }
    }
    bytes.append(text, plain);
    bytes += '"';
}

// The objects answer exactly as encodeAnswer writes it, read by hand: nlohmann's lexer, which
// keeps every character for its error messages, took as long as the rest of a listing. Anything
// else (an error answer, another order, blanks, escapes encodeAnswer does not write) is left to
// the general decoder, which takes what this takes alike.
class ObjectsAsWritten {
public:
    static std::optional<DatabaseObjects> decode(std::string_view bytes) {
        ObjectsAsWritten in(bytes);
        DatabaseObjects objects;
        if (bytes.size() > kMaxMessageBytes || !in.skip(R"({"objects":{"queries":[)")) {
            return std::nullopt;
        }
        if (!in.skip("]")) {
            do {
                auto name = in.skip("[") ? in.name() : std::nullopt;
                const auto type = name && in.skip(",") ? in.queryType() : std::nullopt;
                if (!type || !in.skip("]") || objects.queries.size() == kMaxItems) {
                    return std::nullopt;
                }
                objects.queries.push_back({std::move(*name), *type});
            } while (in.skip(","));
            if (!in.skip("]")) {
                return std::nullopt;
            }
        }
        if (!in.skip(R"(,"tables":[)")) {
            return std::nullopt;
        }
        if (!in.skip("]")) {
            do {
                auto name = in.name();
                if (!name || objects.tables.size() == kMaxItems) {
                    return std::nullopt;
                }
                objects.tables.push_back({std::move(*name)});
            } while (in.skip(","));
            if (!in.skip("]")) {
                return std::nullopt;
            }
        }
        const std::string end =
            std::string(R"(},")") + kVersionKey + R"(":)" + std::to_string(kProtocolVersion) + '}';
        if (!in.skip(end) || !in.rest_.empty()) {
            return std::nullopt;
        }
        return objects;
    }

private:
    explicit ObjectsAsWritten(std::string_view bytes) : rest_(bytes) {}

    bool skip(std::string_view expected) {
        if (!rest_.starts_with(expected)) {
            return false;
        }
        rest_.remove_prefix(expected.size());
        return true;
    }

    // A name as appendText writes it: a non-empty UTF-8 string of at most kMaxNameLength UTF-16
    // units, with JSON's two-character escapes and \u00XX for the other control characters.
    std::optional<std::string> name() {
        if (!skip("\"")) {
            return std::nullopt;
        }
        std::string text;
        while (true) {
            const auto special = std::ranges::find_if(rest_, [](char c) {
                return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
            });
            const auto plain = static_cast<std::size_t>(special - rest_.begin());
            text.append(rest_, 0, plain);
            rest_.remove_prefix(plain);
            if (skip("\"")) {
                break;
            }
            if (!skip("\\") || !unescape(text)) {
                return std::nullopt;
            }
        }
        if (text.empty() || !g_utf8_validate_len(text.data(), text.size(), nullptr) ||
            utf16Length(text) > kMaxNameLength) {
            return std::nullopt;
        }
        return text;
    }

    bool unescape(std::string& text) {
        if (rest_.empty()) {
            return false;
        }
        const char letter = rest_.front();
        const auto* shortForm = std::ranges::find(kShortEscapes, letter, &ShortEscape::letter);
        if (shortForm != std::end(kShortEscapes)) {
            text += shortForm->character;
            rest_.remove_prefix(1);
            return true;
        }
        // \u00XX, lower-case as g_snprintf's %04x writes it, for a control character only.
        if (rest_.size() < 5 || !rest_.starts_with("u00") || !isLowerHex(rest_[3]) ||
            !isLowerHex(rest_[4]) || rest_[3] > '1') {
            return false;
        }
        text +=
            static_cast<char>(g_ascii_xdigit_value(rest_[3]) * 16 + g_ascii_xdigit_value(rest_[4]));
        rest_.remove_prefix(5);
        return true;
    }

    static bool isLowerHex(char c) { return g_ascii_isdigit(c) || (c >= 'a' && c <= 'f'); }

    // A query's type: a number from 0 to 255 without leading zeros.
    std::optional<int> queryType() {
        const auto digits =
            std::ranges::find_if_not(rest_, [](char c) { return g_ascii_isdigit(c); });
        const auto length = static_cast<std::size_t>(digits - rest_.begin());
        if (length == 0 || length > 3 || (length > 1 && rest_.front() == '0')) {
            return std::nullopt;
        }
        int type = 0;
        std::from_chars(rest_.data(), rest_.data() + length, type);
        rest_.remove_prefix(length);
        return type <= 0xFF ? std::optional<int>(type) : std::nullopt;
    }

    std::string_view rest_;
};

} // namespace

std::string encodeRequest(const Request& request) {
    Json body{{"path", escapedPath(request.path)}, {"password", request.password}};
    if (request.operation == Operation::DescribeObject) {
        body["kind"] = kindName(request.kind);
        body["name"] = request.name;
        return toBytes({{"describe", std::move(body)}});
    }
    if (request.operation == Operation::InspectDatabase) {
        body["object"] =
            request.name.empty() ? Json(nullptr) : Json{kindName(request.kind), request.name};
        return toBytes({{"inspect", std::move(body)}});
    }
    return toBytes({{"objects", std::move(body)}});
}

std::optional<Request> decodeRequest(std::string_view bytes) {
    Request request;
    const auto document = message(bytes);
    const Json* body = payload(document, "objects");
    std::size_t expectedKeys = 2;
    if (body == nullptr) {
        body = payload(document, "describe");
        request.operation = Operation::DescribeObject;
        expectedKeys = 4;
    }
    if (body == nullptr) {
        body = payload(document, "inspect");
        request.operation = Operation::InspectDatabase;
        expectedKeys = 3;
    }
    const Json* fields = body ? object(*body, expectedKeys) : nullptr;
    const Json* path = fields ? member(*fields, "path") : nullptr;
    const Json* password = fields ? member(*fields, "password") : nullptr;
    auto pathBytes =
        path && path->is_string() ? unescapedPath(path->get<std::string>()) : std::nullopt;
    if (!pathBytes || password == nullptr || !password->is_string()) {
        return std::nullopt;
    }
    request.path = std::move(*pathBytes);
    request.password = password->get<std::string>();
    if (request.operation == Operation::DescribeObject) {
        const Json* kind = member(*fields, "kind");
        const Json* objectName = member(*fields, "name");
        const auto kindValue = kind ? kindNamed(*kind) : std::nullopt;
        if (objectName == nullptr || !objectName->is_string() || !kindValue) {
            return std::nullopt;
        }
        request.kind = *kindValue;
        request.name = objectName->get<std::string>();
    }
    if (request.operation == Operation::InspectDatabase) {
        const Json* object = member(*fields, "object");
        if (object == nullptr) {
            return std::nullopt;
        }
        if (!object->is_null()) {
            // An empty name would ask for every object.
            const Json* pair = array(*object, 2);
            const auto kindValue = pair ? kindNamed((*pair)[0]) : std::nullopt;
            if (!kindValue || !(*pair)[1].is_string() || (*pair)[1].empty()) {
                return std::nullopt;
            }
            request.kind = *kindValue;
            request.name = (*pair)[1].get<std::string>();
        }
    }
    return request;
}

// Written straight into the message, byte for byte as a DOM of it would dump: the catalogue of a
// big database is thousands of names, and building a DOM of them, or dumping each name as a JSON
// value, cost more than reading them.
std::string encodeAnswer(const DatabaseObjects& objects) {
    std::string bytes = R"({"objects":{"queries":[)";
    std::size_t size = 64;
    for (const auto& object : objects.tables) {
        size += object.name.size() + 3;
    }
    for (const auto& object : objects.queries) {
        size += object.name.size() + 10;
    }
    bytes.reserve(size); // names with characters to escape may still grow it
    for (const auto& query : objects.queries) {
        bytes += bytes.back() == '[' ? "[" : ",[";
        appendText(bytes, query.name);
        bytes += ',' + std::to_string(query.type) + ']';
    }
    bytes += R"(],"tables":[)";
    for (const auto& table : objects.tables) {
        if (bytes.back() != '[') {
            bytes += ',';
        }
        appendText(bytes, table.name);
    }
    return bytes + R"(]},")" + kVersionKey + R"(":)" + std::to_string(kProtocolVersion) + '}';
}

std::string encodeAnswer(const ObjectDefinition& definition) {
    return toBytes({{"definition", definitionJson(definition)}});
}

std::string encodeAnswer(const core::DatabaseInspection& inspection) {
    Json encryption = Json::array();
    for (const core::Encryption scheme : inspection.database.encryption) {
        encryption.push_back(kEncryptionNames[static_cast<std::size_t>(scheme)]);
    }
    Json catalogue = nullptr;
    if (inspection.catalogue) {
        Json queries = Json::array();
        for (const core::QueryShape& query : inspection.catalogue->queries) {
            queries.push_back(
                {query.name, query.type, query.distinct, query.totals, query.inputQueries});
        }
        Json objects = Json::array();
        for (const core::ObjectFacts& facts : inspection.catalogue->objects) {
            Json object{{"kind", kindName(facts.kind)},
                        {"name", facts.name},
                        {"link", facts.link ? Json{facts.link->odbc, facts.link->source,
                                                   facts.link->foreignName}
                                            : nullptr}};
            if (const auto* error = std::get_if<EngineError>(&facts.definition)) {
                object["error"] = errorJson(*error);
            } else {
                object["definition"] = definitionJson(std::get<ObjectDefinition>(facts.definition));
            }
            objects.push_back(std::move(object));
        }
        catalogue = {{"queries", std::move(queries)}, {"objects", std::move(objects)}};
    }
    return toBytes({{"inspection",
                     {{"database",
                       {{"version", inspection.database.formatVersion},
                        {"codePage", inspection.database.codePage},
                        {"encryption", std::move(encryption)}}},
                      {"catalogue", std::move(catalogue)}}}});
}

std::string encodeAnswer(const EngineError& error) {
    return toBytes({{"error", errorJson(error)}});
}

// Each answer is parsed once: a list of thousands of names makes parsing the bulk of decoding.
template <typename Answer, typename Decode>
std::optional<Answer> decodeAnswer(std::string_view bytes, const char* key, Decode decode) {
    const auto document = message(bytes);
    if (const Json* error = payload(document, "error")) {
        auto engineError = decodeError(*error);
        return engineError ? std::optional<Answer>(std::move(*engineError)) : std::nullopt;
    }
    const Json* value = payload(document, key);
    auto result = value ? decode(*value) : std::nullopt;
    return result ? std::optional<Answer>(std::move(*result)) : std::nullopt;
}

std::optional<ObjectsAnswer> decodeObjectsAnswer(std::string_view bytes) {
    if (auto objects = ObjectsAsWritten::decode(bytes)) {
        return std::move(*objects);
    }
    return decodeAnswer<ObjectsAnswer>(bytes, "objects", decodeObjects);
}

std::optional<DefinitionAnswer> decodeDefinitionAnswer(std::string_view bytes) {
    return decodeAnswer<DefinitionAnswer>(bytes, "definition", decodeDefinition);
}

std::optional<InspectionAnswer> decodeInspectionAnswer(std::string_view bytes) {
    return decodeAnswer<InspectionAnswer>(bytes, "inspection", decodeInspection);
}

} // namespace ombrix::reader
