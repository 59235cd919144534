#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// Strict reading of description objects: unknown keys and wrong kinds of value are errors, so
// that a misspelt key never silently changes the database.
namespace mkmdb::json {

void allowOnly(const QJsonObject& object, const QStringList& keys);
QString requiredString(const QJsonObject& object, const QString& key);
std::optional<QString> optionalString(const QJsonObject& object, const QString& key);
bool optionalBool(const QJsonObject& object, const QString& key);
std::optional<int> optionalInt(const QJsonObject& object, const QString& key, int low, int high);
QJsonArray optionalArray(const QJsonObject& object, const QString& key);
QJsonObject objectAt(const QJsonArray& array, qsizetype index, const QString& what);

} // namespace mkmdb::json
