#pragma once

#include "core/Catalogue.h"
#include "core/CatalogueItems.h"
#include "core/EngineErrors.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ombrix::tests {

// One database as the fake engine knows it.
struct FakeDatabase {
    // The one password it opens with (empty: none); std::nullopt: it opens with any.
    std::optional<std::string> password = std::string();
    core::DatabaseObjects objects{};
    std::map<std::string, core::ObjectDefinition> definitions{}; // by "Table: X" / "Query: X"
    std::map<std::string, core::EngineError> failingObjects{};   // describing these fails
    std::optional<core::EngineError> failure{};                  // opening it fails
    core::DatabaseFacts facts{};                                 // what its header says
};

// A catalogue over databases held in memory, answering as the engine does: 3024 for a path it
// does not know, 3031 for a missing or wrong password, 3265 for an unknown object. Every call is
// logged: "list PATH|PASSWORD", "describe PATH|PASSWORD|ITEM", "inspect PATH|PASSWORD|ITEM" (no
// item for the whole object list). An inspection finds the queries' kinds and nothing more of
// their shapes.
class FakeCatalogue final : public core::Catalogue {
public:
    std::map<std::string, FakeDatabase> databases;
    std::vector<std::string> calls;
    std::function<void()> onCall = [] {}; // runs at every call, to look at the caller meanwhile

    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override {
        calls.push_back("list " + path + "|" + password);
        onCall();
        return open(path, password).objects;
    }

    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override {
        const std::string item = core::objectItem(kind, name);
        calls.push_back("describe " + path + "|" + password + "|" + item);
        onCall();
        const FakeDatabase& database = open(path, password);
        if (const auto failing = database.failingObjects.find(item);
            failing != database.failingObjects.end())
            throw failing->second;
        return definitionOf(database, item);
    }

    core::DatabaseInspection
    inspectDatabase(const std::string& path, const std::string& password,
                    const std::optional<core::ObjectName>& object) override {
        const std::string item =
            object ? core::objectItem(object->kind, object->name) : std::string();
        calls.push_back("inspect " + path + "|" + password + "|" + item);
        onCall();
        const auto found = databases.find(path);
        if (found == databases.end())
            throw core::fileNotFound(path);
        core::DatabaseInspection inspection{.database = found->second.facts, .catalogue = {}};
        if (found->second.password && *found->second.password != password)
            return inspection;
        const FakeDatabase& database = open(path, password);
        auto& catalogue = inspection.catalogue.emplace();
        for (const core::QueryDef& query : database.objects.queries)
            catalogue.queries.push_back(
                {.name = query.name, .type = query.type, .inputQueries = {}});
        const std::vector<std::string> items =
            object ? std::vector<std::string>{item} : core::objectListItems(database.objects);
        for (const std::string& listed : items) {
            const auto failing = database.failingObjects.find(listed);
            core::ObjectName named = core::splitObjectItem(listed);
            catalogue.objects.push_back(
                {.kind = named.kind,
                 .name = std::move(named.name),
                 .link = {},
                 .definition = failing != database.failingObjects.end()
                                   ? decltype(core::ObjectFacts::definition)(failing->second)
                                   : definitionOf(database, listed)});
        }
        return inspection;
    }

private:
    static const core::ObjectDefinition& definitionOf(const FakeDatabase& database,
                                                      const std::string& item) {
        const auto found = database.definitions.find(item);
        if (found == database.definitions.end())
            throw core::itemNotFound();
        return found->second;
    }

    const FakeDatabase& open(const std::string& path, const std::string& password) const {
        const auto found = databases.find(path);
        if (found == databases.end())
            throw core::fileNotFound(path);
        if (found->second.failure)
            throw *found->second.failure;
        if (found->second.password && *found->second.password != password)
            throw core::notValidPassword();
        return found->second;
    }
};

} // namespace ombrix::tests
