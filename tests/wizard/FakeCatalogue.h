#pragma once

#include "platform/Catalogue.h"

#include <QMap>
#include <QStringList>
#include <optional>

namespace ombrix::testing {

// One database as the fake engine knows it.
struct FakeDatabase {
    QString password; // empty: opens without one
    platform::DatabaseObjects objects;
    QMap<QString, platform::ObjectDefinition> definitions; // by "Table: X" / "Query: X"
    QMap<QString, platform::EngineError> failingObjects;   // describing these fails
    std::optional<platform::EngineError> failure;          // opening it fails (a damaged file)
};

// A catalogue over databases held in memory, answering as the engine does: 3031 for a missing or
// wrong password, 3024 for a path it doesn't know. Every call is logged.
class FakeCatalogue : public platform::Catalogue {
public:
    QMap<QString, FakeDatabase> databases;
    QStringList calls; // "list PATH|PASSWORD", "describe PATH|PASSWORD|ITEM"

    platform::DatabaseObjects listObjects(const QString& path, const QString& password) override {
        calls.append(QStringLiteral("list %1|%2").arg(path, password));
        return open(path, password).objects;
    }

    platform::ObjectDefinition describeObject(const QString& path, const QString& password,
                                              platform::ObjectKind kind,
                                              const QString& name) override {
        const QString item = (kind == platform::ObjectKind::Table ? QStringLiteral("Table: ")
                                                                  : QStringLiteral("Query: ")) +
                             name;
        calls.append(QStringLiteral("describe %1|%2|%3").arg(path, password, item));
        const FakeDatabase& database = open(path, password);
        if (const auto failing = database.failingObjects.constFind(item);
            failing != database.failingObjects.constEnd())
            throw *failing;
        if (!database.definitions.contains(item))
            throw platform::EngineError(3265, QStringLiteral("Item not found in this collection."));
        return database.definitions.value(item);
    }

private:
    const FakeDatabase& open(const QString& path, const QString& password) const {
        const auto found = databases.constFind(path);
        if (found == databases.constEnd())
            throw platform::EngineError(3024,
                                        QStringLiteral("Could not find file '%1'.").arg(path));
        if (found->failure)
            throw *found->failure;
        if (found->password != password)
            throw platform::EngineError(3031, QStringLiteral("Not a valid password."));
        return *found;
    }
};

} // namespace ombrix::testing
