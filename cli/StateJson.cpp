#include "cli/StateJson.h"

#include "cli/CliSupport.h"
#include "wizard/CatalogueItems.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace ombrix::cli {

namespace {

[[noreturn]] void Reject(const QString& message) {
    throw CommandError(exitBadUsage, message);
}

QJsonValue Member(const QJsonObject& object, const QString& name) {
    const auto found = object.constFind(name);
    if (found == object.constEnd()) {
        Reject(QStringLiteral("the state has no member \"%1\"").arg(name));
    }
    return *found;
}

std::string StringMember(const QJsonObject& object, const QString& name) {
    const QJsonValue value = Member(object, name);
    if (!value.isString()) {
        Reject(QStringLiteral("member \"%1\" is not a string").arg(name));
    }
    return value.toString().toStdString();
}

// A member that states written before it existed lack: absent means empty.
std::string OptionalStringMember(const QJsonObject& object, const QString& name) {
    return object.contains(name) ? StringMember(object, name) : std::string();
}

std::vector<std::string> FieldItems(const QJsonObject& object) {
    const QJsonValue value = Member(object, QStringLiteral("fields"));
    if (!value.isArray()) {
        Reject(QStringLiteral("member \"fields\" is not an array"));
    }
    const QJsonArray array = value.toArray();
    if (array.isEmpty()) {
        Reject(QStringLiteral("member \"fields\" is empty"));
    }
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue item = array.at(i);
        if (!item.isString()) {
            Reject(QStringLiteral("field %1 is not a string").arg(i + 1));
        }
        if (!item.toString().contains(QLatin1Char('\t'))) {
            Reject(QStringLiteral("field %1 has no TAB before its type prefix").arg(i + 1));
        }
        items.push_back(item.toString().toStdString());
    }
    return items;
}

} // namespace

WizardState WizardStateFromJson(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        Reject(QStringLiteral("the state is not valid JSON: %1 at offset %2")
                   .arg(parseError.errorString())
                   .arg(parseError.offset));
    }
    if (!document.isObject()) {
        Reject(QStringLiteral("the state is not a JSON object"));
    }
    const QJsonObject object = document.object();

    WizardState state;
    state.databasePath = StringMember(object, QStringLiteral("database"));
    state.password = StringMember(object, QStringLiteral("password"));
    state.objectCaption = StringMember(object, QStringLiteral("object"));
    state.primaryKeyField = StringMember(object, QStringLiteral("primaryKeyField"));
    state.primaryKeyPrefix = OptionalStringMember(object, QStringLiteral("primaryKeyPrefix"));
    state.summaryFields = FieldItems(object);
    state.formMethod = StringMember(object, QStringLiteral("method"));

    if (!wizard::isObjectItem(QString::fromStdString(state.objectCaption))) {
        Reject(QStringLiteral("member \"object\" must begin with \"Table: \" or \"Query: \""));
    }
    if (state.formMethod != "Post" && state.formMethod != "Get") {
        Reject(QStringLiteral("member \"method\" must be \"Post\" or \"Get\""));
    }
    return state;
}

} // namespace ombrix::cli
