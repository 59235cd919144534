#include "ReaderProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ombrix::platform::reader {

namespace {

const QString kVersionKey = u"ombrixReader"_qs;
constexpr qsizetype kMaxNameLength = 32768;
constexpr qsizetype kMaxDescriptionLength = 8192;
constexpr qsizetype kMaxItems = 1 << 20;
constexpr int kMaxTypeCode = 0x7FFF;

QByteArray toBytes(QJsonObject object) {
    object.insert(kVersionKey, kProtocolVersion);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The message's one payload member, when the bytes are a versioned message with exactly that.
std::optional<QJsonValue> payload(const QByteArray& bytes, const QString& key) {
    if (bytes.size() > kMaxMessageBytes) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(kVersionKey);
    if (object.size() != 2 || !version.isDouble() || version.toDouble() != kProtocolVersion ||
        !object.contains(key)) {
        return std::nullopt;
    }
    return object.value(key);
}

std::optional<QString> name(const QJsonValue& value, bool mayBeEmpty = false) {
    if (!value.isString()) {
        return std::nullopt;
    }
    const QString text = value.toString();
    if ((text.isEmpty() && !mayBeEmpty) || text.size() > kMaxNameLength) {
        return std::nullopt;
    }
    return text;
}

std::optional<int> integer(const QJsonValue& value, int low, int high) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (number < low || number > high || number != static_cast<double>(static_cast<int>(number))) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

std::optional<QJsonArray> array(const QJsonValue& value, qsizetype exactSize = -1) {
    if (!value.isArray()) {
        return std::nullopt;
    }
    QJsonArray items = value.toArray();
    if (items.size() > kMaxItems || (exactSize >= 0 && items.size() != exactSize)) {
        return std::nullopt;
    }
    return items;
}

std::optional<EngineError> decodeError(const QByteArray& bytes) {
    const auto value = payload(bytes, u"error"_qs);
    const auto pair = value ? array(*value, 2) : std::nullopt;
    if (!pair) {
        return std::nullopt;
    }
    const auto number = integer(pair->at(0), 1, 0xFFFF);
    const QJsonValue description = pair->at(1);
    if (!number || !description.isString() || description.toString().isEmpty() ||
        description.toString().size() > kMaxDescriptionLength) {
        return std::nullopt;
    }
    return EngineError(*number, description.toString());
}

std::optional<DatabaseObjects> decodeObjects(const QJsonValue& value) {
    if (!value.isObject() || value.toObject().size() != 2) {
        return std::nullopt;
    }
    const auto tables = array(value.toObject().value(u"tables"_qs));
    const auto queries = array(value.toObject().value(u"queries"_qs));
    if (!tables || !queries) {
        return std::nullopt;
    }
    DatabaseObjects objects;
    for (const QJsonValue& item : *tables) {
        const auto tableName = name(item);
        if (!tableName) {
            return std::nullopt;
        }
        objects.tables.append({*tableName});
    }
    for (const QJsonValue& item : *queries) {
        const auto pair = array(item, 2);
        const auto queryName = pair ? name(pair->at(0)) : std::nullopt;
        const auto type = pair ? integer(pair->at(1), 0, 0xFF) : std::nullopt;
        if (!queryName || !type) {
            return std::nullopt;
        }
        objects.queries.append({*queryName, *type});
    }
    return objects;
}

std::optional<ObjectDefinition> decodeDefinition(const QJsonValue& value) {
    if (!value.isObject() || value.toObject().size() != 2) {
        return std::nullopt;
    }
    const auto fields = array(value.toObject().value(u"fields"_qs));
    const auto indexes = array(value.toObject().value(u"indexes"_qs));
    if (!fields || !indexes) {
        return std::nullopt;
    }
    ObjectDefinition definition;
    for (const QJsonValue& item : *fields) {
        const auto pair = array(item, 2);
        const auto fieldName = pair ? name(pair->at(0)) : std::nullopt;
        const auto type = pair ? integer(pair->at(1), 0, kMaxTypeCode) : std::nullopt;
        if (!fieldName || !type) {
            return std::nullopt;
        }
        definition.fields.append({*fieldName, *type});
    }
    for (const QJsonValue& item : *indexes) {
        const auto pair = array(item, 2);
        const auto indexName = pair ? name(pair->at(0), true) : std::nullopt;
        const auto keys = pair ? array(pair->at(1)) : std::nullopt;
        if (!indexName || !keys) {
            return std::nullopt;
        }
        IndexDef index{*indexName, {}};
        for (const QJsonValue& key : *keys) {
            const auto keyName = name(key);
            if (!keyName) {
                return std::nullopt;
            }
            index.fields.append(*keyName);
        }
        definition.indexes.append(index);
    }
    return definition;
}

} // namespace

QByteArray encodeRequest(const Request& request) {
    QJsonObject body{{u"path"_qs, request.path}, {u"password"_qs, request.password}};
    if (request.operation == Operation::DescribeObject) {
        body.insert(u"kind"_qs, request.kind == ObjectKind::Table ? u"table"_qs : u"query"_qs);
        body.insert(u"name"_qs, request.name);
        return toBytes({{u"describe"_qs, body}});
    }
    return toBytes({{u"objects"_qs, body}});
}

std::optional<Request> decodeRequest(const QByteArray& bytes) {
    Request request;
    auto body = payload(bytes, u"objects"_qs);
    qsizetype expectedKeys = 2;
    if (!body) {
        body = payload(bytes, u"describe"_qs);
        request.operation = Operation::DescribeObject;
        expectedKeys = 4;
    }
    if (!body || !body->isObject() || body->toObject().size() != expectedKeys) {
        return std::nullopt;
    }
    const QJsonObject object = body->toObject();
    const auto path = name(object.value(u"path"_qs), true);
    const auto password = name(object.value(u"password"_qs), true);
    if (!path || !password) {
        return std::nullopt;
    }
    request.path = *path;
    request.password = *password;
    if (request.operation == Operation::DescribeObject) {
        const QJsonValue kind = object.value(u"kind"_qs);
        const auto objectName = name(object.value(u"name"_qs), true);
        if (!objectName || (kind != u"table"_qs && kind != u"query"_qs)) {
            return std::nullopt;
        }
        request.kind = kind == u"table"_qs ? ObjectKind::Table : ObjectKind::Query;
        request.name = *objectName;
    }
    return request;
}

QByteArray encodeAnswer(const DatabaseObjects& objects) {
    QJsonArray tables;
    for (const TableDef& table : objects.tables) {
        tables.append(table.name);
    }
    QJsonArray queries;
    for (const QueryDef& query : objects.queries) {
        queries.append(QJsonArray{query.name, query.type});
    }
    return toBytes(
        {{u"objects"_qs, QJsonObject{{u"tables"_qs, tables}, {u"queries"_qs, queries}}}});
}

QByteArray encodeAnswer(const ObjectDefinition& definition) {
    QJsonArray fields;
    for (const FieldDef& field : definition.fields) {
        fields.append(QJsonArray{field.name, field.type});
    }
    QJsonArray indexes;
    for (const IndexDef& index : definition.indexes) {
        indexes.append(QJsonArray{index.name, QJsonArray::fromStringList(index.fields)});
    }
    return toBytes(
        {{u"definition"_qs, QJsonObject{{u"fields"_qs, fields}, {u"indexes"_qs, indexes}}}});
}

QByteArray encodeAnswer(const EngineError& error) {
    return toBytes({{u"error"_qs, QJsonArray{error.number(), error.description()}}});
}

std::optional<ObjectsAnswer> decodeObjectsAnswer(const QByteArray& bytes) {
    if (auto error = decodeError(bytes)) {
        return ObjectsAnswer(*error);
    }
    const auto value = payload(bytes, u"objects"_qs);
    const auto objects = value ? decodeObjects(*value) : std::nullopt;
    return objects ? std::optional<ObjectsAnswer>(*objects) : std::nullopt;
}

std::optional<DefinitionAnswer> decodeDefinitionAnswer(const QByteArray& bytes) {
    if (auto error = decodeError(bytes)) {
        return DefinitionAnswer(*error);
    }
    const auto value = payload(bytes, u"definition"_qs);
    const auto definition = value ? decodeDefinition(*value) : std::nullopt;
    return definition ? std::optional<DefinitionAnswer>(*definition) : std::nullopt;
}

} // namespace ombrix::platform::reader
