#include "JsonFields.h"

#include "Mkmdb.h"

#include <cmath>

namespace mkmdb::json {
namespace {

[[noreturn]] void fail(const QString& message) {
    throw DescriptionError(message.toStdString());
}

} // namespace

void allowOnly(const QJsonObject& object, const QStringList& keys) {
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!keys.contains(it.key()))
            fail(QStringLiteral("unknown key \"%1\"").arg(it.key()));
}

QString requiredString(const QJsonObject& object, const QString& key) {
    const std::optional<QString> value = optionalString(object, key);
    if (!value)
        fail(QStringLiteral("\"%1\" is missing").arg(key));
    return *value;
}

std::optional<QString> optionalString(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return std::nullopt;
    if (!value.isString())
        fail(QStringLiteral("\"%1\" must be a string").arg(key));
    return value.toString();
}

bool optionalBool(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return false;
    if (!value.isBool())
        fail(QStringLiteral("\"%1\" must be true or false").arg(key));
    return value.toBool();
}

std::optional<int> optionalInt(const QJsonObject& object, const QString& key, int low, int high) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return std::nullopt;
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::floor(number) != number || number < low || number > high)
        fail(QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                 .arg(key)
                 .arg(low)
                 .arg(high));
    return static_cast<int>(number);
}

QJsonArray optionalArray(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        fail(QStringLiteral("\"%1\" must be a list").arg(key));
    return value.toArray();
}

QJsonObject objectAt(const QJsonArray& array, qsizetype index, const QString& what) {
    if (!array.at(index).isObject())
        fail(QStringLiteral("%1 %2 must be an object").arg(what).arg(index + 1));
    return array.at(index).toObject();
}

} // namespace mkmdb::json
