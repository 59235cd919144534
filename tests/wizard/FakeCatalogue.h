#pragma once

#include "core/Catalogue.h"

#include <QMap>
#include <QStringList>
#include <optional>

namespace ombrix::testing {

// One database as the fake engine knows it.
struct FakeDatabase {
    QString password; // empty: opens without one
    core::DatabaseObjects objects;
    QMap<QString, core::ObjectDefinition> definitions; // by "Table: X" / "Query: X"
    QMap<QString, core::EngineError> failingObjects;   // describing these fails
    std::optional<core::EngineError> failure;          // opening it fails (a damaged file)
};

// A catalogue over databases held in memory, answering as the engine does: 3031 for a missing or
// wrong password, 3024 for a path it doesn't know. Every call is logged.
class FakeCatalogue : public core::Catalogue {
public:
    QMap<QString, FakeDatabase> databases;
    QStringList calls; // "list PATH|PASSWORD", "describe PATH|PASSWORD|ITEM"

    core::DatabaseObjects listObjects(const std::string& pathText,
                                      const std::string& passwordText) override {
        const QString path = QString::fromStdString(pathText);
        const QString password = QString::fromStdString(passwordText);
        calls.append(QStringLiteral("list %1|%2").arg(path, password));
        return open(path, password).objects;
    }

    core::ObjectDefinition describeObject(const std::string& pathText,
                                          const std::string& passwordText, core::ObjectKind kind,
                                          const std::string& name) override {
        const QString path = QString::fromStdString(pathText);
        const QString password = QString::fromStdString(passwordText);
        const QString item = (kind == core::ObjectKind::Table ? QStringLiteral("Table: ")
                                                              : QStringLiteral("Query: ")) +
                             QString::fromStdString(name);
        calls.append(QStringLiteral("describe %1|%2|%3").arg(path, password, item));
        const FakeDatabase& database = open(path, password);
        if (const auto failing = database.failingObjects.constFind(item);
            failing != database.failingObjects.constEnd())
            throw *failing;
        if (!database.definitions.contains(item))
            throw core::EngineError(3265, "Item not found in this collection.");
        return database.definitions.value(item);
    }

private:
    const FakeDatabase& open(const QString& path, const QString& password) const {
        const auto found = databases.constFind(path);
        if (found == databases.constEnd())
            throw core::EngineError(
                3024, QStringLiteral("Could not find file '%1'.").arg(path).toStdString());
        if (found->failure)
            throw *found->failure;
        if (found->password != password)
            throw core::EngineError(3031, "Not a valid password.");
        return *found;
    }
};

} // namespace ombrix::testing
